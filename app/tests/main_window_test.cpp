// The main window: start-up state, the window states and their buttons and menu items, the
// text editor's open and save, the typed-key filters of its edits, the table pages and the
// settings dialog, and end to end as a user drives it: typing a network, saving, computing,
// drawing a section, importing.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <memory>

#include "German.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm11.h"
#include "TForm2.h"
#include "TForm3.h"
#include "TForm5.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;
using Flags = std::vector<bool>;
using Edits = std::vector<QLineEdit*>;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : form(createStartupWindows().Form1) {
        startupMessages = dialogs.messages;
        dialogs.messages.clear();
    }

    // Toolbar buttons 1 to 4 and the two save menu items, as enabled flags.
    Flags fileButtons() const {
        return {form->ToolButton1->isEnabled(), form->ToolButton2->isEnabled(),
                form->ToolButton3->isEnabled(), form->ToolButton4->isEnabled()};
    }
    Flags saveItems() const {
        return {form->Speichern1->isEnabled(), form->SpeichernUnter1->isEnabled()};
    }
    bool tablesShown() const { return !form->PageControl1->isHidden(); }
    bool editorShown() const { return !form->RichEdit1->isHidden(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString lastModal() const {
        return dialogs.modalWindows.empty() ? QString() : dialogs.modalWindows.back();
    }

    static void type(QLineEdit* edit, const QString& text) {
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void typeLine(const Edits& edits, const QStringList& texts, QPushButton* add) {
        for (std::size_t i = 0; i < edits.size(); ++i)
            type(edits[i], texts[int(i)]);
        add->click();
    }
    // Three pipes in a chain from the reservoir node 10; node numbers from "Knotnum akt.".
    void typeChain() {
        const Edits pipe = {form->Edit1, form->Edit2, form->Edit3, form->Edit4,
                            form->Edit5, form->Edit6, form->Edit7};
        typeLine(pipe, {"1", "1", "10", "20", "250", "150", "0,1"}, form->Hinzu1);
        typeLine(pipe, {"2", "2", "20", "30", "180,5", "100", "0,1"}, form->Hinzu1);
        typeLine(pipe, {"3", "3", "30", "40", "120", "80", "0,1"}, form->Hinzu1);
        form->knotnum3->click();
        for (int row = 1; row <= 4; ++row)
            EXPECT_EQ(form->StringGrid3->table().cell(1, row), QString::number(10 * row));
        const Edits node = {form->Zeil3,    form->Knotnum, form->Druck,
                            form->Entnahme, form->GOK,     form->RS};
        typeLine(node, {"1", "10", "120", "", "105", "103,5"}, form->Hinzu3);
        typeLine(node, {"2", "20", "", "2,5", "104", "102,5"}, form->Hinzu3);
        typeLine(node, {"3", "30", "", "1,5", "103", "101,5"}, form->Hinzu3);
        typeLine(node, {"4", "40", "", "0,8", "108", "106,5"}, form->Hinzu3);
    }

    ScriptedDialogs dialogs;
    testing::WorkingDirectory dir;  // a new project directory: no "ausgabe.aus"
    std::vector<MessageRequest> startupMessages;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindow, StartsInTableInputWithDefaults) {
    EXPECT_EQ(form->objectName(), "Form1");
    EXPECT_EQ(form->windowTitle(), "KOLMA");
    EXPECT_EQ(form->size(), QSize(770, 540));
    EXPECT_TRUE(tablesShown());
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(fileButtons(), (Flags{true, true, false, true}));
    EXPECT_EQ(saveItems(), (Flags{false, false}));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->AktuelleDatei(), "Unbenannt.ein");
    EXPECT_EQ(form->statusLine(), "Unbenannt.ein");
    EXPECT_EQ(form->nue->text(), "1,305");
    EXPECT_EQ(form->iter->text(), "1000");
    EXPECT_TRUE(form->nue->isHidden());
    EXPECT_EQ(form->StringGrid1->table().cell(1, 0), "Strangnr.");
    EXPECT_EQ(form->StringGrid3->table().cell(0, 1000), "1000");
    EXPECT_TRUE(form->helpFile().endsWith("/Texteditor.hlp"));
    // The report viewer's start-up instance finds no report in a new directory and says so once.
    ASSERT_EQ(startupMessages.size(), 1u);
    EXPECT_TRUE(startupMessages[0].text.contains("ausgabe.aus"));
    EXPECT_EQ(startupMessages[0].icon, BoxIcon::Error);
}

TEST_F(MainWindow, ControlsCarryTheirNamesCaptionsAndInitialTexts) {
    const QString names =
        "StringGrid1 StringGrid2 StringGrid3 PageControl1 TabSheet1 TabSheet2 TabSheet3 RichEdit1 "
        "StatusBar1 ToolBar1 ToolButton1 ToolButton14 Projekt2 ToolButton10 Neu1 ffnen1 Speichern1 "
        "SpeichernUnter1 Beenden1 Eingabe1 Projekt1 Einstelungen1 Berechnung1 Ausschneiden1 "
        "Kopieren1 Einfgen1 Lngsschnitt1 Info1 h1 h8 Q1 Q8 Zeil3 Knotnum Druck Zugabe Entnahme GOK "
        "RS nue iter Hinzu1 Entfern1 Suche1 Weiter1 Abbrechen1 Verluste Durchmesser Hinzu2 "
        "Entfern2 Suche2 Weiter2 Abbrechen2 Button1 Button2 Hinzu3 Entfern3 knotnum3 Suche3 "
        "Fertigstellen Abbrechen3";
    for (const QString& name : names.split(' '))
        EXPECT_NE(form->findChild<QObject*>(name), nullptr) << name.toStdString();
    EXPECT_EQ(form->PageControl1->tabText(1), "Pumpe");
    EXPECT_EQ(form->Neu1->text(), "&Editor öffnen");
    EXPECT_EQ(form->Speichern1->text(), "Speichern");
    EXPECT_EQ(form->Eingabe1->text(), "Projekt anlegen");
    EXPECT_EQ(form->ToolButton12->toolTip(), "Neues Projekt");
    EXPECT_EQ(form->ToolButton1->toolTip(), "Datei öffnen");
    EXPECT_EQ(form->Fertigstellen->toolTip(), "Eingabedaten werden gespeichert");
    const QStringList initial = {"", " ", "", "0,00", " ", " ", ""};
    const Edits edits = {form->Edit1, form->Edit2, form->Edit7, form->Edit12,
                         form->Edit9, form->Q[7],  form->RS};
    for (std::size_t i = 0; i < edits.size(); ++i)
        EXPECT_EQ(edits[i]->text(), initial[int(i)]) << edits[i]->objectName().toStdString();
    EXPECT_EQ(form->RichEdit1->font().pixelSize(), 16);
    EXPECT_EQ(form->RichEdit1->palette().color(QPalette::Base), QColor(1, 118, 156));
    EXPECT_EQ(form->RichEdit1->palette().color(QPalette::Text), QColor(237, 233, 143));
}

TEST_F(MainWindow, EditorOpenShowsAnEmptyUntitledEditor) {
    form->RichEdit1->setPlainText("alt");
    form->Neu1->trigger();
    EXPECT_TRUE(editorShown());
    EXPECT_FALSE(tablesShown());
    EXPECT_EQ(saveItems(), (Flags{true, true}));
    EXPECT_EQ(fileButtons(), (Flags{true, true, true, true}));
    EXPECT_TRUE(form->RichEdit1->toPlainText().isEmpty());
    EXPECT_EQ(form->statusLine(), "Unbenannt.aus");
}

TEST_F(MainWindow, NewProjectLocksTheFileButtonsAndResetsTheTables) {
    form->Neu1->trigger();
    form->StringGrid1->table().setCell(1, 1, "7");
    form->Edit2->setText("7");
    form->PageControl1->setCurrentIndex(2);
    form->Eingabe1->trigger();
    EXPECT_TRUE(tablesShown());
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(fileButtons(), (Flags{false, false, false, false}));
    EXPECT_EQ(saveItems(), (Flags{true, true}));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_TRUE(form->Neu1->isEnabled());
    EXPECT_EQ(form->statusLine(), "Unbenannt.ein");
    EXPECT_EQ(form->StringGrid1->table().cell(1, 1), " ");
    EXPECT_EQ(form->Edit2->text(), "7");
}

TEST_F(MainWindow, ConfirmedCancelOnEveryPageGoesIdle) {
    const QString noSave = "Wirklich abrechen?? Keine Speicherung der neuen Eingaben!";
    const struct {
        QPushButton* button;
        QString text;
        QString caption;
    } pages[] = {{form->Abbrechen1, noSave, "Abbrechen"},
                 {form->Abbrechen2, noSave, "Abbrechen"},
                 {form->Abbrechen3,
                  "Wirklich abrechen?? Speicherung der neuen Eingaben nur wenn vorher "
                  "Fertigstellen gedrückt wurde!",
                  "Beenden"}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.caption.toStdString());
        form->Eingabe1->trigger();
        form->StringGrid2->table().setCell(1, 1, "P");
        dialogs.messageAnswers = {QMessageBox::No, QMessageBox::Cancel};
        page.button->click();
        page.button->click();
        EXPECT_TRUE(tablesShown());
        EXPECT_EQ(fileButtons(), (Flags{false, false, false, false}));
        dialogs.messageAnswers = {QMessageBox::Yes};
        page.button->click();
        EXPECT_FALSE(tablesShown());
        EXPECT_FALSE(editorShown());
        EXPECT_EQ(fileButtons(), (Flags{true, true, true, true}));
        EXPECT_EQ(form->StringGrid2->table().cell(1, 1), "P");
        const MessageRequest& asked = dialogs.messages.back();
        EXPECT_EQ(asked.text, page.text);
        EXPECT_EQ(asked.caption, page.caption);
        EXPECT_EQ(asked.icon, BoxIcon::Question);
        EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(asked.defaultButton, QMessageBox::No);
    }
}

