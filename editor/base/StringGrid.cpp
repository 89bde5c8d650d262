#include "StringGrid.h"

#include <QHeaderView>
#include <QPalette>

namespace kolma {

StringGridModel::StringGridModel(StringGrid& grid) : QAbstractTableModel(&grid), grid_(grid) {}

int StringGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.rows_ - 1;
}

int StringGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.cols_ - 1;
}

QVariant StringGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return grid_.cell(index.column() + 1, index.row() + 1);
}

bool StringGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole)
        return false;
    grid_.setCell(index.column() + 1, index.row() + 1, value.toString());
    return true;
}

QVariant StringGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? grid_.cell(section + 1, 0) : grid_.cell(0, section + 1);
}

Qt::ItemFlags StringGridModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

StringGrid::StringGrid(int colCount, int rowCount, QWidget* parent)
    : QTableView(parent),
      cols_(colCount),
      rows_(rowCount),
      cells_(colCount * rowCount),
      model_(new StringGridModel(*this)) {
    setModel(model_);
    horizontalHeader()->setDefaultSectionSize(63);
    verticalHeader()->setDefaultSectionSize(24);
    QPalette p = palette();
    p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
    setPalette(p);
}

void StringGrid::setRowCount(int rows) {
    if (rows < 1 || rows == rows_)
        return;
    model_->beginResetModel();
    cells_.resize(cols_ * rows);
    rows_ = rows;
    model_->endResetModel();
}

QString StringGrid::cell(int col, int row) const {
    return contains(col, row) ? cells_[row * cols_ + col] : QString();
}

void StringGrid::setCell(int col, int row, const QString& text) {
    Q_ASSERT(contains(col, row));
    if (!contains(col, row))
        return;
    cells_[row * cols_ + col] = text;
    cellChanged(col, row);
}

void StringGrid::fill(const QString& text) {
    model_->beginResetModel();
    cells_.fill(text);
    model_->endResetModel();
}

void StringGrid::clearCellSelection() {
    if (selectionModel())
        selectionModel()->clearSelection();
}

void StringGrid::cellChanged(int col, int row) {
    if (row == 0 && col > 0) {
        emit model_->headerDataChanged(Qt::Horizontal, col - 1, col - 1);
    } else if (col == 0 && row > 0) {
        emit model_->headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else if (row > 0 && col > 0) {
        const QModelIndex i = model_->index(row - 1, col - 1);
        emit model_->dataChanged(i, i);
    }
}

}  // namespace kolma
