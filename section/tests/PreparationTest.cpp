// The section's data: reading the graph data file and relating it to the tables along the chain.
#include <gtest/gtest.h>

#include "GraphData.h"
#include "SectionData.h"
#include "SectionFixture.h"

namespace kolma::testing {
namespace {

const QString kOpenFailure = QStringLiteral("Die Graphikeingabedatei konnte nicht geöffnet werden");
const QString kNotInSystem =
    QStringLiteral("Die von Ihnen angegebene Knotenfolge ist nicht im System enthalten");

QStringList chain(std::initializer_list<const char*> numbers) {
    QStringList list;
    for (const char* n : numbers)
        list << QString::fromLatin1(n);
    return list;
}

TEST(GraphData, ReadsTheSolversLayoutWithAnyLineEnds) {
    // The solver's own example, once with LF and once with CR LF.
    const QByteArray lf =
        "\n1000\n\n12\n\n\n2\n \n    100.000\n     99.500\n\n1\n \n        2.50          0.14";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    for (const QByteArray& bytes : {lf, crlf}) {
        const GraphData g = parseGraphData(bytes);
        EXPECT_TRUE(g.headerRead);
        EXPECT_EQ(g.nodeCount, 2);
        EXPECT_EQ(g.heads, (std::vector<double>{100.0, 99.5}));
        EXPECT_EQ(g.pipeCount, 1);
        EXPECT_EQ(g.flows, std::vector<double>{2.5});
        EXPECT_EQ(g.velocities, std::vector<double>{0.14});
    }
}

TEST(GraphData, StopsAtMissingOrBrokenValues) {
    // Three heads announced, two present: the pipe part is never reached.
    const GraphData truncated = parseGraphData("1000 5 3 100.0 99.5");
    EXPECT_EQ(truncated.nodeCount, 3);
    EXPECT_EQ(truncated.heads.size(), 2u);
    EXPECT_TRUE(truncated.flows.empty());
    // A decimal comma is not the file's separator: reading stops there.
    const GraphData comma = parseGraphData("1000 5 2 100.0 99,5 1 2.5 0.1");
    EXPECT_EQ(comma.heads, std::vector<double>{100.0});
    EXPECT_FALSE(parseGraphData("1000 x 2").headerRead);
    EXPECT_FALSE(parseGraphData("").headerRead);
}

using Preparation = SectionFixture;

TEST_F(Preparation, MatchesPipesInBothDirectionsAndMarksPumps) {
    const auto p =
        prepareSection(chain({"10", "20", "30", "40"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_FALSE(p.failure);
    const SectionData& d = p.data;
    ASSERT_EQ(d.nodes.size(), 4u);
    ASSERT_EQ(d.segments.size(), 3u);
    // Pipe 1 in its own direction, pipe 2 entered from its end node.
    EXPECT_FLOAT_EQ(d.segments[0].length, 100.5f);
    EXPECT_FLOAT_EQ(d.segments[0].diameter, 150.0f);
    EXPECT_FLOAT_EQ(d.segments[0].flow, 5.25f);
    EXPECT_FLOAT_EQ(d.segments[1].length, 200.0f);
    EXPECT_FLOAT_EQ(d.segments[1].flow, -5.25f);
    EXPECT_FLOAT_EQ(d.segments[1].velocity, 0.67f);
    EXPECT_FALSE(d.segments[1].isPump());
    // The pump: 1 m long, no pipe values, its end node labelled on the right.
    EXPECT_TRUE(d.segments[2].isPump());
    EXPECT_FLOAT_EQ(d.segments[2].length, 1.0f);
    EXPECT_EQ(d.nodes[3].labelShift, 0);
    EXPECT_EQ(d.nodes[2].labelShift, kLabelShift);
    // Stations, heights and ranges.
    EXPECT_FLOAT_EQ(d.nodes[1].station, 100.5f);
    EXPECT_FLOAT_EQ(d.nodes[3].station, 301.5f);
    EXPECT_FLOAT_EQ(d.totalLength, 301.5f);
    EXPECT_EQ(d.nodes[2].row, 2);
    EXPECT_DOUBLE_EQ(d.nodes[2].energy, 103.5);
    EXPECT_FLOAT_EQ(d.nodes[0].ground, 102.5f);
    EXPECT_FLOAT_EQ(d.nodes[2].invert, 98.5f);
    EXPECT_FLOAT_EQ(d.zmin, 98.5f);
    EXPECT_FLOAT_EQ(d.zmax, 125.0f);
    EXPECT_FLOAT_EQ(d.range, 26.5f);
}

TEST_F(Preparation, SupportValuesOfAPumpAreNoNodeNumbers) {
    // The pump's head row holds 10 and 20 in the node columns; nodes 10 and 20 are joined by a
    // pipe only, so the segment keeps the pipe's length.
    const auto p = prepareSection(chain({"10", "20"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_FALSE(p.failure);
    EXPECT_FLOAT_EQ(p.data.segments[0].length, 100.5f);
    EXPECT_EQ(p.data.nodes[1].labelShift, kLabelShift);
    // With the pipe gone only the head row would join them: the chain is refused.
    pipes_->setCell(2, 1, QStringLiteral("11"));
    EXPECT_EQ(
        prepareSection(chain({"10", "20"}), tables(), QStringLiteral("graphein.dat")).failure->text,
        kNotInSystem);
}

TEST_F(Preparation, FirstOfTwoPipesWinsAndAPipeWithAPumpIsDrawnAsAPipe) {
    setPipe(3, "3", "20", "10", "50", "80");
    auto p = prepareSection(chain({"10", "20"}), tables(), QStringLiteral("graphein.dat"));
    EXPECT_FLOAT_EQ(p.data.segments[0].length, 100.5f);
    EXPECT_FLOAT_EQ(p.data.segments[0].diameter, 150.0f);

    setPipe(3, "3", "40", "30", "50", "80");
    writeGraphFile(graphText({105, 104, 103.5, 125}, {{5.25, 0.3}, {-5.25, 0.67}, {1.5, 0.2}}));
    p = prepareSection(chain({"30", "40"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_FALSE(p.failure);
    EXPECT_FALSE(p.data.segments[0].isPump());
    EXPECT_FLOAT_EQ(p.data.segments[0].diameter, 80.0f);
    EXPECT_FLOAT_EQ(p.data.segments[0].length, 1.0f);
    EXPECT_FLOAT_EQ(p.data.segments[0].flow, 1.5f);
    EXPECT_EQ(p.data.nodes[1].labelShift, 0);
}

TEST_F(Preparation, HeightRangeStartsAtTheFirstNodeOfTheTable) {
    // Node 10 (table row 1) is not on the section; its head still bounds the range.
    writeGraphFile(graphText({90, 104, 103.5, 125}, {{5.25, 0.3}, {-5.25, 0.67}}));
    auto p = prepareSection(chain({"20", "30"}), tables(), QStringLiteral("graphein.dat"));
    EXPECT_FLOAT_EQ(p.data.zmin, 90.0f);
    EXPECT_FLOAT_EQ(p.data.zmax, 104.0f);
    writeGraphFile(graphText({130, 104, 103.5, 125}, {{5.25, 0.3}, {-5.25, 0.67}}));
    p = prepareSection(chain({"20", "30"}), tables(), QStringLiteral("graphein.dat"));
    EXPECT_FLOAT_EQ(p.data.zmin, 98.5f);
    EXPECT_FLOAT_EQ(p.data.zmax, 130.0f);
}

TEST_F(Preparation, NodeNumbersCompareAsTextAndDuplicatesTakeTheirRows) {
    EXPECT_EQ(prepareSection(chain({"010", "20"}), tables(), QStringLiteral("graphein.dat"))
                  .failure->text,
              kNotInSystem);
    EXPECT_EQ(
        prepareSection(chain({"20", "20"}), tables(), QStringLiteral("graphein.dat")).failure->text,
        kNotInSystem);
    // A second row with number 20: the head comes from the first, the heights from the last.
    setNode(5, "20", "120", "119");
    writeGraphFile(graphText({105, 104, 103.5, 125, 111}, {{5.25, 0.3}, {-5.25, 0.67}}));
    const auto p = prepareSection(chain({"10", "20"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_FALSE(p.failure);
    EXPECT_EQ(p.data.nodes[1].row, 1);
    EXPECT_DOUBLE_EQ(p.data.nodes[1].energy, 104.0);
    EXPECT_FLOAT_EQ(p.data.nodes[1].ground, 120.0f);
}

TEST_F(Preparation, ShortChainsDrawNothingAndAMissingFileIsReported) {
    auto p = prepareSection(chain({"10"}), tables(), QStringLiteral("graphein.dat"));
    EXPECT_FALSE(p.failure);
    EXPECT_FALSE(p.data.drawable());
    removeGraphFile();
    p = prepareSection(chain({"10", "20"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_TRUE(p.failure);
    EXPECT_EQ(p.failure->text, kOpenFailure);
    EXPECT_EQ(p.failure->caption, QStringLiteral("Fehler"));
    EXPECT_FALSE(p.data.drawable());
}

TEST_F(Preparation, AnOutdatedGraphFileAsksForANewCalculation) {
    // Node 40 (row 4) was added after the calculation: the file has three heads only.
    writeGraphFile(graphText({105, 104, 103.5}, {{5.25, 0.3}, {-5.25, 0.67}}));
    auto p = prepareSection(chain({"30", "40"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_TRUE(p.failure);
    EXPECT_TRUE(p.failure->text.contains(QStringLiteral("Berechnung")));
    EXPECT_EQ(p.failure->caption, QStringLiteral("Fehler"));
    EXPECT_FALSE(p.data.drawable());
    // Pipe 2 was added after it: one pipe record only.
    writeGraphFile(graphText({105, 104, 103.5, 125}, {{5.25, 0.3}}));
    p = prepareSection(chain({"20", "30"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_TRUE(p.failure);
    EXPECT_TRUE(p.failure->text.contains(QStringLiteral("Berechnung")));
}

TEST_F(Preparation, ACellThatIsNoNumberEndsTheDrawingWithItsError) {
    nodes_->setCell(6, 2, QStringLiteral("9x"));
    const auto p = prepareSection(chain({"10", "20"}), tables(), QStringLiteral("graphein.dat"));
    ASSERT_TRUE(p.failure);
    EXPECT_EQ(p.failure->text, QStringLiteral("'9x' ist kein gültiger Gleitkommawert"));
    EXPECT_EQ(p.failure->caption, QStringLiteral("KOLMA"));
}

}  // namespace
}  // namespace kolma::testing