TEST_F(MainWindow, SaveAfterEditorOpenAsksForANameThenKeepsIt) {
    form->Neu1->trigger();
    form->RichEdit1->setPlainText("Zeile ä\nzwei");
    dialogs.fileAnswers = {std::nullopt};
    form->Speichern1->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileRequest& request = dialogs.fileRequests[0];
    EXPECT_EQ(request.title, "Speichern unter");
    EXPECT_EQ(request.filter, "Ausgabedateien|*.aus");
    EXPECT_EQ(request.fileName, "Unbenannt.aus");
    EXPECT_EQ(request.directory, QString());
    EXPECT_EQ(request.defaultExtension, "aus");
    EXPECT_EQ(form->AktuelleDatei(), "Unbenannt.aus");

    dialogs.fileAnswers = {path("bericht.aus")};
    form->ToolButton3->click();
    EXPECT_EQ(dir.read("bericht.aus"), QByteArray("Zeile \xc3\xa4\nzwei"));
    EXPECT_EQ(form->statusLine(), path("bericht.aus"));

    form->RichEdit1->setPlainText("neu");
    form->Speichern1->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dir.read("bericht.aus"), QByteArray("neu"));

    dialogs.fileAnswers = {std::nullopt};
    form->SpeichernUnter1->trigger();
    EXPECT_EQ(dialogs.fileRequests.back().directory, dir.path());
    EXPECT_EQ(dialogs.fileRequests.back().fileName, path("bericht.aus"));
}

