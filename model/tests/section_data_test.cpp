// The section's data: reading the graph data file and relating it to the tables along the chain.
// The values of the fixture's whole section are checked where it is drawn.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <cmath>

#include "GraphData.h"
#include "NodeSequence.h"
#include "SectionData.h"
#include "SectionFixture.h"

namespace kolma::testing {
namespace {

const QString kNotInSystem =
    QStringLiteral("Die von Ihnen angegebene Knotenfolge ist nicht im System enthalten");

TEST(GraphData, ReadsTheSolversLayoutAndStopsAtBrokenValues) {
    QByteArray bytes =
        "\n1000\n\n12\n\n\n2\n \n    100.000\n     99.500\n\n1\n \n        2.50          0.14";
    bytes.replace("\n", "\r\n");
    const GraphData g = parseGraphData(bytes);
    EXPECT_EQ(g.nodeCount, 2);
    EXPECT_EQ(g.heads, (std::vector<double>{100.0, 99.5}));
    EXPECT_EQ(g.flows, std::vector<double>{2.5});
    EXPECT_EQ(g.velocities, std::vector<double>{0.14});
    // A decimal comma is not the file's separator: nothing after it is taken.
    const GraphData comma = parseGraphData("1000 5 2 100.0 99,5 1 2.5 0.1");
    EXPECT_EQ(comma.heads, std::vector<double>{100.0});
    EXPECT_TRUE(comma.flows.empty());
    EXPECT_FALSE(parseGraphData("1000 x 2").headerRead);
}

class Preparation : public SectionFixture {
protected:
    SectionPreparation prepare(const QStringList& chain) {
        return prepareSection(chain, tables(), QStringLiteral("graphein.dat"));
    }
};

TEST_F(Preparation, SupportValuesOfAPumpAreNoNodeNumbers) {
    // The pump's head row holds 10 and 20 in its node columns; only the pipe joins 10 and 20.
    auto p = prepare({"10", "20"});
    EXPECT_FLOAT_EQ(p.data.segments[0].length, 100.5f);
    EXPECT_EQ(p.data.nodes[1].labelShift, kLabelShift);
    pipes_->setCell(2, 1, QStringLiteral("11"));
    EXPECT_EQ(prepare({"10", "20"}).failure->text, kNotInSystem);
}

TEST_F(Preparation, FirstOfTwoPipesWinsAndAPipeBesideAPumpStaysAPipe) {
    setRow(*pipes_, 3, {"3", "20", "10", "50", "80"});
    EXPECT_FLOAT_EQ(prepare({"10", "20"}).data.segments[0].length, 100.5f);
    setRow(*pipes_, 3, {"3", "40", "30", "50", "80"});
    writeGraphFile(graphText({105, 104, 103.5, 125}, {{5.25, 0.3}, {-5.25, 0.67}, {1.5, 0.2}}));
    const auto p = prepare({"30", "40"});
    EXPECT_FALSE(p.data.segments[0].isPump());
    EXPECT_FLOAT_EQ(p.data.segments[0].length, 1.0f);
    EXPECT_FLOAT_EQ(p.data.segments[0].flow, 1.5f);
    EXPECT_EQ(p.data.nodes[1].labelShift, 0);
}

TEST_F(Preparation, NodeRowsByTextDuplicatesAndTheFirstTableNode) {
    EXPECT_EQ(prepare({"010", "20"}).failure->text, kNotInSystem);
    EXPECT_EQ(prepare({"20", "20"}).failure->text, kNotInSystem);
    // A second row with number 20: the head comes from the first, the heights from the last.
    setNode(5, "20", "120", "119");
    writeGraphFile(graphText({105, 104, 103.5, 125, 111}, {{5.25, 0.3}, {-5.25, 0.67}}));
    const auto p = prepare({"10", "20"});
    EXPECT_DOUBLE_EQ(p.data.nodes[1].energy, 104.0);
    EXPECT_FLOAT_EQ(p.data.nodes[1].ground, 120.0f);
    // Node 10 (table row 1) is not on this section; its head still bounds the range.
    writeGraphFile(graphText({90, 104, 103.5, 125, 111}, {{5.25, 0.3}, {-5.25, 0.67}}));
    EXPECT_FLOAT_EQ(prepare({"20", "30"}).data.zmin, 90.0f);
}

TEST_F(Preparation, FailuresLeaveNothingToDraw) {
    EXPECT_FALSE(prepare({"10"}).failure);
    EXPECT_FALSE(prepare({"10"}).data.drawable());
    // Node 40 (row 4) and pipe 2 were added after the calculation.
    writeGraphFile(graphText({105, 104, 103.5}, {{5.25, 0.3}}));
    for (const QStringList& chain : {QStringList{"30", "40"}, QStringList{"20", "30"}}) {
        const auto p = prepare(chain);
        ASSERT_TRUE(p.failure);
        EXPECT_TRUE(p.failure->text.contains(QStringLiteral("Berechnung erneut")));
        EXPECT_EQ(p.failure->caption, QStringLiteral("Fehler"));
        EXPECT_FALSE(p.data.drawable());
    }
    nodes_->setCell(6, 2, QStringLiteral("9x"));
    EXPECT_EQ(prepare({"10", "20"}).failure->text,
              QStringLiteral("'9x' ist kein gültiger Gleitkommawert"));
    removeGraphFile();
    EXPECT_EQ(prepare({"10", "20"}).failure->text,
              QStringLiteral("Die Graphikeingabedatei konnte nicht geöffnet werden"));
}

// The section drawn from a "graphein.dat" that the solver computed: a known head at node 10,
// withdrawals of 2 l/s at node 20 and 3 l/s at node 40, and a pump lifting from 30 to 40.
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

TEST(SequenceGrid, RemovingARowOutsideTheEntriesChangesNothing) {
    CellTable grid(2, 3);
    labelSequenceGrid(grid);
    grid.setCell(1, 1, QStringLiteral("10"));
    grid.setCell(1, 2, QStringLiteral("20"));
    for (int row : {0, 3, -1}) {
        EXPECT_EQ(removeSequenceEntry(grid, row), QString()) << row;
        EXPECT_EQ(grid.rowCount(), 3);
        EXPECT_EQ(grid.cell(1, 0), QStringLiteral("Knotennr."));
        EXPECT_EQ(grid.cell(1, 2), QStringLiteral("20"));
    }
    EXPECT_EQ(removeSequenceEntry(grid, 1), QStringLiteral("20"));
    EXPECT_EQ(grid.rowCount(), 2);
}

}  // namespace
}  // namespace kolma::testing
