// The section window: drawing at every paint, failures reported once per opening, the title
// block labels and printing to a PDF file.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

#include "ScriptedDialogs.h"
#include "SectionFixture.h"
#include "TForm10.h"
#include "TForm3.h"

namespace kolma::testing {
namespace {

const QStringList kChain{"10", "20", "30", "40"};

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class SectionWindow : public SectionFixture {
protected:
    static void trigger(QWidget& window, const char* action) {
        window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    static QLabel* label(TForm3& window, const char* name) {
        return window.findChild<QLabel*>(QString::fromLatin1(name));
    }
    // Fills the title block editor and presses OK.
    static std::function<int(QDialog&)> applyTitle(QStringList texts) {
        return [texts](QDialog& d) {
            for (int i = 0; i < 4; ++i)
                d.findChild<QLineEdit*>(QStringLiteral("Edit%1").arg(i + 1))->setText(texts[i]);
            d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            return d.result();
        };
    }
    void printToPdf(const QString& file) {
        scripted.printerSetup = [file](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
        };
    }
    // The PDF's text, when pdftotext is at hand; otherwise empty.
    static QString pdfText(const QString& file) {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            return {};
        QProcess process;
        process.start(tool, {file, QStringLiteral("-")});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    ScriptedDialogs scripted;
};

TEST_F(SectionWindow, DrawsTheSectionIntoItsPicture) {
    TForm3 window(tables(), kChain, nullptr);
    window.show();
    const QImage shot = window.grab().toImage();
    shot.save(QStringLiteral(KOLMA_BINARY_DIR "/section-window.png"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(scripted.messages.empty());
    // The energy line is red somewhere in the picture; the background teal.
    const QImage& picture = window.picture();
    int red = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            red += picture.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 100);
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(0, 128, 128));
}

TEST_F(SectionWindow, ReportsAFailureOncePerOpening) {
    TForm3 broken(tables(), {"10", "30"}, nullptr);
    broken.show();
    broken.grab();
    broken.resize(800, 500);
    broken.grab();
    QCoreApplication::processEvents();
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Die von Ihnen angegebene Knotenfolge ist nicht im System enthalten"));
    EXPECT_EQ(scripted.messages[0].caption, QStringLiteral("Fehler"));
    // The picture keeps what it had: nothing but the background.
    EXPECT_EQ(broken.picture().pixelColor(700, 90), QColor(0, 128, 128));
    // A new opening reports again.
    removeGraphFile();
    TForm3 missing(tables(), kChain, nullptr);
    missing.show();
    missing.grab();
    QCoreApplication::processEvents();
    ASSERT_EQ(scripted.messages.size(), 2u);
    EXPECT_EQ(scripted.messages[1].text,
              QStringLiteral("Die Graphikeingabedatei konnte nicht geöffnet werden"));
}

TEST_F(SectionWindow, AppliesTheTitleBlockToItsLabels) {
    TForm3 window(tables(), kChain, nullptr);
    EXPECT_FALSE(label(window, "Label6")->isVisibleTo(&window));
    scripted.modalScripts.push_back(applyTitle({"Stadtwerke", "Ortsnetz", "Neubau", "4711"}));
    trigger(window, "Stempel1");
    EXPECT_EQ(scripted.modalWindows, std::vector<QString>{"Form10"});
    EXPECT_TRUE(label(window, "Label6")->isVisibleTo(&window));
    EXPECT_EQ(label(window, "Label6")->text(), QStringLiteral("Stadtwerke"));
    EXPECT_EQ(label(window, "Label16")->text(), QStringLiteral("4711"));
    EXPECT_EQ(label(window, "Label4")->text(), QStringLiteral("Projektnr.:"));
    EXPECT_EQ(label(window, "Label5")->text(), QStringLiteral("Maßstab: o. M."));
    EXPECT_EQ(label(window, "Label15")->pos(), QPoint(760, 448));
    // Applied again with an empty field; then closed with "Beenden": the labels stay.
    scripted.modalScripts.push_back(applyTitle({"", "Ortsnetz", "Neubau", "4712"}));
    trigger(window, "Stempel1");
    EXPECT_TRUE(label(window, "Label6")->text().isEmpty());
    trigger(window, "Stempel1");  // no script: the editor is rejected
    EXPECT_EQ(label(window, "Label16")->text(), QStringLiteral("4712"));
}

TEST_F(SectionWindow, PrintsTheSectionAndTitleBlockToAPdf) {
    TForm3 window(tables(), kChain, nullptr);
    scripted.modalScripts.push_back(applyTitle({"Stadtwerke", "Ortsnetz", "Neubau", "4711"}));
    trigger(window, "Stempel1");
    const QString pdf = path("schnitt.pdf");
    printToPdf(pdf);
    scripted.printerAnswers = {true};
    trigger(window, "Drucken1");
    EXPECT_EQ(scripted.printerDialogs, 1);
    const QByteArray bytes = fileBytes(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF"));
    // Kept beside the build for a look at the page.
    QFile::remove(QStringLiteral(KOLMA_BINARY_DIR "/section-print.pdf"));
    QFile::copy(pdf, QStringLiteral(KOLMA_BINARY_DIR "/section-print.pdf"));
    const QString text = pdfText(pdf);
    if (text.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the PDF was written";
    for (const char* expected :
         {"Legende", "Energielinie", "Pumpe", "Stadtwerke", "4711", "Durchm. [mm]", "100,50"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(SectionWindow, CancellingThePrinterDialogPrintsNothing) {
    TForm3 window(tables(), kChain, nullptr);
    printToPdf(path("abgebrochen.pdf"));
    scripted.printerAnswers = {false};
    trigger(window, "Drucken1");
    EXPECT_EQ(scripted.printerDialogs, 1);
    EXPECT_FALSE(QFile::exists(path("abgebrochen.pdf")));
    // A failing preparation shows its message before any printer dialog.
    removeGraphFile();
    trigger(window, "Drucken1");
    EXPECT_EQ(scripted.printerDialogs, 1);
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text,
              QStringLiteral("Die Graphikeingabedatei konnte nicht geöffnet werden"));
}

}  // namespace
}  // namespace kolma::testing
