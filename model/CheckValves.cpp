#include "CheckValves.h"

#include <QRegularExpression>
#include <algorithm>

#include "Listing.h"
#include "TextFile.h"

namespace kolma {
namespace {

// A flow this small is no flow: the graph data file rounds, and a closed-off pipe keeps a trace.
constexpr double kNoFlow = 0.001;  // [l/s]
constexpr int kListedPipes = 10;
constexpr int kListedProblems = 5;  // lines of the file named in the message

const CheckValve* valveOf(const CheckValves& valves, const QString& pipe) {
    const auto it = std::find_if(valves.begin(), valves.end(),
                                 [&](const CheckValve& v) { return v.pipe == pipe; });
    return it == valves.end() ? nullptr : &*it;
}

// +1 when the valve passes water from the pipe's start to its end node, -1 the other way round,
// 0 when it belongs to neither end (the pipe was given other nodes since).
int passingDirection(const Network& network, const PipeRecord& pipe, const CheckValve& valve) {
    const auto numberAt = [&](int index) {
        return index < 0 ? -1 : network.nodes[static_cast<std::size_t>(index)].number;
    };
    if (numberAt(pipe.startNode) == valve.upstream)
        return 1;
    if (numberAt(pipe.endNode) == valve.upstream)
        return -1;
    return 0;
}

}  // namespace

QString checkValveFileFor(const QString& projectFile) {
    return replacedExtension(projectFile, QStringLiteral(".rsk"));
}

QByteArray checkValveFileBytes(const CheckValves& valves) {
    QString text = QStringLiteral(
        "; Rückschlagklappen: Strangnummer und der Knoten, von dem aus die Klappe Wasser "
        "durchlässt\n");
    for (const CheckValve& valve : valves)
        text += QStringLiteral("%1\t%2\n").arg(valve.pipe).arg(valve.upstream);
    return text.toUtf8();
}

CheckValveReading parseCheckValveFile(const QString& text) {
    CheckValveReading reading;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const DataLine& line : dataLines(text)) {
        const QStringList tokens = line.text.split(blanks);
        bool ok = false;
        const int upstream = tokens.size() == 2 ? tokens[1].toInt(&ok) : 0;
        if (ok)
            reading.valves.push_back({tokens[0], upstream});
        else
            reading.problems << QStringLiteral("Zeile %1: '%2' ist keine Strang- und Knotennummer.")
                                    .arg(line.number)
                                    .arg(line.text);
    }
    return reading;
}

QString checkValveFileProblemText(const QString& fileName, const QStringList& problems) {
    return QStringLiteral("In der Datei \"%1\" der Rückschlagklappen wurden Zeilen übergangen:\n%2")
        .arg(
            fileName,
            shortened(problems, kListedProblems, QStringLiteral("Zeilen")).join(QLatin1Char('\n')));
}

CheckValves restrictedTo(const CheckValves& valves, const Network& network) {
    CheckValves kept;
    for (const PipeRecord& pipe : network.pipes)
        if (const CheckValve* valve = valveOf(valves, pipe.number.typed))
            if (passingDirection(network, pipe, *valve) != 0)
                kept.push_back(*valve);
    return kept;
}

std::vector<int> pipesAgainstCheckValves(const Network& network, const Results& results,
                                         const CheckValves& valves) {
    std::vector<int> against;
    for (std::size_t p = 0; p < network.pipes.size() && p < results.pipes.size(); ++p) {
        const CheckValve* valve = valveOf(valves, network.pipes[p].number.typed);
        if (valve &&
            passingDirection(network, network.pipes[p], *valve) * results.pipes[p].flow < -kNoFlow)
            against.push_back(static_cast<int>(p));
    }
    return against;
}

QString againstCheckValveText(const Network& network, const std::vector<int>& pipes) {
    QStringList names;
    for (int p : pipes)
        names << network.pipes[static_cast<std::size_t>(p)].number.typed;
    return QStringLiteral(
               "Wasser fließt gegen die Rückschlagklappe von Strang %1. Die Berechnung nimmt "
               "diese Rohre als offene Rohre; soll eine Klappe sperren, das Rohr entfernen und neu "
               "berechnen.")
        .arg(shortened(names, kListedPipes).join(QStringLiteral(", ")));
}

}  // namespace kolma
