#include "swipe/swipe_capture.h"

namespace swipe {

void SwipeCapture::Add(wchar_t c) {
    typed_ += c;
}

SwipeCapture::Step SwipeCapture::Pause() {
    for (const wchar_t c : typed_)
        if (c != L' ' && c != L'\t' && c != L'\r' && c != L'\n')
            return Step::Complete;
    Clear();
    return Step::Nothing;
}

void SwipeCapture::Clear() {
    typed_.clear();
}

}  // namespace swipe
