// The one connection to the reader: its device handle, opened for overlapped reading and
// writing, or none. Only the search opens it. Close ends it on Disconnect, or when a
// transfer shows that the reader was pulled out; the search itself closes a handle that no
// longer answers.
#pragma once

#include <cstdint>

#include "reader/hid_owners.h"

namespace reader {

class ReaderLink {
public:
    bool IsOpen() const { return static_cast<bool>(handle_); }
    HANDLE handle() const { return handle_.get(); }
    // Closes the handle; false when no reader was connected.
    bool Close();

    enum class Outcome {
        AlreadyOpen,   // the open handle still answers; nothing enumerated
        NoDeviceList,  // the HID interfaces could not be listed
        DetailFailed,  // an interface's path could not be read; the search ended there
        Found,         // the link is open; versionNumber holds the reader's version
        NotFound,      // every interface was walked; the link stays none
    };
    struct SearchResult {
        Outcome outcome;
        std::uint16_t versionNumber = 0;
    };
    // With the link open, asks the handle for its attributes: if it answers, the search ends
    // there; if not, the reader is gone, the handle is closed and the search runs.
    // Walks the present HID interfaces in order and keeps the first one whose vendor and
    // product identify the reader. Interfaces that cannot be opened or read are skipped.
    SearchResult Find();

private:
    bool StillAnswers();

    SeamHandle handle_;
};

}  // namespace reader
