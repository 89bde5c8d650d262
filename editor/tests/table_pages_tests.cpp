// The handlers of the pages "Rohr", "Pumpe" and "Knoten" as the user drives them: buttons,
// questions, the search dialog and the edit-line refills.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <memory>

#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm2.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;

class TablePages : public ::testing::Test {
protected:
    TablePages() : form(createStartupWindows().Form1) { dialogs.messages.clear(); }

    static void setTexts(std::initializer_list<QLineEdit*> edits, const QStringList& texts) {
        int i = 0;
        for (QLineEdit* edit : edits)
            edit->setText(texts.value(i++));
    }
    static QStringList texts(std::initializer_list<QLineEdit*> edits) {
        QStringList result;
        for (QLineEdit* edit : edits)
            result << edit->text();
        return result;
    }
    QStringList pipeEdits() const {
        return texts({form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5, form->Edit6,
                      form->Edit7, form->Edit12});
    }
    void typePipe(const QStringList& line) {
        setTexts({form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5, form->Edit6,
                  form->Edit7, form->Edit12},
                 line);
        form->Hinzu1->click();
    }
    void typePump(const QString& block, const QString& type, const QString& start,
                  const QString& end, int seed) {
        setTexts({form->Edit8, form->Edit9, form->Edit10, form->Edit11}, {block, type, start, end});
        for (int i = 0; i < kSupportPoints; ++i) {
            form->h[i]->setText(QString::number(seed * 10 - i));
            form->Q[i]->setText(QString::number(seed + i));
        }
        form->Hinzu2->click();
    }
    QStringList pumpEdits() const {
        QStringList result = texts({form->Edit8, form->Edit9, form->Edit10, form->Edit11});
        for (int i = 0; i < kSupportPoints; ++i)
            result << form->h[i]->text();
        for (int i = 0; i < kSupportPoints; ++i)
            result << form->Q[i]->text();
        return result;
    }
    QStringList nodeEdits() const {
        return texts({form->Zeil3, form->Knotnum, form->Druck, form->Zugabe, form->Entnahme,
                      form->GOK, form->RS});
    }
    // Scripts the search dialog: checks its label, types the number and presses OK.
    void searchFor(const QString& expectedLabel, const QString& number) {
        dialogs.modalScripts.push_back([expectedLabel, number](QDialog& d) {
            auto& search = dynamic_cast<TForm2&>(d);
            EXPECT_EQ(search.Label1->text(), expectedLabel);
            search.Edit1->setText(number);
            search.OK2->click();
            return search.result();
        });
    }
    void expectLastMessage(const QString& text, const QString& caption,
                           BoxIcon icon = BoxIcon::Error) {
        ASSERT_FALSE(dialogs.messages.empty());
        EXPECT_EQ(dialogs.messages.back().text, text);
        EXPECT_EQ(dialogs.messages.back().caption, caption);
        EXPECT_EQ(dialogs.messages.back().icon, icon);
    }

    ScriptedDialogs dialogs;
    testing::WorkingDirectory workingDirectory;
    std::unique_ptr<TForm1> form;
};

TEST_F(TablePages, AddPipeStoresTheLineAndShowsCheckMessages) {
    typePipe({"250", "17", "3", "4", "12,5", "100", "0,1", "0,00"});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form->StringGrid1->cell(1, 250), QStringLiteral("17"));
    EXPECT_EQ(form->StringGrid1->cell(7, 250), QStringLiteral("0,00"));
    EXPECT_EQ(pipeEdits(), QStringList({"250", "17", "3", "4", "12,5", "100", "0,1", "0,00"}));

    typePipe({"0", "1", "2", "3", "4", "5", "6", "7"});
    expectLastMessage(QStringLiteral("Ungültiger Eingabewert"), QStringLiteral("Eingabefehler"));
    typePipe({"1001", "1", "2", "3", "4", "5", "6", "7"});
    expectLastMessage(QStringLiteral("Die Anzahl der Rohre soll zwischen 1 und 200 liegen"),
                      QStringLiteral("Eingabefehler"));
    EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(TablePages, RemovePipeAsksShiftsAndRefillsTheEditLine) {
    for (int row = 1; row <= 3; ++row)
        typePipe({QString::number(row), QString::number(row * 10), "1", "2", "5", "100", "0,1",
                  QString::number(row)});
    setTexts({form->Edit1}, {"2"});
    dialogs.messageAnswers = {QMessageBox::No};
    form->Entfern1->click();
    EXPECT_EQ(form->StringGrid1->cell(1, 2), QStringLiteral("20"));

    dialogs.messageAnswers = {QMessageBox::Yes};
    form->Entfern1->click();
    expectLastMessage(QStringLiteral("Datensatz wirklich löschen?"),
                      QStringLiteral("Zeile entfernen"), BoxIcon::Question);
    EXPECT_EQ(form->StringGrid1->cell(1, 2), QStringLiteral("30"));
    EXPECT_EQ(form->StringGrid1->cell(1, 3), QStringLiteral(" "));
    EXPECT_EQ(pipeEdits(), QStringList({"2", "30", "1", "2", "5", "100", "0,1", "3"}));
}

