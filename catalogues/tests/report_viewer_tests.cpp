// The report viewer: loading "ausgabe.aus", saving the shown text, printing the stored report and
// the question on closing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
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

using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

const QByteArray kReport =
    "\n\n\n*****\nDrucknetzeberechnung nach der Finite Elemente Methode \n"
    "\n|Knotennr.|Energiehoehe|\n|  10     |     100.000|\nAnzahl der benötigten "
    "Iterationsschritte = 7\n";

// A viewer created as the calculation run creates it, on a stored report.
struct Viewer {
    explicit Viewer(const WorkingDirectory& dir) {
        dir.write("ausgabe.aus", kReport);
        form.FormCreate();
    }
    kolma::TForm5 form;
};

// Answers the printer dialog, with PDF output to the file as the chosen printer, and prints.
void printToPdf(kolma::TForm5& viewer, ScriptedDialogs& dialogs, const QString& pdf, bool confirm) {
    dialogs.printerSetup = [pdf](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
    };
    dialogs.printerAnswers.push_back(confirm);
    viewer.Drucken1->trigger();
}

// Text of a PDF file as pdftotext extracts it; nothing when the tool is missing.
std::optional<QString> pdfText(const QString& pdf) {
    const QString tool = QStandardPaths::findExecutable("pdftotext");
    if (tool.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(tool, {"-layout", pdf, "-"});
    p.waitForFinished(-1);
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

TEST(ReportViewer, CreationLoadsTheStoredReport) {
    WorkingDirectory dir;
    Viewer v(dir);
    EXPECT_EQ(v.form.windowTitle(), "Ausgabe");
    EXPECT_EQ(v.form.RichEdit1->toPlainText(), QString::fromUtf8(kReport));
    EXPECT_FALSE(v.form.RichEdit1->isReadOnly());
    EXPECT_EQ(v.form.currentFileName(), "ausgabe.aus");
    EXPECT_EQ(v.form.StatusPanel->text(), "ausgabe.aus");
}

TEST(ReportViewer, OlderReportsInWindows1252AreRead) {
    WorkingDirectory dir;
    dir.write("ausgabe.aus",
              "ben\xf6tigten\r\nSt\xfc"
              "tzwerte\r\n");
    kolma::TForm5 form;
    form.FormCreate();
    EXPECT_EQ(form.RichEdit1->toPlainText(), "benötigten\nStützwerte\n");
}

TEST(ReportViewer, MissingReportIsShownOnceByTheGeneralHandler) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    kolma::TForm5 form;
    EXPECT_FALSE(kolma::runHandler([&] { form.FormCreate(); }));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "KOLMA");
    EXPECT_TRUE(dialogs.messages[0].text.contains("ausgabe.aus"));
    EXPECT_EQ(form.currentFileName(), "");
    EXPECT_EQ(form.RichEdit1->toPlainText(), "");
}

TEST(ReportViewer, SaveStoresTheEditedTextUnderTheChosenName) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    Viewer v(dir);
    v.form.RichEdit1->setPlainText("bearbeitet\n");
    const QString target = dir.filePath("sub/ohne_endung");
    QDir(dir.path()).mkdir("sub");
    dialogs.fileAnswers.push_back(target);
    v.form.Speichern1->trigger();

    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "Ausgabedateien|*.aus");
    EXPECT_EQ(dialogs.fileRequests[0].fileName, "ausgabe.aus");
    EXPECT_EQ(dialogs.fileRequests[0].directory, "");
    EXPECT_EQ(dialogs.fileRequests[0].defaultExtension, "");
    EXPECT_EQ(dir.read("sub/ohne_endung"), "bearbeitet\n");
    EXPECT_EQ(dir.read("ausgabe.aus"), kReport);
    EXPECT_EQ(v.form.currentFileName(), target);

    // The next save proposes the new name in its directory.
    v.form.Speichern1->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[1].fileName, target);
    EXPECT_EQ(dialogs.fileRequests[1].directory, dir.filePath("sub"));
}

TEST(ReportViewer, PrintingPrintsTheStoredReportAndShowsItAgain) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    Viewer v(dir);
    v.form.RichEdit1->setPlainText("nicht gespeicherte Änderung");
    const QString pdf = dir.filePath("bericht.pdf");
    printToPdf(v.form, dialogs, pdf, true);

    EXPECT_EQ(dialogs.printerDialogs, 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_TRUE(dir.read("bericht.pdf").startsWith("%PDF"));
    EXPECT_EQ(v.form.RichEdit1->toPlainText(), QString::fromUtf8(kReport));
    const std::optional<QString> printed = pdfText(pdf);
    if (!printed)
        GTEST_SKIP() << "pdftotext is not installed; the printed text is not checked";
    EXPECT_TRUE(printed->contains("Drucknetzeberechnung nach der Finite Elemente Methode"));
    EXPECT_TRUE(printed->contains("Iterationsschritte = 7"));
    EXPECT_FALSE(printed->contains("Änderung"));
}

TEST(ReportViewer, CancelInThePrinterDialogPrintsNothing) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    Viewer v(dir);
    v.form.RichEdit1->setPlainText("meine Notiz");
    const QString pdf = dir.filePath("bericht.pdf");
    printToPdf(v.form, dialogs, pdf, false);
    EXPECT_EQ(dialogs.printerDialogs, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(v.form.RichEdit1->toPlainText(), "meine Notiz");
}

TEST(ReportViewer, ClosingAsksAndOnlyYesSaves) {
    struct Case {
        QMessageBox::StandardButton answer;
        bool saves;
    };
    for (const Case c : {Case{QMessageBox::Yes, true}, Case{QMessageBox::No, false},
                         Case{QMessageBox::Cancel, false}}) {
        WorkingDirectory dir;
        ScriptedDialogs dialogs;
        Viewer v(dir);
        dialogs.messageAnswers.push_back(c.answer);
        dialogs.fileAnswers.push_back(dir.filePath("kopie.aus"));
        v.form.Beenden1->trigger();

        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, "Speicherung der Ergebnisse ?");
        EXPECT_EQ(dialogs.messages[0].caption, "Ergebnisanzeige schließen");
        EXPECT_EQ(dialogs.messages[0].icon, kolma::BoxIcon::Question);
        EXPECT_EQ(dialogs.fileRequests.size(), c.saves ? 1u : 0u);
        EXPECT_EQ(dir.exists("kopie.aus"), c.saves);
        EXPECT_EQ(v.form.result(), QDialog::Rejected);
    }
}

TEST(ReportViewer, CloseBoxAsksTheSameQuestion) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    Viewer v(dir);
    v.form.show();
    v.form.close();
    EXPECT_FALSE(v.form.isVisible());
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>{"Speicherung der Ergebnisse ?"});
}
