#include <gtest/gtest.h>

#include "number_format.h"

using namespace tarnwick;

TEST(NumberFormat, Smoke) { EXPECT_EQ(formatFixed(100.0625, 3), "100.063"); }