TEST_F(TablePages, RemoveOutsideTheTableIsRefusedAndANonNumberIsTheGeneralError) {
    typePipe({"1", "10", "1", "2", "5", "100", "0,1", "0"});
    const struct {
        const char* row;
        const char* text;
    } cases[] = {{"0", "Ungültiger Eingabewert"},
                 {"1001", "Die Anzahl der Rohre soll zwischen 1 und 200 liegen"},
                 {"-2", "Die Anzahl der Rohre soll zwischen 1 und 200 liegen"}};
    for (const auto& c : cases) {
        form->Edit1->setText(QString::fromLatin1(c.row));
        dialogs.messageAnswers = {QMessageBox::Yes};
        form->Entfern1->click();
        expectLastMessage(QString::fromUtf8(c.text), QStringLiteral("Eingabefehler"));
        EXPECT_EQ(form->Edit2->text(), QStringLiteral("10")) << c.row;
    }
    form->Edit1->setText(QStringLiteral(" "));
    dialogs.messageAnswers = {QMessageBox::Yes};
    form->Entfern1->click();
    expectLastMessage(QStringLiteral("' ' ist kein gültiger Integerwert"), QStringLiteral("KOLMA"));
    EXPECT_EQ(form->StringGrid1->cell(1, 1), QStringLiteral("10"));
    EXPECT_EQ(form->StringGrid1->cell(1, 0), QStringLiteral("Strangnr."));
}

TEST_F(TablePages, SearchPipeFillsTheLineOrBlanksItAfterAMiss) {
    typePipe({"4", "7", "1", "2", "5", "100", "0,1", "1,5"});
    typePipe({"6", "7", "8", "9", "6", "200", "0,2", "2,5"});
    setTexts({form->Edit1, form->Edit3, form->Edit12}, {"", "", ""});
    searchFor(QStringLiteral("StrangNr.:"), QStringLiteral("7"));
    form->Suche1->click();
    EXPECT_EQ(pipeEdits(), QStringList({"4", "7", "1", "2", "5", "100", "0,1", "1,5"}));
    EXPECT_TRUE(dialogs.messages.empty());

    for (const char* missing : {"8", "0", ""}) {
        searchFor(QStringLiteral("StrangNr.:"), QString::fromLatin1(missing));
        form->Suche1->click();
        expectLastMessage(QStringLiteral("Kein Strang mit dieser Nummer vorhanden"),
                          QStringLiteral("Suche"));
        EXPECT_EQ(pipeEdits(), QStringList({" ", " ", " ", " ", " ", " ", " ", "1,5"})) << missing;
    }

    form->Edit2->setText(QStringLiteral("x"));
    form->Suche1->click();  // unscripted: the dialog is cancelled
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("x"));
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.modalWindows.back(), QStringLiteral("Form2"));
}

TEST_F(TablePages, SearchDialogCopiesIntoTheEditItsLabelNames) {
    TForm2 search(form.get());
    search.Label1->setText(QStringLiteral("PumpenNr.:"));
    search.Edit1->setText(QStringLiteral("12a"));
    search.OK2->click();
    EXPECT_EQ(search.result(), QDialog::Accepted);
    EXPECT_EQ(form->Edit9->text(), QStringLiteral("12a"));
    search.Label1->setText(QStringLiteral("StrangNr.:"));
    search.Edit1->setText(QStringLiteral("3"));
    search.Abbrechen2->click();
    EXPECT_EQ(search.result(), QDialog::Rejected);
    EXPECT_EQ(form->Edit2->text(), QStringLiteral(" "));
    EXPECT_EQ(search.windowTitle(), QStringLiteral("Suche"));
}

TEST_F(TablePages, WeiterMovesToTheNextPage) {
    form->Weiter1->click();
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet2);
    form->Weiter2->click();
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet3);
}

