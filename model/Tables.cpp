#include "Tables.h"

#include "CellTable.h"
#include "Numbers.h"

namespace kolma {

int listLength(const CellTable& grid) {
    for (int row = 1; row < grid.rowCount(); ++row)
        if (isEmptyCell(grid.cell(kKeyColumn, row)))
            return row - 1;
    return grid.rowCount() - 1;
}

int pumpBlockCount(const CellTable& pumps) {
    return (pumps.rowCount() - 1) / kPumpBlockRows;
}

int pumpListLength(const CellTable& pumps) {
    for (int block = 1; block <= pumpBlockCount(pumps); ++block)
        if (isEmptyCell(pumps.cell(kKeyColumn, firstPumpRow(block))))
            return block - 1;
    return pumpBlockCount(pumps);
}

}  // namespace kolma
