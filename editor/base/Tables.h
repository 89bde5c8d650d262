// The three input tables of the main window, as the section and catalogue windows see them.
#pragma once

namespace kolma {

class StringGrid;

struct Tables {
    StringGrid* pipes = nullptr;  // StringGrid1, 8 columns x 1001 rows
    StringGrid* pumps = nullptr;  // StringGrid2, 9 columns x 103 rows, 34 three-row blocks
    StringGrid* nodes = nullptr;  // StringGrid3, 7 columns x 1001 rows
};

}  // namespace kolma
