#include "ResultExport.h"

#include "TextFile.h"

namespace kolma {
namespace {

// Heights as the graph data file holds heads; inputs with one decimal more than computed flows,
// so that typed withdrawals keep their litres.
constexpr int kHeightDecimals = 3;
constexpr int kPressureDecimals = 2;
constexpr int kInputFlowDecimals = 3;
constexpr int kFlowDecimals = 2;
constexpr int kVelocityDecimals = 2;
constexpr int kGradientDecimals = 2;
constexpr int kLiftDecimals = 2;

CsvCell text(const QString& value) {
    return CsvCell::of(value.trimmed());
}

QString nodeNumber(const Network& network, int index) {
    return network.nodes[index].numberText.trimmed();
}

CsvTable nodeTable(const Network& network, const Results& results) {
    CsvTable table;
    table.header = {QStringLiteral("Knoten"),
                    QStringLiteral("Energiehöhe [mNN]"),
                    QStringLiteral("Geländehöhe [mNN]"),
                    QStringLiteral("Versorgungsdruck [bar]"),
                    QStringLiteral("Zugabe [l/s]"),
                    QStringLiteral("Entnahme [l/s]")};
    for (std::size_t i = 0; i < network.nodes.size(); ++i) {
        const NodeRecord& node = network.nodes[i];
        const NodeResult& result = results.nodes[i];
        table.rows.push_back({text(node.numberText), CsvCell::of(result.head, kHeightDecimals),
                              CsvCell::of(node.ground.number, kHeightDecimals),
                              CsvCell::of(result.pressure, kPressureDecimals),
                              CsvCell::of(node.inflow.number, kInputFlowDecimals),
                              CsvCell::of(node.withdrawal.number, kInputFlowDecimals)});
    }
    return table;
}

CsvTable pipeTable(const Network& network, const Results& results) {
    CsvTable table;
    table.header = {QStringLiteral("Rohr"),
                    QStringLiteral("von Knoten"),
                    QStringLiteral("nach Knoten"),
                    QStringLiteral("Durchfluss [l/s]"),
                    QStringLiteral("Geschwindigkeit [m/s]"),
                    QStringLiteral("Gefälle [m/km]")};
    for (std::size_t p = 0; p < network.pipes.size(); ++p) {
        const PipeRecord& pipe = network.pipes[p];
        const PipeResult& result = results.pipes[p];
        table.rows.push_back({text(pipe.number.typed),
                              CsvCell::of(nodeNumber(network, pipe.startNode)),
                              CsvCell::of(nodeNumber(network, pipe.endNode)),
                              CsvCell::of(result.flow, kFlowDecimals),
                              CsvCell::of(result.velocity, kVelocityDecimals),
                              CsvCell::of(result.gradient, kGradientDecimals)});
    }
    return table;
}

CsvTable pumpTable(const Network& network, const std::vector<PumpResult>& pumps) {
    CsvTable table;
    table.header = {QStringLiteral("Pumpe"),          QStringLiteral("von Knoten"),
                    QStringLiteral("nach Knoten"),    QStringLiteral("Förderstrom [l/s]"),
                    QStringLiteral("Förderhöhe [m]"), QStringLiteral("im Arbeitsbereich")};
    for (std::size_t k = 0; k < pumps.size(); ++k) {
        const PumpRecord& pump = network.pumps[k];
        table.rows.push_back(
            {text(pump.type), CsvCell::of(nodeNumber(network, pump.startNode)),
             CsvCell::of(nodeNumber(network, pump.endNode)),
             CsvCell::of(pumps[k].flow, kFlowDecimals), CsvCell::of(pumps[k].lift(), kLiftDecimals),
             CsvCell::of(pumps[k].inRange ? QStringLiteral("ja") : QStringLiteral("nein"))});
    }
    return table;
}

// "name.csv" and "name" give the base "name"; other extensions stay part of the base.
QString baseOf(const QString& chosen) {
    if (namePart(chosen).endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return replacedExtension(chosen, QString());
    return chosen;
}

}  // namespace

ResultTables resultTables(const Network& network, const LatestResults& latest) {
    return {nodeTable(network, latest.results), pipeTable(network, latest.results),
            pumpTable(network, latest.pumps), latest.results.boundReached()};
}

ResultFiles resultFilesFor(const QString& chosen) {
    const QString base = baseOf(chosen);
    return {base + QStringLiteral("_knoten.csv"), base + QStringLiteral("_rohre.csv"),
            base + QStringLiteral("_pumpen.csv")};
}

void writeResultFiles(const ResultFiles& files, const ResultTables& tables, CsvStyle style) {
    writeFileAtomically(files.nodes, csvBytes(tables.nodes, style));
    writeFileAtomically(files.pipes, csvBytes(tables.pipes, style));
    writeFileAtomically(files.pumps, csvBytes(tables.pumps, style));
}

}  // namespace kolma
