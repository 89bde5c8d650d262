// The main window: start-up state, the window states and their buttons and menu items, the
// text editor's open and save, help and info, and the typed-key filters of its edits.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTranslator>
#include <memory>

#include "German.h"
#include "HelpWindow.h"
#include "ScriptedDialogs.h"
#include "StartupWindows.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;

class MainWindow : public ::testing::Test {
protected:
    MainWindow() : windows(createStartupWindows()), form(windows.Form1) {
        startupMessages = dialogs.messages;
        dialogs.messages.clear();
    }

    // Toolbar buttons 1 to 4 and the two save menu items, as enabled flags.
    std::vector<bool> fileButtons() const {
        return {form->ToolButton1->isEnabled(), form->ToolButton2->isEnabled(),
                form->ToolButton3->isEnabled(), form->ToolButton4->isEnabled()};
    }
    std::vector<bool> saveItems() const {
        return {form->Speichern1->isEnabled(), form->SpeichernUnter1->isEnabled()};
    }
    bool tablesShown() const { return !form->PageControl1->isHidden(); }
    bool editorShown() const { return !form->RichEdit1->isHidden(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray fileBytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    testing::WorkingDirectory workingDirectory;  // a new project directory: no "ausgabe.aus"
    std::vector<MessageRequest> startupMessages;
    StartupWindows windows;
    std::unique_ptr<TForm1> form;
};

TEST_F(MainWindow, StartsInTableInputWithDefaults) {
    EXPECT_EQ(form->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("KOLMA"));
    EXPECT_EQ(form->size(), QSize(770, 540));
    EXPECT_TRUE(tablesShown());
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(fileButtons(), (std::vector<bool>{true, true, false, true}));
    EXPECT_EQ(saveItems(), (std::vector<bool>{false, false}));
    EXPECT_EQ(form->AktuelleDatei(), QStringLiteral("Unbenannt.ein"));
    EXPECT_EQ(form->statusLine(), QStringLiteral("Unbenannt.ein"));
    EXPECT_EQ(form->nue->text(), QStringLiteral("1,305"));
    EXPECT_EQ(form->iter->text(), QStringLiteral("1000"));
    EXPECT_TRUE(form->nue->isHidden());
    EXPECT_EQ(form->StringGrid1->cell(1, 0), QStringLiteral("Strangnr."));
    EXPECT_EQ(form->StringGrid3->cell(0, 1000), QStringLiteral("1000"));
    EXPECT_TRUE(form->helpFile().endsWith(QStringLiteral("/Texteditor.hlp")));
    // The report viewer's start-up instance finds no report in a new directory and says so once.
    ASSERT_EQ(startupMessages.size(), 1u);
    EXPECT_TRUE(startupMessages[0].text.contains(QStringLiteral("ausgabe.aus")));
    EXPECT_EQ(startupMessages[0].icon, BoxIcon::Error);
}

TEST_F(MainWindow, ControlsCarryTheirNamesCaptionsAndInitialTexts) {
    for (const char* name : {"StringGrid1",  "StringGrid2",
                             "StringGrid3",  "PageControl1",
                             "TabSheet1",    "TabSheet2",
                             "TabSheet3",    "RichEdit1",
                             "StatusBar1",   "ToolBar1",
                             "ToolButton1",  "ToolButton14",
                             "Projekt2",     "ToolButton10",
                             "Neu1",         "ffnen1",
                             "Speichern1",   "SpeichernUnter1",
                             "Beenden1",     "Eingabe1",
                             "Projekt1",     "Einstelungen1",
                             "Berechnung1",  "Ausschneiden1",
                             "Kopieren1",    "Einfgen1",
                             "Lngsschnitt1", "Info1",
                             "h1",           "h8",
                             "Q1",           "Q8",
                             "Zeil3",        "Knotnum",
                             "Druck",        "Zugabe",
                             "Entnahme",     "GOK",
                             "RS",           "nue",
                             "iter",         "Hinzu1",
                             "Entfern1",     "Suche1",
                             "Weiter1",      "Abbrechen1",
                             "Verluste",     "Durchmesser",
                             "Hinzu2",       "Entfern2",
                             "Suche2",       "Weiter2",
                             "Abbrechen2",   "Button1",
                             "Button2",      "Hinzu3",
                             "Entfern3",     "knotnum3",
                             "Suche3",       "Fertigstellen",
                             "Abbrechen3"})
        EXPECT_NE(form->findChild<QObject*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(form->PageControl1->tabText(1), QStringLiteral("Pumpe"));
    EXPECT_EQ(form->Neu1->text(), QStringLiteral("&Editor öffnen"));
    EXPECT_EQ(form->Speichern1->text(), QStringLiteral("Speichern"));
    EXPECT_EQ(form->Eingabe1->text(), QStringLiteral("Projekt anlegen"));
    EXPECT_EQ(form->ToolButton12->toolTip(), QStringLiteral("Neues Projekt"));
    EXPECT_EQ(form->ToolButton1->toolTip(), QStringLiteral("Datei öffnen"));
    EXPECT_EQ(form->Fertigstellen->toolTip(), QStringLiteral("Eingabedaten werden gespeichert"));
    EXPECT_EQ(form->Edit1->text(), QString());
    EXPECT_EQ(form->Edit2->text(), QStringLiteral(" "));
    EXPECT_EQ(form->Edit7->text(), QString());
    EXPECT_EQ(form->Edit12->text(), QStringLiteral("0,00"));
    EXPECT_EQ(form->Edit9->text(), QStringLiteral(" "));
    EXPECT_EQ(form->Q[7]->text(), QStringLiteral(" "));
    EXPECT_EQ(form->RS->text(), QString());
    EXPECT_EQ(form->RichEdit1->font().pixelSize(), 16);
    EXPECT_EQ(form->RichEdit1->palette().color(QPalette::Base), QColor(1, 118, 156));
    EXPECT_EQ(form->RichEdit1->palette().color(QPalette::Text), QColor(237, 233, 143));
}

TEST_F(MainWindow, EditorOpenShowsAnEmptyUntitledEditor) {
    form->RichEdit1->setPlainText(QStringLiteral("alt"));
    form->Neu1->trigger();
    EXPECT_TRUE(editorShown());
    EXPECT_FALSE(tablesShown());
    EXPECT_TRUE(form->RichEdit1->toPlainText().isEmpty());
    EXPECT_EQ(saveItems(), (std::vector<bool>{true, true}));
    EXPECT_EQ(fileButtons(), (std::vector<bool>{true, true, true, true}));
    EXPECT_EQ(form->statusLine(), QStringLiteral("Unbenannt.aus"));
}

TEST_F(MainWindow, NewProjectLocksTheFileButtonsAndResetsTheTables) {
    form->Neu1->trigger();
    form->StringGrid1->setCell(1, 1, QStringLiteral("7"));
    form->Edit2->setText(QStringLiteral("7"));
    form->PageControl1->setCurrentIndex(2);
    form->Eingabe1->trigger();
    EXPECT_TRUE(tablesShown());
    EXPECT_FALSE(editorShown());
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(fileButtons(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(saveItems(), (std::vector<bool>{true, true}));
    EXPECT_TRUE(form->Neu1->isEnabled());
    EXPECT_EQ(form->statusLine(), QStringLiteral("Unbenannt.ein"));
    EXPECT_EQ(form->StringGrid1->cell(1, 1), QStringLiteral(" "));
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("7"));
}

TEST_F(MainWindow, ConfirmedCancelOnEveryPageGoesIdle) {
    struct Page {
        QPushButton* button;
        const char* text;
        const char* caption;
    };
    const Page pages[] = {
        {form->Abbrechen1, "Wirklich abrechen?? Keine Speicherung der neuen Eingaben!",
         "Abbrechen"},
        {form->Abbrechen2, "Wirklich abrechen?? Keine Speicherung der neuen Eingaben!",
         "Abbrechen"},
        {form->Abbrechen3,
         "Wirklich abrechen?? Speicherung der neuen Eingaben nur wenn vorher Fertigstellen "
         "gedrückt wurde!",
         "Beenden"}};
    for (const Page& page : pages) {
        form->Eingabe1->trigger();
        form->StringGrid2->setCell(1, 1, QStringLiteral("P"));
        dialogs.messageAnswers = {QMessageBox::No, QMessageBox::Cancel};
        page.button->click();
        page.button->click();
        EXPECT_TRUE(tablesShown()) << page.caption;
        EXPECT_EQ(fileButtons(), (std::vector<bool>{false, false, false, false}));
        dialogs.messageAnswers = {QMessageBox::Yes};
        page.button->click();
        EXPECT_FALSE(tablesShown());
        EXPECT_FALSE(editorShown());
        EXPECT_EQ(fileButtons(), (std::vector<bool>{true, true, true, true}));
        EXPECT_EQ(form->StringGrid2->cell(1, 1), QStringLiteral("P"));
        const MessageRequest& asked = dialogs.messages.back();
        EXPECT_EQ(asked.text, QString::fromUtf8(page.text));
        EXPECT_EQ(asked.caption, QString::fromUtf8(page.caption));
        EXPECT_EQ(asked.icon, BoxIcon::Question);
        EXPECT_EQ(asked.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(asked.defaultButton, QMessageBox::No);
    }
}

TEST_F(MainWindow, SaveAfterEditorOpenAsksForANameThenKeepsIt) {
    form->Neu1->trigger();
    form->RichEdit1->setPlainText(QStringLiteral("Zeile ä\nzwei"));
    dialogs.fileAnswers = {std::nullopt};
    form->Speichern1->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileRequest& request = dialogs.fileRequests[0];
    EXPECT_EQ(request.title, QStringLiteral("Speichern unter"));
    EXPECT_EQ(request.filter, QStringLiteral("Ausgabedateien|*.aus"));
    EXPECT_EQ(request.fileName, QStringLiteral("Unbenannt.aus"));
    EXPECT_EQ(request.directory, QString());
    EXPECT_EQ(request.defaultExtension, QStringLiteral("aus"));
    EXPECT_EQ(form->AktuelleDatei(), QStringLiteral("Unbenannt.aus"));

    dialogs.fileAnswers = {path(QStringLiteral("bericht.aus"))};
    form->ToolButton3->click();
    EXPECT_EQ(fileBytes(QStringLiteral("bericht.aus")), QByteArray("Zeile \xc3\xa4\nzwei"));
    EXPECT_EQ(form->statusLine(), path(QStringLiteral("bericht.aus")));

    form->RichEdit1->setPlainText(QStringLiteral("neu"));
    form->Speichern1->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(fileBytes(QStringLiteral("bericht.aus")), QByteArray("neu"));

    dialogs.fileAnswers = {std::nullopt};
    form->SpeichernUnter1->trigger();
    EXPECT_EQ(dialogs.fileRequests.back().directory, dir.path());
    EXPECT_EQ(dialogs.fileRequests.back().fileName, path(QStringLiteral("bericht.aus")));
}

TEST_F(MainWindow, EditFileLoadsUtf8AndOlderWindowsFilesAndSavesWithoutAsking) {
    writeBytes(QStringLiteral("alt.aus"), QByteArray("Gr\xf6\xdf"
                                                     "e \x80\r\nLänge"));
    dialogs.fileAnswers = {std::nullopt};
    form->ffnen1->trigger();
    EXPECT_TRUE(tablesShown());
    EXPECT_EQ(saveItems(), (std::vector<bool>{false, false}));
    const FileRequest& request = dialogs.fileRequests.back();
    EXPECT_EQ(request.title, QStringLiteral("Datei öffnen"));
    EXPECT_EQ(request.filter,
              QStringLiteral(
                  "Ausgabedateien|*.aus|Eingabedateien|*.ein|Datendateien|*.dat|RichText|*.rtf"));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("aus"));

    dialogs.fileAnswers = {path(QStringLiteral("alt.aus"))};
    form->ToolButton1->click();
    EXPECT_TRUE(editorShown());
    EXPECT_EQ(saveItems(), (std::vector<bool>{true, true}));
    EXPECT_TRUE(form->ToolButton3->isEnabled());
    // Invalid UTF-8 is read as Windows-1252; the "ä" written as UTF-8 bytes is then two characters.
    EXPECT_EQ(form->RichEdit1->toPlainText(), QString::fromUtf8("Größe €\nLÃ¤nge"));
    EXPECT_EQ(form->statusLine(), path(QStringLiteral("alt.aus")));

    writeBytes(QStringLiteral("neu.ein"), QByteArray("3 1,305 1000\r\nStra\xc3\x9f"
                                                     "e\r\n"));
    dialogs.fileAnswers = {path(QStringLiteral("neu.ein"))};
    form->ffnen1->trigger();
    EXPECT_EQ(form->RichEdit1->toPlainText(), QString::fromUtf8("3 1,305 1000\nStraße\n"));
    form->RichEdit1->appendPlainText(QStringLiteral("x"));
    form->Speichern1->trigger();
    EXPECT_EQ(dialogs.fileRequests.size(), 3u);
    EXPECT_EQ(fileBytes(QStringLiteral("neu.ein")), QByteArray("3 1,305 1000\nStra\xc3\x9f"
                                                               "e\n\nx"));
}

TEST_F(MainWindow, FileErrorsReachTheGeneralErrorHandler) {
    dialogs.fileAnswers = {path(QStringLiteral("fehlt.aus"))};
    form->ffnen1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("KOLMA"));
    EXPECT_TRUE(dialogs.messages[0].text.contains(path(QStringLiteral("fehlt.aus"))));
    EXPECT_TRUE(editorShown());  // the steps before the failing one stay done
    EXPECT_EQ(form->AktuelleDatei(), QStringLiteral("Unbenannt.ein"));

    form->Neu1->trigger();
    dialogs.fileAnswers = {path(QStringLiteral("kein/Ordner/x.aus"))};
    form->Speichern1->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("x.aus")));
    EXPECT_EQ(form->AktuelleDatei(), QStringLiteral("Unbenannt.aus"));
}

TEST_F(MainWindow, SaveNeverWritesTheUntitledProjectName) {
    form->Eingabe1->trigger();
    form->Speichern1->setEnabled(true);
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    form->Speichern1->trigger();
    QDir::setCurrent(old);
    EXPECT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Unbenannt.ein"))));
}

TEST_F(MainWindow, HelpSwitchesToTheManualOfTheCurrentDirectory) {
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    writeBytes(QStringLiteral("KOLMAHELP.hlp"),
               "<html><body><h1>Inhalt</h1><p>Tabellen</p></body></html>");
    QString shown;
    dialogs.modalScripts.push_back([&shown](QDialog& d) {
        shown = d.findChild<QTextBrowser*>()->toPlainText();
        return int(QDialog::Accepted);
    });
    form->ToolButton10->click();
    EXPECT_EQ(form->helpFile(), QStringLiteral("KOLMAHELP.hlp"));
    form->Hilfe->trigger();  // F1 keeps the switched help file
    QDir::setCurrent(old);
    EXPECT_EQ(dialogs.modalWindows, std::vector<QString>(2, QStringLiteral("Hilfe")));
    EXPECT_EQ(shown, QStringLiteral("Inhalt\nTabellen"));
}

TEST_F(MainWindow, InfoShowsTheStartupInfoBox) {
    form->Info1->trigger();
    EXPECT_EQ(dialogs.modalWindows, std::vector<QString>{QStringLiteral("AboutBox1")});
}

TEST_F(MainWindow, CutCopyPasteWorkOnTheFocusedEdit) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Edit5->setText(QStringLiteral("12,5"));
    form->Edit5->setFocus();
    form->Edit5->selectAll();
    form->Kopieren1->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12,5"));
    form->Ausschneiden1->trigger();
    EXPECT_EQ(form->Edit5->text(), QString());
    form->GOK->setFocus();
    form->ToolButton8->click();
    EXPECT_EQ(form->GOK->text(), QStringLiteral("12,5"));
}

