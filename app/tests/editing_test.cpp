// The main window's tables as a user enters them at speed: blocks pasted with Ctrl+V and
// "Einfügen", copied with Ctrl+C, cells typed in place under the edit lines' rules, and every
// change taken back and done again through "Rückgängig" and "Wiederholen".
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <memory>

#include "ProjectTables.h"
#include "QStringPrinter.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm11.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;

class EditingTables : public ::testing::Test {
protected:
    EditingTables() : form(createStartupWindows().Form1) { dialogs.messages.clear(); }

    // Every cell of the three tables, the settings and the current file: the whole project.
    QStringList state() const {
        QStringList texts = {form->nue->text(), form->iter->text(), form->AktuelleDatei()};
        for (StringGrid* grid : {form->StringGrid1, form->StringGrid2, form->StringGrid3}) {
            const CellTable& table = grid->table();
            for (int row = 0; row < table.rowCount(); ++row)
                for (int col = 0; col < table.colCount(); ++col)
                    texts << table.cell(col, row);
        }
        return texts;
    }
    static QModelIndex cell(StringGrid* grid, int col, int row) {
        return grid->model()->index(row, col);
    }
    static void paste(StringGrid* grid, int col, int row, const QString& block) {
        QApplication::clipboard()->setText(block);
        grid->setCurrentIndex(cell(grid, col, row));
        QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    }
    // Opens the cell editor, types the keys and confirms them with Enter; the editor's text.
    static QString typeIntoCell(StringGrid* grid, int col, int row, const QString& keys) {
        settle();
        grid->setCurrentIndex(cell(grid, col, row));
        grid->edit(cell(grid, col, row));
        auto* editor = grid->findChild<QLineEdit*>();
        if (!editor)
            return "(kein Editor)";
        editor->clear();
        QTest::keyClicks(editor, keys);
        const QString typed = editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        return typed;
    }
    // Lets the editor commit and close and a deferred message appear.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    void typeLine(const std::vector<QLineEdit*>& edits, const QStringList& texts,
                  QPushButton* add) {
        for (std::size_t i = 0; i < edits.size(); ++i)
            edits[i]->setText(texts[int(i)]);
        add->click();
    }
    std::vector<QLineEdit*> pipeLine() const {
        return {form->Edit1, form->Edit2, form->Edit3, form->Edit4,
                form->Edit5, form->Edit6, form->Edit7, form->Edit12};
    }
    std::vector<QLineEdit*> nodeLine() const {
        return {form->Zeil3,    form->Knotnum, form->Druck, form->Zugabe,
                form->Entnahme, form->GOK,     form->RS};
    }
    void typePump() {
        form->Edit8->setText("1");
        form->Edit9->setText("P1");
        form->Edit10->setText("30");
        form->Edit11->setText("40");
        for (int i = 0; i < 3; ++i) {
            form->h[i]->setText(QString::number(30 - 5 * i));
            form->Q[i]->setText(QString::number(2 * i));
        }
        form->Hinzu2->click();
    }
    void removeConfirmed(QLineEdit* numberEdit, const QString& number, QPushButton* remove) {
        numberEdit->setText(number);
        dialogs.messageAnswers = {QMessageBox::Yes};
        remove->click();
    }
    QStringList rowTexts(StringGrid* grid, int row, int count) const {
        return rowValues(grid->table(), row, count);
    }

    ScriptedDialogs dialogs;
    testing::WorkingDirectory dir;
    std::unique_ptr<TForm1> form;
};

