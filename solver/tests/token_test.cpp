#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "tarnholm/reader.h"
#include "testing/memory_io.h"

namespace tarnholm {

namespace {

// Reads all tokens of text with the given limit and describes each outcome.
std::string Tokens(const std::string& text, int maxLength) {
    MemoryFiles files;
    files.input = text;
    FILE* input = files.Io().openInput();
    std::string out;
    char buffer[64];
    for (;;) {
        const TokenStatus status = ReadToken(input, buffer, maxLength);
        if (status == TokenStatus::End) {
            break;
        }
        if (status == TokenStatus::TooLong) {
            out += "<too long>";
            break;
        }
        out += "[" + std::string(buffer) + "]";
    }
    std::fclose(input);
    return out;
}

TEST(ReadToken, SeparatesAtEveryKindOfWhitespace) {
    EXPECT_EQ(Tokens("3\t1.305\r\n\n  1000\v\f---\t(null)\n", 25), "[3][1.305][1000][---][(null)]");
    EXPECT_EQ(Tokens("", 25), "");
    EXPECT_EQ(Tokens(" \n\t\r\n", 25), "");
}

TEST(ReadToken, TakesTokensUpToTheLimitAndRefusesLongerOnes) {
    const std::string limit(25, '7');
    EXPECT_EQ(Tokens(limit + " 1", 25), "[" + limit + "][1]");
    EXPECT_EQ(Tokens("1 " + limit + "8 2", 25), "[1]<too long>");
    EXPECT_EQ(Tokens(std::string(24, 'P') + "\tQ", 24), "[" + std::string(24, 'P') + "][Q]");
    EXPECT_EQ(Tokens(std::string(25, 'P'), 24), "<too long>");
}

TEST(ReadToken, KeepsBytesThatAreNotWhitespace) {
    EXPECT_EQ(Tokens("Pumpe\xE4-1 x", 25), "[Pumpe\xE4-1][x]");
    // A zero byte ends the token's text but not the token: "2" must not come out as a token
    // of its own.
    EXPECT_EQ(Tokens(std::string("1\0002 3", 5), 25), "[1][3]");
}

TEST(Placeholders, StandForEmptyValuesAndConvertToZero) {
    for (const char* placeholder : {"---", "(null)", " ", ""}) {
        EXPECT_TRUE(IsPlaceholder(placeholder)) << placeholder;
        EXPECT_EQ(TokenValue(placeholder), 0.0) << placeholder;
    }
    EXPECT_FALSE(IsPlaceholder("--"));
    EXPECT_FALSE(IsPlaceholder("0"));
    EXPECT_FALSE(IsPlaceholder("(null"));
}

// A decimal comma ends the number: only the whole part counts. Every value here is exact.
TEST(TokenValue, TakesTheLeadingNumericPart) {
    const std::pair<const char*, double> cases[] = {
        {"120.5", 120.5}, {"-4", -4.0}, {"1e3", 1000.0}, {"12.5abc", 12.5}, {".25", 0.25},
        {"1,305", 1.0},   {"abc", 0.0}, {"-", 0.0},      {"--5", 0.0}};
    for (const auto& [token, expected] : cases) {
        EXPECT_EQ(TokenValue(token), expected) << token;
    }
    EXPECT_TRUE(std::isnan(TokenValue("nan")));
}

// The leading whole number within 16 bits; anything else is refused and leaves the value alone.
TEST(TokenShort, ReadsTheLeadingWholeNumberWithinSixteenBits) {
    const std::pair<const char*, short> cases[] = {
        {"1000", 1000}, {"-32768", -32768}, {"32767", 32767}, {"12.9", 12}, {"+7x", 7}};
    for (const auto& [token, expected] : cases) {
        short value = 0;
        ASSERT_TRUE(TokenShort(token, value)) << token;
        EXPECT_EQ(value, expected) << token;
    }
    short value = 5;
    for (const char* token :
         {"32768", "-32769", "99999999999999999999", "---", "(null)", "x1", ".5", ""}) {
        EXPECT_FALSE(TokenShort(token, value)) << token;
    }
    EXPECT_EQ(value, 5) << "a refused token must leave the value alone";
}

}  // namespace

}  // namespace tarnholm
