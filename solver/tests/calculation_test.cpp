#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "generated_networks.h"
#include "read_run.h"
#include "reference_laws.h"
#include "tarnholm/iteration.h"

namespace tarnholm {

namespace {

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The iteration counter as the graph data holds it (second value).
int GraphCounter(const std::string& graph) {
    char* end = nullptr;
    std::strtol(graph.c_str(), &end, 10);
    return static_cast<int>(std::strtol(end, nullptr, 10));
}

const std::string kBoundText = "Die Anzahl der Iterarionsschritte";
const std::string kOutOfRange = "Betriebspunkt der Pumpe liegt nicht im Arbeitsbereich.";

// Mass balance at every node and the head-loss law on every pipe, from the new flows.
void ExpectBalancedAndLawful(const Network& net, double lawTolerance) {
    std::vector<double> balance(net.nodeCount, 0.0);
    double largest = 0.0;
    for (const Pipe& pipe : net.pipes) {
        balance[pipe.startNode] -= pipe.newFlow;
        balance[pipe.endNode] += pipe.newFlow;
        largest = std::max(largest, std::fabs(pipe.newFlow));
        const double loss = net.head[pipe.startNode] - net.head[pipe.endNode];
        const double expected = ReferenceHeadLoss(pipe, pipe.newFlow, net.viscosity);
        EXPECT_NEAR(loss, expected, lawTolerance * std::fabs(expected) + 1e-9)
            << "pipe " << pipe.startNode << "-" << pipe.endNode;
    }
    for (const Pump& pump : net.pumps) {
        balance[pump.startNode] -= pump.newFlow;
        balance[pump.endNode] += pump.newFlow;
    }
    // The report puts a pump node's saved input back, also at a known-head node; elsewhere a
    // known-head node holds its computed supply, a free node its input [m^3/s].
    std::vector<bool> pumpNode(net.nodeCount, false);
    for (const Pump& pump : net.pumps) {
        pumpNode[pump.startNode] = pumpNode[pump.endNode] = true;
    }
    for (int i = 0; i < net.nodeCount; ++i) {
        if (pumpNode[i] && !net.system.isFree[i]) {
            continue;
        }
        EXPECT_NEAR(balance[i] + net.netInflow[i] * 1000, 0.0, 1e-9 * largest) << "node " << i;
    }
}

Network SinglePipe(double withdrawal = 2.5, double diameter = 150) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 10, 100.0, 98.0);
    testnet::AddNode(net, 20, -withdrawal, 97.5);
    testnet::AddPipe(net, 0, 1, 120.5, diameter, 0.1, 0.0);
    return net;
}

}  // namespace

TEST(Calculation, GeneratedNetworksBalanceAndFollowTheLaw) {
    Network grid = testnet::Grid(10, 10);
    Network twoSupplies = testnet::Grid(8, 12, true);
    Network branched = testnet::Branched(30, 4);
    for (Network* net : {&grid, &twoSupplies, &branched}) {
        const testnet::Run run = testnet::Calculate(*net);
        ASSERT_EQ(run.result.status, CalcStatus::Done);
        EXPECT_LE(GraphCounter(run.graph), net->maxIterations) << "did not converge";
        ExpectBalancedAndLawful(*net, 1e-5);
    }
}

// A pump lifting from a known head through a pipe to a higher known head: the pump and the
// pipe carry the same flow, and the lift lies on the pump's curve at that flow.
TEST(Calculation, PumpLiftsBetweenKnownHeadsOnItsCurve) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 1, 100.0);
    testnet::AddNode(net, 2);
    testnet::AddKnownNode(net, 3, 115.0);
    testnet::AddPump(net, "P1", 0, 1, {0, 10, 20, 30}, {30, 28, 22, 12});
    testnet::AddPipe(net, 1, 2, 100.0, 150.0, 0.1);
    const testnet::Run run = testnet::Calculate(net);
    ASSERT_EQ(run.result.status, CalcStatus::Done);
    ExpectBalancedAndLawful(net, 1e-5);
    const double q = net.pumps[0].newFlow;
    ASSERT_GT(q, 20.0);
    ASSERT_LT(q, 30.0);
    // The characteristic is linearised at the curve parameter t = (Q - Q3) / (Q4 - Q3) of its
    // last interval, P(t) = H00 P3 + H01 P4 + H10 m3 with m3 = (P4 - P2) / 2 and no end tangent:
    // the operating point lies on the curve's tangent there (exact derivative here).
    const double t = (q - 20.0) / 10.0;
    const double h00 = 2 * t * t * t - 3 * t * t + 1, h01 = 3 * t * t - 2 * t * t * t;
    const double h10 = t * t * t - 2 * t * t + t;
    const double d00 = 6 * t * t - 6 * t, d01 = 6 * t - 6 * t * t, d10 = 3 * t * t - 4 * t + 1;
    const double pointQ = h00 * 0.020 + h01 * 0.030 + h10 * 0.010;
    const double pointH = h00 * 22 + h01 * 12 + h10 * -8;
    const double slope =
        (d00 * 22 + d01 * 12 + d10 * -8) / (d00 * 0.020 + d01 * 0.030 + d10 * 0.010);
    const double lift = net.head[1] - net.head[0];
    EXPECT_NEAR(lift, pointH + slope * (q * 0.001 - pointQ), 1e-3);
    EXPECT_EQ(Occurrences(run.report, kOutOfRange), 0);
}

