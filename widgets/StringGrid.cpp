#include "StringGrid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPalette>
#include <QStyleOptionHeader>
#include <QStylePainter>

namespace kolma {

StringGrid::StringGrid(CellTable& table, QWidget* parent) : QTableView(parent), table_(&table) {
    showFixedCells();
}

StringGrid::StringGrid(int colCount, int rowCount, QWidget* parent)
    : QTableView(parent), table_(new CellTable(colCount, rowCount, this)) {
    showFixedCells();
}

void StringGrid::showFixedCells() {
    setModel(table_);
    // Row 0 and column 0 reach the eye through the headers only.
    setRowHidden(0, true);
    setColumnHidden(0, true);
    horizontalHeader()->setDefaultSectionSize(63);
    verticalHeader()->setDefaultSectionSize(24);
    QPalette p = palette();
    p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
    setPalette(p);
    // The view's corner button paints no text of its own; it gets the table's corner cell.
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    connect(table_, &CellTable::headerDataChanged, this, [this] {
        if (corner_)
            corner_->update();
    });
}

QString StringGrid::cornerText() const {
    return table_->cell(0, 0);
}

void StringGrid::clearCellSelection() {
    if (selectionModel())
        selectionModel()->clearSelection();
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == corner_ && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void StringGrid::paintCorner() {
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.textAlignment = Qt::AlignCenter;
    option.text = cornerText();
    QStylePainter painter(corner_);
    painter.drawControl(QStyle::CE_Header, option);
}

}  // namespace kolma
