// One exchange at a time per reader, across processes. Windows lets every program open the
// reader at once; each handle gets every input report, so two programs whose exchanges
// overlap can each take the other's answer. Every program therefore holds the reader's turn
// (a system-wide mutex named after the device, reader/turn_name.h) for one exchange, from
// before its write until its answer is read or given up: the window, the companion and
// whatever else runs its commands through reader/run_exchange.h.
//
// A program that finds the reader busy waits for its turn at most kTurnWaitMs, answering its
// messages meanwhile if it has any, then gives up: the reader is busy. A turn whose holder
// ended without giving it back (WAIT_ABANDONED) is taken all the same: the system hands it
// over. A turn made by another account (a service) that refuses this program full access is
// opened for waiting and releasing only, which is all a turn needs; a service that makes it
// must grant those two rights to the users of the reader. When the mutex cannot be had at all,
// the exchange runs without it, as a program alone at the reader would.
#pragma once

#include <functional>
#include <string>

#include "reader/bounded_wait.h"
#include "reader/hid_api.h"
#include "reader/hid_owners.h"

namespace reader {

// Longer than an exchange can hold the turn in the usual course (a write and a read of a
// second each, and the quiet after a timeout, up to two seconds), so that a program waits out
// one slow exchange of another before it says the reader is busy.
constexpr DWORD kTurnWaitMs = 5000;

class ReaderTurn {
public:
    // Waits for the turn at the reader at `devicePath`; `whileWaiting` as for BoundedWait.
    ReaderTurn(const std::string& devicePath, const WhileWaiting& whileWaiting);
    // Gives the turn back, if it was taken.
    ~ReaderTurn();
    ReaderTurn(const ReaderTurn&) = delete;
    ReaderTurn& operator=(const ReaderTurn&) = delete;

    // False when another program kept the reader for all of kTurnWaitMs.
    bool taken() const { return taken_; }

private:
    HidApi& api_;
    SeamHandle mutex_;
    bool held_ = false;  // this program owns the mutex and must release it
    bool taken_ = false;
};

}  // namespace reader
