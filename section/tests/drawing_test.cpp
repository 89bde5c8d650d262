// Exact coordinates of the section's strokes and texts on screen and on paper, worked out by hand
// from the fixture's network: stations 0, 100,5, 300,5, 301,5 m (S = 301,5), zmin 98,5, R = 26,5.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <optional>

#include "ProjectFile.h"
#include "SectionDrawing.h"
#include "SectionFixture.h"
#include "TableOperations.h"
#include "TextFile.h"

namespace kolma::testing {
namespace {

using Kind = SectionPrimitive::Kind;
using Primitives = std::vector<SectionPrimitive>;

// Characters half as wide as the font is high, a line as high as the font: easy to follow by
// hand and close to real fonts (12 px: 6 px per character; 40 units: 20 per character).
QSize halfAsWide(const QString& text, int pixelSize) {
    return QSize(text.size() * pixelSize / 2, pixelSize);
}

// Where a text of the given kind stands; (-1, -1) when there is none.
QPoint at(const Primitives& list, const char* text, Kind kind = Kind::Text) {
    for (const auto& p : list)
        if (p.kind == kind && p.text == QString::fromUtf8(text))
            return p.from;
    return {-1, -1};
}

bool hasLine(const Primitives& list, QPoint from, QPoint to, QColor color,
             Qt::PenStyle style = Qt::SolidLine) {
    return std::any_of(list.begin(), list.end(), [&](const SectionPrimitive& p) {
        return p.kind == Kind::Line && p.from == from && p.to == to && p.color == color &&
               p.style == style;
    });
}

class Drawing : public SectionFixture {
protected:
    SectionData section() {
        return prepareSection({"10", "20", "30", "40"}, tables(), QStringLiteral("graphein.dat"))
            .data;
    }
};

TEST_F(Drawing, ScreenStrokesAndTextsLieWhereTheyBelong) {
    // Client 1000 x 600: x0 120, w 650, yb 360, h 300.
    const Primitives list = buildSection(
        SectionGeometry::screen({0, 0, 1000, 600}, {0, 0, 937, 529}), section(), {}, halfAsWide);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front().kind, Kind::Fill);
    EXPECT_EQ(list.front().color, QColor(0, 128, 128));
    EXPECT_EQ(at(list, "Legende"), QPoint(820, 69));
    EXPECT_TRUE(hasLine(list, {780, 90}, {810, 90}, Qt::red));
    EXPECT_EQ(at(list, "Energielinie"), QPoint(820, 87));
    // Datum line, zmin and "mNN" behind the number's width, a row label.
    EXPECT_TRUE(hasLine(list, {20, 360}, {770, 360}, Qt::black));
    EXPECT_EQ(at(list, "98,50"), QPoint(55, 345));
    EXPECT_EQ(at(list, "mNN"), QPoint(88, 345));
    // First node: vertical from Y(105) = 286,4; values and number at x0 - 10.
    EXPECT_TRUE(hasLine(list, {120, 286}, {120, 525}, Qt::black));
    EXPECT_EQ(at(list, "102,50", Kind::RotatedText), QPoint(110, 390));
    EXPECT_EQ(at(list, "10"), QPoint(110, 511));
    // Second node at X(100,5) = 336,7, labels 11 px left; energy to Y(104) = 297,7.
    EXPECT_TRUE(hasLine(list, {120, 286}, {336, 297}, Qt::red));
    EXPECT_EQ(at(list, "20"), QPoint(325, 511));
    EXPECT_EQ(at(list, "101,00", Kind::RotatedText), QPoint(325, 390));
    // Pipe values at the middle X(50,25) = 228,3; invert from Y(100) = 343,0 to Y(99) = 354,3.
    EXPECT_EQ(at(list, "100,50"), QPoint(228, 451));
    EXPECT_EQ(at(list, "5,25"), QPoint(228, 496));
    EXPECT_TRUE(hasLine(list, {120, 343}, {336, 354}, Qt::blue));
    EXPECT_TRUE(hasLine(list, {120, 314}, {336, 331}, Qt::yellow));
    EXPECT_EQ(at(list, "150,00"), QPoint(228, 466));
    // Pipe 2, entered from its end node, at X(200,5) = 552,3 with its own values and signed flow;
    // node 30 at X(300,5) = 767,8, energy to Y(103,5) = 303,4.
    EXPECT_EQ(at(list, "200,00"), QPoint(552, 451));
    EXPECT_EQ(at(list, "100,00"), QPoint(552, 466));
    EXPECT_EQ(at(list, "0,67"), QPoint(552, 481));
    EXPECT_EQ(at(list, "-5,25"), QPoint(552, 496));
    EXPECT_EQ(at(list, "30"), QPoint(756, 511));
    EXPECT_TRUE(hasLine(list, {336, 297}, {767, 303}, Qt::red));
    // The pump ends at X(301,5) = 770: "Pumpe" above the datum at X(301) = 768,9, the end node's
    // number 9 px right of its line and its values on the line; no length for a pump.
    EXPECT_EQ(at(list, "Pumpe", Kind::RotatedText), QPoint(768, 330));
    EXPECT_EQ(at(list, "40"), QPoint(779, 511));
    EXPECT_EQ(at(list, "110,00", Kind::RotatedText), QPoint(770, 390));
    EXPECT_EQ(at(list, "1,00"), QPoint(-1, -1));
}

TEST_F(Drawing, PrintUsesItsOwnOffsetsPensAndTitleBlock) {
    const TitleTexts title{"Stadtwerke", "Ortsnetz",    "Neubau",
                           "4711",       "Projektnr.:", "Maßstab: o. M."};
    const Primitives list = buildSection(SectionGeometry::print(), section(), title, halfAsWide);
    // x0 540, w 2000, yb 1380, h 1200; legend right of the section, told apart by pen style.
    EXPECT_EQ(at(list, "Legende"), QPoint(2740, 276));
    EXPECT_TRUE(hasLine(list, {2740, 360}, {2890, 360}, Qt::black, Qt::DashDotLine));
    // Title block frame and texts.
    const auto frame =
        std::find_if(list.begin(), list.end(), [](auto& p) { return p.kind == Kind::Frame; });
    ASSERT_NE(frame, list.end());
    EXPECT_EQ(QRect(frame->from, frame->to), QRect(QPoint(2640, 1880), QPoint(3340, 2380)));
    EXPECT_EQ(at(list, "4711"), QPoint(2950, 2180));
    EXPECT_EQ(at(list, "Maßstab: o. M."), QPoint(2650, 2280));
    // Table from x0 - 500, labels at x0 - 490, datum label at (x0 - 465, yb - 45).
    EXPECT_TRUE(hasLine(list, {40, 1380}, {2540, 1380}, Qt::black));
    EXPECT_EQ(at(list, "Knotnum"), QPoint(50, 1986));
    // First node: values at x0 - 50, number at x0 - 30; the next 50 and 25 units left of its line.
    EXPECT_EQ(at(list, "102,50", Kind::RotatedText), QPoint(490, 1500));
    EXPECT_EQ(at(list, "10"), QPoint(510, 1986));
    EXPECT_EQ(at(list, "101,00", Kind::RotatedText), QPoint(1156, 1500));
    EXPECT_EQ(at(list, "20"), QPoint(1181, 1986));
    EXPECT_TRUE(hasLine(list, {540, 1085}, {1206, 1130}, Qt::black, Qt::DashDotLine));
    // Pump end node at 2540: values on its line, number 9 units right.
    EXPECT_EQ(at(list, "110,00", Kind::RotatedText), QPoint(2540, 1500));
    EXPECT_EQ(at(list, "40"), QPoint(2549, 1986));
    EXPECT_TRUE(
        std::none_of(list.begin(), list.end(), [](auto& p) { return p.kind == Kind::Fill; }));
}

TEST_F(Drawing, FlatAndZeroLengthSectionsStayOnTheDatumLine) {
    // All heights equal and a pipe of length 0: the coordinate functions would divide by zero.
    for (int row = 1; row <= 4; ++row)
        setNode(row, qPrintable(nodes_->cell(1, row)), "100", "100");
    pipes_->setCell(4, 1, QStringLiteral("0"));
    writeGraphFile(graphText({100, 100, 100, 100}, {{0, 0}, {0, 0}}));
    const SectionData data =
        prepareSection({"10", "20"}, tables(), QStringLiteral("graphein.dat")).data;
    const auto list =
        buildSection(SectionGeometry::screen({0, 0, 1000, 600}, {}), data, {}, halfAsWide);
    EXPECT_TRUE(hasLine(list, {120, 360}, {120, 360}, Qt::red));
    EXPECT_TRUE(hasLine(list, {120, 360}, {120, 360}, Qt::blue));
}

TEST_F(Drawing, NodesWithoutTheirSegmentsDrawNothing) {
    SectionData data = section();
    ASSERT_FALSE(buildSection(SectionGeometry::print(), data, {}, halfAsWide).empty());
    data.segments.pop_back();
    EXPECT_FALSE(data.drawable());
    EXPECT_TRUE(buildSection(SectionGeometry::print(), data, {}, halfAsWide).empty());
}

// Values too long for their band are drawn smaller at their place; on the fixture's screen the
// rotated heights ("102,50": 36 px at 12 px) get 9 px to stay inside their 29 px band.
TEST_F(Drawing, TextsShrinkToTheirRoomAtTheirPlaces) {
    const Primitives list = buildSection(
        SectionGeometry::screen({0, 0, 1000, 600}, {0, 0, 937, 529}), section(), {}, halfAsWide);
    const auto sizeOf = [&list](const char* text, Kind kind) {
        for (const SectionPrimitive& p : list)
            if (p.kind == kind && p.text == QString::fromUtf8(text))
                return p.pixelSize;
        return 0;
    };
    EXPECT_EQ(sizeOf("102,50", Kind::RotatedText), 9);
    EXPECT_EQ(at(list, "102,50", Kind::RotatedText), QPoint(110, 390));
    EXPECT_EQ(sizeOf("Legende", Kind::Text), 12);
}

// The boxes of all texts of a section, measured in the section's real font on a device of the
// medium's resolution; the first pair that overlaps, if any.
std::optional<std::pair<QString, QString>> overlappingTexts(const SectionGeometry& geometry,
                                                            const SectionData& data) {
    QImage device(10, 10, QImage::Format_RGB32);
    if (geometry.medium == Medium::Print) {
        device.setDotsPerMeterX(qRound(300 / 0.0254));
        device.setDotsPerMeterY(qRound(300 / 0.0254));
    }
    const TextSize size = fontTextSize(sectionFont(geometry.medium), &device);
    const TitleTexts title{
        "Stadtwerke Musterstadt", "Ortsnetz Nord", "Erneuerung 2027", "4711-2027", "Projektnr.:",
        "Maßstab: o. M."};
    std::vector<std::pair<QRect, QString>> boxes;
    for (const SectionPrimitive& p : buildSection(geometry, data, title, size))
        if (p.kind == Kind::Text || p.kind == Kind::RotatedText)
            boxes.push_back({textBox(p, size), p.text});
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            if (boxes[i].first.intersects(boxes[j].first))
                return std::make_pair(boxes[i].second, boxes[j].second);
    return std::nullopt;
}

void expectNoOverlap(const SectionData& data) {
    for (const SectionGeometry& geometry :
         {SectionGeometry::screen({0, 0, 941, 529}, {0, 0, 937, 529}), SectionGeometry::print()}) {
        const auto overlap = overlappingTexts(geometry, data);
        EXPECT_FALSE(overlap) << (overlap ? (overlap->first + " / " + overlap->second).toStdString()
                                          : std::string());
    }
}

// A chain of 1 m pipes behind a long one: the nodes stand nearly on one vertical.
TEST_F(Drawing, NoTextRunsIntoAnotherOnAChainOfShortPipes) {
    QStringList chain = {"10", "20"};
    std::vector<double> heads = {105, 104};
    std::vector<std::pair<double, double>> flows = {{5.25, 0.30}};
    for (int k = 3; k <= 12; ++k) {
        const QString number = QString::number(10 * k);
        setRow(*nodes_, k, {qPrintable(number)});
        setRow(*nodes_, k, {"101,5", "98,5"}, 5);
        setRow(*pipes_, k - 1,
               {qPrintable(QString::number(k - 1)), qPrintable(chain.back()), qPrintable(number),
                "1", "100"});
        chain << number;
        heads.push_back(104 - 0.01 * k);
        flows.push_back({1.0 + k, 0.1 * k});
    }
    setRow(*pumps_, 1, {" ", " ", " "});
    writeGraphFile(graphText(heads, flows));
    const SectionPreparation prepared = prepareSection(chain, tables(), "graphein.dat");
    ASSERT_FALSE(prepared.failure) << prepared.failure->text.toStdString();
    expectNoOverlap(prepared.data);
}

// The sample project's section from the clear water tank through the pump into the grid, with
// the solver's own results.
TEST_F(Drawing, NoTextRunsIntoAnotherOnTheExampleProject) {
    const QString solver = QStringLiteral(KOLMA_BINARY_DIR "/solver/tarnholm");
    if (!QFileInfo(solver).isExecutable())
        GTEST_SKIP() << "the solver has not been built";
    const QByteArray project = readFileBytes(KOLMA_SOURCE_DIR "/examples/Beispielnetz.ein");
    ProjectSettings settings = defaultSettings();
    TabellenZuruecksetzen(tables());
    readProjectText(convertSeparators(project, Conversion::Open), tables(), settings);
    dir_.write("eingabe.dat", project);
    QProcess run;
    run.start(solver, {});
    run.closeWriteChannel();
    ASSERT_TRUE(run.waitForFinished(60000));
    const SectionPreparation prepared =
        prepareSection({"1", "2", "3", "4", "10", "11", "12", "13"}, tables(), "graphein.dat");
    ASSERT_FALSE(prepared.failure) << prepared.failure->text.toStdString();
    expectNoOverlap(prepared.data);
}

}  // namespace
}  // namespace kolma::testing