TEST_F(EditingTables, MenuCarriesUndoAndRedoEnabledOnlyWhenTheyCanWork) {
    EXPECT_EQ(form->Rueckgaengig1->objectName(), "Rueckgaengig1");
    EXPECT_EQ(form->Rueckgaengig1->text(), "Rückgängig");
    EXPECT_EQ(form->Rueckgaengig1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(form->Wiederholen1->text(), "Wiederholen");
    EXPECT_EQ(form->Wiederholen1->shortcuts(),
              QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    EXPECT_EQ(form->findChild<QAction*>("Wiederholen1"), form->Wiederholen1);
    // The tables the program starts with are nothing to take back.
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    EXPECT_FALSE(form->Wiederholen1->isEnabled());
    typeLine(pipeLine(), {"1", "1", "10", "20", "250", "150", "0,1", "0"}, form->Hinzu1);
    EXPECT_TRUE(form->Rueckgaengig1->isEnabled());
    form->Rueckgaengig1->trigger();
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    EXPECT_TRUE(form->Wiederholen1->isEnabled());
}

TEST_F(EditingTables, PastedBlockFillsFromTheCurrentCellAsOneStep) {
    const QStringList before = state();
    paste(form->StringGrid1, 4, 2, "Länge\tdi\n120.5\t150\r\n80,25\t100\r\n");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(rowTexts(form->StringGrid1, 2, 5), QStringList({" ", " ", " ", "120,5", "150"}));
    EXPECT_EQ(rowTexts(form->StringGrid1, 3, 5), QStringList({" ", " ", " ", "80,25", "100"}));
    EXPECT_EQ(form->StringGrid1->table().cell(4, 4), " ");
    form->Rueckgaengig1->trigger();
    EXPECT_EQ(state(), before);

    // "Einfügen" of the menu pastes into the table that has the focus.
    QApplication::clipboard()->setText("P2\t5\t6");
    form->StringGrid2->setCurrentIndex(cell(form->StringGrid2, 1, 4));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    form->StringGrid2->setFocus();
    form->Einfgen1->trigger();
    EXPECT_EQ(rowTexts(form->StringGrid2, 4, 3), QStringList({"P2", "5", "6"}));
}

TEST_F(EditingTables, RefusedPasteShowsOneErrorAndChangesNothing) {
    const QStringList before = state();
    paste(form->StringGrid3, 1, 999, "1\t100\n2\t101\n3\t1o2");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Einfügen nicht möglich: Zeile 1001 liegt hinter dem Ende der Tabelle.");
    EXPECT_EQ(dialogs.messages[0].caption, "Eingabefehler");
    EXPECT_EQ(dialogs.messages[0].icon, BoxIcon::Error);
    paste(form->StringGrid3, 1, 5, "1\t100\n2\t101\n3\t1o2");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              "Einfügen nicht möglich: Zeile 7, Spalte \"bek. Druck\": \"1o2\" ist keine Zahl.");
    EXPECT_EQ(state(), before);
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
}

TEST_F(EditingTables, CopiedWholeRowsCarryTheHeadersAndPasteBackAsTheyWere) {
    typeLine(pipeLine(), {"1", "1", "10", "20", "250", "150", "0,1", "0,00"}, form->Hinzu1);
    typeLine(pipeLine(), {"2", "2", "20", "30", "180,5", "100", "0,1", "1,5"}, form->Hinzu1);
    form->StringGrid1->selectRow(1);
    form->StringGrid1->selectionModel()->select(
        QItemSelection(cell(form->StringGrid1, 0, 2), cell(form->StringGrid1, 7, 2)),
        QItemSelectionModel::Select);
    QTest::keyClick(form->StringGrid1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              "Strangnr.\tAKN\tEKN\tLänge\tdi\tks\tzeta\n"
              "1\t10\t20\t250\t150\t0,1\t0,00\n"
              "2\t20\t30\t180,5\t100\t0,1\t1,5");
    form->StringGrid1->setCurrentIndex(cell(form->StringGrid1, 1, 10));
    QTest::keyClick(form->StringGrid1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rowTexts(form->StringGrid1, 10, 7), rowTexts(form->StringGrid1, 1, 7));
    EXPECT_EQ(rowTexts(form->StringGrid1, 11, 7), rowTexts(form->StringGrid1, 2, 7));

    // A part of a row: its values only, through "Kopieren" of the menu.
    form->StringGrid1->clearSelection();
    form->StringGrid1->selectionModel()->select(
        QItemSelection(cell(form->StringGrid1, 4, 1), cell(form->StringGrid1, 5, 2)),
        QItemSelectionModel::Select);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->StringGrid1->setFocus();
    form->Kopieren1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "250\t150\n180,5\t100");
}

