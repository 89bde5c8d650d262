// The table of text cells under every grid: cell access inside and outside, and what a view sees
// of it as an item model.
#include <gtest/gtest.h>

#include <vector>

#include "CellTable.h"

namespace kolma {
namespace {

TEST(CellTable, OutsideReadsAreEmptyAndOutsideWritesIgnored) {
    CellTable table(3, 4);
    table.fill(" ");
    table.setCell(3, 1, "x");
    table.setCell(1, -1, "x");
    for (const auto& [col, row] : {std::pair{3, 1}, {1, 4}, {-1, 0}})
        EXPECT_EQ(table.cell(col, row), QString()) << col << "," << row;
    EXPECT_EQ(table.cell(2, 3), " ");
}

// Every cell is an item, row 0 and column 0 included; they are the headers as well.
TEST(CellTable, ItemsAreTheCellsAndTheFixedCellsTheHeaders) {
    CellTable table(3, 4);
    table.setCell(1, 0, "Strangnr.");
    table.setCell(0, 2, "2");
    table.setCell(2, 3, "x");
    ASSERT_EQ(table.columnCount(), 3);
    ASSERT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Strangnr.");
    EXPECT_EQ(table.headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), "2");
    EXPECT_EQ(table.data(table.index(3, 2), Qt::DisplayRole).toString(), "x");
    EXPECT_TRUE(table.setData(table.index(1, 1), "7", Qt::EditRole));
    EXPECT_EQ(table.cell(1, 1), "7");
    EXPECT_TRUE(table.flags(table.index(1, 1)).testFlag(Qt::ItemIsEditable));
}

// Views repaint what changed, and a change in row 0 or column 0 is a header change too.
TEST(CellTable, ChangesAreAnnouncedToViews) {
    CellTable table(3, 4);
    int data = 0;
    std::vector<Qt::Orientation> headers;
    QObject::connect(&table, &CellTable::dataChanged, [&] { ++data; });
    QObject::connect(&table, &CellTable::headerDataChanged,
                     [&](Qt::Orientation orientation) { headers.push_back(orientation); });
    table.setCell(2, 2, "a");
    table.setCell(2, 2, "a");  // unchanged: nothing to repaint
    table.setCell(1, 0, "Kopf");
    EXPECT_EQ(data, 2);
    EXPECT_EQ(headers, std::vector<Qt::Orientation>{Qt::Horizontal});
    table.setRowCount(6);
    EXPECT_EQ(table.rowCount(), 6);
    EXPECT_EQ(table.cell(1, 5), QString());
}

struct Recorder : CellObserver {
    void cellsChanged(CellTable&, const std::vector<CellChange>& changes) override {
        calls.push_back(changes);
    }
    std::vector<std::vector<CellChange>> calls;
};

// A bulk write repaints once for the rectangle of the cells it changed, however many, and tells
// the observer every changed cell with its old text; unchanged and outside cells are no change.
TEST(CellTable, BulkWriteAnnouncesOnceAndReportsEachChangedCell) {
    CellTable table(4, 5);
    table.fill(" ");
    Recorder recorder;
    table.setObserver(&recorder);
    std::vector<std::pair<QModelIndex, QModelIndex>> announced;
    QObject::connect(&table, &CellTable::dataChanged,
                     [&](const QModelIndex& a, const QModelIndex& b) {
                         announced.push_back({a, b});
                     });
    table.setCells({{1, 2, "a"}, {3, 1, "b"}, {2, 4, " "}, {4, 1, "outside"}, {1, 2, "c"}});
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(announced[0].first, table.index(1, 1));
    EXPECT_EQ(announced[0].second, table.index(2, 3));
    ASSERT_EQ(recorder.calls.size(), 1u);
    const std::vector<CellChange>& changes = recorder.calls[0];
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].before, " ");
    EXPECT_EQ(changes[2].before, "a");
    EXPECT_EQ(changes[2].after, "c");
    EXPECT_EQ(table.cell(1, 2), "c");

    table.setCells({{1, 2, "c"}});
    table.setCell(3, 1, "b");
    EXPECT_EQ(announced.size(), 1u);
    EXPECT_EQ(recorder.calls.size(), 1u);
    table.fill("b");
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[1].size(), 19u);  // all 20 cells but the one that held "b"
}

}  // namespace
}  // namespace kolma
