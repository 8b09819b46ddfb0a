#include "smf/ByteCursor.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw {
namespace {

TEST(ByteCursor, ReadsBigEndianNumbers) {
    const std::vector<uint8_t> bytes = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x01};
    ByteCursor cursor(bytes.data(), bytes.size());
    EXPECT_EQ(cursor.u16be(), 0x1234);
    EXPECT_EQ(cursor.u24be(), 0x56789Au);
    EXPECT_EQ(cursor.u32be(), 0xBCDEF001u);
    EXPECT_FALSE(cursor.ranOut());
    EXPECT_TRUE(cursor.atEnd());
}

TEST(ByteCursor, ReadingPastTheEndGivesZeroAndStaysRanOut) {
    const std::vector<uint8_t> bytes = {0xAB, 0xCD};
    ByteCursor cursor(bytes.data(), bytes.size());
    EXPECT_EQ(cursor.u32be(), 0xABCD0000u);
    EXPECT_TRUE(cursor.ranOut());
    EXPECT_EQ(cursor.u8(), 0);
    EXPECT_TRUE(cursor.ranOut());
}

TEST(ByteCursor, VariableLengthNumbersOfAnyLength) {
    const std::vector<uint8_t> bytes = {0x00, 0x81, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0x8F, 0xFF,
                                        0xFF, 0xFF, 0x7F, 0x81, 0x80, 0x80, 0x80, 0x80, 0x07};
    ByteCursor cursor(bytes.data(), bytes.size());
    EXPECT_EQ(cursor.varLen(), 0u);
    EXPECT_EQ(cursor.varLen(), 128u);
    EXPECT_EQ(cursor.varLen(), 268435455u);
    EXPECT_EQ(cursor.varLen(), 0xFFFFFFFFu);
    EXPECT_EQ(cursor.varLen(), 7u);  // 2^35 + 7 wraps
    EXPECT_FALSE(cursor.ranOut());
}

TEST(ByteCursor, VariableLengthNumberCutByTheEndRunsOut) {
    const std::vector<uint8_t> bytes = {0x81, 0x80};
    ByteCursor cursor(bytes.data(), bytes.size());
    (void)cursor.varLen();
    EXPECT_TRUE(cursor.ranOut());
}

TEST(ByteCursor, TakeGivesTheBytesOnlyWhenAllAreThere) {
    const std::vector<uint8_t> bytes = {1, 2, 3};
    ByteCursor cursor(bytes.data(), bytes.size());
    const uint8_t* two = cursor.take(2);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two[1], 2);
    EXPECT_EQ(cursor.take(0xFFFFFFFFFFull), nullptr);
    EXPECT_TRUE(cursor.ranOut());
}

TEST(ByteCursor, WindowIsCutAtTheEndAndSeekPastTheEndRunsOut) {
    const std::vector<uint8_t> bytes = {1, 2, 3, 4};
    ByteCursor cursor(bytes.data(), bytes.size());
    (void)cursor.u8();
    ByteCursor window = cursor.window(0xFFFFFFFF);
    EXPECT_EQ(window.size(), 3u);
    ByteCursor small = cursor.window(2);
    EXPECT_EQ(small.u16be(), 0x0203);
    EXPECT_EQ(small.u8(), 0);
    EXPECT_TRUE(small.ranOut());
    cursor.seek(10);
    EXPECT_EQ(cursor.window(5).size(), 0u);
    EXPECT_EQ(cursor.u8(), 0);
    EXPECT_TRUE(cursor.ranOut());
}

}  // namespace
}  // namespace tw
