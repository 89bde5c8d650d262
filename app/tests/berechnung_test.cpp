// The calculation run: banner, conversion, the solver as a separate process, the report viewer.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextEdit>

#include "Berechnung.h"
#include "ProjectTables.h"
#include "Projekt.h"
#include "ScriptedDialogs.h"
#include "TForm5.h"
#include "WorkingDirectory.h"

using kolma::testing::ProjectTables;
using kolma::testing::ScriptedDialogs;
using kolma::testing::WorkingDirectory;

namespace {

const QString kTarnholm = QStringLiteral(KOLMA_BINARY_DIR "/solver/tarnholm");

// Types the sample network and writes "eingabe.dat" as "Fertigstellen" does when the project
// dialog is cancelled (decimal commas).
void prepareSampleInput() {
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    ASSERT_TRUE(kolma::writeEingabe(t.project, nullptr));
}

// A stand-in solver: a shell script that reads its standard input to the end, appends a line to
// the report in its working directory and prints the given console text.
QString fakeSolver(const WorkingDirectory& dir, const QByteArray& console) {
    const QString path = dir.filePath("fake-solver.sh");
    dir.write("fake-solver.sh",
              "#!/bin/sh\ncat > /dev/null\nprintf 'Echo des Rechenkerns' >> ausgabe.aus\n"
              "printf '" +
                  console + "'\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// Runs "Berechnung" and returns the text the report viewer showed.
QString runCalculation(ScriptedDialogs& dialogs, const QString& aktuelleDatei,
                       const QString& solver) {
    QString shown;
    dialogs.modalScripts.push_back([&shown](QDialog& d) {
        shown = static_cast<kolma::TForm5&>(d).RichEdit1->toPlainText();
        d.reject();
        return d.result();
    });
    QPlainTextEdit richEdit1;
    kolma::runCalculation(aktuelleDatei, richEdit1, nullptr, solver);
    kolma::showReport(nullptr);
    return shown;
}

}  // namespace

TEST(ReportBanner, LayoutNamesTheProjectDateAndVersion) {
    const QByteArray banner = kolma::reportBanner(QStringLiteral("C:\\projekte\\netz1.ein"),
                                                  QDateTime(QDate(2026, 3, 4), QTime(7, 5, 3)));
    const QStringList lines = QString::fromUtf8(banner).split(QLatin1Char('\n'));
    const QString stars(63, QLatin1Char('*'));
    const QString dashes(66, QLatin1Char('-'));
    ASSERT_EQ(lines.size(), 14) << banner.constData();
    EXPECT_EQ(lines.mid(0, 3), QStringList({"", "", ""}));
    EXPECT_EQ(lines[3], stars);
    EXPECT_EQ(lines[4], "Drucknetzeberechnung nach der Finite Elemente Methode ");
    EXPECT_TRUE(lines[5].contains(
        QRegularExpression(QStringLiteral("^KOLMA Version 2\\.5 vom \\d\\d\\.\\d\\d\\.\\d{4}$"))))
        << lines[5].toStdString();
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "netz1.ein\t\t\t\t\t\t04.03.2026 07:05:03");
    EXPECT_EQ(lines[8], stars);
    EXPECT_EQ(lines.mid(9, 2), QStringList({"", ""}));
    EXPECT_EQ(lines[11], dashes);
    EXPECT_EQ(lines[12], "Eingabedaten: ");
    EXPECT_EQ(lines[13], dashes);
}

TEST(Berechnung, SolverIsFoundInTheBuildTree) {
    EXPECT_EQ(kolma::findSolver(), QDir::cleanPath(kTarnholm));
}

TEST(Berechnung, RealSolverRunsOnTheConvertedInputAndASecondRunReplacesTheReport) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    prepareSampleInput();
    runCalculation(dialogs, "erster.ein", kTarnholm);
    const QString shown = runCalculation(dialogs, dir.filePath("netz1.ein"), kTarnholm);

    EXPECT_EQ(dir.read("eingabe.dat"), kolma::testing::kSampleWithPoints);
    const QByteArray report = dir.read("ausgabe.aus");
    EXPECT_TRUE(
        report.startsWith("\n\n\n***************************************************************\n"
                          "Drucknetzeberechnung nach der Finite Elemente Methode \n"));
    EXPECT_TRUE(report.contains("\n\nnetz1.ein\t\t\t\t\t\t"));
    EXPECT_EQ(report.count("netz1.ein"), 1);
    EXPECT_FALSE(report.contains("erster.ein"));
    EXPECT_EQ(report.count("Eingabedaten: "), 1);
    // The solver's echo and results follow the banner once.
    EXPECT_EQ(report.count("\nAusgabedaten:"), 1);
    EXPECT_TRUE(report.contains("\nAnzahl der Knoten = 4")) << report.constData();
    EXPECT_TRUE(report.contains("\n|  10     |     100.000|"));
    EXPECT_TRUE(dir.exists("graphein.dat"));
    EXPECT_EQ(shown, QString::fromUtf8(report));
    EXPECT_EQ(dialogs.modalWindows, std::vector<QString>(2, "Form5"));
    // The solver printed nothing but blank lines: the only message is the viewer's question.
    EXPECT_EQ(dialogs.messageTexts(), std::vector<QString>(2, "Speicherung der Ergebnisse ?"));
}

TEST(Berechnung, SolverConsoleTextIsShownBeforeTheReport) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    prepareSampleInput();
    dir.write("graphein.dat", "1000 12 4 110 109 108 130 2 4 0.2 2 0.3");
    const QString solver =
        fakeSolver(dir, "\\n***Matrix nicht positiv definit\\n***Abbruch in Zeile 3\\n");
    const QString shown = runCalculation(dialogs, "netz1.ein", solver);

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "***Matrix nicht positiv definit\n***Abbruch in Zeile 3");
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(dialogs.messages[0].icon, kolma::BoxIcon::Error);
    // The solver ran in the current directory and its part follows the banner.
    EXPECT_TRUE(shown.endsWith("\nEingabedaten: \n" + QString(66, QLatin1Char('-')) +
                               "Echo des Rechenkerns"));
    // The run wrote no graph data: an earlier run's would pass for its results.
    EXPECT_FALSE(dir.exists("graphein.dat"));
}

TEST(Berechnung, MissingSolverIsReportedAndTheBannerShown) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    prepareSampleInput();
    const QString shown = runCalculation(dialogs, "netz1.ein", QString());
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Das Berechnungsprogramm \"tarnholm\" wurde nicht gefunden.");
    EXPECT_EQ(dialogs.messages[0].caption, "Fehler");
    EXPECT_EQ(shown, QString::fromUtf8(dir.read("ausgabe.aus")));
    EXPECT_TRUE(shown.endsWith("Eingabedaten: \n" + QString(66, QLatin1Char('-'))));

    ScriptedDialogs again;
    const QString gone = dir.filePath("nirgends/tarnholm");
    runCalculation(again, "netz1.ein", gone);
    ASSERT_FALSE(again.messages.empty());
    EXPECT_EQ(again.messages[0].text,
              "Das Berechnungsprogramm \"" + gone + "\" kann nicht gestartet werden.");
}

TEST(Berechnung, MissingInputIsReportedAndTheRunGoesOn) {
    WorkingDirectory dir;
    ScriptedDialogs dialogs;
    const QString solver = fakeSolver(dir, "");
    const QString shown = runCalculation(dialogs, "netz1.ein", solver);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, "Fehler beim öffnen von Eingabe.dat");
    EXPECT_TRUE(shown.endsWith("Echo des Rechenkerns"));
}
