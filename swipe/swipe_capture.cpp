#include "swipe/swipe_capture.h"

#include "swipe/swipe_check.h"

namespace swipe {

SwipeCapture::SwipeCapture(const settings::Setup& form) : returnsPerSwipe_(ReturnsPerSwipe(form)) {}

SwipeCapture::Step SwipeCapture::Add(wchar_t c) {
    typed_ += c;
    if (c != L'\r')
        return Step::Typing;
    ++returns_;
    return returnsPerSwipe_ > 0 && returns_ >= returnsPerSwipe_ ? Ended() : Step::Typing;
}

SwipeCapture::Step SwipeCapture::Pause() {
    return typed_.empty() ? Step::Nothing : Ended();
}

void SwipeCapture::Clear() {
    typed_.clear();
    returns_ = 0;
}

SwipeCapture::Step SwipeCapture::Ended() {
    for (const wchar_t c : typed_)
        if (c != L' ' && c != L'\t' && c != L'\r' && c != L'\n')
            return Step::Complete;
    Clear();
    return Step::Nothing;
}

}  // namespace swipe