TEST_F(MainWindow, EditFileLoadsUtf8AndOlderWindowsFilesAndSavesWithoutAsking) {
    dir.write("alt.aus",
              "Gr\xf6\xdf"
              "e \x80\r\nLänge");
    dialogs.fileAnswers = {std::nullopt};
    form->ffnen1->trigger();
    EXPECT_TRUE(tablesShown());
    EXPECT_EQ(saveItems(), (Flags{false, false}));
    const FileRequest& request = dialogs.fileRequests.back();
    EXPECT_EQ(request.title, "Datei öffnen");
    EXPECT_EQ(request.filter,
              "Ausgabedateien|*.aus|Eingabedateien|*.ein|Datendateien|*.dat|RichText|*.rtf");
    EXPECT_EQ(request.defaultExtension, "aus");

    dialogs.fileAnswers = {path("alt.aus")};
    form->ToolButton1->click();
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(saveItems(), (Flags{true, true}));
    EXPECT_TRUE(form->ToolButton3->isEnabled());
    // Invalid UTF-8 is read as Windows-1252; the "ä" written as UTF-8 bytes is then two characters.
    EXPECT_EQ(form->RichEdit1->toPlainText(), "Größe €\nLÃ¤nge");
    EXPECT_EQ(form->statusLine(), path("alt.aus"));

    dir.write("neu.ein",
              "3 1,305 1000\r\nStra\xc3\x9f"
              "e\r\n");
    dialogs.fileAnswers = {path("neu.ein")};
    form->ffnen1->trigger();
    EXPECT_EQ(form->RichEdit1->toPlainText(), "3 1,305 1000\nStraße\n");
    form->RichEdit1->appendPlainText("x");
    form->Speichern1->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(dir.read("neu.ein"), QByteArray("3 1,305 1000\nStra\xc3\x9f"
                                              "e\n\nx"));
}

