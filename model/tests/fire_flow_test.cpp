// Fire flow at the nodes: a run from the flows without fire flow gives what the solver program
// computes from scratch on the raised withdrawal, the maximal fire flow brackets the pressure
// limit, a cancelled analysis keeps the nodes finished, a node whose calculation fails is
// reported so while the others go on, the node selection, and a network the solver refuses.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <cmath>

#include "FireFlow.h"
#include "KolmaError.h"
#include "Numbers.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "QStringPrinter.h"
#include "Results.h"
#include "TextFile.h"
#include "WorkingDirectory.h"
#include "generated_networks.h"
#include "tarnholm/in_process.h"

namespace kolma {
namespace {

using testing::ProjectTables;

constexpr double kFireFlow = 26.67;  // 96 m³/h, as typed into a withdrawal cell

// The sample project as "Projekt öffnen" puts it into the tables.
struct Example {
    Example() : settings(readExampleProject(t)) {}
    Network network() { return networkOf(t.tables(), settings); }
    ProjectTables t;
    ProjectSettings settings;
};

// The tolerance of the comparison with a cold run: heads within 1 cm, flows within 0.01 l/s plus
// 0.1 %.
void expectAgreement(const tarnholm::Network& computed, const std::vector<double>& heads,
                     const std::vector<double>& flows) {
    ASSERT_EQ(computed.head.size(), heads.size());
    ASSERT_EQ(computed.pipes.size(), flows.size());
    for (std::size_t i = 0; i < heads.size(); ++i)
        EXPECT_NEAR(computed.head[i], heads[i], 0.01) << "node index " << i;
    for (std::size_t p = 0; p < flows.size(); ++p)
        EXPECT_NEAR(computed.pipes[p].newFlow, flows[p], 0.01 + 0.001 * std::fabs(flows[p]))
            << "pipe " << p;
}

// The solver program on the tables with the node's withdrawal raised by the fire flow.
std::optional<Results> programRun(Example& example, int node, const QString& solver) {
    const int row = node + 1;
    const QString typed = example.t.nodes.cell(4, row);
    const double withdrawal = std::fabs(holdsValue(typed) ? strictDouble(typed) : 0.0);
    example.t.nodes.setCell(4, row, twoDecimals(withdrawal + kFireFlow));
    const Network raised = example.network();
    example.t.nodes.setCell(4, row, typed);
    testing::WorkingDirectory dir;
    dir.write("eingabe.dat", convertSeparators(eingabeText(raised), Conversion::Calculation));
    QProcess run;
    run.start(solver, {});
    run.closeWriteChannel();
    if (!run.waitForFinished(60000))
        return std::nullopt;
    return resultsOf(raised, parseGraphData(dir.read("graphein.dat")));
}

TEST(FireFlow, RunFromTheCaseWithoutFireFlowGivesWhatTheProgramComputesFromScratch) {
    const QString solver = QStringLiteral(KOLMA_BINARY_DIR "/solver/tarnholm");
    if (!QFileInfo(solver).isExecutable())
        GTEST_SKIP() << "the solver has not been built";
    Example example;
    const FireFlowCase fireCase(fireFlowNetworkOf(example.network()));
    FireFlowCalculator calculator(fireCase);
    // Node indices 3, 16 and 33 converge by the program's rule; at index 1 a pipe swings across
    // the friction factor's jump, the program stops at its bound in the middle of a swing, and
    // its flows near that pipe are one moment of the swing: only the heads are comparable.
    for (const int node : {3, 16, 33, 1}) {
        SCOPED_TRACE(node);
        const FireFlowRun run = calculator.run(node, kFireFlow);
        const auto written = programRun(example, node, solver);
        ASSERT_TRUE(written);
        EXPECT_EQ(run.end == FireFlowEnd::Converged, !written->boundReached());
        std::vector<double> heads, flows;
        for (const NodeResult& n : written->nodes)
            heads.push_back(n.head);
        for (const PipeResult& p : written->pipes)
            flows.push_back(p.flow);
        if (written->boundReached()) {
            for (std::size_t p = 0; p < flows.size(); ++p)
                flows[p] = calculator.network().pipes[p].newFlow;
        }
        expectAgreement(calculator.network(), heads, flows);
        EXPECT_NEAR(run.pressure, written->nodes[node].pressure, 0.001);
    }

    // A generated grid against the program's iteration from the flows the reader sets.
    tarnholm::Network grid = tarnholm::testnet::Grid(10, 10);
    const FireFlowCase gridCase(FireFlowNetwork{grid, std::vector<double>(100, 90.0)});
    FireFlowCalculator gridCalculator(gridCase);
    for (const int node : {7, 45, 99}) {
        SCOPED_TRACE(node);
        tarnholm::Network cold = grid;
        cold.netInflow[node] -= kFireFlow * 0.001;
        ASSERT_EQ(tarnholm::Calculate(cold, {grid.maxIterations}).rule,
                  tarnholm::StopRule::Converged);
        const FireFlowRun run = gridCalculator.run(node, kFireFlow);
        EXPECT_LT(run.passes, 100) << "the run starts from the flows without fire flow";
        std::vector<double> flows;
        for (const tarnholm::Pipe& pipe : cold.pipes)
            flows.push_back(pipe.newFlow);
        expectAgreement(gridCalculator.network(), cold.head, flows);
    }
}

TEST(FireFlow, MaximalFireFlowBracketsThePressureLimit) {
    Example example;
    const FireFlowCase fireCase(fireFlowNetworkOf(example.network()));
    FireFlowCalculator calculator(fireCase);
    struct Case {
        int node;
        double required;  // [bar]
        FireFlowMaximum kind;
    };
    // Index 13 keeps 1.5 bar with 96 m³/h, index 40 (a dead end behind 80 mm pipes) does not;
    // no fire flow at all keeps 9 bar at index 40.
    for (const Case& c :
         {Case{13, 1.5, FireFlowMaximum::Found}, Case{40, 1.5, FireFlowMaximum::Found},
          Case{1, 1.5, FireFlowMaximum::Found}, Case{40, 9.0, FireFlowMaximum::None}}) {
        SCOPED_TRACE(c.node);
        FireFlowSettings settings;
        settings.fireFlow = kFireFlow;
        settings.requiredPressure = c.required;
        settings.searchMaximum = true;
        const auto result = calculator.evaluate(c.node, settings);
        ASSERT_TRUE(result);
        ASSERT_EQ(result->maximumKind, c.kind);
        EXPECT_LE(result->searchRuns, 6) << "the search interpolates instead of stepping";
        if (c.kind == FireFlowMaximum::None) {
            EXPECT_FALSE(result->satisfied);
            EXPECT_LT(calculator.run(c.node, 0.0).pressure, c.required);
            continue;
        }
        EXPECT_EQ(result->satisfied, result->maximum >= kFireFlow);
        EXPECT_GE(calculator.run(c.node, result->maximum).pressure, c.required);
        EXPECT_LT(calculator.run(c.node, result->maximum + kFireFlowSearchStep).pressure,
                  c.required);
    }
}

TEST(FireFlow, CancelledAnalysisKeepsTheNodesFinished) {
    Example example;
    const FireFlowNetwork network = fireFlowNetworkOf(example.network());
    const FireFlowCase fireCase(network);
    const std::vector<int> nodes = fireFlowSelection(network, QString()).nodes;
    FireFlowSettings settings;
    settings.workers = 2;
    FireFlowProgress all;
    const FireFlowReport complete = analyseFireFlow(fireCase, nodes, settings, all);
    ASSERT_FALSE(complete.cancelled);
    ASSERT_EQ(complete.nodes.size(), nodes.size());

    FireFlowProgress progress;
    progress.nodeDone = [&progress](int done) {
        if (done == 3)
            progress.cancel = true;
    };
    const FireFlowReport partial = analyseFireFlow(fireCase, nodes, settings, progress);
    EXPECT_TRUE(partial.cancelled);
    // The other worker may finish the node it had begun.
    EXPECT_GE(partial.nodes.size(), 3u);
    EXPECT_LE(partial.nodes.size(), 4u);
    std::size_t k = 0;
    for (const NodeFireFlow& kept : partial.nodes) {
        while (complete.nodes[k].node != kept.node)
            ++k;
        EXPECT_EQ(kept.run.pressure, complete.nodes[k].run.pressure) << "node " << kept.node;
    }
}

TEST(FireFlow, NodeWhoseRunFailsIsReportedAndTheOthersGoOn) {
    // A tank feeds node 2, from where a pump lifts into a branch to nodes 3 and 4. Its curve rises
    // again above 20 l/s: drawing the fire flow behind the pump drives it there, where its
    // conductance turns negative and the node system has no solution.
    using namespace tarnholm::testnet;
    tarnholm::Network net = Empty();
    AddKnownNode(net, 1, 120.0, 100.0);
    AddNode(net, 2, -1.0, 100.0);
    AddNode(net, 3, -5.0, 100.0);
    AddNode(net, 4, -1.0, 100.0);
    AddPipe(net, 0, 1, 100.0, 300.0);
    AddPipe(net, 2, 3, 100.0, 200.0);
    AddPump(net, "P1", 1, 2, {0, 10, 20, 30, 40}, {30, 25, 20, 20.5, 21});
    const FireFlowCase fireCase(FireFlowNetwork{net, {100.0, 100.0, 100.0, 100.0}});
    FireFlowSettings settings;
    settings.workers = 1;
    FireFlowProgress progress;
    const FireFlowReport report = analyseFireFlow(fireCase, {2, 1, 3}, settings, progress);
    ASSERT_EQ(report.nodes.size(), 3u);
    EXPECT_FALSE(report.cancelled);
    EXPECT_EQ(report.nodes[0].run.end, FireFlowEnd::Failed);
    EXPECT_FALSE(report.nodes[0].satisfied);
    EXPECT_TRUE(std::isnan(report.nodes[0].run.pressure));
    EXPECT_TRUE(report.nodes[1].run.hasResult());
    EXPECT_GT(report.nodes[1].run.pressure, 1.5);
    EXPECT_EQ(report.nodes[2].run.end, FireFlowEnd::Failed);
}

TEST(FireFlow, SelectionTakesNodeNumbersOnceAndLeavesKnownHeadsOut) {
    Example example;
    const FireFlowNetwork network = fireFlowNetworkOf(example.network());
    const FireFlowSelection all = fireFlowSelection(network, QStringLiteral("  "));
    EXPECT_EQ(all.nodes.size(), 44u) << "46 nodes, two with known heads";
    EXPECT_TRUE(all.knownHeads.empty());

    const FireFlowSelection listed =
        fireFlowSelection(network, QStringLiteral("13, 60 4;13\t1 10"));
    EXPECT_EQ(listed.nodes, (std::vector<int>{7, 3, 4}));
    EXPECT_EQ(listed.knownHeads, (std::vector<int>{60, 1}));

    struct Refusal {
        const char* text;
        const char* message;
    };
    for (const Refusal& r :
         {Refusal{"13 x", "'x' ist keine Knotennummer."},
          Refusal{"13 999", "Knoten 999 steht nicht in der Knotentabelle."},
          Refusal{"1, 60",
                  "Unter den gewählten Knoten ist keiner ohne bekannten Druck. Ein Knoten "
                  "mit bekanntem Druck behält ihn, was immer entnommen wird."}}) {
        try {
            fireFlowSelection(network, QString::fromUtf8(r.text));
            ADD_FAILURE() << r.text << " was taken";
        } catch (const KolmaError& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(r.message));
        }
    }
}

TEST(FireFlow, RefusedNetworkIsReportedWithTheSolversText) {
    Example example;
    example.settings.iterations = QStringLiteral("40000");  // beyond the solver's 16-bit count
    try {
        fireFlowNetworkOf(example.network());
        ADD_FAILURE() << "the network was taken";
    } catch (const KolmaError& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Das Berechnungsprogramm kann die Eingabedaten nicht lesen:\n"
                                 "Fehler in der Eingabedatei!\n"
                                 "Fehlender oder ungültiger Eintrag in der Kopfzeile: maximale "
                                 "Anzahl der Iterationen"));
    }
}

}  // namespace
}  // namespace kolma
