// The results of a calculation for the tables: pressures and gradients from the graph data, the
// refusal of a graph file that does not fit, and the network computed in-process giving the
// numbers the solver program writes.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <cmath>

#include "BoundDiagnosis.h"
#include "ProjectFile.h"
#include "ProjectTables.h"
#include "Results.h"
#include "SolverNetwork.h"
#include "TextFile.h"
#include "WorkingDirectory.h"
#include "tarnholm/in_process.h"

namespace kolma {
namespace {

using testing::ProjectTables;

const ProjectSettings kDefaults{"1,305", "1000"};

TEST(Results, PressureAboveGroundAndGradientPerKilometre) {
    ProjectTables t;
    testing::typeSampleNetwork(t);
    t.nodes.setCell(5, 3, " ");  // node 30 without ground level
    const Network network = networkOf(t.tables(), kDefaults);
    GraphData graph = parseGraphData("1000 1001 4 100.0 99.0 97.0 120.0 2 2.5 0.14 1.5 0.19");
    const auto results = resultsOf(network, graph);
    ASSERT_TRUE(results);
    EXPECT_TRUE(results->boundReached());
    EXPECT_NEAR(results->nodes[1].pressure, (99.0 - 104.5) * 0.0981, 1e-12);
    EXPECT_TRUE(std::isnan(results->nodes[2].pressure));
    EXPECT_NEAR(results->pipes[0].gradient, (100.0 - 99.0) / 120.5 * 1000.0, 1e-12);
    EXPECT_DOUBLE_EQ(results->pipes[1].velocity, 0.19);

    // One node more in the tables than in the file: the file is of an earlier network.
    t.setRow(t.nodes, 5, {"50", " ", " ", " ", "1", "1"});
    EXPECT_FALSE(resultsOf(networkOf(t.tables(), kDefaults), graph));
    graph.flows.pop_back();
    EXPECT_FALSE(resultsOf(network, graph));
}

// What the program computes in-process is what tarnholm writes for the same tables.
TEST(SolverNetwork, ComputesTheHeadsAndFlowsTheProgramWrites) {
    const QString solver = QStringLiteral(KOLMA_BINARY_DIR "/solver/tarnholm");
    if (!QFileInfo(solver).isExecutable())
        GTEST_SKIP() << "the solver has not been built";
    ProjectTables t;
    testing::typeSampleNetwork(t);
    const Network network = networkOf(t.tables(), kDefaults);
    testing::WorkingDirectory dir;
    dir.write("eingabe.dat", convertSeparators(eingabeText(network), Conversion::Calculation));
    QProcess run;
    run.start(solver, {});
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(60000));
    const auto written = resultsOf(network, parseGraphData(dir.read("graphein.dat")));
    ASSERT_TRUE(written);

    tarnholm::Network net = solverNetworkOf(network);
    const tarnholm::IterationOutcome outcome = tarnholm::Calculate(net, {net.maxIterations});
    EXPECT_EQ(outcome.passes, written->passes);
    for (std::size_t i = 0; i < network.nodes.size(); ++i)
        EXPECT_NEAR(net.head[i], written->nodes[i].head, 0.0005) << "node " << i;
    for (std::size_t p = 0; p < network.pipes.size(); ++p)
        EXPECT_NEAR(net.pipes[p].newFlow, written->pipes[p].flow, 0.005) << "pipe " << p;
}

// The solver's own case of a pipe at the friction factor's jump: the bound stops the run, the
// pipe is named with a Reynolds number near 2300, the heads hardly move.
TEST(BoundDiagnosis, NamesThePipeAtTheJumpAndHowFarTheHeadsMove) {
    const QByteArray eingabe = readFileBytes(
        QStringLiteral(KOLMA_SOURCE_DIR "/solver/tests/golden/friction_jump_to_bound/eingabe.dat"));
    ProjectTables t;
    ProjectSettings settings;
    readProjectText(convertSeparators(eingabe, Conversion::Open), t.tables(), settings);
    const Network network = networkOf(t.tables(), settings);
    const auto diagnosis = diagnoseBound(network);
    ASSERT_TRUE(diagnosis);
    EXPECT_EQ(diagnosis->maxIterations, 50);
    ASSERT_EQ(diagnosis->pipes.size(), 1u);
    EXPECT_EQ(diagnosis->pipes[0].row, 1);
    EXPECT_NEAR(diagnosis->pipes[0].reynolds, 2300.0, 300.0);
    const QString text = boundDiagnosisText(*diagnosis);
    EXPECT_TRUE(
        text.startsWith("Die Berechnung hat die Höchstzahl von 50 Iterationen erreicht. "
                        "Nicht konvergiert: Strang 1 (Re = "))
        << text.toStdString();
    EXPECT_TRUE(text.contains("am Sprung des Reibungsbeiwerts")) << text.toStdString();

    // A network that converges needs no diagnosis.
    ProjectTables sample;
    testing::typeSampleNetwork(sample);
    EXPECT_FALSE(diagnoseBound(networkOf(sample.tables(), kDefaults)));
}

}  // namespace
}  // namespace kolma