// A foreign file of one long line would freeze the editor's layout: it is shown in pieces,
// read-only, and saved with its own bytes; the next file is editable again.
TEST_F(MainWindow, FileWithOverlongLinesIsShownSplitAndSavedUnchanged) {
    const QByteArray bytes = "Kopf\r\n" + QByteArray(25000, '7') + "\r\nEnde";
    dir.write("lang.dat", bytes);
    dialogs.fileAnswers = {path("lang.dat")};
    form->ffnen1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains("mehr als 10000 Zeichen"));
    EXPECT_TRUE(form->RichEdit1->isReadOnly());
    EXPECT_EQ(form->RichEdit1->toPlainText().split('\n').size(), 1 + 25 + 1);
    form->Speichern1->trigger();
    EXPECT_EQ(dir.read("lang.dat"), bytes);

    dir.write("kurz.dat", "kurz\n");
    dialogs.fileAnswers = {path("kurz.dat")};
    form->ffnen1->trigger();
    EXPECT_FALSE(form->RichEdit1->isReadOnly());
    form->RichEdit1->appendPlainText("x");
    form->Speichern1->trigger();
    EXPECT_EQ(dir.read("kurz.dat"), QByteArray("kurz\n\nx"));
}

TEST_F(MainWindow, FileErrorsReachTheGeneralErrorHandler) {
    dialogs.fileAnswers = {path("fehlt.aus")};
    form->ffnen1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "KOLMA");
    EXPECT_TRUE(dialogs.messages[0].text.contains(path("fehlt.aus")));
    EXPECT_TRUE(editorShown());  // the steps before the failing one stay done
    EXPECT_EQ(form->AktuelleDatei(), "Unbenannt.ein");

    form->Neu1->trigger();
    dialogs.fileAnswers = {path("kein/Ordner/x.aus")};
    form->Speichern1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.contains("x.aus"));
    EXPECT_EQ(form->AktuelleDatei(), "Unbenannt.aus");
}

TEST_F(MainWindow, SaveNeverWritesTheUntitledProjectName) {
    form->Eingabe1->trigger();
    form->Speichern1->setEnabled(true);
    form->Speichern1->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(dir.exists("Unbenannt.ein"));
}

TEST_F(MainWindow, CutCopyPasteWorkOnTheFocusedEdit) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Edit5->setText("12,5");
    form->Edit5->setFocus();
    form->Edit5->selectAll();
    form->Kopieren1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), "12,5");
    form->Ausschneiden1->trigger();
    EXPECT_EQ(form->Edit5->text(), QString());
    form->GOK->setFocus();
    form->ToolButton8->click();
    EXPECT_EQ(form->GOK->text(), "12,5");
}

TEST_F(MainWindow, EditsFilterTypedKeysAndFollowTheTabOrder) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const struct {
        QLineEdit* edit;
        const char* keys;
        const char* shown;
    } typed[] = {{form->Edit5, "12.5", "125"},
                 {form->GOK, "-3", "3"},
                 {form->Edit9, "P 1", "P1"},
                 {form->Edit1, "x7", "7"}};
    for (const auto& t : typed) {
        type(t.edit, t.keys);
        EXPECT_EQ(t.edit->text(), t.shown) << t.edit->objectName().toStdString();
    }
    form->Edit2->setText("45");
    form->Edit2->setCursorPosition(2);
    QTest::keyClick(form->Edit2, Qt::Key_Backspace);
    EXPECT_EQ(form->Edit2->text(), "45");

    form->PageControl1->setCurrentWidget(form->TabSheet2);
    const std::pair<QLineEdit*, QWidget*> tabs[] = {
        {form->Edit11, form->h[0]}, {form->h[7], form->Q[0]}, {form->Q[7], form->Hinzu2}};
    for (const auto& [from, to] : tabs) {
        from->setFocus();
        QTest::keyClick(from, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), to) << from->objectName().toStdString();
    }
}

