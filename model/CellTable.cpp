#include "CellTable.h"

#include <algorithm>

namespace kolma {

CellTable::CellTable(int colCount, int rowCount, QObject* parent)
    : QAbstractTableModel(parent), cols_(colCount), rows_(rowCount), cells_(colCount * rowCount) {}

int CellTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CellTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

void CellTable::setRowCount(int rows) {
    if (rows < 1 || rows == rows_)
        return;
    if (rows > rows_)
        beginInsertRows(QModelIndex(), rows_, rows - 1);
    else
        beginRemoveRows(QModelIndex(), rows, rows_ - 1);
    const int before = rows_;
    cells_.resize(cols_ * rows);
    rows_ = rows;
    if (rows > before)
        endInsertRows();
    else
        endRemoveRows();
}

QString CellTable::cell(int col, int row) const {
    return contains(col, row) ? cells_[row * cols_ + col] : QString();
}

void CellTable::setCell(int col, int row, const QString& text) {
    if (!contains(col, row))
        return;
    QString& stored = cells_[row * cols_ + col];
    if (stored == text)
        return;
    if (observer_) {
        const std::vector<CellChange> change{{col, row, stored, text}};
        stored = text;
        observer_->cellsChanged(*this, change);
    } else {
        stored = text;
    }
    announceChange(col, row, col, row);
}

void CellTable::fill(const QString& text) {
    if (observer_) {
        std::vector<CellChange> changes;
        for (int row = 0; row < rows_; ++row)
            for (int col = 0; col < cols_; ++col)
                if (const QString& stored = cells_[row * cols_ + col]; stored != text)
                    changes.push_back({col, row, stored, text});
        cells_.fill(text);
        if (!changes.empty())
            observer_->cellsChanged(*this, changes);
    } else {
        cells_.fill(text);
    }
    announceChange(0, 0, cols_ - 1, rows_ - 1);
}

void CellTable::setCells(const std::vector<CellWrite>& writes) {
    std::vector<CellChange> changes;
    int firstCol = cols_, firstRow = rows_, lastCol = -1, lastRow = -1;
    for (const CellWrite& write : writes) {
        if (!contains(write.col, write.row))
            continue;
        QString& stored = cells_[write.row * cols_ + write.col];
        if (stored == write.text)
            continue;
        if (observer_)
            changes.push_back({write.col, write.row, stored, write.text});
        stored = write.text;
        firstCol = std::min(firstCol, write.col);
        firstRow = std::min(firstRow, write.row);
        lastCol = std::max(lastCol, write.col);
        lastRow = std::max(lastRow, write.row);
    }
    if (lastCol < 0)
        return;
    if (observer_)
        observer_->cellsChanged(*this, changes);
    announceChange(firstCol, firstRow, lastCol, lastRow);
}

// Views show row 0 and column 0 as their headers, so a change there is a header change too.
void CellTable::announceChange(int firstCol, int firstRow, int lastCol, int lastRow) {
    emit dataChanged(index(firstRow, firstCol), index(lastRow, lastCol));
    if (firstRow == 0)
        emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
    if (firstCol == 0)
        emit headerDataChanged(Qt::Vertical, firstRow, lastRow);
}

QVariant CellTable::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return cell(index.column(), index.row());
}

bool CellTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !contains(index.column(), index.row()))
        return false;
    setCell(index.column(), index.row(), value.toString());
    return true;
}

QVariant CellTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? cell(section, 0) : cell(0, section);
}

Qt::ItemFlags CellTable::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

}  // namespace kolma
