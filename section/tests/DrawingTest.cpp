// Exact coordinates of the section's strokes and texts on screen and on paper. Expected values
// are worked out by hand from the fixture's network (see SectionFixture.h):
// stations 0, 100,5, 300,5, 301,5 m (S = 301,5); zmin 98,5, zmax 125 (R = 26,5).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "SectionDrawing.h"
#include "SectionFixture.h"

namespace kolma::testing {
namespace {

using Kind = SectionPrimitive::Kind;

// Ten units per character keeps the "mNN" position easy to follow.
int tenPerCharacter(const QString& text) {
    return 10 * text.size();
}

const SectionPrimitive* findText(const std::vector<SectionPrimitive>& primitives,
                                 const QString& text, int occurrence = 0) {
    for (const auto& p : primitives)
        if ((p.kind == Kind::Text || p.kind == Kind::RotatedText) && p.text == text &&
            occurrence-- == 0)
            return &p;
    return nullptr;
}

bool hasLine(const std::vector<SectionPrimitive>& primitives, QPoint from, QPoint to, QColor color,
             Qt::PenStyle style = Qt::SolidLine) {
    for (const auto& p : primitives)
        if (p.kind == Kind::Line && p.from == from && p.to == to && p.color == color &&
            p.style == style)
            return true;
    return false;
}

#define EXPECT_TEXT_AT(list, text, kind, x, y)                          \
    do {                                                                \
        const SectionPrimitive* p_ = findText(list, text);              \
        ASSERT_NE(p_, nullptr) << qPrintable(QString(text));            \
        EXPECT_EQ(p_->kind, kind) << qPrintable(QString(text));         \
        EXPECT_EQ(p_->from, QPoint(x, y)) << qPrintable(QString(text)); \
    } while (0)

class Drawing : public SectionFixture {
protected:
    SectionData section(std::initializer_list<const char*> numbers) {
        QStringList list;
        for (const char* n : numbers)
            list << QString::fromLatin1(n);
        auto p = prepareSection(list, tables(), QStringLiteral("graphein.dat"));
        EXPECT_FALSE(p.failure);
        return p.data;
    }
};

TEST_F(Drawing, ScreenGeometryFollowsTheClientRectangle) {
    const SectionGeometry g =
        SectionGeometry::screen(QRect(0, 0, 1000, 600), QRect(0, 0, 937, 529));
    EXPECT_DOUBLE_EQ(g.x0, 120.0);
    EXPECT_DOUBLE_EQ(g.w, 650.0);
    EXPECT_DOUBLE_EQ(g.yb, 360.0);
    EXPECT_DOUBLE_EQ(g.h, 300.0);
    const SectionGeometry p = SectionGeometry::print();
    EXPECT_EQ(QRectF(p.x0, p.yb, p.w, p.h), QRectF(540, 1380, 2000, 1200));
}

TEST_F(Drawing, ScreenStrokesAndTextsLieWhereTheyBelong) {
    // x0 120, w 650, yb 360, h 300.
    const auto list =
        buildSection(SectionGeometry::screen(QRect(0, 0, 1000, 600), QRect(0, 0, 937, 529)),
                     section({"10", "20", "30", "40"}), {}, tenPerCharacter);
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front().kind, Kind::Fill);
    EXPECT_EQ(list.front().color, QColor(0, 128, 128));
    // Legend.
    EXPECT_TEXT_AT(list, "Legende", Kind::Text, 820, 69);
    EXPECT_TRUE(hasLine(list, {780, 90}, {810, 90}, Qt::red));
    EXPECT_TEXT_AT(list, "Energielinie", Kind::Text, 820, 87);
    EXPECT_TRUE(hasLine(list, {780, 105}, {810, 105}, Qt::blue));
    EXPECT_TRUE(hasLine(list, {780, 120}, {810, 120}, Qt::yellow));
    // Value table: datum line, zmin label and "mNN" behind the number's width, a row label.
    EXPECT_TRUE(hasLine(list, {20, 360}, {770, 360}, Qt::black));
    EXPECT_TRUE(hasLine(list, {20, 525}, {770, 525}, Qt::black));
    EXPECT_TEXT_AT(list, "98,50", Kind::Text, 55, 345);
    EXPECT_TEXT_AT(list, "mNN", Kind::Text, 108, 345);
    EXPECT_TEXT_AT(list, "Durchfluß [l/s]", Kind::Text, 30, 496);
    // First node: vertical from Y(105) = 286,4 down to the table bottom, values at x0 - 10.
    EXPECT_TRUE(hasLine(list, {120, 286}, {120, 525}, Qt::black));
    EXPECT_TEXT_AT(list, "102,50", Kind::RotatedText, 110, 390);
    EXPECT_TEXT_AT(list, "100,00", Kind::RotatedText, 110, 420);
    EXPECT_TEXT_AT(list, "105,00", Kind::RotatedText, 110, 450);
    EXPECT_TEXT_AT(list, "10", Kind::Text, 110, 511);
    // Second node at X(100,5) = 336,7; energy line from the first energy point to Y(104) = 297,7.
    EXPECT_TRUE(hasLine(list, {120, 286}, {336, 297}, Qt::red));
    EXPECT_TEXT_AT(list, "20", Kind::Text, 325, 511);
    EXPECT_TEXT_AT(list, "101,00", Kind::RotatedText, 325, 390);
    // Pipe values at the middle X(50,25) = 228,3.
    EXPECT_TEXT_AT(list, "100,50", Kind::Text, 228, 451);
    EXPECT_TEXT_AT(list, "150,00", Kind::Text, 228, 466);
    EXPECT_TEXT_AT(list, "0,30", Kind::Text, 228, 481);
    EXPECT_TEXT_AT(list, "5,25", Kind::Text, 228, 496);
    // Pipe invert from Y(100) = 343,0 to Y(99) = 354,3, with its verticals.
    EXPECT_TRUE(hasLine(list, {120, 343}, {120, 525}, Qt::black));
    EXPECT_TRUE(hasLine(list, {120, 343}, {336, 354}, Qt::blue));
    EXPECT_TRUE(hasLine(list, {336, 354}, {336, 525}, Qt::black));
    // Ground from Y(102,5) = 314,7 to Y(101) = 331,7.
    EXPECT_TRUE(hasLine(list, {120, 314}, {336, 331}, Qt::yellow));
    // The pump to node 40 at X(301,5) = 770: "Pumpe" above the datum at X(301) = 768,9, the end
    // node's number 9 px right of its line and its values on the line.
    EXPECT_TEXT_AT(list, "Pumpe", Kind::RotatedText, 768, 330);
    EXPECT_TEXT_AT(list, "40", Kind::Text, 779, 511);
    EXPECT_TEXT_AT(list, "110,00", Kind::RotatedText, 770, 390);
    EXPECT_EQ(findText(list, "1,00"), nullptr);  // no length for a pump
    EXPECT_EQ(findText(list, "Projektnr.:"), nullptr);
}

TEST_F(Drawing, PrintUsesItsOwnOffsetsPensAndTitleBlock) {
    const TitleTexts title{"Stadtwerke", "Ortsnetz",    "Neubau",
                           "4711",       "Projektnr.:", "Maßstab: o. M."};
    const auto list = buildSection(SectionGeometry::print(), section({"10", "20", "30", "40"}),
                                   title, tenPerCharacter);
    // Legend right of the section, lines told apart by pen style.
    EXPECT_TEXT_AT(list, "Legende", Kind::Text, 2740, 276);
    EXPECT_TRUE(hasLine(list, {2740, 360}, {2890, 360}, Qt::black, Qt::DashDotLine));
    EXPECT_TRUE(hasLine(list, {2740, 420}, {2890, 420}, Qt::black, Qt::DashDotDotLine));
    EXPECT_TRUE(hasLine(list, {2740, 480}, {2890, 480}, Qt::black, Qt::SolidLine));
    EXPECT_TEXT_AT(list, "Energielinie", Kind::Text, 2910, 348);
    // Title block frame and texts.
    const auto frame =
        std::find_if(list.begin(), list.end(), [](auto& p) { return p.kind == Kind::Frame; });
    ASSERT_NE(frame, list.end());
    EXPECT_EQ(frame->from, QPoint(2640, 1880));
    EXPECT_EQ(frame->to, QPoint(3340, 2380));
    EXPECT_TEXT_AT(list, "Stadtwerke", Kind::Text, 2650, 1880);
    EXPECT_TEXT_AT(list, "Neubau", Kind::Text, 2650, 2080);
    EXPECT_TEXT_AT(list, "4711", Kind::Text, 2950, 2180);
    EXPECT_TEXT_AT(list, "Projektnr.:", Kind::Text, 2650, 2180);
    EXPECT_TEXT_AT(list, "Maßstab: o. M.", Kind::Text, 2650, 2280);
    // Value table from x0 - 500, labels at x0 - 490, datum label at (x0 - 465, yb - 45).
    EXPECT_TRUE(hasLine(list, {40, 1380}, {2540, 1380}, Qt::black));
    EXPECT_TEXT_AT(list, "Knotnum", Kind::Text, 50, 1986);
    EXPECT_TEXT_AT(list, "98,50", Kind::Text, 75, 1335);
    EXPECT_TEXT_AT(list, "mNN", Kind::Text, 128, 1335);
    // First node: values at x0 - 50, number at x0 - 30.
    EXPECT_TEXT_AT(list, "102,50", Kind::RotatedText, 490, 1500);
    EXPECT_TEXT_AT(list, "10", Kind::Text, 510, 1986);
    // Second node at X(100,5) = 1206,7: number 25 and values 50 units to the left.
    EXPECT_TEXT_AT(list, "20", Kind::Text, 1181, 1986);
    EXPECT_TEXT_AT(list, "101,00", Kind::RotatedText, 1156, 1500);
    // Energy line dash-dot from Y(105) = 1085,7 to Y(104) = 1130,9.
    EXPECT_TRUE(hasLine(list, {540, 1085}, {1206, 1130}, Qt::black, Qt::DashDotLine));
    // Pump end node at x 2540: values on its line, number 9 units right.
    EXPECT_TEXT_AT(list, "110,00", Kind::RotatedText, 2540, 1500);
    EXPECT_TEXT_AT(list, "40", Kind::Text, 2549, 1986);
    EXPECT_TRUE(
        std::none_of(list.begin(), list.end(), [](auto& p) { return p.kind == Kind::Fill; }));
}

TEST_F(Drawing, FlatOrZeroLengthSectionsStayOnTheDatumLine) {
    // All heights equal and a pipe of length 0: the coordinate functions would divide by zero.
    for (int row = 1; row <= 4; ++row)
        setNode(row, nodes_->cell(1, row).toLatin1().constData(), "100", "100");
    pipes_->setCell(4, 1, QStringLiteral("0"));
    writeGraphFile(graphText({100, 100, 100, 100}, {{0, 0}, {0, 0}}));
    const SectionData data = section({"10", "20"});
    EXPECT_EQ(data.range, 0.0f);
    EXPECT_EQ(data.totalLength, 0.0f);
    const auto list = buildSection(SectionGeometry::screen(QRect(0, 0, 1000, 600), QRect()), data,
                                   {}, tenPerCharacter);
    EXPECT_TRUE(hasLine(list, {120, 360}, {120, 360}, Qt::red));
    EXPECT_TRUE(hasLine(list, {120, 360}, {120, 360}, Qt::blue));
    QImage image(1000, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    drawSection(painter, SectionGeometry::screen(image.rect(), image.rect()), data);
}

TEST_F(Drawing, NothingIsDrawnForFewerThanTwoNodes) {
    const SectionData one = section({"10"});
    EXPECT_TRUE(buildSection(SectionGeometry::print(), one, {}, tenPerCharacter).empty());
}

TEST_F(Drawing, PaintingMeasuresTheNumberWithThePaintersFont) {
    // Drawn for real, the picture shows the colours of the three lines and of the background.
    QImage image(937, 529, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        drawSection(painter, SectionGeometry::screen(QRect(0, 0, 949, 553), image.rect()),
                    section({"10", "20", "30", "40"}));
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 128, 128));
    // Legend samples: x0 = 113, so the red sample runs from 773 to 803 at 0.30 h = 82.
    EXPECT_EQ(image.pixelColor(790, 82), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(790, 96), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(790, 110), QColor(255, 255, 0));
}

}  // namespace
}  // namespace kolma::testing
