// The shared pieces the main window relies on: key-press filters, number conversions, the string
// grid's fixed cells, decoding files of older installations, file name parts, whole-or-nothing
// writing, the dialog filter translation and the general error handler.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "Dialogs.h"
#include "Handler.h"
#include "InputFilter.h"
#include "Numbers.h"
#include "ScriptedDialogs.h"
#include "StringGrid.h"
#include "TextFile.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

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

TEST(InputFilter, TypedKeysAndBackspacePerFilter) {
    const struct {
        InputFilter kind;
        const char* initial;
        const char* keys;
        const char* typed;
        const char* afterBackspace;  // nullptr: not tried
    } cases[] = {
        {InputFilter::WholeNumber, "", "1a2 -3,4.5", "12345", "12345"},
        {InputFilter::Decimal, "", "12.5", "125", nullptr},
        {InputFilter::Decimal, "", "12,5", "12,5", nullptr},
        {InputFilter::Decimal, "", "-3e", "3", "3"},
        {InputFilter::NoBlank, "", "P 1-a.b,", "P1-a.b,", "P1-a.b"},
        {InputFilter::NoneAccepted, "0,5", "7 x,", "0,5", "0,5"},
        // A lone blank becomes "1" before the key takes effect.
        {InputFilter::WholeNumberBlankToOne, " ", "2", "12", nullptr},
        {InputFilter::WholeNumberBlankToOne, " ", "x", "1", nullptr},
        {InputFilter::WholeNumberBlankToOne, "5", "x3", "53", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.initial) + "|" + c.keys);
        QLineEdit edit(c.initial);
        installInputFilter(&edit, c.kind);
        QTest::keyClicks(&edit, c.keys);
        EXPECT_EQ(edit.text(), c.typed);
        if (c.afterBackspace) {
            QTest::keyClick(&edit, Qt::Key_Backspace);
            EXPECT_EQ(edit.text(), c.afterBackspace);
        }
    }
}

TEST(InputFilter, WholeNumberDiscardsEnterButNotDeleteOrCursorKeys) {
    QLineEdit edit("123");
    installInputFilter(&edit, InputFilter::WholeNumber);
    QSignalSpy returnPressed(&edit, &QLineEdit::returnPressed);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(returnPressed.count(), 0);
    QTest::keyClick(&edit, Qt::Key_Home);
    EXPECT_EQ(edit.cursorPosition(), 0);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "23");
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(edit.cursorPosition(), 2);
}

// Platforms give the Delete key the text "\x7f" and Tab the text "\t"; neither types a
// character, so the filters must leave both alone.
TEST(InputFilter, KeysThatTypeNoCharacterPassWhateverTheirText) {
    QWidget window;
    auto* first = new QLineEdit("123", &window);
    auto* second = new QLineEdit(&window);
    installInputFilter(first, InputFilter::WholeNumber);
    QWidget::setTabOrder(first, second);
    window.show();
    window.activateWindow();
    first->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setCursorPosition(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, "\x7f");
    QApplication::sendEvent(first, &del);
    EXPECT_EQ(first->text(), "23");
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
}

TEST(InputFilter, PasteAndShortcutsAreNotFiltered) {
    QLineEdit edit("a b");
    installInputFilter(&edit, InputFilter::WholeNumber);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    edit.setCursorPosition(3);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "a ba b");
}

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

TEST(StringGrid, FixedRowAndColumnAreShownAsHeaders) {
    StringGrid grid(3, 4);
    grid.setCell(1, 0, "Strangnr.");
    grid.setCell(0, 2, "2");
    grid.setCell(2, 3, "x");
    QAbstractItemModel* model = grid.model();
    ASSERT_EQ(model->columnCount(), 2);
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Strangnr.");
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), "2");
    EXPECT_EQ(model->data(model->index(2, 1)).toString(), "x");
}

TEST(StringGrid, InPlaceEditsReachTheCellsAndOutsideReadsAreEmpty) {
    StringGrid grid(3, 4);
    grid.fill(" ");
    ASSERT_TRUE(grid.model()->setData(grid.model()->index(0, 0), "7", Qt::EditRole));
    EXPECT_EQ(grid.cell(1, 1), "7");
    EXPECT_EQ(grid.cell(0, 0), " ");
    for (const auto& [col, row] : {std::pair{3, 1}, {1, 4}, {-1, 0}})
        EXPECT_EQ(grid.cell(col, row), QString()) << col << "," << row;
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(1, 1)).testFlag(Qt::ItemIsEditable));
}

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

TEST(QtFilter, PairsBecomeQtFiltersAndSemicolonsSeparatePatterns) {
    EXPECT_EQ(qtFilter("Eingabedateien|*.ein|Daten|*.dat;*.txt"),
              "Eingabedateien (*.ein);;Daten (*.dat *.txt)");
    // A name without patterns is left out rather than read past the end.
    EXPECT_EQ(qtFilter("Netze|*.inp|Rest"), "Netze (*.inp)");
    EXPECT_EQ(qtFilter(QString()), QString());
}

TEST(RunHandler, AnErrorEndsTheHandlerInAnErrorBoxCaptionedKolma) {
    testing::ScriptedDialogs dialogs;
    EXPECT_FALSE(runHandler([] { throw KolmaError("Die Datei fehlt."); }));
    EXPECT_FALSE(runHandler([] { throw std::runtime_error("kaputt"); }));
    EXPECT_TRUE(runHandler([] {}));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const MessageRequest& m : dialogs.messages) {
        EXPECT_EQ(m.caption, "KOLMA");
        EXPECT_EQ(m.icon, BoxIcon::Error);
        EXPECT_EQ(m.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>({"Die Datei fehlt.", "kaputt"}));
}

}  // namespace
}  // namespace kolma
