// The section drawn from a "graphein.dat" that the solver computed: a known head at node 10,
// withdrawals of 2 l/s at node 20 and 3 l/s at node 40, and a pump lifting from 30 to 40.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <cmath>

#include "SectionData.h"
#include "SectionFixture.h"

namespace kolma::testing {
namespace {

const char kInput[] =
    "3\t1.305\t1000\t2\t4\t1\t1\n\n10\n20\n30\n40\n\n"
    "1\t0\t1\t100.5\t150\t0.1\t0\t\n2\t1\t2\t200\t100\t0.1\t0\t\n\n\n"
    "P1\t2\t3\t3\n30\t25\t15\t---\t---\t---\t---\t---\t\n0\t5\t10\t---\t---\t---\t---\t---"
    "\t\n\n\n\n"
    "0\t110\t---\t---\t102.5\t100\n1\t---\t---\t2\t101\t99\n"
    "2\t---\t---\t---\t101.5\t98.5\n3\t---\t---\t3\t110\t108\n";

using SolverOutput = SectionFixture;

TEST_F(SolverOutput, SectionAlongAComputedNetwork) {
    const QString solver = QStringLiteral(KOLMA_BINARY_DIR "/solver/tarnholm");
    if (!QFileInfo(solver).isExecutable())
        GTEST_SKIP() << "the solver has not been built";
    dir_.write("eingabe.dat", kInput);
    removeGraphFile();
    QProcess run;
    run.start(solver, {});
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(60000));

    // The tables as the editor holds them for this input; pipe 2 runs from 20 to 30.
    setRow(*pipes_, 2, {"2", "20", "30"});
    setPump("30", "40", {"30", "25", "15"});
    const auto p =
        prepareSection({"40", "30", "20", "10"}, tables(), QStringLiteral("graphein.dat"));
    ASSERT_FALSE(p.failure) << qPrintable(p.failure->text);
    const SectionData& d = p.data;
    // Walked against the pipes' direction: the pump first, then pipe 2, then pipe 1.
    EXPECT_TRUE(d.segments[0].isPump());
    EXPECT_EQ(d.nodes[1].labelShift, 0);
    EXPECT_FLOAT_EQ(d.segments[1].length, 200.0f);
    // Continuity: pipe 2 carries node 40's 3 l/s, pipe 1 both withdrawals; v = Q / (pi D^2 / 4).
    EXPECT_NEAR(d.segments[1].flow, 3.0, 0.01);
    EXPECT_NEAR(d.segments[2].flow, 5.0, 0.01);
    EXPECT_NEAR(d.segments[2].velocity, 0.005 / (M_PI * 0.15 * 0.15 / 4), 0.01);
    // Node 10 keeps its known head, the pump lifts node 40, heads fall in the direction of flow.
    EXPECT_NEAR(d.nodes[3].energy, 110.0, 0.001);
    EXPECT_LT(d.nodes[1].energy, d.nodes[2].energy);
    EXPECT_LT(d.nodes[2].energy, d.nodes[3].energy);
    EXPECT_FLOAT_EQ(d.zmax, static_cast<float>(d.nodes[0].energy));
    EXPECT_FLOAT_EQ(d.totalLength, 301.5f);
}

}  // namespace
}  // namespace kolma::testing
