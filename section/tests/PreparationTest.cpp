// The section's data: reading the graph data file and relating it to the tables along the chain.
// The values of the fixture's whole section are checked where it is drawn.
#include <gtest/gtest.h>

#include "GraphData.h"
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

}  // namespace
}  // namespace kolma::testing
