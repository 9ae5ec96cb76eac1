// The one connection to the reader: its device handle, opened for overlapped reading and
// writing, or none. Only the search (or an open by path) opens it. Close ends it on
// Disconnect, or when a transfer shows that the reader was pulled out; the search itself
// closes a handle that no longer answers.
//
// ListReaders walks the same HID interfaces as the search but keeps going, so that every
// connected reader is known by its device path.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/hid_owners.h"
#include "reader/reader_info.h"
#include "reader/transfer_errors.h"

namespace reader {

enum class WalkEnd {
    Completed,     // every interface was walked
    Stopped,       // the visitor stopped the walk
    NoDeviceList,  // the HID interfaces could not be listed
    DetailFailed,  // an interface's path could not be read; the walk ended there
};

struct ReaderList {
    WalkEnd end = WalkEnd::Completed;
    std::vector<ReaderInfo> readers;  // in the order the system lists them
};
// Every connected reader. Interfaces that cannot be opened or read are skipped; each
// interface is opened only for as long as its attributes are read.
ReaderList ListReaders();

class ReaderLink {
public:
    bool IsOpen() const { return static_cast<bool>(handle_); }
    HANDLE handle() const { return handle_.get(); }
    // The device path of the reader last opened: it names the reader's turn.
    const std::string& path() const { return path_; }
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

    // Opens the reader at `path` (closing any link first); false when the path cannot be
    // opened or is not a reader.
    bool Open(const std::string& path);
    // After an exchange timed out the reader may still answer it, and that answer would be
    // taken for the next command's. Until this moment (the system's tick count; 0: none)
    // what arrives is read and dropped before anything is sent (reader/run_exchange.h).
    ULONGLONG quietUntil() const { return quietUntil_; }
    void KeepQuietUntil(ULONGLONG moment) { quietUntil_ = moment; }

    // Whether the open handle's device still answers for its attributes: a reader that is
    // plugged in always does, one that was pulled out never does.
    bool StillAnswers();

    // Why the last Open failed: the call (open or attributes) and its system error;
    // Operation::None when it succeeded or the device there is not a reader.
    const SystemFailure& openFailure() const { return openFailure_; }

private:
    SeamHandle handle_;
    SystemFailure openFailure_;
    std::string path_;
    ULONGLONG quietUntil_ = 0;
};

}  // namespace reader