// Two pumps in series: the node between them must pass on what the first delivers.
TEST(Calculation, PumpsInSeriesKeepTheMassBalanceAtTheirSharedNode) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 1, 100.0);
    testnet::AddNode(net, 2, -1.0);
    testnet::AddNode(net, 3);
    testnet::AddNode(net, 4, -20.0);
    testnet::AddPump(net, "A", 0, 1, {0, 15, 30, 45}, {30, 27, 20, 8});
    testnet::AddPump(net, "B", 1, 2, {0, 15, 30, 45}, {30, 27, 20, 8});
    testnet::AddPipe(net, 2, 3, 200.0, 150.0, 0.1);
    const testnet::Run run = testnet::Calculate(net);
    ASSERT_EQ(run.result.status, CalcStatus::Done);
    ExpectBalancedAndLawful(net, 1e-5);
    EXPECT_NEAR(net.pumps[0].newFlow, 21.0, 1e-6);
    EXPECT_NEAR(net.pumps[1].newFlow, 20.0, 1e-6);
}

// The counter holds the passes made; a run that converges in the last allowed pass is no
// overrun of the bound.
TEST(Calculation, PassCounterAndBoundTexts) {
    Network free = SinglePipe();
    const int passes = GraphCounter(testnet::Calculate(free).graph);
    ASSERT_GT(passes, 1);

    Network exact = SinglePipe();
    exact.maxIterations = static_cast<short>(passes);
    const testnet::Run atBound = testnet::Calculate(exact);
    EXPECT_EQ(GraphCounter(atBound.graph), passes);
    EXPECT_EQ(Occurrences(atBound.report, kBoundText), 0);

    Network startsConverged = SinglePipe(2.5, 25.0);  // starts at 0.1 x 25 = 2.5 l/s
    EXPECT_EQ(GraphCounter(testnet::Calculate(startsConverged).graph), 1);
}

TEST(Calculation, NetworkWithoutPipesStopsAfterOnePass) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 1, 100.0);
    testnet::AddKnownNode(net, 2, 120.0);
    testnet::AddPump(net, "P1", 0, 1, {0, 10, 20, 30}, {30, 28, 22, 12});
    const testnet::Run run = testnet::Calculate(net);
    EXPECT_EQ(GraphCounter(run.graph), 1);
    EXPECT_EQ(run.report.find("Strangnr."), std::string::npos);
    EXPECT_NE(run.report.find("Pumpennr."), std::string::npos);
}

// No pass at all: the report and graph data still hold defined numbers, the same every time.
TEST(Calculation, NoPassGivesDefinedRepeatableResults) {
    for (short bound : {0, -3}) {
        Network first = SinglePipe();
        testnet::AddPump(first, "P1", 0, 1, {0, 10, 20}, {30, 28, 22});
        first.maxIterations = bound;
        Network second = first;
        const testnet::Run a = testnet::Calculate(first);
        const testnet::Run b = testnet::Calculate(second);
        EXPECT_EQ(a.report, b.report);
        EXPECT_EQ(a.graph, b.graph);
        EXPECT_EQ(GraphCounter(a.graph), 1);
        EXPECT_EQ(Occurrences(a.report, kBoundText), 2);
        EXPECT_EQ(a.report.find("nan"), std::string::npos);
        EXPECT_EQ(first.pipes[0].newFlow, 0.0);
    }
}

