// The table operations behind the three table pages: reset, add, remove with row shift, search,
// the node number update, and the refusals that keep every operation inside its grid.
#include <gtest/gtest.h>

#include <vector>

#include "Handler.h"
#include "Numbers.h"
#include "StringGrid.h"
#include "TableOperations.h"

namespace kolma {
namespace {

class Tabellen : public ::testing::Test {
protected:
    Tabellen() { TabellenZuruecksetzen(tables()); }
    Tables tables() { return {&pipes, &pumps, &nodes}; }

    // A pipe numbered `number` from node a to node b, stored in `row` through the add operation.
    void pipe(int row, const QString& number, const QString& a, const QString& b) {
        ASSERT_FALSE(addPipe(pipes, QString::number(row),
                             {number, a, b, QStringLiteral("10,5"), QStringLiteral("100"),
                              QStringLiteral("0,1"), QStringLiteral("0,00")}));
    }
    PumpBlock pump(const QString& type, const QString& start, const QString& end) {
        PumpBlock p{type, start, end, {}, {}};
        for (int i = 0; i < kSupportPoints; ++i) {
            p.h[i] = QStringLiteral("%1,5").arg(40 - i);
            p.Q[i] = QString::number(i * 10);
        }
        return p;
    }

    StringGrid pipes{8, 1001};
    StringGrid pumps{9, 103};
    StringGrid nodes{7, 1001};
};

TEST_F(Tabellen, ResetWritesHeadersAndRowLabelsAndBlanksTheRest) {
    EXPECT_EQ(rowValues(pipes, 0, 7),
              QStringList({"Strangnr.", "AKN", "EKN", "Länge", "di", "ks", "zeta"}));
    EXPECT_EQ(pipes.cell(0, 0), QStringLiteral("Zeile"));
    EXPECT_EQ(pipes.cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(pipes.cell(0, 1000), QStringLiteral("1000"));
    EXPECT_EQ(pipes.cell(7, 1000), QStringLiteral(" "));

    EXPECT_EQ(rowValues(pumps, 0, 8),
              QStringList({"Pumpennr.", "AKN", "EKN", " ", " ", " ", " ", " "}));
    EXPECT_EQ(pumps.cell(0, 0), QStringLiteral("Zeile"));
    for (int block : {1, 2, 34}) {
        const int r = firstPumpRow(block);
        EXPECT_EQ(pumps.cell(0, r), QString::number(block));
        EXPECT_EQ(pumps.cell(0, r + 1), QStringLiteral("h   [m]"));
        EXPECT_EQ(pumps.cell(0, r + 2), QStringLiteral("Q   [l/s]"));
    }
    EXPECT_EQ(pumps.cell(8, 102), QStringLiteral(" "));

    EXPECT_EQ(rowValues(nodes, 0, 6),
              QStringList({"Knotnum", "bek. Druck", "Zugabe", "Entnahme", "GOK", "RS"}));
    EXPECT_EQ(nodes.cell(0, 0), QStringLiteral("Zeile"));
    EXPECT_EQ(nodes.cell(0, 1), QStringLiteral("1"));
    EXPECT_EQ(nodes.cell(0, 1000), QStringLiteral("1000"));
}

TEST_F(Tabellen, AddPipeChecksTheLineThenTheRangeThenStores) {
    const QStringList line = {" ", " ", " ", " ", " ", "", "0,00"};
    // An empty ks field fails the check; single blanks pass it.
    EXPECT_EQ(addPipe(pipes, QStringLiteral("1"), line)->text,
              QStringLiteral("Ungültiger Eingabewert"));
    QStringList filled = line;
    filled[5] = QStringLiteral(" ");
    EXPECT_FALSE(addPipe(pipes, QStringLiteral("1"), filled));
    EXPECT_EQ(pipes.cell(1, 1), QStringLiteral(" "));

    const Outcome zero = addPipe(pipes, QStringLiteral("0"), filled);
    EXPECT_EQ(zero->text, QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(zero->caption, QStringLiteral("Eingabefehler"));
    EXPECT_EQ(addPipe(pipes, QString(), filled)->text, QStringLiteral("Ungültiger Eingabewert"));
    for (const char* out : {"1001", "-3", "99999999999"}) {
        const Outcome o = addPipe(pipes, QString::fromLatin1(out), filled);
        ASSERT_TRUE(o) << out;
        EXPECT_EQ(o->text, QStringLiteral("Die Anzahl der Rohre soll zwischen 1 und 200 liegen"));
        EXPECT_EQ(o->caption, QStringLiteral("Eingabefehler"));
    }

    pipe(250, QStringLiteral("9"), QStringLiteral("4"), QStringLiteral("5"));
    EXPECT_EQ(rowValues(pipes, 250, 7), QStringList({"9", "4", "5", "10,5", "100", "0,1", "0,00"}));
    EXPECT_EQ(pipes.cell(0, 250), QStringLiteral("250"));
    pipe(1000, QStringLiteral("8"), QStringLiteral("4"), QStringLiteral("5"));
    EXPECT_EQ(pipes.cell(1, 1000), QStringLiteral("8"));
    pipe(250, QStringLiteral("11"), QStringLiteral("1"), QStringLiteral("2"));
    EXPECT_EQ(pipes.cell(1, 250), QStringLiteral("11"));
}

TEST_F(Tabellen, AddRowNumberThatIsNoWholeNumberRaisesTheGeneralError) {
    const QStringList line = {"1", "2", "3", "4", "5", "6", "7"};
    EXPECT_THROW(addPipe(pipes, QStringLiteral("5x"), line), KolmaError);
    // The range check comes first, so a large number is refused with the range message.
    EXPECT_EQ(addPipe(pipes, QStringLiteral("2000x"), line)->text,
              QStringLiteral("Die Anzahl der Rohre soll zwischen 1 und 200 liegen"));
    EXPECT_FALSE(addPipe(pipes, QStringLiteral(" 5 "), line));
    EXPECT_EQ(pipes.cell(1, 5), QStringLiteral("1"));
}

TEST_F(Tabellen, RemoveRowShiftsTheRowsBelowUpAndEmptiesTheLast) {
    for (int row = 1; row <= 6; ++row)
        pipe(row, QString::number(row * 10), QStringLiteral("1"), QStringLiteral("2"));
    pipe(1000, QStringLiteral("999"), QStringLiteral("1"), QStringLiteral("2"));
    removeRow(pipes, 1);
    EXPECT_EQ(pipes.cell(1, 1), QStringLiteral("20"));
    removeRow(pipes, 3);  // 20, 30, 50, 60
    EXPECT_EQ(pipes.cell(1, 2), QStringLiteral("30"));
    EXPECT_EQ(pipes.cell(1, 3), QStringLiteral("50"));
    EXPECT_EQ(pipes.cell(1, 4), QStringLiteral("60"));
    EXPECT_EQ(pipes.cell(0, 3), QStringLiteral("3"));  // labels stay
    EXPECT_EQ(pipes.cell(1, 998), QStringLiteral("999"));
    EXPECT_EQ(rowValues(pipes, 1000, 7), QStringList(7, QString()));
    pipe(1000, QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("2"));
    removeRow(pipes, 1000);
    EXPECT_EQ(rowValues(pipes, 1000, 7), QStringList(7, QString()));
    EXPECT_EQ(pipes.cell(0, 1000), QStringLiteral("1000"));
    EXPECT_EQ(pipes.cell(1, 998), QStringLiteral("999"));
}

TEST_F(Tabellen, RowsOutsideTheTableAreRefusedAndRemoveNothing) {
    pipe(1, QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("2"));
    EXPECT_EQ(pipeRowRefusal(pipes, 0)->text, QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(pipeRowRefusal(pipes, -1)->text,
              QStringLiteral("Die Anzahl der Rohre soll zwischen 1 und 200 liegen"));
    EXPECT_EQ(pipeRowRefusal(pipes, 1001)->text,
              QStringLiteral("Die Anzahl der Rohre soll zwischen 1 und 200 liegen"));
    EXPECT_FALSE(pipeRowRefusal(pipes, 1000));
    EXPECT_EQ(nodeRowRefusal(nodes, 0)->text, QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(nodeRowRefusal(nodes, 1001)->text,
              QStringLiteral("Die Anzahl der Knoten soll zwischen 1 und 2000 liegen"));
    for (int row : {0, -1, 1001, 5000})
        removeRow(pipes, row);
    EXPECT_EQ(pipes.cell(1, 1), QStringLiteral("10"));
    EXPECT_EQ(pipes.cell(1, 0), QStringLiteral("Strangnr."));
}

TEST_F(Tabellen, FindPipeTakesTheLowestExactMatchOfANonZeroNumber) {
    pipe(4, QStringLiteral("7"), QStringLiteral("1"), QStringLiteral("2"));
    pipe(2, QStringLiteral("7"), QStringLiteral("3"), QStringLiteral("4"));
    pipe(3, QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("4"));
    EXPECT_EQ(findPipe(pipes, QStringLiteral("7")), 2);
    EXPECT_EQ(findPipe(pipes, QStringLiteral(" 7")), 0);
    EXPECT_EQ(findPipe(pipes, QStringLiteral("0")), 0);
    EXPECT_EQ(findPipe(pipes, QString()), 0);
    EXPECT_EQ(findPipe(pipes, QStringLiteral("8")), 0);
}

TEST_F(Tabellen, AddNodeChecksRowAndNodeNumberOnly) {
    const QStringList line = {"12", "", "", "", "", ""};
    EXPECT_FALSE(addNode(nodes, QStringLiteral("1000"), line));
    EXPECT_EQ(nodes.cell(1, 1000), QStringLiteral("12"));
    EXPECT_EQ(addNode(nodes, QStringLiteral("1001"), line)->text,
              QStringLiteral("Die Anzahl der Knoten soll zwischen 1 und 2000 liegen"));
    EXPECT_EQ(addNode(nodes, QStringLiteral("0"), line)->text,
              QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(addNode(nodes, QStringLiteral("3"), {"", "1", "2", "3", "4", "5"})->text,
              QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(addNode(nodes, QStringLiteral(" "), line)->text,
              QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_THROW(addNode(nodes, QStringLiteral("5x"), line), KolmaError);
}

TEST_F(Tabellen, FindNodeFindsNodeNumberZero) {
    nodes.setCell(1, 5, QStringLiteral("0"));
    nodes.setCell(1, 7, QStringLiteral("0"));
    EXPECT_EQ(findNode(nodes, QStringLiteral("0")), 5);
    EXPECT_EQ(findNode(nodes, QString()), 0);
    EXPECT_EQ(findNode(nodes, QStringLiteral("1")), 0);
}

TEST_F(Tabellen, AddPumpStoresTheBlockAndChecksItsLine) {
    PumpBlock p = pump(QStringLiteral("12"), QStringLiteral(" "), QStringLiteral("7"));
    for (int i = 3; i < kSupportPoints; ++i)
        p.h[i] = p.Q[i] = (i % 2 ? QStringLiteral(" ") : QString());
    EXPECT_FALSE(addPump(pumps, QStringLiteral("2"), p));
    EXPECT_EQ(rowValues(pumps, 4, 3), QStringList({"12", " ", "7"}));
    EXPECT_EQ(pumps.cell(1, 5), QStringLiteral("40,5"));
    EXPECT_EQ(pumps.cell(3, 6), QStringLiteral("20"));
    EXPECT_EQ(pumps.cell(4, 5), QStringLiteral(" "));
    EXPECT_EQ(pumps.cell(5, 6), QString());
    EXPECT_EQ(pumpBlock(pumps, 2).h, p.h);
    EXPECT_EQ(pumpBlock(pumps, 2).Q, p.Q);

    PumpBlock blankEnd = p;
    blankEnd.end = QStringLiteral(" ");
    EXPECT_EQ(addPump(pumps, QStringLiteral("1"), blankEnd)->text,
              QStringLiteral("Ungültiger Eingabewert"));
    PumpBlock twoPoints = p;
    twoPoints.h[2] = QString();
    EXPECT_EQ(addPump(pumps, QStringLiteral("1"), twoPoints)->text,
              QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(addPump(pumps, QStringLiteral("0"), p)->text,
              QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_EQ(pumps.cell(1, 1), QStringLiteral(" "));
}

TEST_F(Tabellen, PumpBlocksBeyondTheTableAreRefused) {
    const PumpBlock p = pump(QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("2"));
    EXPECT_FALSE(addPump(pumps, QStringLiteral("34"), p));
    EXPECT_EQ(pumps.cell(1, 100), QStringLiteral("5"));
    EXPECT_EQ(pumps.cell(8, 102), QStringLiteral("70"));
    const Outcome beyond = addPump(pumps, QStringLiteral("35"), p);
    ASSERT_TRUE(beyond);
    EXPECT_EQ(beyond->text, QStringLiteral("Die Pumpentabelle fasst nur 34 Pumpen"));
    EXPECT_EQ(beyond->caption, QStringLiteral("Eingabefehler"));
    EXPECT_EQ(addPump(pumps, QStringLiteral("222"), p)->text,
              QStringLiteral("Die Pumpentabelle fasst nur 34 Pumpen"));
    EXPECT_EQ(addPump(pumps, QStringLiteral("223"), p)->text,
              QStringLiteral("Die Anzahl der Pumpen soll unter 667 liegen"));
    EXPECT_EQ(pumpBlockRefusal(pumps, -1)->text,
              QStringLiteral("Die Anzahl der Pumpen soll unter 667 liegen"));
    EXPECT_EQ(pumpBlockRefusal(pumps, 0)->text, QStringLiteral("Ungültiger Eingabewert"));
    EXPECT_THROW(addPump(pumps, QStringLiteral("3a"), p), KolmaError);
}

// The import writes pumps through setPumpBlock too; a block outside the grid must not reach the
// rows of another block or beyond the grid.
TEST_F(Tabellen, SetPumpBlockWritesTheBlocksThreeRowsAndNothingOutsideTheTable) {
    const PumpBlock p = pump(QStringLiteral("P7"), QStringLiteral("3"), QStringLiteral("4"));
    setPumpBlock(pumps, 2, p);
    EXPECT_EQ(rowValues(pumps, 4, 4), QStringList({"P7", "3", "4", " "}));
    EXPECT_EQ(pumps.cell(1, 5), QStringLiteral("40,5"));
    EXPECT_EQ(pumps.cell(8, 6), QStringLiteral("70"));
    EXPECT_EQ(pumpBlock(pumps, 2).h, p.h);
    EXPECT_EQ(pumpBlock(pumps, 2).Q, p.Q);
    std::vector<QStringList> before;
    for (int row = 0; row < pumps.rowCount(); ++row)
        before.push_back(rowValues(pumps, row, pumps.colCount() - 1));
    for (int block : {0, -1, 35}) {
        setPumpBlock(pumps, block, p);
        for (int row = 0; row < pumps.rowCount(); ++row)
            ASSERT_EQ(rowValues(pumps, row, pumps.colCount() - 1), before[row])
                << "block " << block << " row " << row;
    }
}

TEST_F(Tabellen, RemovePumpMovesTheLaterBlocksUpByOneBlock) {
    for (int k = 1; k <= 3; ++k)
        ASSERT_FALSE(
            addPump(pumps, QString::number(k),
                    pump(QString::number(k * 100), QStringLiteral("1"), QString::number(k + 1))));
    const PumpBlock third = pumpBlock(pumps, 3);
    removePump(pumps, 2);
    EXPECT_EQ(rowValues(pumps, 4, 3), QStringList({"300", "1", "4"}));
    EXPECT_EQ(pumpBlock(pumps, 2).h, third.h);
    EXPECT_EQ(pumpBlock(pumps, 2).Q, third.Q);
    EXPECT_EQ(pumpBlockLabel(pumps, 2), QStringLiteral("2"));
    for (int row = 7; row <= 9; ++row)
        for (int col = 1; col <= 8; ++col)
            EXPECT_TRUE(isEmptyCell(pumps.cell(col, row))) << row << "," << col;
    EXPECT_EQ(pumps.cell(0, 8), QStringLiteral("h   [m]"));
    EXPECT_EQ(rowValues(pumps, 1, 3), QStringList({"100", "1", "2"}));
}

TEST_F(Tabellen, RemovingTheLastPumpBlockEmptiesIt) {
    ASSERT_FALSE(addPump(pumps, QStringLiteral("34"),
                         pump(QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("2"))));
    removePump(pumps, 34);
    for (int row = 100; row <= 102; ++row)
        EXPECT_EQ(rowValues(pumps, row, 8), QStringList(8, QString())) << row;
    EXPECT_EQ(pumps.cell(0, 100), QStringLiteral("34"));
    removePump(pumps, 35);
    removePump(pumps, 0);
    EXPECT_EQ(pumps.cell(1, 0), QStringLiteral("Pumpennr."));
}

TEST_F(Tabellen, FindPumpNeedsADesignationThatBeginsWithAPositiveNumber) {
    ASSERT_FALSE(addPump(pumps, QStringLiteral("3"),
                         pump(QStringLiteral("12a"), QStringLiteral("1"), QStringLiteral("2"))));
    ASSERT_FALSE(addPump(pumps, QStringLiteral("2"),
                         pump(QStringLiteral("12a"), QStringLiteral("5"), QStringLiteral("6"))));
    ASSERT_FALSE(addPump(pumps, QStringLiteral("1"),
                         pump(QStringLiteral("KSB"), QStringLiteral("5"), QStringLiteral("6"))));
    EXPECT_EQ(findPump(pumps, QStringLiteral("12a")), 2);
    EXPECT_EQ(findPump(pumps, QStringLiteral("KSB")), 0);
    EXPECT_EQ(findPump(pumps, QStringLiteral("12")), 0);
    EXPECT_EQ(findPump(pumps, QString()), 0);
}

TEST_F(Tabellen, KnotnumWritesTheSortedDistinctNodeNumbers) {
    pipe(1, QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("3"));
    pipe(2, QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("5"));
    ASSERT_FALSE(addPump(pumps, QStringLiteral("1"),
                         pump(QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("7"))));
    nodes.setCell(2, 1, QStringLiteral("100,0"));
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1), QStringLiteral("3"));
    EXPECT_EQ(nodes.cell(1, 2), QStringLiteral("5"));
    EXPECT_EQ(nodes.cell(1, 3), QStringLiteral("7"));
    EXPECT_EQ(nodes.cell(1, 4), QStringLiteral(" "));
    EXPECT_EQ(nodes.cell(2, 1), QStringLiteral("100,0"));
}

TEST_F(Tabellen, KnotnumWithEmptyTablesWritesNothing) {
    nodes.setCell(1, 1, QStringLiteral("42"));
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1), QStringLiteral("42"));
}

TEST_F(Tabellen, KnotnumKeepsNodeNumbersBelowTheLastWrittenRow) {
    for (int row = 1; row <= 10; ++row)
        nodes.setCell(1, row, QString::number(100 + row));
    pipe(1, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"));
    pipe(2, QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"));
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(rowValues(nodes, 4, 1), QStringList{"4"});
    for (int row = 5; row <= 10; ++row)
        EXPECT_EQ(nodes.cell(1, row), QString::number(100 + row));
}

TEST_F(Tabellen, KnotnumFailsOnABlankNodeCellInsideThePipeList) {
    pipe(1, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral(" "));
    nodes.setCell(1, 1, QStringLiteral("9"));
    EXPECT_THROW(KnotnumAktualisieren(tables()), KolmaError);
    EXPECT_EQ(nodes.cell(1, 1), QStringLiteral("9"));
    // The same pipe after the end of the list does not count.
    pipes.setCell(1, 1, QStringLiteral(" "));
    pipe(2, QStringLiteral("2"), QStringLiteral("4"), QStringLiteral(" "));
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1), QStringLiteral("9"));
}

TEST_F(Tabellen, KnotnumTakesAllRowsOfAFullPipeTable) {
    for (int row = 1; row <= 1000; ++row) {
        pipes.setCell(1, row, QString::number(row));
        pipes.setCell(2, row, QString::number(row));
        pipes.setCell(3, row, QString::number(row % 1000 + 1));
    }
    EXPECT_EQ(listLength(pipes), 1000);
    EXPECT_FALSE(KnotnumAktualisieren(tables()));
    EXPECT_EQ(nodes.cell(1, 1000), QStringLiteral("1000"));
}

TEST_F(Tabellen, KnotnumRefusesMoreNodesThanTheNodeTableHolds) {
    for (int row = 1; row <= 600; ++row) {
        pipes.setCell(1, row, QString::number(row));
        pipes.setCell(2, row, QString::number(2 * row));
        pipes.setCell(3, row, QString::number(2 * row + 1));
    }
    nodes.setCell(1, 1, QStringLiteral("9"));
    const Outcome refusal = KnotnumAktualisieren(tables());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, QStringLiteral("Die Knotentabelle fasst nur 1000 Knoten"));
    EXPECT_EQ(refusal->caption, QStringLiteral("Eingabefehler"));
    EXPECT_EQ(nodes.cell(1, 1), QStringLiteral("9"));
}

}  // namespace
}  // namespace kolma
