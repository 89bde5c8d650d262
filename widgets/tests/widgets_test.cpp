// What every window relies on: key-press filters, the string grid showing a table with its fixed
// row, column and corner, the dialog filter translation and the general error handler.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "Dialogs.h"
#include "Handler.h"
#include "InputFilter.h"
#include "ScriptedDialogs.h"
#include "StringGrid.h"

namespace kolma {
namespace {

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

// Enter is no character of an edit, but in a dialog it presses the default button, whatever the
// edit's filter: a number typed and confirmed with Enter is taken at once.
TEST(InputFilter, EnterNeverReachesTheEditButPressesTheDefaultButton) {
    for (InputFilter kind : {InputFilter::WholeNumber, InputFilter::Decimal, InputFilter::NoBlank,
                             InputFilter::NoneAccepted, InputFilter::WholeNumberBlankToOne}) {
        SCOPED_TRACE(static_cast<int>(kind));
        QDialog dialog;
        auto* edit = new QLineEdit("12", &dialog);
        auto* button = new QPushButton("OK", &dialog);
        button->setDefault(true);
        installInputFilter(edit, kind);
        QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);
        QSignalSpy clicked(button, &QPushButton::clicked);
        dialog.show();
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(returnPressed.count(), 0);
        EXPECT_EQ(clicked.count(), 2);
        EXPECT_EQ(edit->text(), "12");
    }
}

TEST(InputFilter, WholeNumberLeavesDeleteAndCursorKeysAlone) {
    QLineEdit edit("123");
    installInputFilter(&edit, InputFilter::WholeNumber);
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

TEST(QtFilter, PairsBecomeQtFiltersAndSemicolonsSeparatePatterns) {
    EXPECT_EQ(qtFilter("Eingabedateien|*.ein|Daten|*.dat;*.txt"),
              "Eingabedateien (*.ein);;Daten (*.dat *.txt)");
    // A name without patterns is left out rather than read past the end.
    EXPECT_EQ(qtFilter("Netze|*.inp|Rest"), "Netze (*.inp)");
    EXPECT_EQ(qtFilter(QString()), QString());
    // The chosen entry is found by position, so the names line up with the Qt entries.
    EXPECT_EQ(filterNames("Netze|*.inp|Rest"), QStringList{"Netze"});
    EXPECT_EQ(filterNames("A|*.csv|B|*.csv"), (QStringList{"A", "B"}));
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

// The tables hold "Zeile" in their corner cell; the grid shows it where the header row and the
// label column meet, and follows a change of it.
TEST(StringGrid, ShowsTheFixedRowColumnAndCornerOfItsTable) {
    CellTable table(3, 4);
    table.fill(" ");
    table.setCell(0, 0, "Zeile");
    table.setCell(1, 0, "Strangnr.");
    table.setCell(0, 2, "2");
    StringGrid grid(table);
    grid.resize(300, 200);
    grid.show();
    EXPECT_TRUE(grid.isRowHidden(0));
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_FALSE(grid.isRowHidden(1));
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal).toString(), "Strangnr.");
    EXPECT_EQ(grid.model()->headerData(2, Qt::Vertical).toString(), "2");

    auto* corner = grid.findChild<QAbstractButton*>();
    ASSERT_NE(corner, nullptr);
    const QImage withText = corner->grab().toImage();
    table.setCell(0, 0, " ");
    const QImage blank = corner->grab().toImage();
    EXPECT_EQ(grid.cornerText(), " ");
    EXPECT_NE(withText, blank) << "the corner paints the text of cell (0, 0)";
}

TEST(StringGrid, InPlaceEditsReachTheTable) {
    CellTable table(3, 4);
    StringGrid grid(table);
    ASSERT_TRUE(grid.model()->setData(grid.model()->index(1, 1), "7", Qt::EditRole));
    EXPECT_EQ(table.cell(1, 1), "7");
}

}  // namespace
}  // namespace kolma