// Dead ends, the cross pipe of a symmetric loop and a pipe from a node to itself carry nothing;
// they must not keep the run from converging, and the last must not drag the heads down.
TEST(Calculation, PipesWithoutFlowConverge) {
    auto symmetricLoop = [](bool selfLoop) {
        Network net = testnet::Empty();
        testnet::AddKnownNode(net, 1, 100.0);
        testnet::AddNode(net, 2);
        testnet::AddNode(net, 3);
        testnet::AddNode(net, 4, -5.0);
        testnet::AddNode(net, 5);  // dead end
        testnet::AddPipe(net, 0, 1, 100, 150);
        testnet::AddPipe(net, 0, 2, 100, 150);
        testnet::AddPipe(net, 1, 2, 100, 150);  // cross pipe
        testnet::AddPipe(net, 1, 3, 100, 150);
        testnet::AddPipe(net, 2, 3, 100, 150);
        testnet::AddPipe(net, 3, 4, 50, 100);
        if (selfLoop) {
            testnet::AddPipe(net, 3, 3, 50, 100);
        }
        return net;
    };
    Network plain = symmetricLoop(false);
    Network looped = symmetricLoop(true);
    const testnet::Run a = testnet::Calculate(plain);
    const testnet::Run b = testnet::Calculate(looped);
    ASSERT_EQ(a.result.status, CalcStatus::Done);
    ASSERT_EQ(b.result.status, CalcStatus::Done);
    EXPECT_LT(GraphCounter(a.graph), 1000);
    EXPECT_LT(std::fabs(plain.pipes[2].newFlow), 1e-9);
    EXPECT_LT(std::fabs(plain.pipes[5].newFlow), 1e-9);
    ExpectBalancedAndLawful(plain, 1e-5);
    EXPECT_EQ(plain.head, looped.head);
    EXPECT_EQ(GraphCounter(a.graph), GraphCounter(b.graph));
    EXPECT_EQ(looped.pipes[6].newFlow, 0.0);
}

// The node system takes at most 1000 nodes; a larger network writes nothing.
TEST(Calculation, AtMostAThousandNodes) {
    Network largest = testnet::Branched(37, 26);
    Network tooLarge = testnet::Branched(200, 4);
    ASSERT_EQ(largest.nodeCount, 1000);
    ASSERT_EQ(tooLarge.nodeCount, 1001);
    EXPECT_EQ(testnet::Calculate(largest).result.status, CalcStatus::Done);
    const testnet::Run run = testnet::Calculate(tooLarge);
    EXPECT_EQ(run.result.status, CalcStatus::TooManyNodes);
    EXPECT_EQ(run.reportOpenings, 0);
    EXPECT_FALSE(run.hasGraph);
}

// The valid networks of the whole-run cases, read as the program reads them: their results
// must balance and follow the head-loss law, so that their expected reports hold sound numbers.
TEST(Calculation, WholeRunCasesBalanceAndFollowTheLaw) {
    for (const char* name : {"single_pipe", "meshed_loops", "pump_station"}) {
        std::ifstream file(std::string(SOLVER_GOLDEN_DIR) + "/" + name + "/eingabe.dat");
        std::ostringstream text;
        text << file.rdbuf();
        ReadRun read = ReadFromMemory(text.str());
        ASSERT_FALSE(read.error) << name;
        const testnet::Run run = testnet::Calculate(read.net);
        ASSERT_EQ(run.result.status, CalcStatus::Done) << name;
        EXPECT_LT(GraphCounter(run.graph), read.net.maxIterations) << name;
        ExpectBalancedAndLawful(read.net, 1e-5);
    }
}

TEST(Relaxation, DampingByTheRelativeChange) {
    struct Case {
        double flow;
        double newFlow;
        bool converged;
        double relaxed;
    };
    const Case cases[] = {
        {2.0, 0.0, false, 1.8},                        // |r| exactly 1: the weak damping
        {2.0, -0.5, false, 0.99 * 2.0 + 0.01 * -0.5},  // |r| above 1: the strong damping
        {2.0, 2.5, false, 0.9 * 2.0 + 0.1 * 2.5},
        {2.0, 2.0 * (1 + 5e-8), true, 2.0},  // within the bound: unchanged
        {0.0, 0.0, true, 0.0},               // 0 / 0 is not a number: converged
    };
    for (const Case& c : cases) {
        double flow = c.flow;
        EXPECT_EQ(RelaxFlow(flow, c.newFlow), c.converged) << c.flow << " -> " << c.newFlow;
        EXPECT_EQ(flow, c.relaxed) << c.flow << " -> " << c.newFlow;
    }
}

}  // namespace tarnholm
