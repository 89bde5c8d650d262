#include "SectionData.h"

#include <algorithm>
#include <cmath>

#include "CellTable.h"
#include "KolmaError.h"
#include "Numbers.h"
#include "Results.h"

namespace kolma {
namespace {

SectionFailure graphFileMissing() {
    return {QStringLiteral("Die Graphikeingabedatei konnte nicht geöffnet werden"),
            QStringLiteral("Fehler")};
}

SectionFailure sequenceNotInSystem() {
    return {QStringLiteral("Die von Ihnen angegebene Knotenfolge ist nicht im System enthalten"),
            QStringLiteral("Fehler")};
}

// The tables were changed after the last calculation, so the file lacks values they refer to.
SectionFailure graphFileOutdated() {
    return {graphDataOutdatedText(), QStringLiteral("Fehler")};
}

float cellNumber(const CellTable& grid, int column, int row) {
    return static_cast<float>(strictDouble(grid.cell(column, row)));
}

bool joins(const CellTable& grid, int row, const QString& from, const QString& to) {
    const QString start = grid.cell(kStartNodeColumn, row);
    const QString end = grid.cell(kEndNodeColumn, row);
    if (isEmptyCell(start))
        return false;
    return (start == from && end == to) || (end == from && start == to);
}

std::optional<int> firstNodeRow(const CellTable& nodes, int rowCount, const QString& number) {
    for (int row = 1; row <= rowCount; ++row)
        if (nodes.cell(kKeyColumn, row) == number)
            return row;
    return std::nullopt;
}

// Heights come from the last node row 1..N with the number, as duplicates have always counted.
void readHeights(const CellTable& nodes, int nodeCount, SectionNode& node) {
    for (int row = 1; row <= nodeCount && row < nodes.rowCount(); ++row)
        if (nodes.cell(kKeyColumn, row) == node.number) {
            node.ground = cellNumber(nodes, kGroundColumn, row);
            node.invert = cellNumber(nodes, kInvertColumn, row);
        }
}

std::optional<SectionFailure> readNodes(const QStringList& sequence, const CellTable& nodes,
                                        const GraphData& graph, SectionData& data) {
    const int rowCount = listLength(nodes);
    for (const QString& number : sequence) {
        SectionNode node;
        node.number = number;
        const auto row = firstNodeRow(nodes, rowCount, number);
        if (!row)
            return sequenceNotInSystem();
        node.row = *row - 1;
        if (node.row >= static_cast<int>(graph.heads.size()))
            return graphFileOutdated();
        node.energy = graph.heads[node.row];
        readHeights(nodes, graph.nodeCount, node);
        data.nodes.push_back(node);
    }
    return std::nullopt;
}

// The first pipe row joining the two nodes in either direction, or 0.
int matchingPipeRow(const CellTable& pipes, const QString& from, const QString& to) {
    const int rowCount = listLength(pipes);
    for (int row = 1; row <= rowCount; ++row)
        if (joins(pipes, row, from, to))
            return row;
    return 0;
}

// Only the first row of a pump block names its nodes; the head and flow rows below it hold
// support values that must not be taken for node numbers.
bool pumpJoins(const CellTable& pumps, const QString& from, const QString& to) {
    for (int block = 1; block <= pumpListLength(pumps); ++block)
        if (joins(pumps, firstPumpRow(block), from, to))
            return true;
    return false;
}

std::optional<SectionFailure> readSegments(const Tables& tables, const GraphData& graph,
                                           SectionData& data) {
    for (std::size_t k = 0; k + 1 < data.nodes.size(); ++k) {
        const QString& from = data.nodes[k].number;
        const QString& to = data.nodes[k + 1].number;
        SectionSegment segment;
        const int pipeRow = matchingPipeRow(*tables.pipes, from, to);
        if (pipeRow > 0) {
            const int record = pipeRow - 1;
            if (record >= static_cast<int>(graph.flows.size()))
                return graphFileOutdated();
            segment.length = cellNumber(*tables.pipes, kLengthColumn, pipeRow);
            segment.diameter = cellNumber(*tables.pipes, kDiameterColumn, pipeRow);
            segment.flow = static_cast<float>(graph.flows[record]);
            segment.velocity = static_cast<float>(graph.velocities[record]);
        }
        const bool pump = pumpJoins(*tables.pumps, from, to);
        if (pump) {
            segment.length = 1.0f;
            data.nodes[k + 1].labelShift = 0;
        }
        if (pipeRow == 0 && !pump)
            return sequenceNotInSystem();
        data.segments.push_back(segment);
    }
    return std::nullopt;
}

// zmin and zmax start at the head of node-table row 1, whether or not it lies on the section.
void measure(const GraphData& graph, SectionData& data) {
    data.zmin = data.zmax = static_cast<float>(graph.heads.front());
    for (const SectionNode& node : data.nodes)
        for (double z : {node.energy, double(node.invert), double(node.ground)}) {
            if (z > data.zmax)
                data.zmax = static_cast<float>(z);
            if (z < data.zmin)
                data.zmin = static_cast<float>(z);
        }
    data.range = std::fabs(data.zmax - data.zmin);
    float station = 0.0f;
    data.totalLength = 0.0f;
    for (std::size_t k = 0; k < data.nodes.size(); ++k) {
        data.nodes[k].station = station;
        if (k < data.segments.size()) {
            station += data.segments[k].length;
            data.totalLength += std::fabs(data.segments[k].length);
        }
    }
}

SectionPreparation failed(const SectionFailure& failure) {
    return {SectionData{}, failure};
}

}  // namespace

SectionPreparation prepareSection(const QStringList& sequence, const Tables& tables,
                                  const QString& graphFile) {
    const auto graph = readGraphFile(graphFile);
    if (!graph)
        return failed(graphFileMissing());
    return prepareSection(sequence, tables, *graph);
}

SectionPreparation prepareSection(const QStringList& sequence, const Tables& tables,
                                  const GraphData& graph) {
    if (sequence.size() < 2)
        return {};
    if (graph.heads.empty())
        return failed(graphFileOutdated());
    SectionPreparation result;
    try {
        auto failure = readNodes(sequence, *tables.nodes, graph, result.data);
        if (!failure)
            failure = readSegments(tables, graph, result.data);
        if (failure)
            return failed(*failure);
    } catch (const KolmaError& error) {
        // A table cell that is no number ends the drawing as it would end any handler.
        return failed({error.message(), QString::fromLatin1(kApplicationTitle)});
    }
    measure(graph, result.data);
    return result;
}

}  // namespace kolma
