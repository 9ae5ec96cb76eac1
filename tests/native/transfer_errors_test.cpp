// Which transfer errors mean the reader was pulled out, as Windows and Wine report it.
#include <gtest/gtest.h>

#include "reader/transfer_errors.h"

namespace {

struct Case {
    std::uint32_t error;
    bool gone;
    const char* why;
};

const Case kCases[] = {
    {1167, true, "Windows: pending and later transfers of a removed HID device; Wine: a write"},
    {1617, true, "Windows: device removed"},
    {433, true, "Windows: device does not exist"},
    {2, true, "no such device (Windows driver after surprise removal, Wine stale handle)"},
    {22, true, "Windows: invalid device state (framework drivers after removal)"},
    {5, true, "Wine: delete pending on a removed HID device (reads, later calls)"},
    {6, true, "the handle is no longer valid"},
    {995, true, "aborted by the system, not by the program"},
    {31, false, "the device failed this one report"},
    {23, false, "data error on the wire"},
    {87, false, "a wrong parameter is the program's own fault"},
    {258, false, "a timeout is a slow reader, not a missing one"},
    {996, false, "still in progress"},
    {997, false, "pending"},
    {1784, false, "invalid user buffer"},
    {0, false, "no error"},
};

TEST(TransferErrors, RemovalErrorsOfWindowsAndWineMeanTheDeviceIsGone) {
    for (const Case& c : kCases)
        EXPECT_EQ(reader::MeansDeviceGone(c.error), c.gone) << c.error << ": " << c.why;
}

}  // namespace
