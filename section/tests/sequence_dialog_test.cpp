// The node sequence dialog: the node count from the graph data, adding, replacing, appending and
// removing entries, and the completeness check before the section window opens.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "StringGrid.h"
#include "TForm3.h"
#include "TForm9.h"

namespace kolma::testing {
namespace {

const QString kUnknownNode = QStringLiteral("Die Knotennummer ist nicht im System enthalten");
const QString kInvalid = QStringLiteral("Ungültiger Eingabewert");

class SequenceDialog : public SectionFixture {
protected:
    QLineEdit* edit(const char* name) {
        return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    CellTable& grid() {
        return dialog->findChild<StringGrid*>(QStringLiteral("StringGrid1"))->table();
    }
    void click(const char* name) {
        dialog->findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    void open() { dialog = std::make_unique<TForm9>(tables(), systemNodeCount, nullptr); }
    // Without a row the entry goes to the row the dialog proposes.
    void add(const char* row, const char* node) {
        if (row)
            edit("Edit1")->setText(QString::fromLatin1(row));
        edit("Edit2")->setText(QString::fromLatin1(node));
        click("Button1");
    }
    ScriptedDialogs scripted;
    int systemNodeCount = 0;  // kept by the main window between openings
    std::unique_ptr<TForm9> dialog;
};

TEST_F(SequenceDialog, WithoutGraphDataEveryNodeIsRefused) {
    removeGraphFile();
    open();
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Die Die Graphikeingabedatei konnte nicht geöffnet werden"));
    EXPECT_EQ(systemNodeCount, 0);
    add("1", "10");
    EXPECT_EQ(scripted.messages.back().text, kUnknownNode);
    EXPECT_EQ(grid().cell(1, 1), QString());
}

TEST_F(SequenceDialog, AddsReplacesAppendsAndRefuses) {
    open();
    EXPECT_EQ(systemNodeCount, 4);
    for (const char* node : {"10", "20", "30"})
        add(nullptr, node);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("4"));
    EXPECT_TRUE(edit("Edit2")->text().isEmpty());
    add("2", "40");  // replaces
    EXPECT_EQ(grid().cell(1, 2), QStringLiteral("40"));
    add("11", "20");  // the row count itself appends a labelled row
    EXPECT_EQ(grid().rowCount(), 12);
    EXPECT_EQ(grid().cell(0, 11), QStringLiteral("11"));
    add("15", "30");  // a row far below is kept rather than lost
    EXPECT_EQ(grid().cell(1, 15), QStringLiteral("30"));
    EXPECT_TRUE(scripted.messages.empty());
    add("0", "10");
    add("", "10");
    add("1", "010");      // compared as text
    add("1", "Knotnum");  // the header row takes part in the lookup
    ASSERT_EQ(scripted.messages.size(), 3u);
    EXPECT_EQ(scripted.messages[0].text, kInvalid);
    EXPECT_EQ(scripted.messages[1].caption, QStringLiteral("Eingabefehler"));
    EXPECT_EQ(scripted.messages[2].text, kUnknownNode);
    EXPECT_EQ(grid().cell(1, 1), QStringLiteral("Knotnum"));
}

// The chain typed as a user types it: a number, Enter, the next number, Enter.
TEST_F(SequenceDialog, EnterAddsTheTypedNodeAndTheNextNumberStartsAfresh) {
    open();
    dialog->show();
    QLineEdit* node = edit("Edit2");
    node->setFocus();
    for (const char* number : {"10", "20", "30"}) {
        QTest::keyClicks(node, number);
        QTest::keyClick(node, Qt::Key_Return);
    }
    EXPECT_EQ(grid().cell(1, 1), QStringLiteral("10"));
    EXPECT_EQ(grid().cell(1, 2), QStringLiteral("20"));
    EXPECT_EQ(grid().cell(1, 3), QStringLiteral("30"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("4"));
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(SequenceDialog, RemovesAnEntryAfterConfirmation) {
    open();
    for (const char* node : {"10", "20", "30"})
        add(nullptr, node);
    edit("Edit1")->setText(QStringLiteral("2"));
    scripted.messageAnswers = {QMessageBox::No, QMessageBox::Yes};
    click("Button2");
    EXPECT_EQ(grid().cell(1, 2), QStringLiteral("20"));
    click("Button2");
    EXPECT_EQ(scripted.messages[1].text, QStringLiteral("Datensatz wirklich löschen?"));
    EXPECT_EQ(scripted.messages[1].defaultButton, QMessageBox::No);
    EXPECT_EQ(grid().cell(1, 2), QStringLiteral("30"));
    EXPECT_EQ(grid().cell(1, 3), QString());
    EXPECT_EQ(grid().rowCount(), 10);
    EXPECT_EQ(grid().cell(0, 9), QStringLiteral("9"));
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("30"));
    // Without a row number the header row stays untouched.
    edit("Edit1")->clear();
    click("Button2");
    EXPECT_EQ(grid().cell(1, 0), QStringLiteral("Knotennr."));
    EXPECT_EQ(scripted.messages.back().text, kInvalid);
}

TEST_F(SequenceDialog, OpensTheSectionOnlyWhenEveryNodeIsComplete) {
    open();
    add("1", "10");
    add("2", "20");
    add("4", "40");
    bool section = false;
    scripted.modalScripts.push_back([&](QDialog& window) {
        section = dynamic_cast<TForm3*>(&window) != nullptr;
        return int(QDialog::Rejected);
    });
    click("Button3");
    EXPECT_TRUE(section);
    // The sequence ends at the gap in row 3.
    EXPECT_EQ(dialog->sequence(), (QStringList{"10", "20"}));
    EXPECT_EQ(edit("Edit3")->text(), QStringLiteral("2"));
    // Node 40 is not in the chain, yet its missing pipe invert stops the drawing.
    nodes_->setCell(6, 4, QStringLiteral("---"));
    dialog->show();
    click("Button3");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Einträge für Knotnum, RS o. GOK im "
                             "Tabellenblatt der Knoten nicht vollständig"));
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(scripted.modalWindows.size(), 1u);
}

}  // namespace
}  // namespace kolma::testing
