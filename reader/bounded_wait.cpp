#include "reader/bounded_wait.h"

#include <algorithm>

namespace reader {

DWORD BoundedWait(HidApi& api, HANDLE object, DWORD timeoutMs, const WhileWaiting& whileWaiting) {
    if (!whileWaiting)
        return api.WaitForSingleObject(object, timeoutMs);
    const ULONGLONG deadline = api.GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = api.GetTickCount64();
        const DWORD left = now < deadline ? static_cast<DWORD>(deadline - now) : 0;
        const DWORD waited = api.WaitForSingleObject(object, std::min(left, kWaitSliceMs));
        if (waited != WAIT_TIMEOUT || left <= kWaitSliceMs)
            return waited;
        const ULONGLONG later = api.GetTickCount64();
        whileWaiting(later < deadline ? static_cast<DWORD>(deadline - later) : 0);
    }
}

}  // namespace reader
