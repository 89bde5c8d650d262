// Profile sizes and node orders on small graphs, and the node table reordered by the menu
// command.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "KolmaError.h"
#include "NodeOrder.h"
#include "NodeOrderGraphs.h"
#include "NodeOrderTables.h"
#include "ProjectTables.h"

using kolma::Link;
using kolma::OrderGraph;
using kolma::testing::ProjectTables;

namespace {

std::vector<int> identity(int n) {
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

bool isPermutation(std::vector<int> order, int n) {
    std::sort(order.begin(), order.end());
    return order == identity(n);
}

// A rows x columns grid whose node indices are scrambled by a fixed stride, so that joined
// nodes lie far apart in the given order.
OrderGraph scrambledGrid(int rows, int columns) {
    const int n = rows * columns;
    // 7 is prime to n for the grids below.
    return kolma::testing::gridGraph(rows, columns, [n](int i) { return (i * 7) % n; });
}

}  // namespace

// The solver's own example: two nodes and one pipe store three values; a pump counts like a
// pipe; an element from a node to itself stores nothing beyond the diagonal.
TEST(NodeOrderProfile, CountsRowLengthsAsTheSolverStoresThem) {
    OrderGraph two{2, {{0, 1}}, {}, {0}};
    EXPECT_EQ(kolma::profileSize(two, identity(2)), 3);
    EXPECT_EQ(kolma::profileSize(two, {1, 0}), 3);

    OrderGraph pumpOnly{3, {}, {{0, 2}}, {0}};
    EXPECT_EQ(kolma::profileSize(pumpOnly, identity(3)), 1 + 1 + 3);

    OrderGraph selfLoop{2, {{1, 1}}, {}, {}};
    EXPECT_EQ(kolma::profileSize(selfLoop, identity(2)), 2);

    // Chain 0-1-2-3 placed as 0, 2, 1, 3: rows start at 0, 1, 0, 1 -> 1 + 1 + 3 + 3.
    OrderGraph chain{4, {{0, 1}, {1, 2}, {2, 3}}, {}, {0}};
    EXPECT_EQ(kolma::profileSize(chain, identity(4)), 7);
    EXPECT_EQ(kolma::profileSize(chain, {0, 2, 1, 3}), 8);
}

TEST(NodeOrderChoice, ChainAndGridGetSmallProfiles) {
    // A chain whose nodes are listed out of order: the best order stores 2n - 1 values.
    OrderGraph chain{6, {{3, 0}, {0, 5}, {5, 1}, {1, 4}, {4, 2}}, {}, {3}};
    const auto chainOrder = kolma::goodNodeOrder(chain);
    ASSERT_TRUE(chainOrder);
    EXPECT_TRUE(isPermutation(*chainOrder, 6));
    EXPECT_EQ(kolma::profileSize(chain, *chainOrder), 11);

    // A scrambled 6 x 5 grid: at least as good as listing it row by row (5 per row back).
    const OrderGraph grid = scrambledGrid(6, 5);
    const auto gridOrder = kolma::goodNodeOrder(grid);
    ASSERT_TRUE(gridOrder);
    EXPECT_TRUE(isPermutation(*gridOrder, 30));
    std::vector<int> rowByRow(30);
    for (int i = 0; i < 30; ++i)
        rowByRow[i] = (i * 7) % 30;
    EXPECT_LE(kolma::profileSize(grid, *gridOrder), kolma::profileSize(grid, rowByRow));
    EXPECT_LT(kolma::profileSize(grid, *gridOrder), kolma::profileSize(grid, identity(30)) / 2);
}

TEST(NodeOrderChoice, GoodOrderStaysAndEveryComponentIsPlaced) {
    OrderGraph chain{4, {{0, 1}, {1, 2}, {2, 3}}, {}, {0}};
    EXPECT_EQ(*kolma::goodNodeOrder(chain), identity(4));

    // Two separate pieces and a node without any element.
    OrderGraph pieces{7, {{0, 4}, {4, 2}, {1, 5}, {5, 3}}, {}, {2, 3}};
    const auto order = kolma::goodNodeOrder(pieces);
    ASSERT_TRUE(order);
    EXPECT_TRUE(isPermutation(*order, 7));

    EXPECT_TRUE(kolma::goodNodeOrder(OrderGraph{})->empty());
}

TEST(NodeOrderChoice, PumpsKeepSuctionBeforeDelivery) {
    // The known head at node 4 makes the plain search start there; the pumps lift from 4 to 3
    // and from 1 to 0, so the order must put 4 before 3 and 1 before 0 whatever the search does.
    OrderGraph graph{5, {{0, 2}, {2, 3}, {3, 1}}, {{4, 3}, {1, 0}}, {4}};
    EXPECT_FALSE(kolma::pumpsInOrder(graph, identity(5)));
    const auto order = kolma::goodNodeOrder(graph);
    ASSERT_TRUE(order);
    EXPECT_TRUE(isPermutation(*order, 5));
    EXPECT_TRUE(kolma::pumpsInOrder(graph, *order));

    // Pumps that lift round a loop can never all be satisfied.
    OrderGraph loop{3, {}, {{0, 1}, {1, 2}, {2, 0}}, {0}};
    EXPECT_FALSE(kolma::goodNodeOrder(loop));
}

// ---------------------------------------------------------------------------------------------
// The node table reordered

namespace {

// Nodes listed so that the chain 10-20-30-40 is scattered: 30, 10, 40, 20; pipe 2 runs from 20
// to 30 and pipe 3 from 40 back to 30 (typed against the chain's direction).
const QStringList kScatteredNodes[] = {{"30", " ", " ", "2", "103", "96"},
                                       {"10", "100", " ", " ", "105", "98"},
                                       {"40", " ", "1", " ", "110", "108"},
                                       {"20", " ", " ", "1,5", "104,5", "97,5"}};

void typeScatteredChain(ProjectTables& t) {
    for (int row = 1; row <= 4; ++row)
        t.setRow(t.nodes, row, kScatteredNodes[row - 1]);
    t.setRow(t.pipes, 1, {"1", "10", "20", "100", "150", "0,1", "0"});
    t.setRow(t.pipes, 2, {"2", "20", "30", "100", "150", "0,1", "0"});
    t.setRow(t.pipes, 3, {"3", "40", "30", "100", "150", "0,1", "0"});
}

QStringList column(kolma::CellTable& grid, int col, int rows) {
    QStringList values;
    for (int r = 1; r <= rows; ++r)
        values << grid.cell(col, r);
    return values;
}

QStringList allCells(kolma::CellTable& grid) {
    QStringList cells;
    for (int r = 0; r < grid.rowCount(); ++r)
        for (int c = 0; c < grid.colCount(); ++c)
            cells << grid.cell(c, r);
    return cells;
}

int rowOfNode(ProjectTables& t, const QString& number) {
    return column(t.nodes, 1, 1000).indexOf(number) + 1;
}

}  // namespace

TEST(NodeOrderTable, RowsMoveWithAllTheirValuesAndPipesFollowTheOrder) {
    ProjectTables t;
    typeScatteredChain(t);
    const kolma::NodeOrderResult result = kolma::KnotenreihenfolgeOptimieren(t.tables());
    EXPECT_TRUE(result.changed);
    EXPECT_LT(result.profileAfter, result.profileBefore);
    EXPECT_EQ(result.profileAfter, 7);  // a chain of four in order
    EXPECT_TRUE(result.message.contains(QString::number(result.profileBefore)));
    EXPECT_TRUE(result.message.contains(QString::number(result.profileAfter)));

    // Every node keeps its values, wherever it went; row labels stay.
    EXPECT_EQ(t.nodes.cell(0, 1), "1");
    for (const QStringList& node : kScatteredNodes)
        EXPECT_EQ(kolma::rowValues(t.nodes, rowOfNode(t, node[0]), 6), node);
    // Every pipe now runs from its earlier to its later node; its other values stay.
    for (int r = 1; r <= 3; ++r)
        EXPECT_LT(rowOfNode(t, t.pipes.cell(2, r)), rowOfNode(t, t.pipes.cell(3, r))) << r;
    EXPECT_EQ(column(t.pipes, 1, 3), QStringList({"1", "2", "3"}));
    EXPECT_EQ(t.pipes.cell(4, 3), "100");

    // A second run finds nothing to improve and changes nothing.
    const QStringList before = allCells(t.nodes) + allCells(t.pipes);
    const kolma::NodeOrderResult again = kolma::KnotenreihenfolgeOptimieren(t.tables());
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(again.profileBefore, again.profileAfter);
    EXPECT_EQ(allCells(t.nodes) + allCells(t.pipes), before);
}

TEST(NodeOrderTable, PumpsStayAsTypedAndImpossibleOrdersChangeNothing) {
    ProjectTables t;
    typeScatteredChain(t);
    // Pump from 40 (row 3) to 30 (row 1): the order must bring 40 first; the pump is not swapped.
    t.setPump(1, {"P1", "40", "30"}, {"30", "25", "20"}, {"0", "2", "4"});
    const kolma::NodeOrderResult result = kolma::KnotenreihenfolgeOptimieren(t.tables());
    EXPECT_TRUE(result.changed);
    EXPECT_EQ(t.pumps.cell(2, 1), "40");
    EXPECT_EQ(t.pumps.cell(3, 1), "30");
    EXPECT_LT(rowOfNode(t, "40"), rowOfNode(t, "30"));

    // A second pump lifting back from 30 to 40 closes a loop: nothing changes.
    t.setPump(2, {"P2", "30", "40"}, {"30", "25", "20"}, {"0", "2", "4"});
    const QStringList before = allCells(t.nodes) + allCells(t.pipes) + allCells(t.pumps);
    const kolma::NodeOrderResult refused = kolma::KnotenreihenfolgeOptimieren(t.tables());
    EXPECT_FALSE(refused.changed);
    EXPECT_TRUE(refused.message.contains("Kreis"));
    EXPECT_TRUE(refused.message.contains("unverändert"));
    EXPECT_EQ(allCells(t.nodes) + allCells(t.pipes) + allCells(t.pumps), before);
}

TEST(NodeOrderTable, MissingOrUnreadableNodesChangeNothing) {
    ProjectTables t;
    typeScatteredChain(t);
    t.setRow(t.pipes, 4, {"4", "20", "77", "100", "150", "0,1", "0"});
    const QStringList before = allCells(t.nodes) + allCells(t.pipes);
    const kolma::NodeOrderResult missing = kolma::KnotenreihenfolgeOptimieren(t.tables());
    EXPECT_FALSE(missing.changed);
    EXPECT_TRUE(missing.message.contains("Knoten 77 (Strang 4)"));
    EXPECT_EQ(allCells(t.nodes) + allCells(t.pipes), before);

    t.setRow(t.pipes, 4, {" ", " ", " ", " ", " ", " ", " "});
    t.nodes.setCell(1, 3, "4x");
    EXPECT_THROW(kolma::KnotenreihenfolgeOptimieren(t.tables()), kolma::KolmaError);
    EXPECT_EQ(t.nodes.cell(1, 1), "30");
}