TEST_F(MainWindow, ExitClosesTheWindowWithoutAsking) {
    form->show();
    form->Neu1->trigger();
    form->RichEdit1->setPlainText("ungespeichert");
    form->Beenden1->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindow, ButtonsAndMenuItemsOpenTheirWindows) {
    form->Verluste->click();
    EXPECT_EQ(lastModal(), "Form6");
    form->Durchmesser->click();
    EXPECT_EQ(lastModal(), "Form8");
    form->Button2->click();
    EXPECT_EQ(lastModal(), "Form7");
    form->Einstelungen1->trigger();
    EXPECT_EQ(lastModal(), "Form11");
    form->Info1->trigger();
    EXPECT_EQ(lastModal(), "AboutBox1");

    form->Button1->click();  // "Kennlinie" with an empty edit line
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Es sollten mindestens drei Stützwerte eingegeben werden");
    for (int i = 0; i < 3; ++i) {
        form->Q[i]->setText(QString::number(10 * i));
        form->h[i]->setText(QString::number(40 - 5 * i));
    }
    form->Button1->click();
    EXPECT_EQ(lastModal(), "Form4");
}

TEST_F(MainWindow, TypedNetworkIsSavedComputedReportedAndDrawn) {
    typeChain();
    ASSERT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.toStdString();

    dialogs.fileAnswers.push_back(path("kette.ein"));
    form->Fertigstellen->click();
    const QByteArray saved = dir.read("eingabe.dat");
    EXPECT_TRUE(saved.startsWith("3\t1.305\t1000\t3\t4\t0\t1\n\n10\n20\n30\n40\n\n"));
    EXPECT_TRUE(saved.contains("2\t1\t2\t180.5\t100\t0.1\t0,00\t\n") ||
                saved.contains("2\t1\t2\t180.5\t100\t0.1\t0.00\t\n"));
    EXPECT_EQ(dir.read("kette.ein"), saved);
    EXPECT_TRUE(form->AktuelleDatei().endsWith("kette.ein"));

    QString report;
    dialogs.modalScripts.push_back([&report](QDialog& d) {
        report = static_cast<TForm5&>(d).RichEdit1->toPlainText();
        return int(QDialog::Rejected);
    });
    form->Action4->trigger();
    EXPECT_EQ(lastModal(), "Form5");
    EXPECT_TRUE(report.contains("kette.ein"));
    EXPECT_TRUE(report.contains("|  30-40  |       0.80|")) << report.toStdString();
    EXPECT_FALSE(report.contains("Grenzwert"));
    EXPECT_TRUE(dir.exists("graphein.dat"));

    // The section along 10-20-30-40: the sequence dialog hands its chain to the section window.
    QImage section;
    dialogs.modalScripts.push_back([&](QDialog& sequence) {
        for (const char* node : {"10", "20", "30", "40"}) {
            sequence.findChild<QLineEdit*>("Edit2")->setText(node);
            sequence.findChild<QPushButton*>("Button1")->click();
        }
        dialogs.modalScripts.push_back([&section](QDialog& window) {
            window.resize(949, 577);
            section = static_cast<TForm3&>(window).grab().toImage();
            return int(QDialog::Rejected);
        });
        sequence.findChild<QPushButton*>("Button3")->click();
        return int(QDialog::Rejected);
    });
    form->Action6->trigger();
    EXPECT_EQ(dialogs.modalWindows, std::vector<QString>({"Form5", "Form9", "Form3"}));
    EXPECT_FALSE(section.isNull());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text.toStdString();
}

TEST_F(MainWindow, EpanetNetworkIsImportedAndItsNodeOrderOptimised) {
    dir.write("netz.inp",
              "[JUNCTIONS]\n 3  95  2.0\n 2  96  1.0\n[RESERVOIRS]\n 1  120\n"
              "[PIPES]\n 11  1  2  300  150  0.1  0  Open\n 12  2  3  200  100  0.1  0  Open\n"
              "[OPTIONS]\n Units LPS\n Headloss D-W\n[END]\n");
    dialogs.fileAnswers.push_back(path("netz.inp"));
    form->EpanetImport1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "EPANET-Netz importieren");
    EXPECT_TRUE(form->AktuelleDatei().endsWith("netz.ein"));
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->StringGrid1->table().cell(1, 1), "11");
    QStringList heads;  // node number and known head of the three node rows
    for (int r = 1; r <= 3; ++r)
        heads << form->StringGrid3->table().cell(1, r) + QLatin1Char(':') +
                     form->StringGrid3->table().cell(2, r);
    EXPECT_TRUE(heads.contains("1:120")) << heads.join(' ').toStdString();

    form->Knotenreihenfolge1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].caption, "Knotenreihenfolge optimieren");
}

