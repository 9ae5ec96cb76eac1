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
        const ULONGLONG later = api.GetTickCount64();
        if (waited != WAIT_TIMEOUT || later >= deadline)
            return waited;
        whileWaiting(static_cast<DWORD>(deadline - later));
    }
}

}  // namespace reader
