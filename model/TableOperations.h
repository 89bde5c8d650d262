// Operations on the three input tables of the main window: the reset, storing, removing and
// finding a record, and the node number update. Every operation stays inside its grid whatever
// the edit line or the cells hold; a number outside a table is refused with the error box the
// caller shows.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

#include "Tables.h"

namespace kolma {

class CellTable;

// An error box shown instead of changing a table.
struct Refusal {
    QString text;
    QString caption;
};
using Outcome = std::optional<Refusal>;

// Caption of the error boxes that refuse a table or setting value.
inline constexpr char kInputErrorCaption[] = "Eingabefehler";

// Clears the three tables to " " and writes their headers and row labels.
void TabellenZuruecksetzen(const Tables& tables);

// The texts of columns 1 to count of a row ("" outside the grid).
QStringList rowValues(const CellTable& grid, int row, int count);
// Moves the rows below `row` up by one (columns 1 and up; column 0 stays) and empties the
// last row. A row outside 1 to the last row changes nothing.
void removeRow(CellTable& grid, int row);

// Pipe table (StringGrid1): row text of Edit1 and the seven values of Edit2..Edit7, Edit12.
Outcome addPipe(CellTable& pipes, const QString& rowText, const QStringList& values);
// The refusal for a pipe row number that lies outside the table, or none.
Outcome pipeRowRefusal(const CellTable& pipes, int row);
// The first row whose pipe number equals the text exactly; 0 when none or when the text is
// empty or its integer value is 0.
int findPipe(const CellTable& pipes, const QString& number);

// Node table (StringGrid3): row text of Zeil3 and the six values of Knotnum..RS.
Outcome addNode(CellTable& nodes, const QString& rowText, const QStringList& values);
// The refusal for a node row number that lies outside the table, or none.
Outcome nodeRowRefusal(const CellTable& nodes, int row);
// The first row whose node number equals the text exactly; 0 when none or the text is "".
int findNode(const CellTable& nodes, const QString& number);

// Pump table (StringGrid2), in blocks of three rows.
struct PumpBlock {
    QString type;
    QString start;
    QString end;
    std::array<QString, kSupportPoints> h;
    std::array<QString, kSupportPoints> Q;
};

// Pump edit line: block text of Edit8, the type and nodes of Edit9..Edit11, h1..h8, Q1..Q8.
Outcome addPump(CellTable& pumps, const QString& blockText, const PumpBlock& pump);
// The refusal for a block number that the check rejects or that lies beyond the table's blocks.
Outcome pumpBlockRefusal(const CellTable& pumps, int block);
// The label of the block's first row (column 0), and the block's values.
QString pumpBlockLabel(const CellTable& pumps, int block);
PumpBlock pumpBlock(const CellTable& pumps, int block);
// Writes the pump into the block's three rows; a block beyond the table changes nothing.
void setPumpBlock(CellTable& pumps, int block, const PumpBlock& pump);
// Moves the blocks below `block` up by one block and empties the last one.
void removePump(CellTable& pumps, int block);
// The first block whose type equals the text exactly; 0 when none or when the text does not
// begin with a positive whole number.
int findPump(const CellTable& pumps, const QString& type);

// Writes every node number used by the pipes and pumps, sorted and once each, into column 1
// of the node table from row 1 on. A node cell that is not a whole number raises the general
// conversion error, and more numbers than the node table has rows are refused, both before
// anything changes.
Outcome KnotnumAktualisieren(const Tables& tables);

}  // namespace kolma
