#include "NodeSequence.h"

#include <algorithm>

#include "CellTable.h"
#include "GraphData.h"
#include "Numbers.h"
#include "Tables.h"

namespace kolma {
namespace {

constexpr int kNumberColumn = 1;  // of the sequence grid
constexpr int kMaxSequenceRow = 1999;

SectionFailure invalidInput() {
    return {QStringLiteral("Ungültiger Eingabewert"), QStringLiteral("Eingabefehler")};
}

}  // namespace

std::optional<SectionFailure> readSystemNodeCount(const QString& graphFile, int& count) {
    const auto graph = readGraphFile(graphFile);
    if (!graph || !graph->headerRead)
        return SectionFailure{
            QStringLiteral("Die Die Graphikeingabedatei konnte nicht geöffnet werden"),
            QStringLiteral("Fehler")};
    count = graph->nodeCount;
    return std::nullopt;
}

void labelSequenceGrid(CellTable& sequence) {
    for (int row = 1; row < sequence.rowCount(); ++row)
        sequence.setCell(0, row, QString::number(row));
    sequence.setCell(0, 0, QStringLiteral("Zeile"));
    sequence.setCell(kNumberColumn, 0, QStringLiteral("Knotennr."));
}

bool nodeInSystem(const CellTable& nodes, const QString& number, int nodeCount) {
    for (int row = 0; row <= nodeCount && row < nodes.rowCount(); ++row)
        if (nodes.cell(kKeyColumn, row) == number)
            return true;
    return false;
}

std::optional<SectionFailure> addSequenceEntry(CellTable& sequence, const QString& rowText,
                                               const QString& number, const CellTable& nodes,
                                               int nodeCount) {
    const int row = integerValue(rowText);
    // Rows beyond the longest sequence that can be drawn would only grow the grid.
    if (rowText.isEmpty() || row <= 0 || row > kMaxSequenceRow || number.isEmpty())
        return invalidInput();
    if (!nodeInSystem(nodes, number, nodeCount))
        return SectionFailure{QStringLiteral("Die Knotennummer ist nicht im System enthalten"),
                              QStringLiteral("Eingabefehler")};
    if (row >= sequence.rowCount()) {
        // A row far below the grid is created rather than dropped, so no typed entry is lost.
        sequence.setRowCount(std::max(sequence.rowCount() + 1, row + 1));
        sequence.setCell(0, row, rowText);
    }
    sequence.setCell(kNumberColumn, row, number);
    return std::nullopt;
}

bool removableRow(const CellTable& sequence, int row) {
    return row >= 1 && row < sequence.rowCount();
}

QString removeSequenceEntry(CellTable& sequence, int row) {
    if (!removableRow(sequence, row))
        return QString();
    const int last = sequence.rowCount() - 1;
    for (int i = row; i < last; ++i)
        sequence.setCell(kNumberColumn, i, sequence.cell(kNumberColumn, i + 1));
    sequence.setCell(kNumberColumn, last, QString());
    const QString moved = sequence.cell(kNumberColumn, row);
    sequence.setRowCount(last);
    return moved;
}

QStringList sequenceEntries(const CellTable& sequence) {
    QStringList entries;
    for (int row = 1; row <= kMaxSequenceRow; ++row) {
        const QString cell = sequence.cell(kNumberColumn, row);
        if (isEmptyCell(cell))
            break;
        entries << cell;
    }
    return entries;
}

std::optional<QString> firstIncompleteNodeCell(const CellTable& nodes, int nodeCount) {
    for (int row = 1; row <= nodeCount; ++row)
        for (int column : {kKeyColumn, kGroundColumn, kInvertColumn}) {
            const QString cell = nodes.cell(column, row);
            if (!holdsValue(cell))
                return cell;
        }
    return std::nullopt;
}

}  // namespace kolma
