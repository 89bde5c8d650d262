// What the plan shows of the tables: the colour classes at their limits, the limits the user
// types, the network drawn as far as the tables can be read, and the values and tooltips of
// nodes, pipes and pumps after a calculation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ErrorOf.h"
#include "PlanData.h"
#include "ProjectTables.h"

using kolma::PlanElement;
using kolma::PlanElementKind;
using kolma::PlanQuantity;
using kolma::testing::ProjectTables;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The sample network of the tests with results: heads 100, 99, 97 and 120 m; pipe flows 2.5
// and -0.5 l/s at 0.14 and -0.02 m/s.
kolma::PlanData sampleData(ProjectTables& t, const kolma::PlanCoordinates& coordinates = {}) {
    kolma::testing::typeSampleNetwork(t);
    kolma::Network network = kolma::networkOf(t.tables(), kolma::defaultSettings());
    const auto graph =
        kolma::parseGraphData("1000 12 4 100.0 99.0 97.0 120.0 2 2.5 0.14 -0.5 -0.02");
    auto results = kolma::resultsOf(network, graph);
    return kolma::planDataOf(std::move(network), coordinates, std::move(results));
}

}  // namespace

// A value on a limit belongs to the class above it: 2.0 bar is no longer too low, 0.03 m/s no
// longer standing water.
TEST(PlanClasses, ValuesOnTheDefaultLimitsBelongToTheClassAbove) {
    const struct {
        PlanQuantity quantity;
        double value;
        int expected;
    } cases[] = {
        {PlanQuantity::Pressure, -0.5, 0},   {PlanQuantity::Pressure, 1.999, 0},
        {PlanQuantity::Pressure, 2.0, 1},    {PlanQuantity::Pressure, 3.5, 2},
        {PlanQuantity::Pressure, 5.99, 2},   {PlanQuantity::Pressure, 6.0, 3},
        {PlanQuantity::Pressure, 8.0, 4},    {PlanQuantity::Pressure, 80.0, 4},
        {PlanQuantity::Pressure, kNaN, -1},  {PlanQuantity::Velocity, 0.0, 0},
        {PlanQuantity::Velocity, 0.0299, 0}, {PlanQuantity::Velocity, 0.03, 1},
        {PlanQuantity::Velocity, 0.5, 2},    {PlanQuantity::Velocity, 1.0, 3},
        {PlanQuantity::Velocity, 2.0, 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kolma::classOf(c.value, kolma::defaultLimits(c.quantity)), c.expected)
            << kolma::quantityName(c.quantity).toStdString() << " " << c.value;
    EXPECT_EQ(kolma::classOf(5.0, {}), 0);
}

TEST(PlanClasses, ColoursWarnAtTheLowEndOfPressureAndVelocity) {
    const kolma::Rgb red{215, 25, 28};
    const kolma::Rgb blue{44, 123, 182};
    for (PlanQuantity q : {PlanQuantity::Pressure, PlanQuantity::Velocity})
        EXPECT_EQ(kolma::classColours(q, 5).front(), red);
    EXPECT_EQ(kolma::classColours(PlanQuantity::Gradient, 5).front(), blue);
    for (int count : {1, 2, 3, 5, 9}) {
        const auto colours = kolma::classColours(PlanQuantity::Pressure, count);
        ASSERT_EQ(static_cast<int>(colours.size()), count);
        for (int k = 1; k < count; ++k)
            EXPECT_NE(colours[k], colours[k - 1]) << count << " classes, class " << k;
    }
}

TEST(PlanClasses, TypedLimitsAndTheirTexts) {
    EXPECT_EQ(kolma::parseLimits(" 2; 3,5 ;6;8 "), (std::vector<double>{2, 3.5, 6, 8}));
    EXPECT_TRUE(kolma::parseLimits("  ").empty());
    const struct {
        const char* text;
        const char* expected;
    } refused[] = {
        {"2; 1", "Die Klassengrenzen müssen aufsteigen"},
        {"2; 2", "Die Klassengrenzen müssen aufsteigen"},
        {"2; drei", "'drei' ist keine gültige Klassengrenze"},
        {"2;;3", "'' ist keine gültige Klassengrenze"},
        {"1;2;3;4;5;6;7;8;9", "Höchstens 8 Klassengrenzen"},
    };
    for (const auto& r : refused) {
        const QString error = kolma::testing::errorOf([&] { kolma::parseLimits(r.text); });
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(r.expected))) << error.toStdString();
    }
    const std::vector<double> limits{0.03, 0.5, 2};
    EXPECT_EQ(kolma::limitsText(limits), "0,03; 0,5; 2");
    EXPECT_EQ(kolma::limitsFromSetting(kolma::limitsSetting(limits)), limits);
    EXPECT_TRUE(kolma::limitsFromSetting("3;1").empty());
    EXPECT_EQ(kolma::classText(0, limits), "unter 0,03");
    EXPECT_EQ(kolma::classText(1, limits), "0,03 bis unter 0,5");
    EXPECT_EQ(kolma::classText(3, limits), "2 und mehr");
    EXPECT_EQ(kolma::evenLimits(100, 140), (std::vector<double>{108, 116, 124, 132}));
    EXPECT_TRUE(kolma::evenLimits(5, 5).empty());
}

