// Number conversions between the tables' texts and numbers, independent of the machine's locale.
#include <gtest/gtest.h>

#include <climits>

#include "ErrorOf.h"
#include "Numbers.h"

namespace kolma {
namespace {

using testing::errorOf;

TEST(IntegerValue, ReadsTheLeadingWholeNumber) {
    const std::pair<const char*, int> cases[] = {{"", 0},
                                                 {" ", 0},
                                                 {"  42abc", 42},
                                                 {"-7", -7},
                                                 {"+3,5", 3},
                                                 {"- 3", 0},
                                                 {"abc12", 0},
                                                 {"99999999999999", INT_MAX},
                                                 {"-99999999999999", INT_MIN}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(integerValue(text), value) << text;
}

TEST(StrictInt, AcceptsAWholeNumberWithBlanksAroundAndRejectsEverythingElse) {
    const std::pair<const char*, int> good[] = {
        {"12", 12}, {" 12", 12}, {" 12  ", 12}, {"-5", -5}, {"+5", 5}, {"2147483647", 2147483647}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(strictInt(text), value) << text;
    for (const char* bad : {" ", "", "1 2", "12a", "1,5", "-", "+", "2147483648", "0x10", "\t3"})
        EXPECT_EQ(errorOf([&] { strictInt(bad); }),
                  QStringLiteral("'%1' ist kein gültiger Integerwert").arg(bad))
            << bad;
}

TEST(StrictDouble, ReadsADecimalCommaAndRejectsThePoint) {
    EXPECT_DOUBLE_EQ(strictDouble("1,5"), 1.5);
    EXPECT_DOUBLE_EQ(strictDouble(" -0,25 "), -0.25);
    EXPECT_DOUBLE_EQ(strictDouble("12"), 12.0);
    for (const char* bad : {"1.5", "1.000,5", "", " ", "1,5a"})
        EXPECT_EQ(errorOf([&] { strictDouble(bad); }),
                  QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(bad))
            << bad;
}

TEST(TwoDecimals, CommaWithoutThousandsSeparator) {
    EXPECT_EQ(twoDecimals(12.5), "12,50");
    EXPECT_EQ(twoDecimals(1234.567), "1234,57");
}

TEST(HoldsValue, TheExchangeFilesWordsForNothingHoldNoValue) {
    for (const char* empty : {"", " ", "---", "(null)"})
        EXPECT_FALSE(holdsValue(empty)) << empty;
    for (const char* value : {"0", "  ", "-", "1,5"})
        EXPECT_TRUE(holdsValue(value)) << value;
}

}  // namespace
}  // namespace kolma
