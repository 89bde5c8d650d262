// Judging results against the design limits: flags exactly at and just beyond every limit, the
// minimum pressure by storeys, the summary, and flows against check valves.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "Evaluation.h"
#include "ProjectTables.h"
#include "QStringPrinter.h"

namespace kolma {
namespace {

using testing::ProjectTables;

TEST(Evaluation, MinimumPressureRisesByStoreys) {
    const double expected[] = {2.00, 2.35, 2.70, 3.05, 3.40};
    for (int storeys = kFewestStoreys; storeys <= kMostStoreys; ++storeys)
        EXPECT_NEAR(minimumPressureForStoreys(storeys), expected[storeys - 1], 1e-12) << storeys;
    EXPECT_DOUBLE_EQ(DesignLimits{}.minPressure(), minimumPressureForStoreys(3));
}

// Nodes on ground level 100 m whose heads give the pressures to judge; one pipe per velocity.
TEST(Evaluation, FlagsAtAndBeyondEveryLimit) {
    const double pressures[] = {2.70, 2.69, 8.00, 8.01};
    const NodeFlag nodeFlags[] = {NodeFlag::Ok, NodeFlag::TooLow, NodeFlag::Ok, NodeFlag::TooHigh};
    const double velocities[] = {2.0, 2.01, -2.01, 0.005, 0.0049, -0.0049};
    const PipeFlag pipeFlags[] = {PipeFlag::Ok, PipeFlag::TooFast,  PipeFlag::TooFast,
                                  PipeFlag::Ok, PipeFlag::Standing, PipeFlag::Standing};
    ProjectTables t;
    t.setRow(t.nodes, 1, {"1", "150", " ", " ", "100", "99"});
    QByteArray graph = "1000 20 6 150";
    for (int k = 0; k < 4; ++k) {
        t.setRow(t.nodes, k + 2, {QString::number(k + 2), " ", " ", "1", "100", "99"});
        graph += ' ' + QByteArray::number(100.0 + pressures[k] / kBarPerMetre, 'f', 6);
    }
    t.setRow(t.nodes, 6, {"6", " ", " ", "1", " ", "99"});  // no ground level
    graph += " 120 6";
    for (int p = 0; p < 6; ++p) {
        t.setRow(
            t.pipes, p + 1,
            {QString::number(p + 1), "1", QString::number(2 + p % 4), "100", "100", "0,1", "0"});
        graph += " 1 " + QByteArray::number(velocities[p]);
    }
    const Network network = networkOf(t.tables(), defaultSettings());
    const auto results = resultsOf(network, parseGraphData(graph));
    ASSERT_TRUE(results);
    const LatestResults latest{*results, {}};
    const Evaluation e = evaluate(network, latest, DesignLimits{});
    EXPECT_EQ(e.nodes[0].flag, NodeFlag::KnownHead);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(e.nodes[k + 1].flag, nodeFlags[k]) << pressures[k];
    EXPECT_EQ(e.nodes[5].flag, NodeFlag::NoGround);
    EXPECT_TRUE(std::isnan(e.nodes[5].pressure));
    for (int p = 0; p < 6; ++p)
        EXPECT_EQ(e.pipes[p].flag, pipeFlags[p]) << velocities[p];
    EXPECT_EQ(summaryText(e),
              "1 von 6 Knoten unter 2,70 bar, 1 über 8,00 bar; niedrigster Druck 2,69 bar an "
              "Knoten 3.");
    // Four storeys ask for 3,05 bar: the node at 2,70 bar is too low then.
    EXPECT_EQ(evaluate(network, latest, DesignLimits{4}).nodes[1].flag, NodeFlag::TooLow);
}

// The report's pump table gives the operating point; the pump is found at its block's first row.
TEST(Evaluation, PumpsRunAtTheReportsOperatingPoint) {
    ProjectTables t;
    testing::typeSampleNetwork(t);
    const Network network = networkOf(t.tables(), defaultSettings());
    const auto results =
        resultsOf(network, parseGraphData("1000 12 4 110 109.5 108.7 130.2 2 4 0.23 2.5 0.32"));
    ASSERT_TRUE(results);
    const std::vector<PumpResult> pumps = pumpResultsOf(
        "\n|Pumpennr.|Durchfluss |   delta h |Pumpentyp\n|   [-]   |   [l/s]   |    [-]    |   [-]"
        "\n|  30-40  |       2.50|     -21.50|  P1"
        "\nBetriebspunkt der Pumpe liegt nicht im Arbeitsbereich.\n");
    const Evaluation e = evaluate(network, {*results, pumps}, DesignLimits{});
    ASSERT_EQ(e.pumps.size(), 1u);
    const PumpEvaluation& p = e.pumps[0];
    EXPECT_EQ(std::tuple(p.row, p.type, p.from, p.to, p.flow, p.lift, p.inRange),
              std::tuple(1, QString("P1"), QString("30"), QString("40"), 2.5, 21.5, false));
}

// Each pipe runs from its start to its end node with the flow given; a valve passes water from
// the node named, which is the start, the end or (after an edit) neither of the pipe's nodes.
TEST(Evaluation, FlowAgainstACheckValveIsFlaggedWhicheverWayThePipeRuns) {
    struct Case {
        const char* from;
        const char* to;
        double flow;
        int upstream;
        bool against;
    };
    const Case cases[] = {
        {"1", "2", 1.0, 1, false},      // with the valve
        {"1", "3", 1.0, 3, true},       // valve passes from the end node only
        {"2", "3", -1.0, 3, false},     // reversed flow through a reversed valve
        {"2", "3", -0.0005, 2, false},  // a trace of flow is no flow
        {"2", "3", -1.0, 9, false},     // the valve's node is no longer at the pipe
    };
    ProjectTables t;
    t.setRow(t.nodes, 1, {"1", "150", " ", " ", "100", "99"});
    t.setRow(t.nodes, 2, {"2", " ", " ", "1", "100", "99"});
    t.setRow(t.nodes, 3, {"3", " ", " ", "1", "100", "99"});
    QByteArray graph = "1000 20 3 150 140 130 5";
    CheckValves valves;
    for (int p = 0; p < 5; ++p) {
        const Case& c = cases[p];
        t.setRow(t.pipes, p + 1, {QString::number(p + 1), c.from, c.to, "100", "100", "0,1", "0"});
        graph += ' ' + QByteArray::number(c.flow) + " 1";
        valves.push_back({QString::number(p + 1), c.upstream});
    }
    const Network network = networkOf(t.tables(), defaultSettings());
    const auto results = resultsOf(network, parseGraphData(graph));
    ASSERT_TRUE(results);
    const Evaluation e = evaluate(network, {*results, {}}, DesignLimits{}, valves);
    for (int p = 0; p < 5; ++p)
        EXPECT_EQ(e.pipes[p].flag == PipeFlag::AgainstCheckValve, cases[p].against) << p + 1;
    EXPECT_EQ(pipesAgainstCheckValves(network, *results, valves), std::vector<int>{1});

    // The side file keeps the valves of pipes that still end at their node.
    const CheckValveReading read = parseCheckValveFile(
        QString::fromUtf8(checkValveFileBytes(restrictedTo(valves, network))) + "x y\n");
    EXPECT_EQ(read.valves, CheckValves(valves.begin(), valves.end() - 1));
    EXPECT_EQ(read.problems, QStringList{"Zeile 6: 'x y' ist keine Strang- und Knotennummer."});
}

// A file that is no valve file at all gives a message that still fits the screen.
TEST(CheckValveFile, MessageNamesTheFirstLinesLeftOutAndTheirCount) {
    const CheckValveReading read = parseCheckValveFile(QString("?\n").repeated(1000));
    ASSERT_EQ(read.problems.size(), 1000);
    const QStringList lines = checkValveFileProblemText("netz.rsk", read.problems).split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[1], "Zeile 1: '?' ist keine Strang- und Knotennummer.");
    EXPECT_EQ(lines[6], "… (insgesamt 1000 Zeilen)");
}

}  // namespace
}  // namespace kolma
