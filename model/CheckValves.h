// Pipes with a check valve (EPANET's CV pipes): the solver computes them as open pipes, so after
// a calculation the engineer is told where water runs against a valve. Kept in a side file beside
// the project file, "<name>.rsk", UTF-8 text with LF: one line per valve with the pipe number and
// the node from which the valve lets water through; lines starting with ";" are comments.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "Network.h"
#include "Results.h"

namespace kolma {

struct CheckValve {
    QString pipe;      // pipe number as typed
    int upstream = 0;  // number of the node from which water may pass
    bool operator==(const CheckValve& other) const {
        return pipe == other.pipe && upstream == other.upstream;
    }
};

using CheckValves = std::vector<CheckValve>;

// The side file of a project file: the same name with the extension ".rsk".
QString checkValveFileFor(const QString& projectFile);

QByteArray checkValveFileBytes(const CheckValves& valves);

struct CheckValveReading {
    CheckValves valves;
    QStringList problems;  // one text per line left out: "Zeile 3: ..."
};

CheckValveReading parseCheckValveFile(const QString& text);
// The message naming the lines of the file that were left out.
QString checkValveFileProblemText(const QString& fileName, const QStringList& problems);

// Only the valves of pipes the network has, between the nodes they were given for.
CheckValves restrictedTo(const CheckValves& valves, const Network& network);

// Pipe indices of the network whose computed flow runs against their check valve.
std::vector<int> pipesAgainstCheckValves(const Network& network, const Results& results,
                                         const CheckValves& valves);

// What the user is told about them after a calculation.
QString againstCheckValveText(const Network& network, const std::vector<int>& pipes);

}  // namespace kolma