// A cell typed into takes the characters the edit line of its column takes, and the value it
// stores is checked like a pasted one.
TEST_F(EditingTables, TypedCellsAreFilteredLikeTheEditLineOfTheirColumn) {
    const struct {
        StringGrid* grid;
        int col;
        int row;
        QLineEdit* edit;
    } columns[] = {
        {form->StringGrid1, 1, 1, form->Edit2},   {form->StringGrid1, 3, 1, form->Edit4},
        {form->StringGrid1, 4, 1, form->Edit5},   {form->StringGrid1, 7, 1, form->Edit12},
        {form->StringGrid2, 1, 1, form->Edit9},   {form->StringGrid2, 2, 1, form->Edit10},
        {form->StringGrid2, 4, 2, form->h[3]},    {form->StringGrid2, 8, 3, form->Q[7]},
        {form->StringGrid3, 1, 1, form->Knotnum}, {form->StringGrid3, 2, 1, form->Druck},
        {form->StringGrid3, 6, 1, form->RS},
    };
    const QString keys = "1a2 -3,4.5x";
    for (const auto& c : columns) {
        SCOPED_TRACE(c.edit->objectName().toStdString());
        c.edit->clear();
        QTest::keyClicks(c.edit, keys);
        EXPECT_EQ(typeIntoCell(c.grid, c.col, c.row, keys), c.edit->text());
        EXPECT_EQ(c.grid->table().cell(c.col, c.row), c.edit->text());
    }
    EXPECT_TRUE(dialogs.messages.empty());
    // The rest of a pump's first row holds no value: it opens no editor.
    EXPECT_EQ(typeIntoCell(form->StringGrid2, 4, 1, "7"), "(kein Editor)");
}

TEST_F(EditingTables, ACellValueTheEditLineCouldNotGiveIsRefused) {
    StringGrid* grid = form->StringGrid1;
    grid->edit(cell(grid, 5, 1));
    auto* editor = grid->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("1,5,2");  // pasted into the editor: no key filter saw it
    QTest::keyClick(editor, Qt::Key_Return);
    settle();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Eingabe nicht möglich: Zeile 1, Spalte \"di\": \"1,5,2\" ist keine Zahl.");
    EXPECT_EQ(dialogs.messages[0].caption, "Eingabefehler");
    EXPECT_EQ(grid->table().cell(5, 1), " ");
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    // A separator without digits before it gets its zero, so that saving keeps the value.
    EXPECT_EQ(typeIntoCell(grid, 5, 1, ",5"), ",5");
    EXPECT_EQ(grid->table().cell(5, 1), "0,5");
}

