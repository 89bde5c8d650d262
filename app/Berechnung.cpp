#include "Berechnung.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>

#include "Dialogs.h"
#include "GraphData.h"
#include "Handler.h"
#include "Projekt.h"
#include "TForm5.h"
#include "TextFile.h"

namespace kolma {

namespace {

const QString kSolverName = QStringLiteral("tarnholm");

bool isExecutable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// Runs the solver; why it could not run, or what it printed, is shown in an error box.
void runAndReport(const QString& solver, QWidget* parent) {
    const QString caption = QStringLiteral("Fehler");
    if (solver.isEmpty()) {
        errorBox(
            parent,
            QStringLiteral("Das Berechnungsprogramm \"%1\" wurde nicht gefunden.").arg(kSolverName),
            caption);
        return;
    }
    const SolverRun run = runSolver(solver);
    if (!run.started)
        errorBox(parent,
                 QStringLiteral("Das Berechnungsprogramm \"%1\" kann nicht gestartet werden.")
                     .arg(solver),
                 caption);
    else if (!run.console.trimmed().isEmpty())
        errorBox(parent, run.console.trimmed(), caption);
}

}  // namespace

QString findSolver() {
    const QDir appDir(QCoreApplication::applicationDirPath());
    for (const QString& candidate : {appDir.filePath(kSolverName),
                                     appDir.filePath(QStringLiteral("../solver/") + kSolverName)})
        if (isExecutable(candidate))
            return QDir::cleanPath(candidate);
    return QStandardPaths::findExecutable(kSolverName);
}

SolverRun runSolver(const QString& program) {
    QProcess process;
    process.setProgram(program);
    process.setWorkingDirectory(QDir::currentPath());
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start();
    SolverRun run;
    run.started = process.waitForStarted(-1);
    if (!run.started)
        return run;
    process.waitForFinished(-1);
    run.console = decodeText(process.readAll());
    return run;
}

namespace {

// Creates "ausgabe.aus" with the report banner; when it cannot be created the run goes on.
void writeReportBanner(const QString& aktuelleDatei) {
    try {
        writeFileAtomically(QString::fromLatin1(kReportFile),
                            reportBanner(aktuelleDatei, QDateTime::currentDateTime()));
    } catch (const KolmaError&) {
        // Without a banner the solver still appends its report.
    }
}

}  // namespace

void runCalculation(const QString& bannerName, QPlainTextEdit& richEdit1, QWidget* parent,
                    const QString& solver) {
    writeReportBanner(bannerName);
    // A run that stops at an input error writes no graph data; an earlier run's must not pass
    // for this one's.
    QFile::remove(QString::fromLatin1(kGraphFileName));
    richEdit1.hide();
    EingabeUmwandeln(Conversion::Calculation, QString(), richEdit1, parent);
    runAndReport(solver, parent);
}

void showReport(QWidget* parent, const QString& mark, const std::function<void()>& evaluate) {
    TForm5 viewer(parent);
    runHandler([&] { viewer.FormCreate(); });
    if (!mark.isEmpty())
        viewer.showText(mark);
    if (evaluate)
        viewer.offerEvaluation(evaluate);
    dialogs().execModal(viewer);
}

}  // namespace kolma
