// A grid showing a table of text cells: row 0 and column 0 of the table are shown fixed, as the
// header views, with the text of cell (0, 0) in the corner; the other cells are edited in place.
#pragma once

#include <QTableView>

#include "CellTable.h"

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showFixedCells();
    void paintCorner();

    CellTable* table_;
    QAbstractButton* corner_ = nullptr;
};

}  // namespace kolma
