#include "Tables.h"

#include "Numbers.h"
#include "StringGrid.h"

namespace kolma {

int listLength(const StringGrid& grid) {
    for (int row = 1; row < grid.rowCount(); ++row)
        if (isEmptyCell(grid.cell(kKeyColumn, row)))
            return row - 1;
    return grid.rowCount() - 1;
}

int pumpBlockCount(const StringGrid& pumps) {
    return (pumps.rowCount() - 1) / kPumpBlockRows;
}

int pumpListLength(const StringGrid& pumps) {
    for (int block = 1; block <= pumpBlockCount(pumps); ++block)
        if (isEmptyCell(pumps.cell(kKeyColumn, firstPumpRow(block))))
            return block - 1;
    return pumpBlockCount(pumps);
}

}  // namespace kolma
