// Which transfer errors mean the reader was pulled out, as Windows and Wine report it.
#include <gtest/gtest.h>

#include "reader/transfer_errors.h"

TEST(TransferErrors, RemovalErrorsOfWindowsAndWineMeanTheDeviceIsGone) {
    // Windows: removed HID device (1167), device removed (1617), no such device (433, 2),
    // invalid device state after removal (22); Wine: delete pending (5); a stale handle (6);
    // aborted by the system, not by the program (995).
    for (std::uint32_t error : {1167, 1617, 433, 2, 22, 5, 6, 995})
        EXPECT_TRUE(reader::MeansDeviceGone(error)) << error;
    // One failed report, a data error, the program's own fault, a timeout, still pending,
    // a bad buffer, no error: the reader is still there.
    for (std::uint32_t error : {31, 23, 87, 258, 996, 997, 1784, 0})
        EXPECT_FALSE(reader::MeansDeviceGone(error)) << error;
}