// The pages "Rohr", "Pumpe" and "Knoten" as the user drives them: buttons, questions, the
// search dialog and the edit-line refills.
class TablePages : public MainWindow {
protected:
    static void setTexts(const Edits& edits, const QStringList& texts) {
        for (std::size_t i = 0; i < edits.size(); ++i)
            edits[i]->setText(texts.value(int(i)));
    }
    static QStringList texts(const Edits& edits) {
        QStringList result;
        for (QLineEdit* edit : edits)
            result << edit->text();
        return result;
    }
    Edits pipeLine() const {
        return {form->Edit1, form->Edit2, form->Edit3, form->Edit4,
                form->Edit5, form->Edit6, form->Edit7, form->Edit12};
    }
    Edits pumpLine() const {
        Edits edits = {form->Edit8, form->Edit9, form->Edit10, form->Edit11};
        edits.insert(edits.end(), std::begin(form->h), std::end(form->h));
        edits.insert(edits.end(), std::begin(form->Q), std::end(form->Q));
        return edits;
    }
    Edits nodeLine() const {
        return {form->Zeil3,    form->Knotnum, form->Druck, form->Zugabe,
                form->Entnahme, form->GOK,     form->RS};
    }
    void typePipe(const QStringList& line) {
        setTexts(pipeLine(), line);
        form->Hinzu1->click();
    }
    // A pump line whose heads count down from seed * 10 and whose flows count up from seed.
    static QStringList pumpValues(const QString& block, const QString& type, const QString& start,
                                  const QString& end, int seed) {
        QStringList values = {block, type, start, end};
        for (int i = 0; i < kSupportPoints; ++i)
            values << QString::number(seed * 10 - i);
        for (int i = 0; i < kSupportPoints; ++i)
            values << QString::number(seed + i);
        return values;
    }
    void typePump(const QString& block, const QString& type, const QString& start,
                  const QString& end, int seed) {
        setTexts(pumpLine(), pumpValues(block, type, start, end, seed));
        form->Hinzu2->click();
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
    // Presses a remove button and confirms the question.
    void removeConfirmed(QPushButton* button) {
        dialogs.messageAnswers = {QMessageBox::Yes};
        button->click();
    }
};

TEST_F(TablePages, AddPipeStoresTheLineAndShowsCheckMessages) {
    typePipe({"250", "17", "3", "4", "12,5", "100", "0,1", "0,00"});
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(form->StringGrid1->table().cell(1, 250), "17");
    EXPECT_EQ(form->StringGrid1->table().cell(7, 250), "0,00");
    EXPECT_EQ(texts(pipeLine()),
              QStringList({"250", "17", "3", "4", "12,5", "100", "0,1", "0,00"}));

    typePipe({"1001", "1", "2", "3", "4", "5", "6", "7"});
    expectLastMessage("Die Anzahl der Rohre soll zwischen 1 und 200 liegen", "Eingabefehler");
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(TablePages, RemovePipeAsksShiftsAndRefillsTheEditLineOrRefusesRowsOutside) {
    for (int row = 1; row <= 3; ++row)
        typePipe({QString::number(row), QString::number(row * 10), "1", "2", "5", "100", "0,1",
                  QString::number(row)});
    form->Edit1->setText("2");
    dialogs.messageAnswers = {QMessageBox::No};
    form->Entfern1->click();
    EXPECT_EQ(form->StringGrid1->table().cell(1, 2), "20");

    removeConfirmed(form->Entfern1);
    expectLastMessage("Datensatz wirklich löschen?", "Zeile entfernen", BoxIcon::Question);
    EXPECT_EQ(form->StringGrid1->table().cell(1, 2), "30");
    EXPECT_EQ(form->StringGrid1->table().cell(1, 3), " ");
    EXPECT_EQ(texts(pipeLine()), QStringList({"2", "30", "1", "2", "5", "100", "0,1", "3"}));

    for (const char* row : {"1001", "-2"}) {
        form->Edit1->setText(row);
        removeConfirmed(form->Entfern1);
        expectLastMessage("Die Anzahl der Rohre soll zwischen 1 und 200 liegen", "Eingabefehler");
        EXPECT_EQ(form->Edit2->text(), "30") << row;
    }
    form->Edit1->setText(" ");
    removeConfirmed(form->Entfern1);
    expectLastMessage("' ' ist kein gültiger Integerwert", "KOLMA");
    EXPECT_EQ(form->StringGrid1->table().cell(1, 1), "10");
    EXPECT_EQ(form->StringGrid1->table().cell(1, 0), "Strangnr.");
}

TEST_F(TablePages, SearchPipeFillsTheLineOrBlanksItAfterAMiss) {
    typePipe({"4", "7", "1", "2", "5", "100", "0,1", "1,5"});
    typePipe({"6", "7", "8", "9", "6", "200", "0,2", "2,5"});
    setTexts({form->Edit1, form->Edit3, form->Edit12}, {"", "", ""});
    searchFor("StrangNr.:", "7");
    form->Suche1->click();
    EXPECT_EQ(texts(pipeLine()), QStringList({"4", "7", "1", "2", "5", "100", "0,1", "1,5"}));
    EXPECT_TRUE(dialogs.messages.empty());

    for (const char* missing : {"8", "0", ""}) {
        searchFor("StrangNr.:", missing);
        form->Suche1->click();
        expectLastMessage("Kein Strang mit dieser Nummer vorhanden", "Suche");
        EXPECT_EQ(texts(pipeLine()), QStringList({" ", " ", " ", " ", " ", " ", " ", "1,5"}))
            << missing;
    }

    form->Edit2->setText("x");
    form->Suche1->click();  // unscripted: the dialog is cancelled
    EXPECT_EQ(form->Edit2->text(), "x");
    EXPECT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.modalWindows.back(), "Form2");
}

TEST_F(TablePages, SearchDialogCopiesIntoTheEditItsLabelNames) {
    TForm2 search(form.get());
    EXPECT_EQ(search.windowTitle(), "Suche");
    search.Label1->setText("PumpenNr.:");
    search.Edit1->setText("12a");
    search.OK2->click();
    EXPECT_EQ(search.result(), QDialog::Accepted);
    EXPECT_EQ(form->Edit9->text(), "12a");
    search.Label1->setText("StrangNr.:");
    search.Edit1->setText("3");
    search.Abbrechen2->click();
    EXPECT_EQ(search.result(), QDialog::Rejected);
    EXPECT_EQ(form->Edit2->text(), " ");
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
    form->Edit8->setText("2");
    removeConfirmed(form->Entfern2);
    EXPECT_EQ(form->StringGrid2->table().cell(1, 4), "300");
    EXPECT_EQ(form->StringGrid2->table().cell(1, 7), " ");
    EXPECT_EQ(texts(pumpLine()), pumpValues("2", "300", "3", "4", 7));

    form->Edit8->setText("35");
    removeConfirmed(form->Entfern2);
    expectLastMessage("Die Pumpentabelle fasst nur 34 Pumpen", "Eingabefehler");
    EXPECT_EQ(form->Edit9->text(), "300");
}

TEST_F(TablePages, SearchPumpFindsTheFirstBlockAndBlanksTheLineAfterAMiss) {
    typePump("3", "12a", "5", "6", 2);
    typePump("2", "12a", "7", "8", 9);
    typePump("1", "KSB", "1", "2", 4);
    searchFor("PumpenNr.:", "12a");
    form->Suche2->click();
    EXPECT_EQ(texts(pumpLine()), pumpValues("2", "12a", "7", "8", 9));

    searchFor("PumpenNr.:", "KSB");
    form->Suche2->click();
    expectLastMessage("Keine Pumpe mit dieser Nummer vorhanden", "Suche");
    EXPECT_EQ(texts(pumpLine()), QStringList(20, " "));
}

TEST_F(TablePages, NodePageAddsRemovesAndSearches) {
    setTexts(nodeLine(), {"1000", "0", "", "1,5", "", "100", "98"});
    form->Hinzu3->click();
    EXPECT_TRUE(dialogs.messages.empty());
    form->Zeil3->setText("1001");
    form->Hinzu3->click();
    expectLastMessage("Die Anzahl der Knoten soll zwischen 1 und 2000 liegen", "Eingabefehler");

    setTexts({form->Zeil3, form->Knotnum}, {"", ""});
    searchFor("KnotenNr.:", "0");
    form->Suche3->click();
    EXPECT_EQ(texts(nodeLine()), QStringList({"1000", "0", "", "1,5", "", "100", "98"}));

    setTexts({form->Zeil3, form->Knotnum}, {"999", "5"});
    form->Hinzu3->click();
    form->Zeil3->setText("999");
    removeConfirmed(form->Entfern3);
    EXPECT_EQ(texts(nodeLine()), QStringList({"999", "0", "", "1,5", "", "100", "98"}));
    EXPECT_EQ(form->StringGrid3->table().cell(1, 1000), QString());

    form->Zeil3->setText("0");
    removeConfirmed(form->Entfern3);
    expectLastMessage("Ungültiger Eingabewert", "Eingabefehler");

    searchFor("KnotenNr.:", "77");
    form->Suche3->click();
    expectLastMessage("Kein Knoten mit dieser Nummer vorhanden", "Suche");
    EXPECT_EQ(texts(nodeLine()), QStringList(7, " "));
}

TEST_F(TablePages, KnotnumButtonShowsTheGeneralErrorForABlankNodeCell) {
    typePipe({"1", "1", "5", " ", "1", "1", "1", "0"});
    form->StringGrid3->table().setCell(1, 1, "4");
    form->knotnum3->click();
    expectLastMessage("' ' ist kein gültiger Integerwert", "KOLMA");
    EXPECT_EQ(form->StringGrid3->table().cell(1, 1), "4");
}

struct Settings : ::testing::Test {
    QLineEdit nue{"1,305"};
    QLineEdit iter{"1000"};
    TForm11 dialog{&nue, &iter};
};

TEST_F(Settings, DialogShowsTheSettingsAndOkTakesTheTypedTextsUnchecked) {
    EXPECT_EQ(dialog.windowTitle(), "Einstellungen");
    EXPECT_EQ(dialog.Label1->text(), "kin. Viskosität :");
    EXPECT_EQ(dialog.Label2->text(), "Max. Anzahl Iterationen :");
    EXPECT_EQ(dialog.Edit1->text(), "1,305");
    EXPECT_EQ(dialog.Edit2->text(), "1000");
    dialog.Edit1->clear();
    dialog.Edit2->clear();
    QTest::keyClicks(dialog.Edit1, "abc");
    QTest::keyClicks(dialog.Edit2, "25x");
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(nue.text(), "abc");
    EXPECT_EQ(iter.text(), "25x");
}

TEST_F(Settings, ClosingWithoutOkLeavesBothSettings) {
    dialog.Edit1->setText("2,0");
    dialog.Edit2->setText("10");
    dialog.reject();
    EXPECT_EQ(nue.text(), "1,305");
    EXPECT_EQ(iter.text(), "1000");
}

TEST(German, QtStandardButtonsAndNumbersAreGerman) {
    QTranslator translations;
    ASSERT_TRUE(useGerman(translations));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
    EXPECT_EQ(QLocale().toString(1.5), "1,5");
    QCoreApplication::removeTranslator(&translations);
}

// A handler's modal window lives on the handler's stack; closing the main window under it (a
// session ending, a script) must leave the window alive until the handler has returned, and the
// program must then end normally. The real dialog seam runs real event loops here.
TEST(Startup, MainWindowClosedUnderARunningModalWindowOutlivesIt) {
    testing::WorkingDirectory dir;
    dir.write("ausgabe.aus", "Bericht\n");  // a quiet start-up: no message box to answer
    QTimer::singleShot(0, [] {
        TForm1* main = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<TForm1*>(w))
                main = form;
        ASSERT_NE(main, nullptr);
        QTimer::singleShot(0, main, &TForm1::close);
        QTimer::singleShot(50, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        main->Einstelungen1->trigger();  // runs the settings dialog until the timer closes it
    });
    EXPECT_EQ(runKolma(), 0);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

}  // namespace
}  // namespace kolma