// Tables the network snapshot refuses are still drawn: only the unreadable node, pipe or pump is
// left out, and the rest keeps its table rows.
TEST(PlanNetwork, UnreadablePlacesAreLeftOutTheRestKeepsItsRows) {
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    t.setRow(t.nodes, 5, {"50", " ", " ", " ", "1", "1"});
    t.setRow(t.pipes, 3, {"3", "30", "50", "10", "100", "0,1", "0"});
    t.pipes.setCell(3, 1, "35");       // pipe 1 ends at a node the node table lacks
    t.nodes.setCell(1, 2, "zwanzig");  // node row 2 has no number
    t.pumps.setCell(2, 1, "77");       // the pump starts at a node the table lacks
    t.nodes.setCell(5, 4, "1 0");      // two tokens in GOK of node 40
    const auto reading = kolma::readPlanNetwork(t.tables(), kolma::defaultSettings());
    ASSERT_EQ(reading.problems.size(), 5) << reading.problems.join("\n").toStdString();
    EXPECT_TRUE(reading.problems[0].contains("zwanzig")) << reading.problems[0].toStdString();
    const kolma::Network& n = reading.network;
    ASSERT_EQ(n.nodes.size(), 4u);
    EXPECT_EQ(n.nodes[1].number, 30);
    EXPECT_EQ(n.nodes[1].row, 3);
    EXPECT_EQ(n.nodes[3].row, 5);
    EXPECT_FALSE(n.nodes[2].ground.isNumber());  // the unreadable GOK counts as empty
    ASSERT_EQ(n.pipes.size(), 1u);               // pipe 1 misses node 35, pipe 2 node 20 (row 2)
    EXPECT_EQ(n.pipes[0].row, 3);
    EXPECT_TRUE(n.pumps.empty());

    ProjectTables whole;
    kolma::testing::typeSampleNetwork(whole);
    EXPECT_TRUE(kolma::readPlanNetwork(whole.tables(), kolma::defaultSettings()).complete());
}

// The problems name the rows the user sees, also below a node, pipe or pump block left out.
TEST(PlanNetwork, ProblemsNameTheRowsOfTheTables) {
    ProjectTables t;
    kolma::testing::typeSampleNetwork(t);
    t.setPump(2, {"P2", "30", "40"}, {"30", "2 8", "25", " ", " ", " ", " ", " "},
              {"0", "2", "4", " ", " ", " ", " ", " "});
    t.nodes.setCell(1, 2, "zwanzig");  // node row 2 has no number
    t.nodes.setCell(5, 4, "1 0");      // two tokens in GOK of node 40
    t.pipes.setCell(3, 1, "35");       // pipe 1 ends at a node the node table lacks
    t.pumps.setCell(2, 1, "77");       // pump 1 starts at a node the table lacks
    const auto reading = kolma::readPlanNetwork(t.tables(), kolma::defaultSettings());
    const QStringList expected{
        "'zwanzig' ist kein gültiger Integerwert",
        "Strang 1 (Zeile 1): Knoten 35 fehlt in der Knotentabelle.",
        "Strang 2 (Zeile 2): Knoten 20 fehlt in der Knotentabelle.",
        "Pumpe P1 (Block 1): Knoten 77 fehlt in der Knotentabelle.",
        "Pumpentabelle, Zeile 5, Spalte \"h2\": leerer Wert oder Wert mit Leerzeichen.",
        "Knotentabelle, Zeile 4, Spalte \"GOK\": leerer Wert oder Wert mit Leerzeichen.",
    };
    EXPECT_EQ(reading.problems, expected) << reading.problems.join("\n").toStdString();
    ASSERT_EQ(reading.network.pumps.size(), 1u);
    EXPECT_EQ(reading.network.pumps[0].block, 2);
}

