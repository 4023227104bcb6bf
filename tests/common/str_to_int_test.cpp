#include "common/str_to_int.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

// The value of s, or 12345 when it is not a number.
int conv(const char* s) {
    return StrToIntDef(QString::fromUtf8(s), 12345);
}

} // namespace

TEST(StrToInt, DecimalBlanksAndSigns) {
    EXPECT_EQ(conv("0"), 0);
    EXPECT_EQ(conv("42"), 42);
    EXPECT_EQ(conv("007"), 7);
    EXPECT_EQ(conv("  \t 42"), 42);
    EXPECT_EQ(conv("+42"), 42);
    EXPECT_EQ(conv("-42"), -42);
    EXPECT_EQ(conv(" -42"), -42);
    // Blanks are only allowed before the sign.
    EXPECT_EQ(conv("- 42"), 12345);
    EXPECT_EQ(conv("42 "), 12345);
    EXPECT_EQ(conv(""), 12345);
    EXPECT_EQ(conv("-"), 12345);
    EXPECT_EQ(conv("+-1"), 12345);
    EXPECT_EQ(conv("12abc"), 12345);
    // Only ASCII digits count.
    EXPECT_EQ(conv("１２"), 12345);
}

TEST(StrToInt, Hexadecimal) {
    EXPECT_EQ(conv("$10"), 16);
    EXPECT_EQ(conv("x1f"), 31);
    EXPECT_EQ(conv("X1F"), 31);
    EXPECT_EQ(conv("0x10"), 16);
    EXPECT_EQ(conv("0XaB"), 171);
    EXPECT_EQ(conv(" -$10"), -16);
    EXPECT_EQ(conv("$7FFFFFFF"), INT_MAX);
    EXPECT_EQ(conv("$80000000"), INT_MIN);
    EXPECT_EQ(conv("$FFFFFFFF"), -1);
    EXPECT_EQ(conv("$00000000FFFFFFFF"), -1);
    EXPECT_EQ(conv("-$FFFFFFFF"), 1);
    EXPECT_EQ(conv("$100000000"), 12345);
    EXPECT_EQ(conv("$"), 12345);
    EXPECT_EQ(conv("0x"), 12345);
    EXPECT_EQ(conv("$1G"), 12345);
    EXPECT_EQ(conv("$ 1"), 12345);
}

TEST(StrToInt, RangeLimits) {
    EXPECT_EQ(conv("2147483647"), INT_MAX);
    EXPECT_EQ(conv("-2147483648"), INT_MIN);
    EXPECT_EQ(conv("2147483648"), 12345);
    EXPECT_EQ(conv("-2147483649"), 12345);
    EXPECT_EQ(conv("99999999999999999999999"), 12345);

    int out = 77;
    EXPECT_FALSE(TryStrToInt(QStringLiteral("4294967296"), out));
    EXPECT_EQ(out, 77);
    EXPECT_TRUE(TryStrToInt(QStringLiteral("-5"), out));
    EXPECT_EQ(out, -5);
}
