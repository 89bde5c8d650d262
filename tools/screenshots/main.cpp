// kolma_screenshots <examples dir> <output dir> [<report copy>]: opens the sample project in the
// real main window, computes it with the solver, and photographs the main window, the report
// viewer, the evaluation, the fire flow window with its results, the pump characteristic, the
// longitudinal section (with the sample title block), the plans and the network check offscreen.
// The report of the calculation is kept as <report copy> when one is named.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocument>
#include <QTextEdit>
#include <QTranslator>
#include <cstdio>

#include "Camera.h"
#include "FormLoeschwasser.h"
#include "FormNetzpruefung.h"
#include "German.h"
#include "PlanShots.h"
#include "StartupWindows.h"
#include "StringGrid.h"
#include "TForm1.h"
#include "TForm10.h"
#include "TForm3.h"
#include "TForm5.h"

namespace {

using kolma::Camera;

const QString kProject = QStringLiteral("Beispielnetz.ein");
const QString kTitleBlock = QStringLiteral("Beispielnetz.spl");
// From the clear water tank through the pump station into the town's grid.
const QStringList kSectionChain = {"1", "2", "3", "4", "10", "11", "12", "13"};

bool copyDirectoryFiles(const QDir& from, const QDir& to) {
    for (const QString& name : from.entryList(QDir::Files))
        if (!QFile::copy(from.filePath(name), to.filePath(name)))
            return false;
    return true;
}

// Scrolls the report so that its results part stands at the top.
void showResults(QDialog& dialog) {
    QTextEdit* report = static_cast<kolma::TForm5&>(dialog).RichEdit1;
    const QTextCursor results = report->document()->find(QStringLiteral("Ausgabedaten:"));
    if (results.isNull())
        return;
    QScrollBar* bar = report->verticalScrollBar();
    bar->setValue(bar->value() + report->cursorRect(results).top());
}

// Puts the first pump of the table into the pump input line, as the user does before
// pressing "Kennlinie".
void takeFirstPump(kolma::TForm1& main) {
    const kolma::CellTable& pumps = main.project().pumps();
    main.Edit9->setText(pumps.cell(1, 1));
    for (int i = 0; i < kolma::kSupportPoints; ++i) {
        main.h[i]->setText(pumps.cell(i + 1, 2).trimmed());
        main.Q[i]->setText(pumps.cell(i + 1, 3).trimmed());
    }
    main.PageControl1->setCurrentWidget(main.TabSheet2);
}

// Two typos of the kind the network check is for, taken back afterwards: a pipe entered from its
// later to its earlier node, and a length of 0 m.
void checkWithTypos(Camera& camera, kolma::TForm1& main) {
    Camera::Shot& shot = camera.shots[QStringLiteral("FormNetzpruefung")];
    const Camera::Shot beforeCalculation = shot;
    shot = {QStringLiteral("netzpruefung.png"), {}};
    kolma::CellTable& pipes = main.project().pipes();
    const QString start = pipes.cell(2, 5), end = pipes.cell(3, 5), length = pipes.cell(4, 3);
    pipes.setCell(2, 5, end);
    pipes.setCell(3, 5, start);
    pipes.setCell(4, 3, QStringLiteral("0"));
    main.Netzpruefung1->trigger();
    pipes.setCell(2, 5, start);
    pipes.setCell(3, 5, end);
    pipes.setCell(4, 3, length);
    shot = beforeCalculation;
}

// Fire flow of 96 m³/h at every node with the maximal fire flow, the weakest nodes first.
void computeFireFlow(QDialog& dialog) {
    auto& window = static_cast<kolma::FormLoeschwasser&>(dialog);
    window.MaxSuche->setChecked(true);
    window.Starten->click();
    kolma::waitWhile([&window] { return window.running(); });
    window.Ergebnisse->sortByColumn(kolma::LoeschwasserTabelle::Restdruck, Qt::AscendingOrder);
}

void defineShots(Camera& camera, const QDir& work) {
    camera.shots[QStringLiteral("Form5")] = {QStringLiteral("bericht.png"), showResults};
    camera.shots[QStringLiteral("Form4")] = {QStringLiteral("kennlinie.png"), {}};
    camera.shots[QStringLiteral("FormBewertung")] = {QStringLiteral("bewertung.png"), {}};
    // Before a calculation: an imported network's warnings are taken as the user takes them.
    camera.shots[QStringLiteral("FormNetzpruefung")] = {
        {}, [](QDialog& d) {
            auto& check = static_cast<kolma::FormNetzpruefung&>(d);
            if (!check.Berechnen->isHidden())
                d.setResult(QDialog::Accepted);
        }};
    camera.shots[QStringLiteral("FormLoeschwasser")] = {QStringLiteral("loeschwasser.png"),
                                                        computeFireFlow};
    camera.shots[QStringLiteral("Form10")] = {
        {}, [&camera, work](QDialog& d) {
            auto& editor = static_cast<kolma::TForm10&>(d);
            camera.openAnswers.push_back(work.filePath(kTitleBlock));
            editor.ffnen1Click();
            editor.Button1Click();
        }};
}

int report(const Camera& camera, int startupMessages) {
    for (const QString& path : camera.written)
        std::printf("%s\n", qPrintable(path));
    bool failed = !camera.failures.isEmpty();
    for (const QString& failure : camera.failures)
        std::fprintf(stderr, "%s\n", qPrintable(failure));
    for (int i = startupMessages; i < camera.messages.size(); ++i) {
        std::fprintf(stderr, "message: %s\n", qPrintable(camera.messages[i]));
        failed = true;
    }
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTranslator qtTranslations;
    kolma::useGerman(qtTranslations);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr,
                     "usage: kolma_screenshots <examples dir> <output dir> [<report copy>]\n");
        return 2;
    }
    const QDir examples(QString::fromLocal8Bit(argv[1]));
    const QString output = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    const QString reportCopy =
        argc == 4 ? QFileInfo(QString::fromLocal8Bit(argv[3])).absoluteFilePath() : QString();
    // A fixed working directory, so that the status line reads the same in every picture.
    QDir work(QDir::temp().filePath(QStringLiteral("kolma-beispiel")));
    work.removeRecursively();
    const auto removeWork = qScopeGuard([&work] { work.removeRecursively(); });
    if (!QDir().mkpath(output) || !QDir().mkpath(work.path()) ||
        !copyDirectoryFiles(examples, work)) {
        std::fprintf(stderr, "cannot copy %s or create %s\n", argv[1], argv[2]);
        return 2;
    }
    QDir::setCurrent(work.path());

    Camera camera(output);
    defineShots(camera, work);
    const kolma::StartupWindows windows = kolma::createStartupWindows();
    // A new project directory has no report yet; the viewer's start-up instance says so.
    const int startupMessages = int(camera.messages.size());
    kolma::TForm1& main = *windows.Form1;

    camera.openAnswers.push_back(work.filePath(kProject));
    main.Projekt->trigger();
    camera.save(main, QStringLiteral("hauptfenster.png"));
    main.Action4->trigger();
    if (!reportCopy.isEmpty()) {
        QFile::remove(reportCopy);
        if (!QFile::copy(work.filePath(QStringLiteral("ausgabe.aus")), reportCopy))
            camera.failures << QStringLiteral("cannot write %1").arg(reportCopy);
    }
    main.Bewertung1->trigger();
    checkWithTypos(camera, main);
    main.Loeschwasser1->trigger();
    takeFirstPump(main);
    main.Button1->click();

    kolma::TForm3 section(main.tables(), kSectionChain, &main);
    photograph(section);
    section.Stempel1Click();
    camera.save(section, QStringLiteral("laengsschnitt.png"));
    // The import writes its files beside the network: a copy in the working directory keeps
    // the source tree clean.
    const QString epanetFile = work.filePath(QStringLiteral("town_pump_tank.inp"));
    QFile::copy(QStringLiteral(KOLMA_SOURCE_DIR "/model/tests/data/epanet/town_pump_tank.inp"),
                epanetFile);
    kolma::photographPlans(camera, main, epanetFile);
    return report(camera, startupMessages);
}
