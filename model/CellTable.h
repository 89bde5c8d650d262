// A table of text cells with VCL-like cell access: cell(col, row) and setCell. Row 0 and
// column 0 are cells like the others and hold the headers and row labels; views show them fixed.
// Reads outside the table give an empty text, writes outside it are ignored. As a Qt item model
// it offers every cell as an item (row 0 and column 0 included) and the header cells as header
// data, so that a view can show the table without copying it.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>
#include <vector>

namespace kolma {

class CellTable;

// A cell whose text changed, with the text before and after.
struct CellChange {
    int col;
    int row;
    QString before;
    QString after;
};

// A text to write into a cell.
struct CellWrite {
    int col;
    int row;
    QString text;
};

// Hears of every changed cell of a table, one call per write: one change for setCell, all of
// them for a bulk write or a fill. Changes of the row count are not reported.
class CellObserver {
public:
    virtual void cellsChanged(CellTable& table, const std::vector<CellChange>& changes) = 0;

protected:
    ~CellObserver() = default;
};

class CellTable : public QAbstractTableModel {
    Q_OBJECT

public:
    CellTable(int colCount, int rowCount, QObject* parent = nullptr);

    int colCount() const { return cols_; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    // Grows or shrinks the table at its end; new cells are empty.
    void setRowCount(int rows);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Sets every cell, row 0 and column 0 included, to the same text.
    void fill(const QString& text);
    // Writes the texts in order (writes outside the table are ignored) and announces one change
    // covering every changed cell, so that a view repaints once for thousands of cells.
    void setCells(const std::vector<CellWrite>& writes);

    // The one observer of the table's cells (not owned); nullptr for none.
    void setObserver(CellObserver* observer) { observer_ = observer; }

    // The item model: item (r, c) is cell (c, r).
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    bool contains(int col, int row) const {
        return col >= 0 && col < cols_ && row >= 0 && row < rows_;
    }
    void announceChange(int firstCol, int firstRow, int lastCol, int lastRow);

    int cols_;
    int rows_;
    QVector<QString> cells_;  // row-major, rows_ x cols_
    CellObserver* observer_ = nullptr;
};

}  // namespace kolma
