// The plan's drawing as primitives, measured with a fixed text size so that every position can
// be computed by hand: symbols, colours and the legend of a small network, the selection, labels
// that never overlap, the element under the pointer, and the plan's use of the automatic layout.
#include <gtest/gtest.h>

#include <QFile>
#include <set>

#include "PlanDrawing.h"
#include "PlanLayout.h"
#include "ProjectTables.h"
#include "TextFile.h"

namespace kolma {
namespace {

using testing::ProjectTables;
using Kind = PlanPrimitive::Kind;

// Six pixels a character, ten a line, at any size.
const TextSize kFixedSize = [](const QString& text, int) {
    return QSize(6 * static_cast<int>(text.size()), 10);
};

// The sample network of the tests placed on the plan: node 10 (known head) at (0, 0), 20 at
// (100, 0), 30 at (100, 50), 40 at (150, 50); pipe 2 bends at (80, 25). Heads 100, 140, 160 and
// 200 m give the nodes 20, 30 and 40 pressures of 3,48, 5,59 and 8,83 bar; pipe 1 carries
// 0,14 m/s, pipe 2 -0,02 m/s.
PlanData placedSample(ProjectTables& t) {
    testing::typeSampleNetwork(t);
    PlanCoordinates c;
    c.nodes[10] = {QPointF(0, 0), Placement::Given};
    c.nodes[20] = {QPointF(100, 0), Placement::Given};
    c.nodes[30] = {QPointF(100, 50), Placement::Automatic};
    c.nodes[40] = {QPointF(150, 50), Placement::Automatic};
    c.bends["2"] = {QPointF(80, 25)};
    Network network = networkOf(t.tables(), defaultSettings());
    auto results = resultsOf(
        network, parseGraphData("1000 12 4 100.0 140.0 160.0 200.0 2 2.5 0.14 -0.5 -0.02"));
    return planDataOf(std::move(network), c, std::move(results));
}

// A map of 600 x 400 pixels, two pixels a metre, plan point (50, 25) in the middle: a plan point
// (x, y) lies at (300 + 2 (x - 50), 200 - 2 (y - 25)).
PlanGeometry sampleGeometry() {
    PlanGeometry g;
    g.map = QRectF(0, 0, 600, 400);
    g.centre = QPointF(50, 25);
    g.scale = 2.0;
    return g;
}

PlanLook lookOf(const PlanData& data, PlanQuantity quantity) {
    PlanLook look;
    look.quantity = quantity;
    look.limits = classLimits(data, quantity, {});
    return look;
}

struct Expected {
    Kind kind;
    std::vector<QPointF> points;
    QColor colour;
    double width;  // lines and symbols; text: unused
    QString text;
};

void expectPrimitives(const std::vector<PlanPrimitive>& actual,
                      const std::vector<Expected>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("primitive " + std::to_string(i) + " " + expected[i].text.toStdString());
        EXPECT_EQ(actual[i].kind, expected[i].kind);
        EXPECT_EQ(actual[i].points, expected[i].points);
        EXPECT_EQ(actual[i].colour, expected[i].colour);
        if (expected[i].kind == Kind::Text) {
            EXPECT_EQ(actual[i].text, expected[i].text);
        } else if (expected[i].kind != Kind::Box) {
            EXPECT_EQ(actual[i].width, expected[i].width);
        }
    }
}

const QColor kGrey(80, 80, 80);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kTank(30, 100, 200);
const QColor kRed(215, 25, 28);
const QColor kOrange(253, 174, 97);
const QColor kGreen(26, 150, 65);
const QColor kBlue(43, 131, 186);
const QColor kPurple(123, 50, 148);
const QColor kPipeLabel(40, 60, 140);

TEST(PlanDrawing, SmallNetworkColouredByPressure) {
    ProjectTables t;
    const PlanData data = placedSample(t);
    const auto primitives =
        buildPlan(sampleGeometry(), data, lookOf(data, PlanQuantity::Pressure), kFixedSize);
    // The legend stands in the map's bottom-left corner, 8 pixels in: 8 lines and the title of
    // 16 pixels each (the tank symbol's 13 and 3 between), 8 pixels inside its frame; its widest
    // line is a sample of 22 + 6 and a text of 19 characters.
    std::vector<Expected> expected = {
        {Kind::Line, {{200, 250}, {400, 250}}, kGrey, 2, {}},
        {Kind::Line, {{400, 250}, {360, 200}, {400, 150}}, kGrey, 2, {}},
        {Kind::Line, {{400, 150}, {500, 150}}, QColor(60, 60, 60), 1.5, {}},
        // The known head keeps the tank's colour: its "pressure" is the water level.
        {Kind::Tank, {{200, 250}}, kTank, 13, {}},
        {Kind::Node, {{400, 250}}, kOrange, 11, {}},
        {Kind::Node, {{400, 150}}, kGreen, 11, {}},
        {Kind::Node, {{500, 150}}, kPurple, 11, {}},
        {Kind::Pump, {{450, 150}, {500, 150}}, kWhite, 16, {}},
        // Labels above right of the nodes, beside the pump, above the middle of the pipes'
        // longest pieces.
        {Kind::Text, {{208.5, 233.5}}, kBlack, 0, "10"},
        {Kind::Text, {{407.5, 234.5}}, kBlack, 0, "20"},
        {Kind::Text, {{407.5, 134.5}}, kBlack, 0, "30"},
        {Kind::Text, {{507.5, 134.5}}, kBlack, 0, "40"},
        {Kind::Text, {{460, 145}}, kBlack, 0, "P1"},
        {Kind::Text, {{297, 238}}, kPipeLabel, 0, "1"},
        {Kind::Text, {{377, 213}}, kPipeLabel, 0, "2"},
        {Kind::Box, {}, QColor(255, 255, 255, 235), 0, {}},
        {Kind::Text, {{16, 240}}, kBlack, 0, "Versorgungsdruck [bar]"},
    };
    const struct {
        Kind kind;
        QColor colour;
        double size;
        const char* text;
    } lines[] = {{Kind::Node, kRed, 11, "unter 2 (0)"},
                 {Kind::Node, kOrange, 11, "2 bis unter 3,5 (1)"},
                 {Kind::Node, kGreen, 11, "3,5 bis unter 6 (1)"},
                 {Kind::Node, kBlue, 11, "6 bis unter 8 (0)"},
                 {Kind::Node, kPurple, 11, "8 und mehr (1)"},
                 {Kind::Node, kWhite, 11, "Knoten"},
                 {Kind::Tank, kTank, 13, "bek. Druck"},
                 {Kind::Pump, kWhite, 13, "Pumpe"}};
    double top = 256;
    for (const auto& line : lines) {
        std::vector<QPointF> at{{27, top + 8}};
        if (line.kind == Kind::Pump)
            at.push_back({28, top + 8});
        expected.push_back({line.kind, at, line.colour, line.size, {}});
        expected.push_back({Kind::Text, {{44, top + 3}}, kBlack, 0, QString::fromUtf8(line.text)});
        top += 16;
    }
    expectPrimitives(primitives, expected);
    EXPECT_EQ(primitives[15].box, QRectF(8, 232, 158, 160));
}

TEST(PlanDrawing, PipesColouredByVelocityAmount) {
    ProjectTables t;
    const PlanData data = placedSample(t);
    const auto primitives =
        buildPlan(sampleGeometry(), data, lookOf(data, PlanQuantity::Velocity), kFixedSize);
    ASSERT_GE(primitives.size(), 5u);
    EXPECT_EQ(primitives[0].colour, kOrange);  // 0,14 m/s
    EXPECT_EQ(primitives[1].colour, kRed);     // -0,02 m/s: standing water
    EXPECT_EQ(primitives[0].width, 4);
    EXPECT_EQ(primitives[4].colour, kWhite);  // nodes are not coloured
    std::vector<QString> legend;
    for (const PlanPrimitive& p : primitives)
        if (p.kind == Kind::Text && p.text.contains('('))
            legend.push_back(p.text);
    EXPECT_EQ(legend,
              (std::vector<QString>{"unter 0,03 (1)", "0,03 bis unter 0,5 (1)",
                                    "0,5 bis unter 1 (0)", "1 bis unter 2 (0)", "2 und mehr (0)"}));
}

// Without results nothing is coloured, and the legend says why; colours from outside replace the
// quantity's.
TEST(PlanDrawing, WithoutResultsAndWithOutsideMarks) {
    ProjectTables t;
    PlanData data = placedSample(t);
    data.results.reset();
    auto primitives =
        buildPlan(sampleGeometry(), data, lookOf(data, PlanQuantity::Pressure), kFixedSize);
    EXPECT_EQ(primitives[4].colour, kWhite);
    const auto has = [&](const QString& text) {
        return std::any_of(primitives.begin(), primitives.end(),
                           [&](const PlanPrimitive& p) { return p.text == text; });
    };
    EXPECT_TRUE(has("ohne Ergebnisse"));

    NodeMarks marks{"Löschwasser",
                    {{"erfüllt", {0, 200, 0}}, {"nicht erfüllt", {200, 0, 0}}},
                    {{20, 1}, {40, 0}}};
    PlanLook look = lookOf(data, PlanQuantity::None);
    look.marks = &marks;
    primitives = buildPlan(sampleGeometry(), data, look, kFixedSize);
    EXPECT_EQ(primitives[4].colour, QColor(200, 0, 0));      // node 20
    EXPECT_EQ(primitives[5].colour, QColor(150, 150, 150));  // node 30: unmarked
    EXPECT_EQ(primitives[6].colour, QColor(0, 200, 0));      // node 40
    EXPECT_TRUE(has("Löschwasser"));
    EXPECT_TRUE(has("nicht erfüllt (1)"));
    EXPECT_TRUE(has("ohne Wert (2)"));  // node 30 and the known head
}

// The selection is drawn first, under its elements, and its labels are placed before all others.
TEST(PlanDrawing, SelectionHalosAndLabelsComeFirst) {
    ProjectTables t;
    const PlanData data = placedSample(t);
    PlanLook look = lookOf(data, PlanQuantity::Pressure);
    look.selected = {{PlanElementKind::Pipe, 2}, {PlanElementKind::Node, 3}};
    const auto primitives = buildPlan(sampleGeometry(), data, look, kFixedSize);
    const QColor halo(255, 205, 0);
    EXPECT_EQ(primitives[0].kind, Kind::Halo);
    EXPECT_EQ(primitives[0].points, (std::vector<QPointF>{{400, 250}, {360, 200}, {400, 150}}));
    EXPECT_EQ(primitives[0].width, 12);
    EXPECT_EQ(primitives[0].colour, halo);
    EXPECT_EQ(primitives[1].kind, Kind::Halo);
    EXPECT_EQ(primitives[1].points, (std::vector<QPointF>{{400, 150}}));
    EXPECT_EQ(primitives[1].width, 19);
    const auto firstText =
        std::find_if(primitives.begin(), primitives.end(),
                     [](const PlanPrimitive& p) { return p.kind == Kind::Text; });
    ASSERT_NE(firstText, primitives.end());
    EXPECT_EQ(firstText->text, "2");
    EXPECT_EQ((firstText + 1)->text, "30");
}

// A grid of 30 x 30 nodes 10 m apart: zoomed out, most labels are left out rather than drawn
// over each other; zoomed in, every node in view has its number.
TEST(PlanDrawing, LabelsNeverOverlapAndAppearWhenZoomedIn) {
    ProjectTables t;
    PlanCoordinates c;
    int pipes = 0;
    for (int i = 0; i < 900; ++i) {
        t.setRow(t.nodes, i + 1, {QString::number(i + 1), " ", " ", " ", "1", "1"});
        c.nodes[i + 1] = {QPointF(10.0 * (i % 30), 10.0 * (i / 30)), Placement::Given};
        if (i % 30 != 0 && pipes < 1000) {
            ++pipes;
            t.setRow(t.pipes, pipes,
                     {QString::number(pipes), QString::number(i), QString::number(i + 1), "10",
                      "100", "0,1", "0"});
        }
    }
    const PlanData data = planDataOf(networkOf(t.tables(), defaultSettings()), c, std::nullopt);
    const auto labels = [&](double scale) {
        PlanGeometry g = sampleGeometry();
        g.centre = QPointF(145, 145);
        g.scale = scale;
        std::vector<QRectF> boxes;
        for (const PlanPrimitive& p :
             buildPlan(g, data, lookOf(data, PlanQuantity::None), kFixedSize))
            if (p.kind == Kind::Text && p.text.toInt() > 0)  // the legend's texts aside
                boxes.push_back(QRectF(p.points[0], kFixedSize(p.text, 11)));
        for (std::size_t a = 0; a < boxes.size(); ++a)
            for (std::size_t b = a + 1; b < boxes.size(); ++b)
                EXPECT_FALSE(boxes[a].intersects(boxes[b])) << "scale " << scale;
        return boxes.size();
    };
    const std::size_t far = labels(1.0);  // 300 x 300 pixels for 900 nodes and 870 pipes
    EXPECT_GT(far, 10u);
    EXPECT_LT(far, 900u);
    // At 8 pixels a metre the map shows 75 x 50 m around (145, 145): 8 x 5 nodes, 80 pixels
    // apart, each with room for its number and its pipe's.
    const std::size_t near = labels(8.0);
    EXPECT_GE(near, 40u);
}

TEST(PlanDrawing, ElementUnderThePointer) {
    ProjectTables t;
    const PlanData data = placedSample(t);
    const PlanGeometry g = sampleGeometry();
    const struct {
        QPointF at;
        std::optional<PlanElement> expected;
    } cases[] = {
        {{403, 252}, PlanElement{PlanElementKind::Node, 2}},
        {{206, 250}, PlanElement{PlanElementKind::Node, 1}},  // inside the tank's square
        {{445, 152}, PlanElement{PlanElementKind::Pump, 1}},
        {{300, 253}, PlanElement{PlanElementKind::Pipe, 1}},
        {{361, 201}, PlanElement{PlanElementKind::Pipe, 2}},  // at the bend
        {{300, 260}, std::nullopt},
        {{50, 50}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(elementAt(g, data, c.at, 4.0), c.expected) << c.at.x() << ", " << c.at.y();
}

TEST(PlanGeometryTest, FittingShowsThePlanWholeAndCentred) {
    const QRectF plan(1000, 2000, 400, 100);
    const PlanGeometry g = PlanGeometry::fitting(QRectF(0, 0, 600, 400), plan, 1.0, 20);
    EXPECT_EQ(g.scale, 560.0 / 400.0);
    EXPECT_EQ(g.toDevice(plan.center()), QPointF(300, 200));
    EXPECT_EQ(g.toDevice(plan.topLeft()), QPointF(20, 200 + 50 * 1.4));         // y runs north
    EXPECT_EQ(g.toPlan(g.toDevice(QPointF(1234, 2077))), QPointF(1234, 2077));  // fuzzy

    const PlanGeometry page = pageGeometry(QRectF(0, 0, 2400, 1700), 2.0, plan);
    EXPECT_TRUE(page.map.contains(page.toDevice(plan.topLeft())));
    EXPECT_TRUE(page.map.contains(page.toDevice(plan.bottomRight())));
    EXPECT_FALSE(page.map.intersects(page.legend));
    EXPECT_LT(page.title.bottom(), page.map.top());
}

// Which nodes the layout may move, and how its places come back.
TEST(PlanLayoutUse, ScopesFixTheRightNodes) {
    ProjectTables t;
    const PlanData data = placedSample(t);
    PlanCoordinates c;
    c.nodes[10] = {QPointF(0, 0), Placement::Given};
    c.nodes[20] = {QPointF(100, 0), Placement::Automatic};
    const struct {
        LayoutScope scope;
        std::vector<bool> free;  // nodes 10, 20, 30, 40
    } cases[] = {{LayoutScope::Unplaced, {false, false, true, true}},
                 {LayoutScope::Automatic, {false, true, true, true}},
                 {LayoutScope::All, {true, true, true, true}}};
    for (const auto& s : cases) {
        const PlanLayoutRequest r = layoutRequest(data, c, s.scope);
        EXPECT_EQ(r.free, s.free);
        EXPECT_EQ(r.numbers, (std::vector<int>{10, 20, 30, 40}));
        ASSERT_EQ(r.input.links.size(), 3u);
        EXPECT_EQ(r.input.links[0].length, 120.5);  // pipe lengths guide the layout
        EXPECT_EQ(r.input.links[2].length, 0.0);    // the pump has none
        EXPECT_EQ(r.input.fixed[0].has_value(), !s.free[0]);
    }
    PlanCoordinates withBends = c;
    withBends.bends["1"] = {QPointF(50, 5)};
    withBends.bends["2"] = {QPointF(80, 25)};
    const PlanLayoutRequest r = layoutRequest(data, withBends, LayoutScope::Automatic);
    const PlanCoordinates placed = withLayout(withBends, data, r, {{0, 0}, {7, 7}, {8, 8}, {9, 9}});
    EXPECT_EQ(placed.nodes.at(10), c.nodes.at(10));
    EXPECT_EQ(placed.nodes.at(20).at, QPointF(7, 7));
    EXPECT_EQ(placed.nodes.at(40).placement, Placement::Automatic);
    EXPECT_TRUE(placed.bends.empty());  // both pipes touch a node that moved
}

// The sample project of the installation: every node gets a place of its own, and a node the
// user placed stays exactly where it was.
TEST(PlanLayoutUse, SampleProjectIsPlacedAroundFixedNodes) {
    ProjectTables t;
    const ProjectSettings settings = readExampleProject(t);
    const Network network = networkOf(t.tables(), settings);
    PlanCoordinates c;
    c.nodes[network.nodes[0].number] = {QPointF(-500, 300), Placement::Given};
    PlanData data = planDataOf(network, c, std::nullopt);
    const PlanLayoutRequest request = layoutRequest(data, c, LayoutScope::Unplaced);
    EXPECT_EQ(request.freeCount(), static_cast<int>(network.nodes.size()) - 1);
    const PlanCoordinates placed = withLayout(c, data, request, layoutNetwork(request.input));
    data = planDataOf(network, placed, std::nullopt);
    EXPECT_EQ(data.unplacedCount(), 0);
    EXPECT_EQ(placed.nodes.at(network.nodes[0].number), c.nodes.at(network.nodes[0].number));
    std::set<std::pair<double, double>> distinct;
    for (const PlanNode& node : data.nodes)
        distinct.insert({node.at->x(), node.at->y()});
    EXPECT_EQ(distinct.size(), data.nodes.size());
}

}  // namespace
}  // namespace kolma
