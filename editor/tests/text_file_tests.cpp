// The shared file and text helpers: decoding files of older installations, file name parts,
// whole-or-nothing writing, the decimal conversions and the dialog filter translation.
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "Handler.h"
#include "Numbers.h"
#include "ScriptedDialogs.h"
#include "TextFile.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

TEST(DecodeText, ValidUtf8IsKeptAndLineEndsBecomeLf) {
    EXPECT_EQ(decodeText("L\xc3\xa4nge\r\nzeta\rende\n"), QStringLiteral("Länge\nzeta\nende\n"));
    // A byte order mark that an editor put in front would glue itself to the first token.
    EXPECT_EQ(decodeText("\xef\xbb\xbf"
                         "3\t1,305"),
              QStringLiteral("3\t1,305"));
}

// A file saved by an older installation: Windows-1252 with CR LF. Bytes 0x80 ... 0x9F are not
// Latin-1 there; reading them as such would turn "€" into a control character.
TEST(DecodeText, InvalidUtf8IsReadAsWindows1252) {
    EXPECT_EQ(decodeText("M\xfcller \x80 \x96 \x81\r\n"),
              QString::fromUtf8("Müller € \xe2\x80\x93 \xc2\x81\n"));
}

TEST(FileNameParts, BothSeparatorsSplitDirectoryAndName) {
    EXPECT_EQ(directoryPart(QStringLiteral("/home/k/netz.ein")), QStringLiteral("/home/k"));
    EXPECT_EQ(namePart(QStringLiteral("/home/k/netz.ein")), QStringLiteral("netz.ein"));
    EXPECT_EQ(directoryPart(QStringLiteral("C:\\Projekte/alt\\netz.ein")),
              QStringLiteral("C:\\Projekte/alt"));
    EXPECT_EQ(namePart(QStringLiteral("C:\\Projekte/alt\\netz.ein")), QStringLiteral("netz.ein"));
    EXPECT_EQ(directoryPart(QStringLiteral("/netz.ein")), QStringLiteral("/"));
    EXPECT_EQ(directoryPart(QStringLiteral("netz.ein")), QString());
    EXPECT_EQ(namePart(QStringLiteral("netz.ein")), QStringLiteral("netz.ein"));
}

// The text of the error a call raises, or "" when it raises none.
template <typename Call>
QString errorOf(Call call) {
    try {
        call();
    } catch (const KolmaError& e) {
        return e.message();
    }
    return {};
}

TEST(TextFile, FilesThatCannotBeReadOrWrittenAreNamedInTheError) {
    testing::WorkingDirectory dir;
    const QString missing = dir.filePath(QStringLiteral("fehlt.ein"));
    EXPECT_EQ(errorOf([&] { readFileBytes(missing); }),
              QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(missing));
    const QString nowhere = dir.filePath(QStringLiteral("fehlt/netz.ein"));
    EXPECT_EQ(errorOf([&] { writeFileAtomically(nowhere, "x"); }),
              QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden.").arg(nowhere));

    writeFileAtomically(dir.filePath(QStringLiteral("netz.ein")), "neu\n");
    EXPECT_EQ(dir.read(QStringLiteral("netz.ein")), QByteArray("neu\n"));
    EXPECT_EQ(readTextFile(dir.filePath(QStringLiteral("netz.ein"))), QStringLiteral("neu\n"));
}

TEST(StrictDouble, ReadsADecimalCommaAndRejectsThePoint) {
    EXPECT_DOUBLE_EQ(strictDouble(QStringLiteral("1,5")), 1.5);
    EXPECT_DOUBLE_EQ(strictDouble(QStringLiteral(" -0,25 ")), -0.25);
    EXPECT_DOUBLE_EQ(strictDouble(QStringLiteral("12")), 12.0);
    for (const char* bad : {"1.5", "1.000,5", "", " ", "1,5a"})
        EXPECT_EQ(
            errorOf([&] { strictDouble(QString::fromLatin1(bad)); }),
            QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(QString::fromLatin1(bad)))
            << bad;
}

TEST(TwoDecimals, CommaWithoutThousandsSeparator) {
    EXPECT_EQ(twoDecimals(12.5), QStringLiteral("12,50"));
    EXPECT_EQ(twoDecimals(1234.567), QStringLiteral("1234,57"));
}

TEST(HoldsValue, TheExchangeFilesWordsForNothingHoldNoValue) {
    for (const char* empty : {"", " ", "---", "(null)"})
        EXPECT_FALSE(holdsValue(QString::fromLatin1(empty))) << empty;
    for (const char* value : {"0", "  ", "-", "1,5"})
        EXPECT_TRUE(holdsValue(QString::fromLatin1(value))) << value;
}

TEST(QtFilter, PairsBecomeQtFiltersAndSemicolonsSeparatePatterns) {
    EXPECT_EQ(qtFilter(QStringLiteral("Eingabedateien|*.ein|Daten|*.dat;*.txt")),
              QStringLiteral("Eingabedateien (*.ein);;Daten (*.dat *.txt)"));
    // A name without patterns is left out rather than read past the end.
    EXPECT_EQ(qtFilter(QStringLiteral("Netze|*.inp|Rest")), QStringLiteral("Netze (*.inp)"));
    EXPECT_EQ(qtFilter(QString()), QString());
}

TEST(RunHandler, AnErrorEndsTheHandlerInAnErrorBoxCaptionedKolma) {
    testing::ScriptedDialogs dialogs;
    EXPECT_FALSE(runHandler([] { throw KolmaError(QStringLiteral("Die Datei fehlt.")); }));
    EXPECT_FALSE(runHandler([] { throw std::runtime_error("kaputt"); }));
    EXPECT_TRUE(runHandler([] {}));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const MessageRequest& m : dialogs.messages) {
        EXPECT_EQ(m.caption, QStringLiteral("KOLMA"));
        EXPECT_EQ(m.icon, BoxIcon::Error);
        EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Die Datei fehlt."));
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("kaputt"));
}

}  // namespace
}  // namespace kolma
