// Title block files: the 8-bit character set where it can, any line end, either encoding.
#include <gtest/gtest.h>

#include "TitleBlock.h"

namespace kolma {
namespace {

// Line ends and the lines after the fourth are checked through the editor below.
TEST(TitleBlockFile, WritesTheEightBitCharacterSetWhereItCan) {
    EXPECT_EQ(titleBlockBytes({QStringLiteral("Maßnahme 5 €")}),
              QByteArray("Ma\xDFnahme 5 \x80\r\n"));
    // A character the 8-bit set lacks keeps the whole file in UTF-8, so that nothing is lost.
    const QString far = QStringLiteral("Straße \u6C34");
    EXPECT_EQ(titleBlockLines(titleBlockBytes({far})), QStringList{far});
}

TEST(TitleBlockFile, EveryEightBitCharacterIsWrittenAsTheByteItIsReadFrom) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const QByteArray line(1, static_cast<char>(byte));
        const QStringList read = titleBlockLines(line);
        ASSERT_EQ(read.size(), 1) << byte;
        EXPECT_EQ(titleBlockBytes(read), line + "\r\n") << byte;
    }
}

TEST(TitleBlockFile, ReadsAnyLineEndAndEitherEncoding) {
    EXPECT_EQ(titleBlockLines("a\rb\nc\r\n\r\nd"), (QStringList{"a", "b", "c", "", "d"}));
    EXPECT_EQ(titleBlockLines("Ma\xDFnahme\r\n"), QStringList{QStringLiteral("Maßnahme")});
    EXPECT_EQ(titleBlockLines("Ma\xC3\x9Fnahme\r\n"), QStringList{QStringLiteral("Maßnahme")});
    EXPECT_TRUE(titleBlockLines("").isEmpty());
}

}  // namespace
}  // namespace kolma
