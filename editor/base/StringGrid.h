// A grid of text cells with VCL-like cell access. Row 0 and column 0 are cells like the others
// but are shown fixed, as the header views of the table view; the remaining cells are edited
// in place. Reads outside the grid give an empty text; writes outside it are ignored.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <QVector>

namespace kolma {

class StringGrid;

// Exposes the non-fixed cells as items and the fixed row and column as header data.
class StringGridModel : public QAbstractTableModel {
public:
    explicit StringGridModel(StringGrid& grid);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    friend class StringGrid;
    StringGrid& grid_;
};

class StringGrid : public QTableView {
public:
    StringGrid(int colCount, int rowCount, QWidget* parent = nullptr);

    int colCount() const { return cols_; }
    int rowCount() const { return rows_; }
    void setRowCount(int rows);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);
    // Sets every cell, fixed ones included, to the same text.
    void fill(const QString& text);
    // Removes any cell selection.
    void clearCellSelection();

private:
    friend class StringGridModel;
    bool contains(int col, int row) const {
        return col >= 0 && col < cols_ && row >= 0 && row < rows_;
    }
    void cellChanged(int col, int row);

    int cols_;
    int rows_;
    QVector<QString> cells_;  // row-major, rows_ x cols_
    StringGridModel* model_;  // owned as a child
};

}  // namespace kolma
