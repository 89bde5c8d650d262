// The files a calculation leaves in the working directory, for tests of windows that show
// results: the input it computed, a report with results, and the graph data, written in the
// order a run writes them.
#pragma once

#include <QByteArray>

#include "GraphData.h"
#include "Network.h"
#include "ProjectFile.h"
#include "WorkingDirectory.h"

namespace kolma::testing {

// The report's pump table for the network's pumps, every pump at no flow and no lift.
inline QByteArray idlePumpTable(const Network& network) {
    QByteArray table =
        "\n|Pumpennr.|Durchfluss |   delta h |Pumpentyp\n|   [-]   |   [l/s]   |    [-]    |   [-]";
    for (const PumpRecord& pump : network.pumps)
        table += "\n|  " + QByteArray::number(network.nodes[pump.startNode].number) + '-' +
                 QByteArray::number(network.nodes[pump.endNode].number) +
                 "  |       0.00|      0.00|  " + pump.type.trimmed().toUtf8();
    return table + '\n';
}

// A run of the network that left `graph`; `pumpTable` is the report's pump table.
inline void leaveCalculation(const WorkingDirectory& dir, const Network& network,
                             const QByteArray& graph, const QByteArray& pumpTable) {
    dir.write(QString::fromLatin1(kEingabeFile),
              convertSeparators(eingabeText(network), Conversion::Calculation));
    dir.write(QString::fromLatin1(kReportFile), "\nEingabedaten: \n\nAusgabedaten:\n" + pumpTable);
    dir.write(QString::fromLatin1(kGraphFileName), graph);
}

inline void leaveCalculation(const WorkingDirectory& dir, const Network& network,
                             const QByteArray& graph) {
    leaveCalculation(dir, network, graph, idlePumpTable(network));
}

}  // namespace kolma::testing