TEST_F(TablePages, RemovePumpMovesTheNextPumpUpAndShowsIt) {
    typePump("1", "100", "1", "2", 3);
    typePump("2", "200", "2", "3", 5);
    typePump("3", "300", "3", "4", 7);
    form->Edit8->setText(QStringLiteral("2"));
    dialogs.messageAnswers = {QMessageBox::Yes};
    form->Entfern2->click();
    EXPECT_EQ(form->StringGrid2->cell(1, 4), QStringLiteral("300"));
    EXPECT_EQ(form->StringGrid2->cell(1, 7), QStringLiteral(" "));
    QStringList expected = {"2", "300", "3", "4"};
    for (int i = 0; i < kSupportPoints; ++i)
        expected << QString::number(70 - i);
    for (int i = 0; i < kSupportPoints; ++i)
        expected << QString::number(7 + i);
    EXPECT_EQ(pumpEdits(), expected);

    form->Edit8->setText(QStringLiteral("35"));
    dialogs.messageAnswers = {QMessageBox::Yes};
    form->Entfern2->click();
    expectLastMessage(QStringLiteral("Die Pumpentabelle fasst nur 34 Pumpen"),
                      QStringLiteral("Eingabefehler"));
    EXPECT_EQ(form->Edit9->text(), QStringLiteral("300"));
}

TEST_F(TablePages, SearchPumpFindsTheFirstBlockAndBlanksTheLineAfterAMiss) {
    typePump("3", "12a", "5", "6", 2);
    typePump("2", "12a", "7", "8", 9);
    typePump("1", "KSB", "1", "2", 4);
    searchFor(QStringLiteral("PumpenNr.:"), QStringLiteral("12a"));
    form->Suche2->click();
    QStringList expected = {"2", "12a", "7", "8"};
    for (int i = 0; i < kSupportPoints; ++i)
        expected << QString::number(90 - i);
    for (int i = 0; i < kSupportPoints; ++i)
        expected << QString::number(9 + i);
    EXPECT_EQ(pumpEdits(), expected);

    searchFor(QStringLiteral("PumpenNr.:"), QStringLiteral("KSB"));
    form->Suche2->click();
    expectLastMessage(QStringLiteral("Keine Pumpe mit dieser Nummer vorhanden"),
                      QStringLiteral("Suche"));
    EXPECT_EQ(pumpEdits(), QStringList(20, QStringLiteral(" ")));
}

TEST_F(TablePages, NodePageAddsRemovesAndSearches) {
    setTexts({form->Zeil3, form->Knotnum, form->Druck, form->Zugabe, form->Entnahme, form->GOK,
              form->RS},
             {"1000", "0", "", "1,5", "", "100", "98"});
    form->Hinzu3->click();
    EXPECT_TRUE(dialogs.messages.empty());
    form->Zeil3->setText(QStringLiteral("1001"));
    form->Hinzu3->click();
    expectLastMessage(QStringLiteral("Die Anzahl der Knoten soll zwischen 1 und 2000 liegen"),
                      QStringLiteral("Eingabefehler"));

    setTexts({form->Zeil3, form->Knotnum}, {"", ""});
    searchFor(QStringLiteral("KnotenNr.:"), QStringLiteral("0"));
    form->Suche3->click();
    EXPECT_EQ(nodeEdits(), QStringList({"1000", "0", "", "1,5", "", "100", "98"}));

    setTexts({form->Zeil3, form->Knotnum}, {"999", "5"});
    form->Hinzu3->click();
    form->Zeil3->setText(QStringLiteral("999"));
    dialogs.messageAnswers = {QMessageBox::Yes};
    form->Entfern3->click();
    EXPECT_EQ(nodeEdits(), QStringList({"999", "0", "", "1,5", "", "100", "98"}));
    EXPECT_EQ(form->StringGrid3->cell(1, 1000), QString());

    form->Zeil3->setText(QStringLiteral("0"));
    dialogs.messageAnswers = {QMessageBox::Yes};
    form->Entfern3->click();
    expectLastMessage(QStringLiteral("Ungültiger Eingabewert"), QStringLiteral("Eingabefehler"));

    searchFor(QStringLiteral("KnotenNr.:"), QStringLiteral("77"));
    form->Suche3->click();
    expectLastMessage(QStringLiteral("Kein Knoten mit dieser Nummer vorhanden"),
                      QStringLiteral("Suche"));
    EXPECT_EQ(nodeEdits(), QStringList(7, QStringLiteral(" ")));
}

TEST_F(TablePages, KnotnumButtonShowsTheGeneralErrorForABlankNodeCell) {
    typePipe({"1", "1", "5", " ", "1", "1", "1", "0"});
    form->StringGrid3->setCell(1, 1, QStringLiteral("4"));
    form->knotnum3->click();
    expectLastMessage(QStringLiteral("' ' ist kein gültiger Integerwert"), QStringLiteral("KOLMA"));
    EXPECT_EQ(form->StringGrid3->cell(1, 1), QStringLiteral("4"));
}

}  // namespace
}  // namespace kolma
