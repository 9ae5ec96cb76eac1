// A wait for a kernel object that keeps its bound while someone is told, again and again,
// that it goes on: a window answers its messages meanwhile.
#pragma once

#include <functional>

#include "reader/hid_api.h"

namespace reader {

// How far apart `whileWaiting` is called at most.
constexpr DWORD kWaitSliceMs = 20;

// Told between the slices of a wait, with the milliseconds the wait has left.
using WhileWaiting = std::function<void(DWORD msLeft)>;

// Waits for `object` at most `timeoutMs` by the system's clock, as WaitForSingleObject
// answers. With `whileWaiting`, the wait goes in slices and it is called between them with the
// time left; time it spends counts against the bound, so the wait ends no later than the
// slice after it returns, however long it took, and once the system's clock has reached the
// bound, never before. (A caller that runs a modal loop in it keeps the bound by ending the
// loop once the time left has passed.)
DWORD BoundedWait(HidApi& api, HANDLE object, DWORD timeoutMs, const WhileWaiting& whileWaiting);

}  // namespace reader
