#include "reader/reader_turn.h"

#include "reader/bounded_wait.h"
#include "reader/turn_name.h"

namespace reader {

ReaderTurn::ReaderTurn(const std::string& devicePath, const WhileWaiting& whileWaiting)
    : api_(CurrentHidApi()) {
    const std::string name = TurnName(devicePath);
    mutex_ = SeamHandle(api_, api_.CreateMutexA(name.c_str()));
    if (!mutex_ && api_.GetLastError() == ERROR_ACCESS_DENIED)
        mutex_ = SeamHandle(api_, api_.OpenMutexA(name.c_str()));
    if (!mutex_) {
        taken_ = true;  // no turn to take: the exchange runs as a program alone would
        return;
    }
    switch (BoundedWait(api_, mutex_.get(), kTurnWaitMs, whileWaiting)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // its holder ended without giving it back: it is ours now
            held_ = taken_ = true;
            break;
        case WAIT_TIMEOUT:
            break;
        default:
            taken_ = true;  // the wait itself failed: as without the mutex
            break;
    }
}

ReaderTurn::~ReaderTurn() {
    if (held_)
        api_.ReleaseMutex(mutex_.get());
}

}  // namespace reader
