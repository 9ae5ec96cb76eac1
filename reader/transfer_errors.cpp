#include "reader/transfer_errors.h"

namespace reader {

bool MeansDeviceGone(std::uint32_t error) {
    using namespace system_error;
    switch (error) {
        case kDeviceNotConnected:
        case kDeviceRemoved:
        case kNoSuchDevice:
        case kFileNotFound:
        case kBadCommand:
        case kAccessDenied:
        case kInvalidHandle:
        // Nothing of the program's own cancels a transfer that is still being waited for:
        // one that ends aborted was ended by the system, as it does when the device goes.
        case kOperationAborted:
            return true;
        default:
            return false;
    }
}

}  // namespace reader
