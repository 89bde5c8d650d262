#include "StringGrid.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "Dialogs.h"
#include "InputFilter.h"
#include "TableInput.h"

namespace kolma {
namespace {

InputFilter filterOf(CellRule rule) {
    switch (rule) {
        case CellRule::WholeNumber:
            return InputFilter::WholeNumber;
        case CellRule::Decimal:
            return InputFilter::Decimal;
        case CellRule::NoBlank:
            return InputFilter::NoBlank;
        case CellRule::NoInput:
            break;
    }
    return InputFilter::NoneAccepted;
}

// The cell editors of an input table: the edit line's filter while typing, the same check of
// the committed value as for a pasted one.
class CellInputDelegate : public QStyledItemDelegate {
public:
    CellInputDelegate(StringGrid& grid, TableId table)
        : QStyledItemDelegate(&grid), grid_(grid), table_(table) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const CellRule rule = cellRule(table_, index.column(), index.row());
        if (rule == CellRule::NoInput)
            return nullptr;
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            installInputFilter(edit, filterOf(rule));
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit)
            return QStyledItemDelegate::setModelData(editor, model, index);
        const int col = index.column();
        const int row = index.row();
        // A cell left as it was is no input, whatever an older project put there.
        if (edit->text() == grid_.table().cell(col, row))
            return;
        const CellValue value = checkCellValue(cellRule(table_, col, row), edit->text());
        if (value.accepted()) {
            model->setData(index, value.text, Qt::EditRole);
            return;
        }
        const Outcome refusal = typedValueRefusal(grid_.table(), table_, col, row, value.problem);
        // A modal box shown now would take the closing editor's focus and have it commit again;
        // the box follows once the editor is gone.
        QPointer<StringGrid> grid(&grid_);
        QMetaObject::invokeMethod(
            &grid_, [grid, refusal] { errorBox(grid, refusal->text, refusal->caption); },
            Qt::QueuedConnection);
    }

private:
    StringGrid& grid_;
    TableId table_;
};

bool isClipboardKey(const QKeyEvent& key) {
    return key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Paste);
}

}  // namespace

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

void StringGrid::setTableInput(TableId table) {
    input_ = table;
    setItemDelegate(new CellInputDelegate(*this, table));
}

void StringGrid::copyCells() {
    // The view's own list leaves out the fixed row and column that a whole row's selection
    // takes in.
    QModelIndexList cells = selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid())
        cells << currentIndex();
    if (cells.isEmpty())
        return;
    int firstCol = table_->colCount(), firstRow = table_->rowCount(), lastCol = 0, lastRow = 0;
    for (const QModelIndex& cell : cells) {
        firstCol = std::min(firstCol, cell.column());
        firstRow = std::min(firstRow, cell.row());
        lastCol = std::max(lastCol, cell.column());
        lastRow = std::max(lastRow, cell.row());
    }
    const int rows = lastRow - firstRow + 1;
    const bool wholeRows = firstCol == 1 && lastCol == table_->colCount() - 1 &&
                           cells.size() == rows * (table_->colCount() - 1);
    QGuiApplication::clipboard()->setText(
        copiedText(*table_, firstCol, firstRow, lastCol, lastRow, wholeRows));
}

void StringGrid::pasteCells() {
    if (!input_)
        return;
    const QModelIndex current = currentIndex();
    const int col = current.isValid() ? std::max(current.column(), 1) : 1;
    const int row = current.isValid() ? std::max(current.row(), 1) : 1;
    const Outcome refusal =
        pasteBlock(*table_, *input_, col, row, QGuiApplication::clipboard()->text());
    if (refusal)
        errorBox(this, refusal->text, refusal->caption);
}

// Copy and paste keys belong to an input table rather than to a shortcut of its window. The
// event type comes first: a table of the grid's own reaches it as a child event while the grid's
// members are still being built.
bool StringGrid::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && input_ &&
        isClipboardKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QTableView::event(event);
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    if (!input_ || !isClipboardKey(*event))
        return QTableView::keyPressEvent(event);
    if (event->matches(QKeySequence::Copy))
        copyCells();
    else
        pasteCells();
    event->accept();
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
