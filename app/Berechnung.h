// The calculation run: the report banner, the conversion of "eingabe.dat" to decimal points, the
// solver tarnholm as a separate process in the current directory, and the report viewer.
#pragma once

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace kolma {

// The solver program: beside the running program, in the build tree's solver folder beside it,
// else on the PATH; empty when there is none.
QString findSolver();

struct SolverRun {
    bool started = false;
    QString console;  // everything the solver printed
};

// Runs the solver in the current directory with nothing on its standard input, so that its
// failure ends never wait for a key, and waits for its end without time limit.
SolverRun runSolver(const QString& program);

// Creates "ausgabe.aus" with the report banner; when it cannot be created the run goes on.
void writeReportBanner(const QString& aktuelleDatei);

// "Berechnung": banner, conversion, solver, then the report viewer. What the solver printed
// (other than blank lines) and a solver that cannot be found or started are shown in error boxes.
void Berechnung(const QString& aktuelleDatei, QPlainTextEdit& richEdit1, QWidget* parent,
                const QString& solver = findSolver());

}  // namespace kolma
