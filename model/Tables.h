// The three input tables of the main window and their layout, as every window that reads them
// sees it.
#pragma once

namespace kolma {

class CellTable;

struct Tables {
    CellTable* pipes = nullptr;  // StringGrid1, 8 columns x 1001 rows
    CellTable* pumps = nullptr;  // StringGrid2, 9 columns x 103 rows, 34 three-row blocks
    CellTable* nodes = nullptr;  // StringGrid3, 7 columns x 1001 rows
};

// Columns. Column 1 holds the record's key in every table: pipe number, pump type, node number.
inline constexpr int kKeyColumn = 1;
inline constexpr int kStartNodeColumn = 2;  // pipes and first pump block rows: AKN
inline constexpr int kEndNodeColumn = 3;    // pipes and first pump block rows: EKN
inline constexpr int kKnownHeadColumn = 2;  // nodes: bek. Druck [mNN]
inline constexpr int kLengthColumn = 4;     // pipes: Länge [m]
inline constexpr int kDiameterColumn = 5;   // pipes: di [mm]
inline constexpr int kGroundColumn = 5;     // nodes: GOK [mNN]
inline constexpr int kInvertColumn = 6;     // nodes: RS [mNN]

// The values of a record, from the key column on: Strangnr. to zeta, Knotnum to RS.
inline constexpr int kPipeValues = 7;
inline constexpr int kNodeValues = 6;

// Pump block k (from 1) takes the rows 3k - 2 (type, start and end node), 3k - 1 (heads) and
// 3k (flows).
inline constexpr int kPumpBlockRows = 3;
// A pump block holds up to this many support points (h, Q), one per column.
inline constexpr int kSupportPoints = 8;
inline int firstPumpRow(int block) {
    return kPumpBlockRows * block - 2;
}
// The block a row of the pump table belongs to (rows 1 to 3 are block 1).
inline int pumpBlockOf(int row) {
    return (row + kPumpBlockRows - 1) / kPumpBlockRows;
}

// The number of records from row 1 up to the first row whose key is empty; all rows when none
// is.
int listLength(const CellTable& grid);
// The number of blocks the pump grid holds (34 for 103 rows).
int pumpBlockCount(const CellTable& pumps);
// The number of pump blocks from block 1 up to the first whose type is empty; all when none is.
int pumpListLength(const CellTable& pumps);

}  // namespace kolma
