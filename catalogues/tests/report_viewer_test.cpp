// The report viewer: loading "ausgabe.aus", saving the shown text, printing the stored report and
// the question on closing.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTextEdit>
#include <optional>

#include "Handler.h"
#include "ScriptedDialogs.h"
#include "TForm5.h"
#include "WorkingDirectory.h"

namespace kolma {
namespace {

const QByteArray kReport =
    "\n\n\n*****\nDrucknetzeberechnung nach der Finite Elemente Methode \n"
    "\n|Knotennr.|Energiehoehe|\n|  10     |     100.000|\nAnzahl der benötigten "
    "Iterationsschritte = 7\n";

// A viewer created as the calculation run creates it, on a stored report.
class ReportViewer : public ::testing::Test {
protected:
    void open(const QByteArray& report = kReport) {
        dir.write("ausgabe.aus", report);
        form.FormCreate();
    }
    // Answers the printer dialog, with PDF output to the file as the chosen printer, and prints.
    void printToPdf(const QString& pdf, bool confirm) {
        dialogs.printerSetup = [pdf](QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
        };
        dialogs.printerAnswers.push_back(confirm);
        form.Drucken1->trigger();
    }
    testing::WorkingDirectory dir;
    testing::ScriptedDialogs dialogs;
    TForm5 form;
};

TEST_F(ReportViewer, CreationLoadsTheStoredReport) {
    open();
    EXPECT_EQ(form.windowTitle(), "Ausgabe");
    EXPECT_EQ(form.RichEdit1->toPlainText(), QString::fromUtf8(kReport));
    EXPECT_FALSE(form.RichEdit1->isReadOnly());
    EXPECT_EQ(form.currentFileName(), "ausgabe.aus");
    EXPECT_EQ(form.StatusPanel->text(), "ausgabe.aus");
}

TEST_F(ReportViewer, OlderReportsInWindows1252AreRead) {
    open(
        "ben\xf6tigten\r\nSt\xfc"
        "tzwerte\r\n");
    EXPECT_EQ(form.RichEdit1->toPlainText(), "benötigten\nStützwerte\n");
}

TEST_F(ReportViewer, MissingReportIsShownOnceByTheGeneralHandler) {
    EXPECT_FALSE(runHandler([&] { form.FormCreate(); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "KOLMA");
    EXPECT_TRUE(dialogs.messages[0].text.contains("ausgabe.aus"));
    EXPECT_EQ(form.currentFileName(), "");
    EXPECT_EQ(form.RichEdit1->toPlainText(), "");
}

TEST_F(ReportViewer, SaveStoresTheEditedTextUnderTheChosenName) {
    open();
    form.RichEdit1->setPlainText("bearbeitet\n");
    const QString target = dir.filePath("sub/ohne_endung");
    QDir(dir.path()).mkdir("sub");
    dialogs.fileAnswers.push_back(target);
    form.Speichern1->trigger();

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Ausgabedateien|*.aus");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "ausgabe.aus");
    EXPECT_EQ(dialogs.fileRequests[0].directory, "");
    EXPECT_EQ(dialogs.fileRequests[0].defaultExtension, "");
    EXPECT_EQ(dir.read("sub/ohne_endung"), "bearbeitet\n");
    EXPECT_EQ(dir.read("ausgabe.aus"), kReport);
    EXPECT_EQ(form.currentFileName(), target);

    // The next save proposes the new name in its directory.
    form.Speichern1->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[1].fileName, target);
    EXPECT_EQ(dialogs.fileRequests[1].directory, dir.filePath("sub"));
}

TEST_F(ReportViewer, PrintingPrintsTheStoredReportAndShowsItAgain) {
    open();
    form.RichEdit1->setPlainText("nicht gespeicherte Änderung");
    // Cancel in the printer dialog prints nothing and leaves the edited text.
    printToPdf(dir.filePath("abgebrochen.pdf"), false);
    EXPECT_FALSE(dir.exists("abgebrochen.pdf"));
    EXPECT_EQ(form.RichEdit1->toPlainText(), "nicht gespeicherte Änderung");

    printToPdf(dir.filePath("bericht.pdf"), true);
    EXPECT_EQ(dialogs.printerDialogs, 2);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dir.read("bericht.pdf").startsWith("%PDF"));
    EXPECT_EQ(form.RichEdit1->toPlainText(), QString::fromUtf8(kReport));
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the printed text is not checked";
    QProcess process;
    process.start(tool, {"-layout", dir.filePath("bericht.pdf"), "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(printed.contains("Drucknetzeberechnung nach der Finite Elemente Methode"));
    EXPECT_TRUE(printed.contains("Iterationsschritte = 7"));
    EXPECT_FALSE(printed.contains("Änderung"));
}

// The text of a PDF file as pdftotext lays it out; nothing without pdftotext.
std::optional<QString> pdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(tool, {"-layout", pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// "Als PDF speichern" writes the printout of "Drucken" without a printer, and leaves the view
// (and its edits) as it was.
TEST_F(ReportViewer, SavesThePrintoutAsPdf) {
    open();
    form.RichEdit1->setPlainText("nicht gespeicherte Änderung");
    dialogs.fileAnswers = {std::nullopt, dir.filePath("bericht.pdf")};
    form.AlsPdf1->trigger();
    form.AlsPdf1->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "PDF-Dateien|*.pdf");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "ausgabe.pdf");
    EXPECT_EQ(dialogs.printerDialogs, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(QDir(dir.path()).entryList({"*.pdf"}), QStringList{"bericht.pdf"});
    EXPECT_TRUE(dir.read("bericht.pdf").startsWith("%PDF"));
    EXPECT_EQ(form.RichEdit1->toPlainText(), "nicht gespeicherte Änderung");

    printToPdf(dir.filePath("gedruckt.pdf"), true);
    const auto saved = pdfText(dir.filePath("bericht.pdf"));
    if (!saved)
        GTEST_SKIP() << "pdftotext is not installed; the text of the PDF is not checked";
    EXPECT_TRUE(saved->contains("Drucknetzeberechnung nach der Finite Elemente Methode"));
    EXPECT_TRUE(saved->contains("Iterationsschritte = 7"));
    EXPECT_EQ(*saved, pdfText(dir.filePath("gedruckt.pdf")));
}

TEST(ReportViewerClosing, AsksAndOnlyYesSaves) {
    using Case = std::pair<QMessageBox::StandardButton, bool>;  // the answer, whether it saves
    for (const auto& [answer, saves] : {Case{QMessageBox::Yes, true}, Case{QMessageBox::No, false},
                                        Case{QMessageBox::Cancel, false}}) {
        SCOPED_TRACE(answer);
        testing::WorkingDirectory dir;
        testing::ScriptedDialogs dialogs;
        dir.write("ausgabe.aus", kReport);
        TForm5 form;
        form.FormCreate();
        dialogs.messageAnswers.push_back(answer);
        dialogs.fileAnswers.push_back(dir.filePath("kopie.aus"));
        form.Beenden1->trigger();

        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "Speicherung der Ergebnisse ?");
        EXPECT_EQ(dialogs.messages[0].caption, "Ergebnisanzeige schließen");
        EXPECT_EQ(dialogs.messages[0].icon, BoxIcon::Question);
        EXPECT_EQ(dialogs.fileRequests.size(), saves ? 1u : 0u);
        EXPECT_EQ(dir.exists("kopie.aus"), saves);
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
}

TEST_F(ReportViewer, CloseBoxAsksTheSameQuestion) {
    open();
    form.show();
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>{"Speicherung der Ergebnisse ?"});
}

}  // namespace
}  // namespace kolma