// Each operation of the table pages and menus is one step: "Rückgängig" restores every cell,
// the settings and the current file as they were before it, "Wiederholen" as they were after.
TEST_F(EditingTables, EveryOperationIsUndoneAndRedoneExactly) {
    dir.write("netz.inp",
              "[JUNCTIONS]\n 3  95  2.0\n 2  96  1.0\n[RESERVOIRS]\n 1  120\n"
              "[PIPES]\n 11  1  2  300  150  0.1  0  Open\n 12  2  3  200  100  0.1  0  Open\n"
              "[OPTIONS]\n Units LPS\n Headloss D-W\n[END]\n");
    const std::pair<const char*, std::function<void()>> operations[] = {
        {"Hinzufügen Rohr 1",
         [&] {
             typeLine(pipeLine(), {"1", "1", "10", "20", "250", "150", "0,1", "0"}, form->Hinzu1);
         }},
        {"Hinzufügen Rohr 2",
         [&] {
             typeLine(pipeLine(), {"2", "2", "20", "30", "80", "100", "0,1", "1,5"}, form->Hinzu1);
         }},
        {"Hinzufügen Pumpe", [&] { typePump(); }},
        {"Knotnum akt.", [&] { form->knotnum3->click(); }},
        {"Hinzufügen Knoten",
         [&] {
             typeLine(nodeLine(), {"1", "10", "120", "", "", "105", "103"}, form->Hinzu3);
         }},
        {"Einfügen", [&] { paste(form->StringGrid3, 1, 1, "30\n10\n40\n20"); }},
        {"Knotenreihenfolge optimieren", [&] { form->Knotenreihenfolge1->trigger(); }},
        {"Zelle", [&] { typeIntoCell(form->StringGrid1, 4, 1, "12,5"); }},
        {"Entfernen Rohr", [&] { removeConfirmed(form->Edit1, "1", form->Entfern1); }},
        {"Entfernen Pumpe", [&] { removeConfirmed(form->Edit8, "1", form->Entfern2); }},
        {"Entfernen Knoten", [&] { removeConfirmed(form->Zeil3, "2", form->Entfern3); }},
        {"Einstellungen",
         [&] {
             dialogs.modalScripts.push_back([](QDialog& d) {
                 auto& settings = static_cast<TForm11&>(d);
                 settings.Edit1->setText("1,0");
                 settings.Edit2->setText("50");
                 settings.Button1->click();
                 return int(QDialog::Accepted);
             });
             form->Einstelungen1->trigger();
         }},
        {"EPANET-Import",
         [&] {
             dialogs.fileAnswers.push_back(dir.filePath("netz.inp"));
             form->EpanetImport1->trigger();
         }},
        {"Projekt anlegen", [&] { form->Eingabe1->trigger(); }},
    };
    std::vector<QStringList> states = {state()};
    for (const auto& [name, operation] : operations) {
        operation();
        states.push_back(state());
        ASSERT_NE(states.back(), states[states.size() - 2]) << name;
    }
    ASSERT_TRUE(form->AktuelleDatei().endsWith("Unbenannt.ein"));
    for (std::size_t i = std::size(operations); i > 0; --i) {
        form->Rueckgaengig1->trigger();
        EXPECT_EQ(state(), states[i - 1]) << "Rückgängig: " << operations[i - 1].first;
        if (std::string(operations[i - 1].first) == "Einfügen") {
            // The step's table and cell come into view.
            EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet3);
            EXPECT_EQ(form->StringGrid3->currentIndex(), cell(form->StringGrid3, 1, 1));
        }
    }
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    for (std::size_t i = 1; i <= std::size(operations); ++i) {
        form->Wiederholen1->trigger();
        EXPECT_EQ(state(), states[i]) << "Wiederholen: " << operations[i - 1].first;
    }
    EXPECT_FALSE(form->Wiederholen1->isEnabled());
}

TEST_F(EditingTables, UndoAndRedoKeysWorkInTheTablesAndLeaveTheEditLinesTheirOwn) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QStringList before = state();
    paste(form->StringGrid1, 1, 1, "7\t70\t71");
    const QStringList after = state();
    form->StringGrid1->setFocus();
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state(), before);
    QTest::keyClick(form->StringGrid1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(state(), after);
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(form->StringGrid1, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(state(), after);
    // In an edit line Ctrl+Z takes back its own typing, not a table's change.
    form->Edit5->setFocus();
    QTest::keyClicks(form->Edit5, "12");
    QTest::keyClick(form->Edit5, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Edit5->text(), " ");
    EXPECT_EQ(state(), after);
}

TEST_F(EditingTables, OpeningAProjectStartsAFreshHistory) {
    dir.write("netz.ein", testing::kSampleWithPoints);
    typeLine(pipeLine(), {"1", "1", "10", "20", "250", "150", "0,1", "0"}, form->Hinzu1);
    paste(form->StringGrid1, 1, 5, "5\t50\t60");
    form->Rueckgaengig1->trigger();
    ASSERT_TRUE(form->Wiederholen1->isEnabled());
    dialogs.fileAnswers.push_back(dir.filePath("netz.ein"));
    form->Projekt1->trigger();
    ASSERT_EQ(form->StringGrid2->table().cell(1, 1), "P1");
    EXPECT_FALSE(form->Rueckgaengig1->isEnabled());
    EXPECT_FALSE(form->Wiederholen1->isEnabled());
    const QStringList opened = state();
    form->Rueckgaengig1->trigger();
    form->Wiederholen1->trigger();
    EXPECT_EQ(state(), opened);
    // A cancelled open dialog opens nothing and keeps the history.
    typeLine(pipeLine(), {"3", "3", "10", "20", "250", "150", "0,1", "0"}, form->Hinzu1);
    dialogs.fileAnswers.push_back(std::nullopt);
    form->Projekt1->trigger();
    EXPECT_TRUE(form->Rueckgaengig1->isEnabled());
}

}  // namespace
}  // namespace kolma
