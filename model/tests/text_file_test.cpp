// Text files: decoding files of older installations, file name parts, whole-or-nothing writing.
#include <gtest/gtest.h>

#include "ErrorOf.h"
#include "TextFile.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::errorOf;

TEST(DecodeText, Utf8IsKeptOtherwiseWindows1252AndLineEndsBecomeLf) {
    EXPECT_EQ(decodeText("L\xc3\xa4nge\r\nzeta\rende\n"), "Länge\nzeta\nende\n");
    // A byte order mark that an editor put in front would glue itself to the first token.
    EXPECT_EQ(decodeText("\xef\xbb\xbf"
                         "3\t1,305"),
              "3\t1,305");
    // A file of an older installation: bytes 0x80 ... 0x9F are not Latin-1 there; reading them
    // as such would turn "€" into a control character.
    EXPECT_EQ(decodeText("M\xfcller \x80 \x96 \x81\r\n"), "Müller € \xe2\x80\x93 \xc2\x81\n");
}

TEST(FileNameParts, BothSeparatorsSplitDirectoryAndName) {
    const struct {
        const char* path;
        const char* directory;
        const char* name;
    } cases[] = {{"/home/k/netz.ein", "/home/k", "netz.ein"},
                 {"C:\\Projekte/alt\\netz.ein", "C:\\Projekte/alt", "netz.ein"},
                 {"/netz.ein", "/", "netz.ein"},
                 {"netz.ein", "", "netz.ein"}};
    for (const auto& c : cases) {
        EXPECT_EQ(directoryPart(c.path), c.directory) << c.path;
        EXPECT_EQ(namePart(c.path), c.name) << c.path;
    }
}

TEST(TextFile, FilesThatCannotBeReadOrWrittenAreNamedInTheError) {
    testing::WorkingDirectory dir;
    const QString missing = dir.filePath("fehlt.ein");
    EXPECT_EQ(errorOf([&] { readFileBytes(missing); }),
              QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(missing));
    const QString nowhere = dir.filePath("fehlt/netz.ein");
    EXPECT_EQ(errorOf([&] { writeFileAtomically(nowhere, "x"); }),
              QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(nowhere));

    writeFileAtomically(dir.filePath("netz.ein"), "neu\n");
    EXPECT_EQ(dir.read("netz.ein"), QByteArray("neu\n"));
    EXPECT_EQ(readTextFile(dir.filePath("netz.ein")), "neu\n");
}

// Only lines too long to lay out are split, into pieces of 1000 characters; the rest stays as
// it is, line ends included.
TEST(SplitLongLines, OnlyOverlongLinesAreBrokenIntoPieces) {
    EXPECT_FALSE(splitLongLines(QString(kLongestShownLine, 'a') + "\nkurz\n"));
    const QString longLine(2 * kShownPiece + kLongestShownLine, 'x');
    const auto shown = splitLongLines("Kopf\n" + longLine + "\nFuss\n");
    ASSERT_TRUE(shown);
    const QStringList lines = shown->split('\n');
    ASSERT_EQ(lines.size(), 2 + 12 + 1);
    EXPECT_EQ(lines.front(), "Kopf");
    for (int piece = 1; piece <= 12; ++piece)
        EXPECT_EQ(lines[piece].size(), kShownPiece) << piece;
    EXPECT_EQ(lines[13], "Fuss");
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(shown->size(), QString("Kopf\n" + longLine + "\nFuss\n").size() + 11);
}

}  // namespace
}  // namespace kolma
