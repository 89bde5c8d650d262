// The node sequence of a longitudinal section: the chain of node numbers that the user lists in
// column 1 of the sequence grid, checked against the node table of the main window.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace kolma {

class CellTable;

// An error box to show instead of going on.
struct SectionFailure {
    QString text;
    QString caption;
};

// Reads the node count of the calculated system from the graph data file into `count`; the
// failure to show when the file cannot be read (the count then stays as it was).
std::optional<SectionFailure> readSystemNodeCount(const QString& graphFile, int& count);

// Row labels "1", "2", ... and the headers "Zeile" and "Knotennr.".
void labelSequenceGrid(CellTable& sequence);

// True when the number equals a Knotnum cell of the node table in rows 0 to nodeCount (exact
// text; row 0 is the header row and takes part).
bool nodeInSystem(const CellTable& nodes, const QString& number, int nodeCount);

// Writes a node number into row `rowText` of the sequence grid, growing the grid when the row
// does not exist yet.
std::optional<SectionFailure> addSequenceEntry(CellTable& sequence, const QString& rowText,
                                               const QString& number, const CellTable& nodes,
                                               int nodeCount);

// A row that "Entfernen" may remove: 1 to the last row of the grid.
bool removableRow(const CellTable& sequence, int row);
// Moves the entries below `row` up by one and drops the last grid row; the row labels stay.
// Returns the entry now standing in `row`. A row that is not removable changes nothing.
QString removeSequenceEntry(CellTable& sequence, int row);

// The entries from row 1 up to the first empty cell (at most 1999).
QStringList sequenceEntries(const CellTable& sequence);

// The first Knotnum, GOK or RS cell of node rows 1 to nodeCount that holds no value, as its
// text; nothing when every node has its three values.
std::optional<QString> firstIncompleteNodeCell(const CellTable& nodes, int nodeCount);

}  // namespace kolma
