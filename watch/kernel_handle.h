// An owned kernel handle (an event, a service's handles use their own): closed when its owner
// ends.
#pragma once

#include <windows.h>

#include "framework/owned.h"

namespace watch {

struct KernelHandleTraits {
    static HANDLE none() { return nullptr; }
    static bool valid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    void close(HANDLE handle) const { CloseHandle(handle); }
};
using KernelHandle = fw::Owned<HANDLE, KernelHandleTraits>;

}  // namespace watch
