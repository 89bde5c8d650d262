// The calculation run: the report banner, the conversion of "eingabe.dat" to decimal points, the
// solver tarnholm as a separate process in the current directory, and the report viewer.
#pragma once

#include <QString>
#include <functional>

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

// The run of "Berechnung": banner, conversion, solver. The graph data of an earlier run is
// removed first. What the solver printed (other than blank lines) and a solver that cannot be
// found or started are shown in error boxes.
void runCalculation(const QString& bannerName, QPlainTextEdit& richEdit1, QWidget* parent,
                    const QString& solver = findSolver());

// The report viewer on "ausgabe.aus", scrolled to `mark` when it is given; `evaluate`, when
// given, is offered as its "Bewertung".
void showReport(QWidget* parent, const QString& mark = QString(),
                const std::function<void()>& evaluate = {});

}  // namespace kolma
