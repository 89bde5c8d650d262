#include "TableOperations.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "CellTable.h"
#include "Numbers.h"

namespace kolma {
namespace {

const QString kBlank = QStringLiteral(" ");
const QString kInputError = QString::fromUtf8(kInputErrorCaption);

Refusal invalidInput() {
    return {QStringLiteral("Ungültiger Eingabewert"), kInputError};
}

bool anyEmpty(const QStringList& texts) {
    return std::any_of(texts.begin(), texts.end(), [](const QString& t) { return t.isEmpty(); });
}

// The number of an edit line names a row or block when it is given and not 0.
bool numberGiven(const QString& text) {
    return !text.isEmpty() && integerValue(text) != 0;
}

// The values from column firstCol on.
void setRowValues(CellTable& grid, int row, int firstCol, const QStringList& values) {
    for (int i = 0; i < values.size(); ++i)
        grid.setCell(firstCol + i, row, values[i]);
}

// A row number outside 1 to the table's last row: 0 is an invalid entry, the rest lie beyond
// the table.
Outcome rowRefusal(const CellTable& grid, int row, const QString& rangeMessage) {
    if (row == 0)
        return invalidInput();
    if (row < 1 || row >= grid.rowCount())
        return Refusal{rangeMessage, kInputError};
    return std::nullopt;
}

// Stores the values from column 1 on into a row numbered by the edit line's text, with the
// checks shared by the pipe and the node page.
Outcome addRecord(CellTable& grid, const QString& rowText, const QStringList& values, bool valid,
                  const QString& rangeMessage) {
    if (!valid)
        return invalidInput();
    if (auto refusal = rowRefusal(grid, integerValue(rowText), rangeMessage))
        return refusal;
    setRowValues(grid, strictInt(rowText), kKeyColumn, values);
    return std::nullopt;
}

QString pipeRangeMessage() {
    return QStringLiteral("Die Anzahl der Rohre soll zwischen 1 und 200 liegen");
}
QString nodeRangeMessage() {
    return QStringLiteral("Die Anzahl der Knoten soll zwischen 1 und 2000 liegen");
}

// Block numbers up to 222 pass the check of the pump page's number range.
constexpr int kMaxPumpBlockNumber = 222;

QStringList toList(const std::array<QString, kSupportPoints>& values) {
    return QStringList(values.begin(), values.end());
}

void readPoints(const CellTable& grid, int row, std::array<QString, kSupportPoints>& points) {
    for (int i = 0; i < kSupportPoints; ++i)
        points[i] = grid.cell(i + 1, row);
}

// The start node numbers of the given rows, then their end node numbers.
void appendNodeNumbers(const CellTable& grid, const std::vector<int>& rows,
                       std::vector<int>& numbers) {
    for (int col : {kStartNodeColumn, kEndNodeColumn})
        for (int row : rows)
            numbers.push_back(strictInt(grid.cell(col, row)));
}

}  // namespace

void TabellenZuruecksetzen(const Tables& tables) {
    for (CellTable* grid : {tables.pipes, tables.pumps, tables.nodes})
        grid->fill(kBlank);
    CellTable& pipes = *tables.pipes;
    for (int row = 1; row < pipes.rowCount(); ++row)
        pipes.setCell(0, row, QString::number(row));
    setRowValues(pipes, 0, 0,
                 {QStringLiteral("Zeile"), QStringLiteral("Strangnr."), QStringLiteral("AKN"),
                  QStringLiteral("EKN"), QStringLiteral("Länge"), QStringLiteral("di"),
                  QStringLiteral("ks"), QStringLiteral("zeta")});

    CellTable& pumps = *tables.pumps;
    for (int block = 1; block <= pumpBlockCount(pumps); ++block) {
        const int row = firstPumpRow(block);
        pumps.setCell(0, row, QString::number(block));
        pumps.setCell(0, row + 1, QStringLiteral("h   [m]"));
        pumps.setCell(0, row + 2, QStringLiteral("Q   [l/s]"));
    }
    setRowValues(pumps, 0, 0,
                 {QStringLiteral("Zeile"), QStringLiteral("Pumpennr."), QStringLiteral("AKN"),
                  QStringLiteral("EKN")});

    CellTable& nodes = *tables.nodes;
    for (int row = 0; row < nodes.rowCount(); ++row)
        nodes.setCell(0, row, QString::number(row));
    setRowValues(nodes, 0, 0,
                 {QStringLiteral("Zeile"), QStringLiteral("Knotnum"), QStringLiteral("bek. Druck"),
                  QStringLiteral("Zugabe"), QStringLiteral("Entnahme"), QStringLiteral("GOK"),
                  QStringLiteral("RS")});
}

QStringList rowValues(const CellTable& grid, int row, int count) {
    QStringList values;
    for (int col = kKeyColumn; col < kKeyColumn + count; ++col)
        values << grid.cell(col, row);
    return values;
}

void removeRow(CellTable& grid, int row) {
    if (row < 1 || row >= grid.rowCount())
        return;
    for (int r = row; r < grid.rowCount(); ++r)
        for (int col = kKeyColumn; col < grid.colCount(); ++col)
            grid.setCell(col, r, grid.cell(col, r + 1));
}

Outcome addPipe(CellTable& pipes, const QString& rowText, const QStringList& values) {
    return addRecord(pipes, rowText, values, numberGiven(rowText) && !anyEmpty(values),
                     pipeRangeMessage());
}

Outcome pipeRowRefusal(const CellTable& pipes, int row) {
    return rowRefusal(pipes, row, pipeRangeMessage());
}

int findPipe(const CellTable& pipes, const QString& number) {
    if (!numberGiven(number))
        return 0;
    for (int row = 1; row < pipes.rowCount(); ++row)
        if (pipes.cell(kKeyColumn, row) == number)
            return row;
    return 0;
}

Outcome addNode(CellTable& nodes, const QString& rowText, const QStringList& values) {
    const bool valid = numberGiven(rowText) && !values.value(0).isEmpty();
    return addRecord(nodes, rowText, values, valid, nodeRangeMessage());
}

Outcome nodeRowRefusal(const CellTable& nodes, int row) {
    return rowRefusal(nodes, row, nodeRangeMessage());
}

int findNode(const CellTable& nodes, const QString& number) {
    if (number.isEmpty())
        return 0;
    for (int row = 1; row < nodes.rowCount(); ++row)
        if (nodes.cell(kKeyColumn, row) == number)
            return row;
    return 0;
}

Outcome addPump(CellTable& pumps, const QString& blockText, const PumpBlock& pump) {
    const bool valid =
        numberGiven(blockText) && !pump.type.isEmpty() && !pump.start.isEmpty() &&
        !pump.end.isEmpty() && integerValue(pump.end) != 0 &&
        !anyEmpty({pump.Q[0], pump.h[0], pump.Q[1], pump.h[1], pump.Q[2], pump.h[2]});
    if (!valid)
        return invalidInput();
    const int block = strictInt(blockText);
    if (auto refusal = pumpBlockRefusal(pumps, block))
        return refusal;
    setPumpBlock(pumps, block, pump);
    return std::nullopt;
}

Outcome pumpBlockRefusal(const CellTable& pumps, int block) {
    if (block == 0)
        return invalidInput();
    if (block < 1 || block > kMaxPumpBlockNumber)
        return Refusal{QStringLiteral("Die Anzahl der Pumpen soll unter 667 liegen"), kInputError};
    // Numbers up to 222 pass the check above, but the table has rows for fewer blocks; a
    // pump beyond them would be stored nowhere.
    if (block > pumpBlockCount(pumps))
        return Refusal{
            QStringLiteral("Die Pumpentabelle fasst nur %1 Pumpen").arg(pumpBlockCount(pumps)),
            kInputError};
    return std::nullopt;
}

QString pumpBlockLabel(const CellTable& pumps, int block) {
    return pumps.cell(0, firstPumpRow(block));
}

PumpBlock pumpBlock(const CellTable& pumps, int block) {
    const int row = firstPumpRow(block);
    PumpBlock pump;
    pump.type = pumps.cell(kKeyColumn, row);
    pump.start = pumps.cell(kStartNodeColumn, row);
    pump.end = pumps.cell(kEndNodeColumn, row);
    readPoints(pumps, row + 1, pump.h);
    readPoints(pumps, row + 2, pump.Q);
    return pump;
}

void setPumpBlock(CellTable& pumps, int block, const PumpBlock& pump) {
    if (block < 1 || block > pumpBlockCount(pumps))
        return;
    const int row = firstPumpRow(block);
    setRowValues(pumps, row, kKeyColumn, {pump.type, pump.start, pump.end});
    setRowValues(pumps, row + 1, 1, toList(pump.h));
    setRowValues(pumps, row + 2, 1, toList(pump.Q));
}

void removePump(CellTable& pumps, int block) {
    if (block < 1 || block > pumpBlockCount(pumps))
        return;
    const int lastRow = firstPumpRow(pumpBlockCount(pumps));
    for (int row = firstPumpRow(block); row <= lastRow; row += kPumpBlockRows) {
        const int next = row + kPumpBlockRows;
        for (int col = 1; col < pumps.colCount(); ++col) {
            // Columns after the end node in a block's first row hold nothing of a pump.
            pumps.setCell(col, row, col <= kEndNodeColumn ? pumps.cell(col, next) : QString());
            pumps.setCell(col, row + 1, pumps.cell(col, next + 1));
            pumps.setCell(col, row + 2, pumps.cell(col, next + 2));
        }
    }
}

int findPump(const CellTable& pumps, const QString& type) {
    if (type.isEmpty() || integerValue(type) <= 0)
        return 0;
    for (int block = 1; block <= pumpBlockCount(pumps); ++block)
        if (pumps.cell(kKeyColumn, firstPumpRow(block)) == type)
            return block;
    return 0;
}

Outcome KnotnumAktualisieren(const Tables& tables) {
    std::vector<int> pipeRows(listLength(*tables.pipes));
    std::iota(pipeRows.begin(), pipeRows.end(), 1);
    std::vector<int> pumpRows;
    const int pumps = pumpListLength(*tables.pumps);
    for (int block = 1; block <= pumps; ++block)
        pumpRows.push_back(firstPumpRow(block));

    std::vector<int> numbers;
    appendNodeNumbers(*tables.pipes, pipeRows, numbers);
    appendNodeNumbers(*tables.pumps, pumpRows, numbers);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());

    CellTable& nodes = *tables.nodes;
    if (static_cast<int>(numbers.size()) > nodes.rowCount() - 1)
        return Refusal{
            QStringLiteral("Die Knotentabelle fasst nur %1 Knoten").arg(nodes.rowCount() - 1),
            kInputError};
    for (size_t i = 0; i < numbers.size(); ++i)
        nodes.setCell(kKeyColumn, static_cast<int>(i) + 1, QString::number(numbers[i]));
    return std::nullopt;
}

}  // namespace kolma
