// What a failed transfer's system error says about the reader: gone, or still there.
//
// Pure: the codes are the Win32 error numbers, written out so that the table is tested
// natively. Windows completes the pending read or write of a removed HID device with
// ERROR_DEVICE_NOT_CONNECTED and fails later calls on the stale handle the same way (or,
// depending on the driver stack, with ERROR_BAD_COMMAND, ERROR_FILE_NOT_FOUND,
// ERROR_DEVICE_REMOVED, ERROR_NO_SUCH_DEVICE or ERROR_OPERATION_ABORTED). Wine's HID class
// driver ends a removed device's pending reads, and later calls on the stale handle, with
// STATUS_DELETE_PENDING, which reaches the program as ERROR_ACCESS_DENIED (ERROR_FILE_NOT_FOUND
// once the device object is gone); a pending write ends with the device driver's own status,
// ERROR_DEVICE_NOT_CONNECTED from a USB stack.
#pragma once

#include <cstdint>

namespace reader {

namespace system_error {
constexpr std::uint32_t kFileNotFound = 2;   // STATUS_NO_SUCH_DEVICE
constexpr std::uint32_t kAccessDenied = 5;   // STATUS_DELETE_PENDING (Wine)
constexpr std::uint32_t kInvalidHandle = 6;  // the handle itself is no longer valid
constexpr std::uint32_t kBadCommand = 22;    // STATUS_INVALID_DEVICE_STATE
constexpr std::uint32_t kGenFailure = 31;    // the device failed the request
constexpr std::uint32_t kInvalidParameter = 87;
constexpr std::uint32_t kWaitTimeout = 258;
constexpr std::uint32_t kNoSuchDevice = 433;      // STATUS_DEVICE_DOES_NOT_EXIST
constexpr std::uint32_t kOperationAborted = 995;  // STATUS_CANCELLED
constexpr std::uint32_t kIoIncomplete = 996;
constexpr std::uint32_t kIoPending = 997;
constexpr std::uint32_t kDeviceNotConnected = 1167;  // STATUS_DEVICE_NOT_CONNECTED
constexpr std::uint32_t kDeviceRemoved = 1617;       // STATUS_DEVICE_REMOVED
}  // namespace system_error

// The system call of the reader code that failed, and the system error it ended with.
enum class Operation { None, Open, Attributes, Write, Read };
struct SystemFailure {
    Operation operation = Operation::None;  // None: no system call failed
    std::uint32_t error = 0;
};

// Whether a transfer that ended with `error` on its own (not one the program cancelled
// after a timeout) means the reader is no longer there, so its handle is of no further
// use. Other errors leave the reader connected: the device refused or failed one report.
bool MeansDeviceGone(std::uint32_t error);

}  // namespace reader
