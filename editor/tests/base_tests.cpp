// The shared pieces the main window relies on: key-press filters, the two integer readings and
// the string grid's fixed cells.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "Handler.h"
#include "InputFilter.h"
#include "Numbers.h"
#include "StringGrid.h"

namespace kolma {
namespace {

// An edit with a filter, focused in a shown window so that typed keys reach it as they would
// from the keyboard.
struct FilteredEdit {
    explicit FilteredEdit(InputFilter kind, const QString& text = {}) {
        edit.setText(text);
        installInputFilter(&edit, kind);
    }
    QString typed(const QString& keys) {
        QTest::keyClicks(&edit, keys);
        return edit.text();
    }
    QLineEdit edit;
};

TEST(InputFilter, WholeNumberLetsOnlyDigitsThrough) {
    FilteredEdit e(InputFilter::WholeNumber);
    EXPECT_EQ(e.typed(QStringLiteral("1a2 -3,4.5")), QStringLiteral("12345"));
}

TEST(InputFilter, WholeNumberDiscardsBackspaceAndEnterButNotDeleteOrCursorKeys) {
    FilteredEdit e(InputFilter::WholeNumber, QStringLiteral("123"));
    e.edit.setCursorPosition(3);
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    EXPECT_EQ(e.edit.text(), QStringLiteral("123"));
    QSignalSpy returnPressed(&e.edit, &QLineEdit::returnPressed);
    QTest::keyClick(&e.edit, Qt::Key_Return);
    EXPECT_EQ(returnPressed.count(), 0);
    QTest::keyClick(&e.edit, Qt::Key_Home);
    EXPECT_EQ(e.edit.cursorPosition(), 0);
    QTest::keyClick(&e.edit, Qt::Key_Delete);
    EXPECT_EQ(e.edit.text(), QStringLiteral("23"));
    QTest::keyClick(&e.edit, Qt::Key_End);
    EXPECT_EQ(e.edit.cursorPosition(), 2);
}

// Platforms give the Delete key the text "\x7f" and Tab the text "\t"; neither types a
// character, so the filters must leave both alone.
TEST(InputFilter, KeysThatTypeNoCharacterPassWhateverTheirText) {
    QWidget window;
    auto* first = new QLineEdit(QStringLiteral("123"), &window);
    auto* second = new QLineEdit(&window);
    installInputFilter(first, InputFilter::WholeNumber);
    QWidget::setTabOrder(first, second);
    window.show();
    window.activateWindow();
    first->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setCursorPosition(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(first, &del);
    EXPECT_EQ(first->text(), QStringLiteral("23"));
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_TRUE(second->hasFocus());
}

TEST(InputFilter, DecimalLetsDigitsAndCommaThrough) {
    FilteredEdit point(InputFilter::Decimal);
    EXPECT_EQ(point.typed(QStringLiteral("12.5")), QStringLiteral("125"));
    FilteredEdit comma(InputFilter::Decimal);
    EXPECT_EQ(comma.typed(QStringLiteral("12,5")), QStringLiteral("12,5"));
    FilteredEdit minus(InputFilter::Decimal);
    EXPECT_EQ(minus.typed(QStringLiteral("-3e")), QStringLiteral("3"));
    QTest::keyClick(&minus.edit, Qt::Key_Backspace);
    EXPECT_EQ(minus.edit.text(), QStringLiteral("3"));
}

TEST(InputFilter, NoBlankDiscardsOnlyTheBlank) {
    FilteredEdit e(InputFilter::NoBlank);
    EXPECT_EQ(e.typed(QStringLiteral("P 1-a.b,")), QStringLiteral("P1-a.b,"));
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    EXPECT_EQ(e.edit.text(), QStringLiteral("P1-a.b"));
}

TEST(InputFilter, NoneAcceptedKeepsTheShownValue) {
    FilteredEdit e(InputFilter::NoneAccepted, QStringLiteral("0,5"));
    e.edit.setCursorPosition(3);
    EXPECT_EQ(e.typed(QStringLiteral("7 x,")), QStringLiteral("0,5"));
    QTest::keyClick(&e.edit, Qt::Key_Backspace);
    EXPECT_EQ(e.edit.text(), QStringLiteral("0,5"));
}

TEST(InputFilter, BlankToOneReplacesALoneBlankBeforeTheKeyTakesEffect) {
    FilteredEdit digit(InputFilter::WholeNumberBlankToOne, QStringLiteral(" "));
    EXPECT_EQ(digit.typed(QStringLiteral("2")), QStringLiteral("12"));
    FilteredEdit letter(InputFilter::WholeNumberBlankToOne, QStringLiteral(" "));
    EXPECT_EQ(letter.typed(QStringLiteral("x")), QStringLiteral("1"));
    FilteredEdit filled(InputFilter::WholeNumberBlankToOne, QStringLiteral("5"));
    filled.edit.setCursorPosition(1);
    EXPECT_EQ(filled.typed(QStringLiteral("x3")), QStringLiteral("53"));
}

TEST(InputFilter, PasteAndShortcutsAreNotFiltered) {
    FilteredEdit e(InputFilter::WholeNumber);
    e.edit.setText(QStringLiteral("a b"));
    e.edit.selectAll();
    QTest::keyClick(&e.edit, Qt::Key_C, Qt::ControlModifier);
    e.edit.setCursorPosition(3);
    QTest::keyClick(&e.edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e.edit.text(), QStringLiteral("a ba b"));
}

TEST(IntegerValue, ReadsTheLeadingWholeNumber) {
    EXPECT_EQ(integerValue(QStringLiteral("")), 0);
    EXPECT_EQ(integerValue(QStringLiteral(" ")), 0);
    EXPECT_EQ(integerValue(QStringLiteral("  42abc")), 42);
    EXPECT_EQ(integerValue(QStringLiteral("-7")), -7);
    EXPECT_EQ(integerValue(QStringLiteral("+3,5")), 3);
    EXPECT_EQ(integerValue(QStringLiteral("- 3")), 0);
    EXPECT_EQ(integerValue(QStringLiteral("abc12")), 0);
    EXPECT_EQ(integerValue(QStringLiteral("99999999999999")), INT_MAX);
    EXPECT_EQ(integerValue(QStringLiteral("-99999999999999")), INT_MIN);
}

// The text of the general error a strict conversion raises, or "" when it succeeds.
QString strictError(const QString& text) {
    try {
        strictInt(text);
    } catch (const KolmaError& e) {
        return e.message();
    }
    return {};
}

TEST(StrictInt, AcceptsAWholeNumberWithBlanksAround) {
    EXPECT_EQ(strictInt(QStringLiteral("12")), 12);
    EXPECT_EQ(strictInt(QStringLiteral(" 12")), 12);
    EXPECT_EQ(strictInt(QStringLiteral(" 12  ")), 12);
    EXPECT_EQ(strictInt(QStringLiteral("-5")), -5);
    EXPECT_EQ(strictInt(QStringLiteral("+5")), 5);
    EXPECT_EQ(strictInt(QStringLiteral("2147483647")), 2147483647);
}

TEST(StrictInt, RejectsEverythingElseWithTheGeneralErrorText) {
    EXPECT_EQ(strictError(QStringLiteral(" ")),
              QStringLiteral("' ' ist kein gültiger Integerwert"));
    EXPECT_EQ(strictError(QStringLiteral("")), QStringLiteral("'' ist kein gültiger Integerwert"));
    for (const char* bad : {"1 2", "12a", "1,5", "-", "+", "2147483648", "0x10", "\t3"})
        EXPECT_EQ(
            strictError(QString::fromLatin1(bad)),
            QStringLiteral("'%1' ist kein gültiger Integerwert").arg(QString::fromLatin1(bad)))
            << bad;
}

TEST(StringGrid, FixedRowAndColumnAreShownAsHeaders) {
    StringGrid grid(3, 4);
    grid.setCell(1, 0, QStringLiteral("Strangnr."));
    grid.setCell(0, 2, QStringLiteral("2"));
    grid.setCell(2, 3, QStringLiteral("x"));
    QAbstractItemModel* model = grid.model();
    ASSERT_EQ(model->columnCount(), 2);
    ASSERT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Strangnr."));
    EXPECT_EQ(model->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
    EXPECT_EQ(model->data(model->index(2, 1)).toString(), QStringLiteral("x"));
}

TEST(StringGrid, InPlaceEditsReachTheCellsAndOutsideReadsAreEmpty) {
    StringGrid grid(3, 4);
    grid.fill(QStringLiteral(" "));
    ASSERT_TRUE(
        grid.model()->setData(grid.model()->index(0, 0), QStringLiteral("7"), Qt::EditRole));
    EXPECT_EQ(grid.cell(1, 1), QStringLiteral("7"));
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral(" "));
    EXPECT_EQ(grid.cell(3, 1), QString());
    EXPECT_EQ(grid.cell(1, 4), QString());
    EXPECT_EQ(grid.cell(-1, 0), QString());
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(1, 1)).testFlag(Qt::ItemIsEditable));
}

}  // namespace
}  // namespace kolma
