// The table operations behind the three table pages: reset, add, remove with row shift, search,
// the node number update, and the refusals that keep every operation inside its grid.
#include <gtest/gtest.h>

#include <vector>

#include "KolmaError.h"
#include "Numbers.h"
#include "ProjectTables.h"

namespace kolma {
namespace {

const QString kInvalid = "Ungültiger Eingabewert";
const QString kPipeRange = "Die Anzahl der Rohre soll zwischen 1 und 200 liegen";
const QString kNodeRange = "Die Anzahl der Knoten soll zwischen 1 und 2000 liegen";
const QString kPumpBlocks = "Die Pumpentabelle fasst nur 34 Pumpen";
const QString kPumpRange = "Die Anzahl der Pumpen soll unter 667 liegen";

struct Tabellen : ::testing::Test, testing::ProjectTables {
    // A pipe numbered `number` from node a to node b, stored in `row` through the add operation.
    void pipe(int row, const QString& number, const QString& a, const QString& b) {
        ASSERT_FALSE(
            addPipe(pipes, QString::number(row), {number, a, b, "10,5", "100", "0,1", "0,00"}));
    }
    static PumpBlock pump(const QString& type, const QString& start, const QString& end) {
        PumpBlock p{type, start, end, {}, {}};
        for (int i = 0; i < kSupportPoints; ++i) {
            p.h[i] = QStringLiteral("%1,5").arg(40 - i);
            p.Q[i] = QString::number(i * 10);
        }
        return p;
    }
    std::vector<QStringList> allPumpRows() const {
        std::vector<QStringList> rows;
        for (int row = 0; row < pumps.rowCount(); ++row)
            rows.push_back(rowValues(pumps, row, pumps.colCount() - 1));
        return rows;
    }
};

TEST_F(Tabellen, ResetWritesHeadersAndRowLabelsAndBlanksTheRest) {
    EXPECT_EQ(rowValues(pipes, 0, 7),
              QStringList({"Strangnr.", "AKN", "EKN", "Länge", "di", "ks", "zeta"}));
    EXPECT_EQ(rowValues(pumps, 0, 8),
              QStringList({"Pumpennr.", "AKN", "EKN", " ", " ", " ", " ", " "}));
    EXPECT_EQ(rowValues(nodes, 0, 6),
              QStringList({"Knotnum", "bek. Druck", "Zugabe", "Entnahme", "GOK", "RS"}));
    for (CellTable* grid : {&pipes, &pumps, &nodes}) {
        EXPECT_EQ(grid->cell(0, 0), "Zeile");
        EXPECT_EQ(grid->cell(0, 1), "1");
        EXPECT_EQ(grid->cell(grid->colCount() - 1, grid->rowCount() - 1), " ");
    }
    EXPECT_EQ(pipes.cell(0, 1000), "1000");
    EXPECT_EQ(nodes.cell(0, 1000), "1000");
    for (int block : {1, 2, 34}) {
        const int r = firstPumpRow(block);
        EXPECT_EQ(pumps.cell(0, r), QString::number(block));
        EXPECT_EQ(pumps.cell(0, r + 1), "h   [m]");
        EXPECT_EQ(pumps.cell(0, r + 2), "Q   [l/s]");
    }
}

TEST_F(Tabellen, AddPipeChecksTheLineThenTheRangeThenStores) {
    // An empty ks field fails the check; single blanks pass it.
    QStringList line = {" ", " ", " ", " ", " ", "", "0,00"};
    EXPECT_EQ(addPipe(pipes, "1", line)->text, kInvalid);
    line[5] = " ";
    EXPECT_FALSE(addPipe(pipes, "1", line));
    EXPECT_EQ(pipes.cell(1, 1), " ");

    // The range check comes before the conversion, so "2000x" is refused with the range text.
    for (const auto& [row, text] : {std::pair{"0", kInvalid},
                                    {"", kInvalid},
                                    {"1001", kPipeRange},
                                    {"-3", kPipeRange},
                                    {"99999999999", kPipeRange},
                                    {"2000x", kPipeRange}}) {
        const Outcome o = addPipe(pipes, row, line);
        ASSERT_TRUE(o) << row;
        EXPECT_EQ(o->text, text) << row;
        EXPECT_EQ(o->caption, "Eingabefehler");
    }
    EXPECT_THROW(addPipe(pipes, "5x", line), KolmaError);
    EXPECT_FALSE(addPipe(pipes, " 5 ", {"1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_EQ(pipes.cell(1, 5), "1");

    pipe(250, "9", "4", "5");
    EXPECT_EQ(rowValues(pipes, 250, 7), QStringList({"9", "4", "5", "10,5", "100", "0,1", "0,00"}));
    EXPECT_EQ(pipes.cell(0, 250), "250");
    pipe(1000, "8", "4", "5");
    EXPECT_EQ(pipes.cell(1, 1000), "8");
    pipe(250, "11", "1", "2");
    EXPECT_EQ(pipes.cell(1, 250), "11");
}

TEST_F(Tabellen, RemoveRowShiftsTheRowsBelowUpAndEmptiesTheLast) {
    for (int row = 1; row <= 6; ++row)
        pipe(row, QString::number(row * 10), "1", "2");
    pipe(1000, "999", "1", "2");
    removeRow(pipes, 1);
    removeRow(pipes, 3);
    QStringList numbers;
    for (int row = 1; row <= 5; ++row)
        numbers << pipes.cell(1, row);
    EXPECT_EQ(numbers, QStringList({"20", "30", "50", "60", " "}));
    EXPECT_EQ(pipes.cell(0, 3), "3");  // labels stay
    EXPECT_EQ(pipes.cell(1, 998), "999");
    EXPECT_EQ(rowValues(pipes, 1000, 7), QStringList(7, QString()));
    pipe(1000, "5", "1", "2");
    removeRow(pipes, 1000);
    EXPECT_EQ(rowValues(pipes, 1000, 7), QStringList(7, QString()));
    EXPECT_EQ(pipes.cell(0, 1000), "1000");
    EXPECT_EQ(pipes.cell(1, 998), "999");
}

TEST_F(Tabellen, RowsOutsideTheTableAreRefusedAndRemoveNothing) {
    pipe(1, "10", "1", "2");
    EXPECT_EQ(pipeRowRefusal(pipes, 0)->text, kInvalid);
    EXPECT_EQ(pipeRowRefusal(pipes, -1)->text, kPipeRange);
    EXPECT_EQ(pipeRowRefusal(pipes, 1001)->text, kPipeRange);
    EXPECT_FALSE(pipeRowRefusal(pipes, 1000));
    EXPECT_EQ(nodeRowRefusal(nodes, 0)->text, kInvalid);
    EXPECT_EQ(nodeRowRefusal(nodes, 1001)->text, kNodeRange);
    for (int row : {0, -1, 1001, 5000})
        removeRow(pipes, row);
    EXPECT_EQ(pipes.cell(1, 1), "10");
    EXPECT_EQ(pipes.cell(1, 0), "Strangnr.");
}

TEST_F(Tabellen, FindTakesTheLowestExactMatch) {
    pipe(4, "7", "1", "2");
    pipe(2, "7", "3", "4");
    pipe(3, "0", "3", "4");
    EXPECT_EQ(findPipe(pipes, "7"), 2);
    for (const char* miss : {" 7", "0", "", "8"})
        EXPECT_EQ(findPipe(pipes, miss), 0) << miss;

    // Node number 0 is a node like any other.
    nodes.setCell(1, 5, "0");
    nodes.setCell(1, 7, "0");
    EXPECT_EQ(findNode(nodes, "0"), 5);
    EXPECT_EQ(findNode(nodes, ""), 0);
    EXPECT_EQ(findNode(nodes, "1"), 0);

    // A pump designation must begin with a positive number.
    ASSERT_FALSE(addPump(pumps, "3", pump("12a", "1", "2")));
    ASSERT_FALSE(addPump(pumps, "2", pump("12a", "5", "6")));
    ASSERT_FALSE(addPump(pumps, "1", pump("KSB", "5", "6")));
    EXPECT_EQ(findPump(pumps, "12a"), 2);
    for (const char* miss : {"KSB", "12", ""})
        EXPECT_EQ(findPump(pumps, miss), 0) << miss;
}

TEST_F(Tabellen, AddNodeChecksRowAndNodeNumberOnly) {
    const QStringList line = {"12", "", "", "", "", ""};
    EXPECT_FALSE(addNode(nodes, "1000", line));
    EXPECT_EQ(nodes.cell(1, 1000), "12");
    EXPECT_EQ(addNode(nodes, "1001", line)->text, kNodeRange);
    EXPECT_EQ(addNode(nodes, "0", line)->text, kInvalid);
    EXPECT_EQ(addNode(nodes, "3", {"", "1", "2", "3", "4", "5"})->text, kInvalid);
    EXPECT_EQ(addNode(nodes, " ", line)->text, kInvalid);
    EXPECT_THROW(addNode(nodes, "5x", line), KolmaError);
}

TEST_F(Tabellen, AddPumpStoresTheBlockAndChecksItsLine) {
    PumpBlock p = pump("12", " ", "7");
    for (int i = 3; i < kSupportPoints; ++i)
        p.h[i] = p.Q[i] = (i % 2 ? QStringLiteral(" ") : QString());
    EXPECT_FALSE(addPump(pumps, "2", p));
    EXPECT_EQ(rowValues(pumps, 4, 3), QStringList({"12", " ", "7"}));
    EXPECT_EQ(pumps.cell(1, 5), "40,5");
    EXPECT_EQ(pumps.cell(3, 6), "20");
    EXPECT_EQ(pumps.cell(4, 5), " ");
    EXPECT_EQ(pumps.cell(5, 6), QString());
    EXPECT_EQ(pumpBlock(pumps, 2).h, p.h);
    EXPECT_EQ(pumpBlock(pumps, 2).Q, p.Q);

    PumpBlock blankEnd = p;
    blankEnd.end = " ";
    PumpBlock twoPoints = p;
    twoPoints.h[2] = QString();
    for (const PumpBlock& bad : {blankEnd, twoPoints})
        EXPECT_EQ(addPump(pumps, "1", bad)->text, kInvalid);
    EXPECT_EQ(addPump(pumps, "0", p)->text, kInvalid);
    EXPECT_EQ(pumps.cell(1, 1), " ");
}

TEST_F(Tabellen, PumpBlocksBeyondTheTableAreRefused) {
    const PumpBlock p = pump("5", "1", "2");
    EXPECT_FALSE(addPump(pumps, "34", p));
    EXPECT_EQ(pumps.cell(1, 100), "5");
    EXPECT_EQ(pumps.cell(8, 102), "70");
    const Outcome beyond = addPump(pumps, "35", p);
    ASSERT_TRUE(beyond);
    EXPECT_EQ(beyond->text, kPumpBlocks);
    EXPECT_EQ(beyond->caption, "Eingabefehler");
    EXPECT_EQ(addPump(pumps, "222", p)->text, kPumpBlocks);
    EXPECT_EQ(addPump(pumps, "223", p)->text, kPumpRange);
    EXPECT_EQ(pumpBlockRefusal(pumps, -1)->text, kPumpRange);
    EXPECT_EQ(pumpBlockRefusal(pumps, 0)->text, kInvalid);
    EXPECT_THROW(addPump(pumps, "3a", p), KolmaError);
}

// The import writes pumps through setPumpBlock too; a block outside the grid must not reach the
// rows of another block or beyond the grid.
TEST_F(Tabellen, SetPumpBlockWritesTheBlocksThreeRowsAndNothingOutsideTheTable) {
    const PumpBlock p = pump("P7", "3", "4");
    setPumpBlock(pumps, 2, p);
    EXPECT_EQ(rowValues(pumps, 4, 4), QStringList({"P7", "3", "4", " "}));
    EXPECT_EQ(pumps.cell(8, 6), "70");
    EXPECT_EQ(pumpBlock(pumps, 2).h, p.h);
    EXPECT_EQ(pumpBlock(pumps, 2).Q, p.Q);
    const std::vector<QStringList> before = allPumpRows();
    for (int block : {0, -1, 35}) {
        setPumpBlock(pumps, block, p);
        ASSERT_EQ(allPumpRows(), before) << "block " << block;
    }
}

TEST_F(Tabellen, RemovePumpMovesTheLaterBlocksUpAndEmptiesTheLast) {
    for (int k = 1; k <= 3; ++k)
        ASSERT_FALSE(addPump(pumps, QString::number(k),
                             pump(QString::number(k * 100), "1", QString::number(k + 1))));
    const PumpBlock third = pumpBlock(pumps, 3);
    removePump(pumps, 2);
    EXPECT_EQ(rowValues(pumps, 4, 3), QStringList({"300", "1", "4"}));
    EXPECT_EQ(pumpBlock(pumps, 2).h, third.h);
    EXPECT_EQ(pumpBlock(pumps, 2).Q, third.Q);
    EXPECT_EQ(pumpBlockLabel(pumps, 2), "2");
    for (int row = 7; row <= 9; ++row)
        for (int col = 1; col <= 8; ++col)
            EXPECT_TRUE(isEmptyCell(pumps.cell(col, row))) << row << "," << col;
    EXPECT_EQ(pumps.cell(0, 8), "h   [m]");
    EXPECT_EQ(rowValues(pumps, 1, 3), QStringList({"100", "1", "2"}));

    ASSERT_FALSE(addPump(pumps, "34", pump("9", "1", "2")));
    removePump(pumps, 34);
    for (int row = 100; row <= 102; ++row)
        EXPECT_EQ(rowValues(pumps, row, 8), QStringList(8, QString())) << row;
    EXPECT_EQ(pumps.cell(0, 100), "34");
    const std::vector<QStringList> before = allPumpRows();
    removePump(pumps, 35);
    removePump(pumps, 0);
    EXPECT_EQ(allPumpRows(), before);
}

TEST_F(Tabellen, KnotnumWritesTheSortedDistinctNodeNumbersAndKeepsTheRest) {
    for (int row = 1; row <= 10; ++row)
        nodes.setCell(1, row, QString::number(100 + row));
    nodes.setCell(2, 1, "100,0");
    pipe(1, "1", "5", "3");
    pipe(2, "2", "3", "5");
    ASSERT_FALSE(addPump(pumps, "1", pump("1", "5", "7")));
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(rowValues(nodes, 1, 2), QStringList({"3", "100,0"}));
    EXPECT_EQ(nodes.cell(1, 2), "5");
    EXPECT_EQ(nodes.cell(1, 3), "7");
    // Rows below the last written one keep their numbers.
    for (int row = 4; row <= 10; ++row)
        EXPECT_EQ(nodes.cell(1, row), QString::number(100 + row));
}

TEST_F(Tabellen, KnotnumWithEmptyTablesWritesNothing) {
    nodes.setCell(1, 1, "42");
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1), "42");
}

TEST_F(Tabellen, KnotnumFailsOnABlankNodeCellInsideThePipeList) {
    pipe(1, "1", "1", " ");
    nodes.setCell(1, 1, "9");
    EXPECT_THROW(KnotnumAktualisieren(tables()), KolmaError);
    EXPECT_EQ(nodes.cell(1, 1), "9");
    // The same pipe after the end of the list does not count.
    pipes.setCell(1, 1, " ");
    pipe(2, "2", "4", " ");
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1), "9");
}

TEST_F(Tabellen, KnotnumTakesAFullPipeTableButNoMoreNodesThanTheNodeTableHolds) {
    for (int row = 1; row <= 1000; ++row)
        setRow(pipes, row,
               {QString::number(row), QString::number(row), QString::number(row % 1000 + 1)});
    EXPECT_EQ(listLength(pipes), 1000);
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1000), "1000");

    for (int row = 1; row <= 600; ++row)
        pipes.setCell(3, row, QString::number(2000 + row));
    nodes.setCell(1, 1, "9");
    const Outcome refusal = KnotnumAktualisieren(tables());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, "Die Knotentabelle fasst nur 1000 Knoten");
    EXPECT_EQ(refusal->caption, "Eingabefehler");
    EXPECT_EQ(nodes.cell(1, 1), "9");
}

}  // namespace
}  // namespace kolma
