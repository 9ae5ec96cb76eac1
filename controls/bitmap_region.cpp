#include "controls/bitmap_region.h"

#include "controls/region_scan.h"
#include "framework/gdi.h"

namespace {

static_assert(sizeof(RunRect) == sizeof(RECT), "runs are stored as RECTs");

// Region data in a movable global block: a header, then the rectangles of one batch. Each
// finished batch becomes a region that is OR-combined into the result.
class RegionBlock : public RunSink {
public:
    RegionBlock() = default;
    ~RegionBlock() override {
        if (!block_)
            return;
        if (data_)
            GlobalUnlock(block_);
        GlobalFree(block_);
    }
    RegionBlock(const RegionBlock&) = delete;
    RegionBlock& operator=(const RegionBlock&) = delete;

    RunRect* Grow(std::size_t capacity) override {
        const SIZE_T bytes = BlockBytes(capacity);
        if (!block_) {
            block_ = GlobalAlloc(GMEM_MOVEABLE, bytes);
        } else {
            GlobalUnlock(block_);
            data_ = nullptr;
            HGLOBAL grown = GlobalReAlloc(block_, bytes, GMEM_MOVEABLE);
            if (!grown)
                return nullptr;  // the old block is still ours and is freed
            block_ = grown;
        }
        if (!block_)
            return nullptr;
        data_ = static_cast<RGNDATA*>(GlobalLock(block_));
        if (!data_)
            return nullptr;
        data_->rdh.dwSize = sizeof(RGNDATAHEADER);
        data_->rdh.iType = RDH_RECTANGLES;
        return reinterpret_cast<RunRect*>(data_->Buffer);
    }

    bool Flush(std::size_t count, const RunRect& bound, std::size_t capacity) override {
        data_->rdh.nCount = static_cast<DWORD>(count);
        data_->rdh.nRgnSize = 0;
        data_->rdh.rcBound = {bound.left, bound.top, bound.right, bound.bottom};
        fw::Region batch(ExtCreateRegion(nullptr, static_cast<DWORD>(BlockBytes(capacity)), data_));
        if (!result_)
            result_ = std::move(batch);
        else if (batch)
            CombineRgn(result_.get(), result_.get(), batch.get(), RGN_OR);
        return true;
    }

    HRGN TakeResult() { return result_.release(); }

private:
    static SIZE_T BlockBytes(std::size_t capacity) {
        return sizeof(RGNDATAHEADER) + sizeof(RECT) * capacity;
    }

    HGLOBAL block_ = nullptr;
    RGNDATA* data_ = nullptr;
    fw::Region result_;
};

}  // namespace

HRGN BuildBitmapRegion(HBITMAP bitmap, COLORREF keyColor, COLORREF tolerance) {
    if (!bitmap)
        return nullptr;
    fw::MemoryDc copyDc(CreateCompatibleDC(nullptr));
    if (!copyDc)
        return nullptr;
    BITMAP picture{};
    if (!GetObjectW(bitmap, sizeof(picture), &picture))
        return nullptr;

    // A 32-bit bottom-up copy of the picture that the scan reads directly.
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = picture.bmWidth;
    header.biHeight = picture.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    fw::Bitmap copy(CreateDIBSection(copyDc.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                     DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy)
        return nullptr;
    fw::Selection copySelected(copyDc.get(), copy.get());
    fw::MemoryDc sourceDc(CreateCompatibleDC(copyDc.get()));
    if (!sourceDc)
        return nullptr;

    BITMAP dib{};
    GetObjectW(copy.get(), sizeof(dib), &dib);
    {
        fw::Selection sourceSelected(sourceDc.get(), bitmap);
        BitBlt(copyDc.get(), 0, 0, picture.bmWidth, picture.bmHeight, sourceDc.get(), 0, 0,
               SRCCOPY);
    }
    GdiFlush();

    // The last row in memory is the top row of the picture.
    const auto* base = static_cast<const std::uint8_t*>(dib.bmBits);
    const PixelRows rows{base + static_cast<std::ptrdiff_t>(dib.bmHeight - 1) * dib.bmWidthBytes,
                         -static_cast<std::ptrdiff_t>(dib.bmWidthBytes), picture.bmWidth,
                         picture.bmHeight};
    RegionBlock block;
    if (!ScanOpaqueRuns(rows, MakeKeyRange(keyColor, tolerance), block))
        return nullptr;
    return block.TakeResult();
}
