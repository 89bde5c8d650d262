// The network snapshot of the tables: node references resolved to indices, the numbers the
// solver reads, values that are no number collected with their place, and the refusals of
// saving with theirs.
#include <gtest/gtest.h>

#include <cmath>

#include "Network.h"
#include "ProjectTables.h"

namespace kolma {
namespace {

using testing::ProjectTables;

const ProjectSettings kDefaults{"1,305", "1000"};

TEST(Network, SampleNetworkAsTheSolverReadsIt) {
    ProjectTables t;
    testing::typeSampleNetwork(t);
    const Network net = networkOf(t.tables(), kDefaults);
    EXPECT_DOUBLE_EQ(net.viscosity, 1.305);
    EXPECT_EQ(net.maxIterations, 1000);
    ASSERT_EQ(net.nodes.size(), 4u);
    EXPECT_EQ(net.nodes[3].number, 40);
    EXPECT_TRUE(net.nodes[0].hasKnownHead());
    EXPECT_DOUBLE_EQ(net.nodes[0].knownHead.number, 100.0);
    EXPECT_FALSE(net.nodes[1].hasKnownHead());
    EXPECT_DOUBLE_EQ(net.nodes[1].withdrawal.number, 1.5);
    EXPECT_DOUBLE_EQ(net.nodes[1].inflow.orElse(0.0), 0.0);
    EXPECT_DOUBLE_EQ(net.nodes[3].withdrawal.number, -2.5);
    EXPECT_EQ(net.knownHeadCount(), 1);
    ASSERT_EQ(net.pipes.size(), 2u);
    EXPECT_EQ(net.pipes[1].startNode, 1);
    EXPECT_EQ(net.pipes[1].endNode, 2);
    EXPECT_DOUBLE_EQ(net.pipes[0].length.number, 120.5);
    EXPECT_EQ(net.pipes[0].length.typed, "120,5");
    EXPECT_DOUBLE_EQ(net.pipes[1].zeta.number, 1.5);
    ASSERT_EQ(net.pumps.size(), 1u);
    EXPECT_EQ(net.pumps[0].type, "P1");
    EXPECT_EQ(net.pumps[0].startNode, 2);
    EXPECT_EQ(net.pumps[0].supportCount, 5);
    EXPECT_DOUBLE_EQ(net.pumps[0].heads[4].number, 12.0);
    EXPECT_DOUBLE_EQ(net.pumps[0].flows[4].number, 8.0);
    EXPECT_TRUE(net.problems.empty());
}

// Saving keeps such values (the solver reads them as 0), but an analysis must name them.
TEST(Network, ValuesThatAreNoNumberAreCollectedWithTheirPlace) {
    ProjectTables t;
    testing::typeSampleNetwork(t);
    t.pipes.setCell(4, 2, "abc");    // Länge of pipe 2
    t.pumps.setCell(3, 2, "x");      // h3 of the pump, a point in use
    t.pumps.setCell(7, 3, "y");      // Q7, beyond the five points in use
    t.nodes.setCell(2, 2, "1,5,2");  // bek. Druck of node 20
    const Network net = networkOf(t.tables(), kDefaults);
    ASSERT_EQ(net.problems.size(), 3u);
    const TableProblem& first = net.problems[0];
    EXPECT_EQ(first.kind, TableProblem::Kind::NotANumber);
    ASSERT_TRUE(first.place);
    EXPECT_EQ(first.place->table, TableId::Pipes);
    EXPECT_EQ(first.place->row, 2);
    EXPECT_EQ(first.place->column, 4);
    EXPECT_EQ(first.message, "Rohrtabelle, Zeile 2, Spalte 4: 'abc' ist keine Zahl.");
    EXPECT_EQ(net.problems[1].place->table, TableId::Pumps);
    EXPECT_EQ(net.problems[1].place->row, 2);
    EXPECT_EQ(net.problems[2].place->table, TableId::Nodes);
    EXPECT_TRUE(std::isnan(net.pipes[1].length.number));
    try {
        requireNumbers(net);
        ADD_FAILURE() << "no error";
    } catch (const TableError& error) {
        EXPECT_EQ(error.message(), first.message);
        ASSERT_TRUE(error.place);
        EXPECT_EQ(error.place->row, 2);
    }
}

TEST(Network, RefusalsOfSavingNameTheirCell) {
    const struct {
        TableId table;
        int col;
        int row;
        const char* text;
        bool inputError;  // shown as an input error, else as the general conversion error
    } cases[] = {
        {TableId::Pipes, 3, 2, "35", true},    // EKN of a node the node list lacks
        {TableId::Nodes, 1, 3, "3x", false},   // Knotnum that is no whole number
        {TableId::Pumps, 2, 1, "2 0", false},  // AKN with a blank in it
        {TableId::Nodes, 6, 4, "1 0", true},   // RS with a blank in it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ProjectTables t;
        testing::typeSampleNetwork(t);
        t.table(c.table).setCell(c.col, c.row, c.text);
        try {
            networkOf(t.tables(), kDefaults);
            ADD_FAILURE() << "no error";
        } catch (const TableError& error) {
            EXPECT_EQ(dynamic_cast<const InputRejected*>(&error) != nullptr, c.inputError);
            ASSERT_TRUE(error.place);
            EXPECT_EQ(error.place->table, c.table);
            EXPECT_EQ(error.place->row, c.row);
            EXPECT_EQ(error.place->column, c.col);
        }
    }
}

// The network check needs every problem, not just the first that stops saving.
TEST(Network, ReadingNotesEveryProblemInTheOrderOfSaving) {
    ProjectTables t;
    testing::typeSampleNetwork(t);
    t.nodes.setCell(1, 3, "3x");   // node 30's number
    t.pipes.setCell(3, 1, "55");   // pipe 1 ends at a node the list lacks
    t.pipes.setCell(5, 2, "1 0");  // pipe 2's diameter
    const Network net = readNetwork(t.tables(), kDefaults);
    using Kind = TableProblem::Kind;
    std::vector<Kind> kinds;
    for (const TableProblem& problem : net.problems)
        kinds.push_back(problem.kind);
    // Pipe 2 and the pump also reach node 30, whose number is unreadable: those references
    // count as missing.
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::NotWhole, Kind::MissingNode, Kind::MissingNode,
                                        Kind::Unsaveable, Kind::MissingNode}));
    EXPECT_EQ(net.pipes[0].endNode, -1);
    EXPECT_EQ(net.problems[0].message, "'3x' ist kein gültiger Integerwert");
}

TEST(Network, SolverNumberIsTheNumberOfTheSavedText) {
    const std::pair<const char*, double> numbers[] = {
        {"12,5", 12.5}, {"12.5", 12.5}, {",5", 0.5}, {"-3", -3.0}, {" 7 ", 7.0}, {"1e3", 1000.0}};
    for (const auto& [text, value] : numbers)
        EXPECT_DOUBLE_EQ(solverNumber(text), value) << text;
    for (const char* text : {"", " ", "---", "(null)", "abc", "1,5,2", "12a", "inf"})
        EXPECT_TRUE(std::isnan(solverNumber(text))) << text;
}

}  // namespace
}  // namespace kolma
