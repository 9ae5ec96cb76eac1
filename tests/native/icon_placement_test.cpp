#include "app/icon_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(IconPlacement, CentresWithIntegerDivisionTowardZero) {
    EXPECT_EQ(CentredIconOrigin(36, 36, 32, 32).x, 2);
    EXPECT_EQ(CentredIconOrigin(36, 36, 32, 32).y, 2);
    EXPECT_EQ(CentredIconOrigin(37, 35, 32, 32).x, 3);
    EXPECT_EQ(CentredIconOrigin(37, 35, 32, 32).y, 2);
    // A client area smaller than the icon: -31 / 2 is -15, not -16.
    EXPECT_EQ(CentredIconOrigin(0, 0, 32, 32).x, -15);
}

}  // namespace
