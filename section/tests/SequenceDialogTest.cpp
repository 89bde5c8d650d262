// The node sequence dialog: the node count from the graph data, adding, replacing, appending and
// removing entries, and the completeness check before the section window opens.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "TForm3.h"
#include "TForm9.h"

namespace kolma::testing {
namespace {

const QString kUnknownNode = QStringLiteral("Die Knotennummer ist nicht im System enthalten");

class SequenceDialog : public SectionFixture {
protected:
    static QLineEdit* edit(QDialog& d, const char* name) {
        return d.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static StringGrid* grid(QDialog& d) {
        return d.findChild<StringGrid*>(QStringLiteral("StringGrid1"));
    }
    static void click(QDialog& d, const char* name) {
        d.findChild<QPushButton*>(QString::fromLatin1(name))->click();
    }
    static void add(QDialog& d, const char* row, const char* node) {
        edit(d, "Edit1")->setText(QString::fromLatin1(row));
        edit(d, "Edit2")->setText(QString::fromLatin1(node));
        click(d, "Button1");
    }
    ScriptedDialogs scripted;
};

TEST_F(SequenceDialog, WithoutGraphDataEveryNodeIsRefused) {
    removeGraphFile();
    TForm9 dialog(tables(), nullptr);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Die Die Graphikeingabedatei konnte nicht geöffnet werden"));
    EXPECT_EQ(scripted.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(systemNodeCount(), 0);
    add(dialog, "1", "10");
    EXPECT_EQ(scripted.messages.back().text, kUnknownNode);
    EXPECT_EQ(grid(dialog)->cell(1, 1), QString());
}

TEST_F(SequenceDialog, AddsReplacesAndAppendsEntries) {
    TForm9 dialog(tables(), nullptr);
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_EQ(systemNodeCount(), 4);
    EXPECT_EQ(grid(dialog)->cell(0, 3), QStringLiteral("3"));
    EXPECT_EQ(grid(dialog)->cell(1, 0), QStringLiteral("Knotennr."));
    for (const char* node : {"10", "20", "30", "40"}) {
        edit(dialog, "Edit2")->setText(QString::fromLatin1(node));
        click(dialog, "Button1");
    }
    EXPECT_EQ(edit(dialog, "Edit1")->text(), QStringLiteral("5"));
    EXPECT_TRUE(edit(dialog, "Edit2")->text().isEmpty());
    // Row 3 is replaced, the length stays.
    add(dialog, "3", "10");
    EXPECT_EQ(grid(dialog)->cell(1, 3), QStringLiteral("10"));
    EXPECT_EQ(grid(dialog)->cell(1, 4), QStringLiteral("40"));
    // The row count itself appends a row with its label.
    add(dialog, "11", "20");
    EXPECT_EQ(grid(dialog)->rowCount(), 12);
    EXPECT_EQ(grid(dialog)->cell(0, 11), QStringLiteral("11"));
    EXPECT_EQ(grid(dialog)->cell(1, 11), QStringLiteral("20"));
    // A row far below is kept rather than lost.
    add(dialog, "15", "30");
    EXPECT_EQ(grid(dialog)->rowCount(), 16);
    EXPECT_EQ(grid(dialog)->cell(1, 15), QStringLiteral("30"));
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(SequenceDialog, RefusesInvalidInputAndUnknownNodes) {
    TForm9 dialog(tables(), nullptr);
    add(dialog, "0", "10");
    add(dialog, "", "10");
    add(dialog, "1", "");
    add(dialog, "1", "010");      // compared as text
    add(dialog, "1", "Knotnum");  // the header row takes part, as it always has
    ASSERT_EQ(scripted.messages.size(), 4u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(scripted.messages[i].text, QStringLiteral("Ungültiger Eingabewert"));
        EXPECT_EQ(scripted.messages[i].caption, QStringLiteral("Eingabefehler"));
        EXPECT_EQ(scripted.messages[i].icon, BoxIcon::Error);
    }
    EXPECT_EQ(scripted.messages[3].text, kUnknownNode);
    EXPECT_EQ(grid(dialog)->cell(1, 1), QStringLiteral("Knotnum"));
}

TEST_F(SequenceDialog, RemovesAnEntryAfterConfirmation) {
    TForm9 dialog(tables(), nullptr);
    for (const char* node : {"10", "20", "30"}) {
        edit(dialog, "Edit2")->setText(QString::fromLatin1(node));
        click(dialog, "Button1");
    }
    edit(dialog, "Edit1")->setText(QStringLiteral("2"));
    scripted.messageAnswers = {QMessageBox::No, QMessageBox::Yes};
    click(dialog, "Button2");
    EXPECT_EQ(grid(dialog)->cell(1, 2), QStringLiteral("20"));
    click(dialog, "Button2");
    ASSERT_EQ(scripted.messages.size(), 2u);
    EXPECT_EQ(scripted.messages[1].text, QStringLiteral("Datensatz wirklich löschen?"));
    EXPECT_EQ(scripted.messages[1].caption, QStringLiteral("Zeile entfernen"));
    EXPECT_EQ(scripted.messages[1].defaultButton, QMessageBox::No);
    EXPECT_EQ(grid(dialog)->cell(1, 1), QStringLiteral("10"));
    EXPECT_EQ(grid(dialog)->cell(1, 2), QStringLiteral("30"));
    EXPECT_EQ(grid(dialog)->cell(1, 3), QString());
    EXPECT_EQ(grid(dialog)->rowCount(), 10);
    EXPECT_EQ(grid(dialog)->cell(0, 9), QStringLiteral("9"));
    EXPECT_EQ(edit(dialog, "Edit2")->text(), QStringLiteral("30"));
    // Without a row number the header row stays untouched.
    edit(dialog, "Edit1")->clear();
    click(dialog, "Button2");
    EXPECT_EQ(grid(dialog)->cell(1, 0), QStringLiteral("Knotennr."));
    EXPECT_EQ(scripted.messages.back().text, QStringLiteral("Ungültiger Eingabewert"));
}

TEST_F(SequenceDialog, ChecksEveryNodeOfTheSystemBeforeDrawing) {
    // Node 40 is not in the chain, yet its missing pipe invert stops the drawing.
    nodes_->setCell(6, 4, QStringLiteral("---"));
    TForm9 dialog(tables(), nullptr);
    add(dialog, "1", "10");
    add(dialog, "2", "20");
    dialog.show();
    click(dialog, "Button3");
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral(
                  "Einträge für Knotnum, RS o. GOK im Tabellenblatt der Knoten nicht vollständig"));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(scripted.modalWindows.empty());
}

TEST_F(SequenceDialog, OpensTheSectionWithTheSequenceUpToTheFirstGap) {
    TForm9 dialog(tables(), nullptr);
    add(dialog, "1", "10");
    add(dialog, "2", "20");
    add(dialog, "4", "40");
    QStringList seen;
    scripted.modalScripts.push_back([&](QDialog& window) {
        seen = dialog.sequence();
        EXPECT_NE(dynamic_cast<TForm3*>(&window), nullptr);
        return int(QDialog::Rejected);
    });
    click(dialog, "Button3");
    ASSERT_EQ(scripted.modalWindows.size(), 1u);
    EXPECT_EQ(scripted.modalWindows[0], QStringLiteral("Form3"));
    EXPECT_EQ(seen, (QStringList{"10", "20"}));
    EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("Edit3"))->text(), QStringLiteral("2"));
}

}  // namespace
}  // namespace kolma::testing