TEST_F(MainWindow, EditsFilterTypedKeysAndFollowTheTabOrder) {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Edit5->clear();
    QTest::keyClicks(form->Edit5, QStringLiteral("12.5"));
    EXPECT_EQ(form->Edit5->text(), QStringLiteral("125"));
    QTest::keyClicks(form->GOK, QStringLiteral("-3"));
    EXPECT_EQ(form->GOK->text(), QStringLiteral("3"));
    form->Edit9->clear();
    QTest::keyClicks(form->Edit9, QStringLiteral("P 1"));
    EXPECT_EQ(form->Edit9->text(), QStringLiteral("P1"));
    form->Edit2->setText(QStringLiteral("45"));
    form->Edit2->setCursorPosition(2);
    QTest::keyClick(form->Edit2, Qt::Key_Backspace);
    EXPECT_EQ(form->Edit2->text(), QStringLiteral("45"));
    QTest::keyClicks(form->Edit1, QStringLiteral("x7"));
    EXPECT_EQ(form->Edit1->text(), QStringLiteral("7"));

    form->PageControl1->setCurrentWidget(form->TabSheet2);
    form->Edit11->setFocus();
    QTest::keyClick(form->Edit11, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->h[0]);
    form->h[7]->setFocus();
    QTest::keyClick(form->h[7], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->Q[0]);
    form->Q[7]->setFocus();
    QTest::keyClick(form->Q[7], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(form->Hinzu2));
}

TEST_F(MainWindow, ExitClosesTheWindowWithoutAsking) {
    form->show();
    form->Neu1->trigger();
    form->RichEdit1->setPlainText(QStringLiteral("ungespeichert"));
    form->Beenden1->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(German, QtStandardButtonsAndNumbersAreGerman) {
    QTranslator translations;
    ASSERT_TRUE(useGerman(translations));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Ja"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QLocale().toString(1.5), QStringLiteral("1,5"));
    QCoreApplication::removeTranslator(&translations);
}

TEST(HelpWindow, RendersTheHtmlOfTheFile) {
    HelpWindow window(QStringLiteral("<p>Ein <b>Test</b></p>"), nullptr);
    EXPECT_EQ(window.Browser->toPlainText(), QStringLiteral("Ein Test"));
}

}  // namespace
}  // namespace kolma
