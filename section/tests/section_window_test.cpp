// The section window: drawing at every paint, failures reported once per opening, the title
// block labels and printing to a PDF file.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "TForm3.h"

namespace kolma::testing {
namespace {

class SectionWindow : public SectionFixture {
protected:
    void trigger(const char* action) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    QLabel* label(const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name));
    }
    void open(const QStringList& chain = {"10", "20", "30", "40"}) {
        window = std::make_unique<TForm3>(tables(), chain, nullptr);
    }
    // Fills the title block editor and presses OK.
    void applyTitle(QStringList texts) {
        scripted.modalScripts.push_back([texts](QDialog& d) {
            for (int i = 0; i < 4; ++i)
                d.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1))->setText(texts[i]);
            d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            return d.result();
        });
        trigger("Stempel1");
    }
    void printToPdf(const QString& file, bool confirm) {
        scripted.printerSetup = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
        };
        scripted.printerAnswers = {confirm};
        trigger("Drucken1");
    }
    ScriptedDialogs scripted;
    std::unique_ptr<TForm3> window;
};

TEST_F(SectionWindow, DrawsTheSectionAtEveryPaint) {
    open();
    window->show();
    window->grab();
    const QImage& picture = window->picture();
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(0, 128, 128));
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 100);
    QCoreApplication::processEvents();
    EXPECT_TRUE(scripted.messages.empty());
}

TEST_F(SectionWindow, ReportsAFailureOncePerOpening) {
    open({"10", "30"});
    window->show();
    window->grab();
    window->resize(800, 500);
    window->grab();
    QCoreApplication::processEvents();
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Die von Ihnen angegebene Knotenfolge ist nicht im System enthalten"));
    EXPECT_EQ(scripted.messages[0].caption, QStringLiteral("Fehler"));
    EXPECT_EQ(window->picture().pixelColor(700, 90), QColor(0, 128, 128));  // nothing drawn
    open({"10", "30"});
    window->show();
    window->grab();
    QCoreApplication::processEvents();
    EXPECT_EQ(scripted.messages.size(), 2u);
}

TEST_F(SectionWindow, AppliesTheTitleBlockAndPrintsItToAPdf) {
    open();
    EXPECT_FALSE(label("Label6")->isVisibleTo(window.get()));
    applyTitle({"", "Ortsnetz", "Neubau", "4712"});
    applyTitle({"Stadtwerke", "Ortsnetz", "Neubau", "4711"});
    trigger("Stempel1");  // left with "Beenden": the labels keep the last block
    EXPECT_EQ(scripted.modalWindows.back(), QStringLiteral("Form10"));
    EXPECT_TRUE(label("Label6")->isVisibleTo(window.get()));
    EXPECT_EQ(label("Label6")->text(), QStringLiteral("Stadtwerke"));
    EXPECT_EQ(label("Label16")->text(), QStringLiteral("4711"));
    EXPECT_EQ(label("Label5")->text(), QStringLiteral("Maßstab: o. M."));
    // The fields of the last line stand side by side without running into each other.
    EXPECT_FALSE(label("Label5")->geometry().intersects(label("Label4")->geometry()));
    EXPECT_FALSE(label("Label4")->geometry().intersects(label("Label16")->geometry()));
    printToPdf(path("abgebrochen.pdf"), false);
    EXPECT_FALSE(dir_.exists("abgebrochen.pdf"));
    printToPdf(path("schnitt.pdf"), true);
    EXPECT_EQ(scripted.printerDialogs, 2);
    ASSERT_TRUE(dir_.read("schnitt.pdf").startsWith("%PDF"));
    // A failing preparation ends the command before the printer dialog.
    removeGraphFile();
    trigger("Drucken1");
    EXPECT_EQ(scripted.printerDialogs, 2);
    EXPECT_EQ(scripted.messages.size(), 1u);

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the PDF was written";
    QProcess process;
    process.start(tool, {path("schnitt.pdf"), QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* expected :
         {"Energielinie", "Pumpe", "Stadtwerke", "4711", "Durchm. [mm]", "100,50"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

// "Als PDF speichern" writes the printout of "Drucken", title block included, without a
// printer; with nothing to draw it says why before asking for a name.
TEST_F(SectionWindow, SavesThePrintoutAsPdf) {
    open();
    applyTitle({"Stadtwerke", "Ortsnetz", "Neubau", "4711"});
    scripted.fileAnswers = {path("schnitt.pdf")};
    trigger("AlsPdf1");
    EXPECT_EQ(scripted.printerDialogs, 0);
    ASSERT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(scripted.fileRequests[0].filter, QStringLiteral("PDF-Dateien|*.pdf"));
    EXPECT_EQ(scripted.fileRequests[0].defaultExtension, QStringLiteral("pdf"));
    ASSERT_TRUE(dir_.read("schnitt.pdf").startsWith("%PDF"));
    printToPdf(path("gedruckt.pdf"), true);
    removeGraphFile();
    trigger("AlsPdf1");
    EXPECT_EQ(scripted.fileRequests.size(), 1u);
    EXPECT_EQ(scripted.messages.size(), 1u);

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the PDF was written";
    const auto textOf = [&tool](const QString& pdf) {
        QProcess process;
        process.start(tool, {pdf, QStringLiteral("-")});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString saved = textOf(path("schnitt.pdf"));
    for (const char* expected :
         {"Energielinie", "Pumpe", "Stadtwerke", "4711", "Durchm. [mm]", "100,50"})
        EXPECT_TRUE(saved.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(saved, textOf(path("gedruckt.pdf")));
}

}  // namespace
}  // namespace kolma::testing
