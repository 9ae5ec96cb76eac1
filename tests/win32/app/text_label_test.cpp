// The settings window's red labels, checked on the pixels they paint.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/settings_dialog.h"
#include "framework/gdi.h"
#include "recording_prompts.h"
#include "res/resource.h"
#include "ui_helpers.h"

namespace {

// Paints a control into a 32-bit DIB through WM_PRINTCLIENT and counts the pixels of
// roughly pure red and of the system text colour.
struct PixelCount {
    int red = 0;
    int dark = 0;
};

PixelCount RenderAndCount(HWND control) {
    RECT rect;
    GetClientRect(control, &rect);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = rect.right;
    info.bmiHeader.biHeight = -rect.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    fw::MemoryDc dc(CreateCompatibleDC(nullptr));
    fw::Bitmap dib(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    PixelCount count;
    {
        fw::Selection select(dc.get(), dib.get());
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                     PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        const auto* pixel = static_cast<const unsigned char*>(bits);
        for (int i = 0; i < rect.right * rect.bottom; ++i, pixel += 4) {
            const int b = pixel[0], g = pixel[1], r = pixel[2];
            if (r > 180 && g < 80 && b < 80)
                ++count.red;
            if (r < 60 && g < 60 && b < 60)
                ++count.dark;
        }
    }
    return count;
}

class Labels : public testing::Test {
protected:
    void SetUp() override {
        dialog = std::make_unique<SettingsDialog>();
        hwnd = dialog->Create();
        ASSERT_NE(hwnd, nullptr);
        PumpMessages();
    }
    RecordingPrompts prompts;
    std::unique_ptr<SettingsDialog> dialog;
    HWND hwnd = nullptr;
};

TEST_F(Labels, FontsAndColoursAfterTheSetters) {
    for (int i = 0; i < SettingsDialog::kLabelCount; ++i) {
        const TextLabel& label = dialog->label(i);
        EXPECT_EQ(label.textColor(), RGB(255, 0, 0));
        EXPECT_EQ(label.fontDescription().lfHeight, -12);
        LOGFONTA actual{};
        ASSERT_NE(GetObjectA(label.font(), sizeof(actual), &actual), 0);
        EXPECT_EQ(actual.lfHeight, -12);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label.hwnd(), WM_GETFONT, 0, 0)),
                  label.font());
    }
    EXPECT_EQ(dialog->label(0).fontDescription().lfWeight, FW_BOLD);  // status line
    EXPECT_EQ(dialog->label(1).fontDescription().lfWeight, FW_BOLD);  // usage frame
    LOGFONTA guiFont{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFont), &guiFont);
    for (int i = 2; i < SettingsDialog::kLabelCount; ++i) {
        EXPECT_STREQ(dialog->label(i).fontDescription().lfFaceName, "Microsoft Sans Serif");
        EXPECT_EQ(dialog->label(i).fontDescription().lfWeight, guiFont.lfWeight);
    }
    EXPECT_STREQ(dialog->label(0).fontDescription().lfFaceName, guiFont.lfFaceName);
}

TEST_F(Labels, BoldOffGivesNormalWeightNotTheDefaultFontsWeight) {
    TextLabel label;
    HWND caption = GetDlgItem(hwnd, IDC_STATUS_CAPTION);
    ASSERT_TRUE(label.Subclass(caption));
    label.SetLabelBold(TRUE).SetLabelBold(FALSE);
    EXPECT_EQ(label.fontDescription().lfWeight, FW_NORMAL);
    label.SetLabelFace("An overlong face name that does not fit the field");
    EXPECT_EQ(strlen(label.fontDescription().lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));
    DestroyWindow(caption);  // a label lives as long as its control
}

TEST_F(Labels, PaintRedTextAndKeepItAcrossTextChanges) {
    SetDlgItemTextW(hwnd, IDC_STATUS, L"Detect device OK,ver100");
    for (int id : {IDC_STATUS, IDC_USAGE_FRAME, IDC_USAGE_LINE1, IDC_USAGE_LINE2, IDC_CR_NOTICE})
        EXPECT_GT(RenderAndCount(GetDlgItem(hwnd, id)).red, 20) << id;

    Click(hwnd, IDC_RADIO_CHINESE);
    SetDlgItemTextW(hwnd, IDC_STATUS, L"设备已连接,ver100");
    for (int id : {IDC_STATUS, IDC_USAGE_FRAME, IDC_USAGE_LINE1})
        EXPECT_GT(RenderAndCount(GetDlgItem(hwnd, id)).red, 20) << id;
}

TEST_F(Labels, UnstyledLabelUsesTheWindowTextColour) {
    // A caption that is no label paints no red at all; bound with no setter it stays so.
    HWND caption = GetDlgItem(hwnd, IDC_STATUS_CAPTION);
    EXPECT_EQ(RenderAndCount(caption).red, 0);
    TextLabel label;
    ASSERT_TRUE(label.Subclass(caption));
    EXPECT_EQ(label.textColor(), GetSysColor(COLOR_WINDOWTEXT));
    const PixelCount count = RenderAndCount(caption);
    EXPECT_EQ(count.red, 0);
    EXPECT_GT(count.dark, 5);
    DestroyWindow(caption);
}

}  // namespace
