// A grid showing a table of text cells: row 0 and column 0 of the table are shown fixed, as the
// header views, with the text of cell (0, 0) in the corner; the other cells are edited in place.
#pragma once

#include <QTableView>
#include <optional>

#include "CellTable.h"
#include "Network.h"

class QAbstractButton;

namespace kolma {

class StringGrid : public QTableView {
public:
    // Shows a table that lives elsewhere (the project's tables).
    StringGrid(CellTable& table, QWidget* parent = nullptr);
    // Shows a table of its own, for grids that belong to one dialog.
    StringGrid(int colCount, int rowCount, QWidget* parent = nullptr);

    CellTable& table() const { return *table_; }
    // The text the corner shows.
    QString cornerText() const;
    // Removes any cell selection.
    void clearCellSelection();

    // Makes the grid an input table: a value typed into a cell is filtered and checked like the
    // edit line of its column, cells without a value of their own cannot be edited, and blocks
    // of values are pasted and copied (Ctrl+V, Ctrl+C).
    void setTableInput(TableId table);
    // Puts the selected cells (the current one when none is selected) on the clipboard as a
    // spreadsheet takes them, with the headers when whole rows are selected.
    void copyCells();
    // Pastes the clipboard's block from the current cell on, or shows why it is refused.
    void pasteCells();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showFixedCells();
    void paintCorner();

    CellTable* table_;
    QAbstractButton* corner_ = nullptr;
    std::optional<TableId> input_;
};

}  // namespace kolma