TEST(PlanData, PlacesBendsAndElementsByTableRow) {
    ProjectTables t;
    kolma::PlanCoordinates c;
    c.nodes[10] = {QPointF(0, 0), kolma::Placement::Given};
    c.nodes[40] = {QPointF(30, 0), kolma::Placement::Automatic};
    c.bends["2"] = {QPointF(5, 5)};
    const kolma::PlanData data = sampleData(t, c);
    ASSERT_EQ(data.nodes.size(), 4u);
    EXPECT_EQ(data.unplacedCount(), 2);
    EXPECT_EQ(*data.nodes[3].at, QPointF(30, 0));
    EXPECT_TRUE(data.nodes[0].knownHead);
    ASSERT_EQ(data.links.size(), 3u);
    EXPECT_EQ(data.links[1].bends, std::vector<QPointF>{QPointF(5, 5)});
    EXPECT_EQ(data.links[2].kind, PlanElementKind::Pump);
    EXPECT_EQ(data.links[2].label, "P1");
    EXPECT_EQ(data.linkIndex({PlanElementKind::Pump, 1}), 2);
    EXPECT_EQ(data.nodeIndex(3), 2);
    EXPECT_FALSE(data.linkIndex({PlanElementKind::Pipe, 7}));
}

// Pipe values are amounts: a flow against the pipe's direction colours as much as one along it.
TEST(PlanData, ValuesOfNodesAndPipes) {
    ProjectTables t;
    const kolma::PlanData data = sampleData(t);
    EXPECT_NEAR(kolma::nodeValue(data, 1, PlanQuantity::Pressure), (99.0 - 104.5) * 0.0981, 1e-12);
    EXPECT_EQ(kolma::nodeValue(data, 3, PlanQuantity::Head), 120.0);
    EXPECT_EQ(kolma::linkValue(data, 1, PlanQuantity::Velocity), 0.02);
    EXPECT_EQ(kolma::linkValue(data, 1, PlanQuantity::Flow), 0.5);
    EXPECT_NEAR(kolma::linkValue(data, 0, PlanQuantity::Gradient), 1.0 / 120.5 * 1000.0, 1e-12);
    EXPECT_TRUE(std::isnan(kolma::linkValue(data, 2, PlanQuantity::Flow)));  // the pump
    EXPECT_TRUE(std::isnan(kolma::linkValue(data, 0, PlanQuantity::Pressure)));
    const auto range = kolma::valueRange(data, PlanQuantity::Head);
    ASSERT_TRUE(range);
    EXPECT_EQ(*range, std::make_pair(97.0, 120.0));
}

TEST(PlanData, TooltipsShowTheInputAsTypedAndTheResults) {
    ProjectTables t;
    const kolma::PlanData data = sampleData(t);
    EXPECT_EQ(kolma::tooltipText(data, {PlanElementKind::Node, 2}),
              "Knoten 20 (Zeile 2)\nEntnahme: 1,5 l/s\nGOK: 104,5 mNN\nRS: 97,5 mNN\n"
              "noch ohne Lage\nEnergiehöhe: 99,00 mNN\nVersorgungsdruck: -0,54 bar");
    EXPECT_EQ(kolma::tooltipText(data, {PlanElementKind::Pipe, 2}),
              "Strang 2 (Zeile 2): Knoten 20 – 30\nLänge: 80 m\ndi: 100 mm\nks: 0,1 mm\n"
              "zeta: 1,5\nDurchfluss: -0,50 l/s\nGeschwindigkeit: -0,02 m/s\n"
              "Gefälle: 25,00 m/km");
    EXPECT_EQ(kolma::tooltipText(data, {PlanElementKind::Pump, 1}),
              "Pumpe P1 (Block 1): Knoten 30 – 40\nKennlinie: 5 Stützpunkte\n"
              "Förderhöhe: 23,00 m");
    EXPECT_TRUE(kolma::tooltipText(data, {PlanElementKind::Node, 1}).contains("bek. Druck: 100,0"));
    EXPECT_EQ(kolma::tooltipText(data, {PlanElementKind::Node, 9}), "");
}
