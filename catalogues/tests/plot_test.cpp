// The pump characteristic plot: exact pixel geometry for hand-computed examples, the reading of
// the sixteen fields, the "Kennlinie" checks and one rendering of the window.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>

#include "CatalogueTestSupport.h"
#include "Characteristic.h"
#include "Handler.h"
#include "Numbers.h"
#include "ScriptedDialogs.h"
#include "TForm4.h"

namespace kolma {
namespace {

using testing::ScriptedDialogs;
using testing::texts;
using PumpLine = testing::PumpEdits;

SupportPoints plotted(const QStringList& q, const QStringList& h) {
    return plottableSupportPoints(texts(q, h));
}

// Client 500 x 300: origin (50, 270); the largest Q lands 300 pixels right of it, the largest
// h 180 pixels above it.
const QRect kClient(0, 0, 500, 300);

TEST(CharacteristicGeometry, ThreePointExample) {
    const SupportPoints points = plotted({"0", "10", "20"}, {"30", "20", "0"});
    ASSERT_EQ(points.n, 3);
    const CharacteristicGeometry g = characteristicGeometry(kClient, points);
    EXPECT_EQ(g.qAxis, QLine(50, 270, 425, 270));
    EXPECT_EQ(g.hAxis, QLine(50, 270, 50, 45));
    ASSERT_EQ(g.markers.size(), 3u);
    const QPoint centres[] = {{50, 90}, {200, 150}, {350, 270}};
    const char* qTexts[] = {"0,00", "10,00", "20,00"};
    const char* hTexts[] = {"30,00", "20,00", "0,00"};
    for (int k = 0; k < 3; ++k) {
        const CharacteristicMarker& m = g.markers[k];
        EXPECT_EQ(m.centre, centres[k]) << k;
        EXPECT_EQ(m.corner1, centres[k] - QPoint(2, 2));
        EXPECT_EQ(m.corner2, centres[k] + QPoint(2, 2));
        EXPECT_EQ(m.qTextAt, QPoint(centres[k].x(), 275));
        EXPECT_EQ(m.hTextAt, QPoint(15, centres[k].y()));
        EXPECT_EQ(m.qText, qTexts[k]);
        EXPECT_EQ(m.hText, hTexts[k]);
    }
    ASSERT_EQ(g.curve.size(), kCharacteristicSamples);
    EXPECT_EQ(g.curve[0], centres[0]);
    // Sample 50: (3,75 | 26,875) -> (50 + 56,25 | 270 - 161,25), truncated.
    EXPECT_EQ(g.curve[50], QPoint(106, 108));
    EXPECT_EQ(g.curve[100], centres[1]);
    // Sample 150: (16,25 | 8,125) -> (50 + 243,75 | 270 - 48,75).
    EXPECT_EQ(g.curve[150], QPoint(293, 221));
    // From key 200 on every sample repeats the last point.
    for (int s = 200; s < kCharacteristicSamples; ++s)
        ASSERT_EQ(g.curve[s], centres[2]) << s;
}

// Heads close together would print their values over each other: a value keeps the font's size
// where it has room to the next one and is left out where even 8 px do not fit.
TEST(CharacteristicGeometry, ValueTextsThatWouldOverlapAreLeftOut) {
    const SupportPoints points =
        plotted({"0", "2", "4", "10", "20"}, {"40", "39,8", "39,6", "20", "0"});
    const CharacteristicGeometry g = characteristicGeometry(kClient, points);
    const TextSize halfAsWide = [](const QString& text, int pixelSize) {
        return QSize(text.size() * pixelSize / 2, pixelSize);
    };
    const std::vector<MarkerTextSizes> sizes =
        fittedMarkerTexts(g, kClient, 11, kMinimumPlotPixels, halfAsWide);
    // Heads at y 90, 90, 91, 180 and 270: the first two have no room below them.
    const std::optional<int> heads[] = {std::nullopt, std::nullopt, 11, 11, 11};
    std::vector<QRect> boxes;
    for (std::size_t k = 0; k < sizes.size(); ++k) {
        EXPECT_EQ(sizes[k].h, heads[k]) << k;
        EXPECT_EQ(sizes[k].q, 11) << k;
        const CharacteristicMarker& m = g.markers[k];
        if (sizes[k].h)
            boxes.emplace_back(m.hTextAt, halfAsWide(m.hText, *sizes[k].h));
        boxes.emplace_back(m.qTextAt, halfAsWide(m.qText, *sizes[k].q));
    }
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].intersects(boxes[j])) << i << " and " << j;
}

TEST(CharacteristicGeometry, BlankHeadCountsOnlyFilledHeadsButUsesTheFirstPairs) {
    const SupportPoints points =
        plotted({"0", "10", "20", "30", "40"}, {"30", "20", "10", "---", "5"});
    EXPECT_EQ(points.n, 4);
    const CharacteristicGeometry g = characteristicGeometry(kClient, points);
    // Pair 4 enters with h = 0, pair 5 is not drawn; Q is scaled by 30, the largest of pairs 1-4.
    ASSERT_EQ(g.markers.size(), 4u);
    EXPECT_EQ(g.markers[1].centre, QPoint(150, 150));
    EXPECT_EQ(g.markers[2].centre, QPoint(250, 210));
    EXPECT_EQ(g.markers[3].centre, QPoint(350, 270));
    EXPECT_EQ(g.markers[3].hText, "0,00");
    EXPECT_EQ(g.curve[799], QPoint(350, 270));
}

TEST(CharacteristicGeometry, CurvePassesThroughEveryMarkerCentreAtAnySize) {
    const SupportPoints points =
        plotted({"0", "2,5", "5", "7,5", "10", "12,5", "15", "17,5"},
                {"40", "39,2", "37,9", "35,1", "31", "25,6", "18,9", "10,3"});
    for (const QRect& client : {kClient, QRect(0, 0, 471, 311), QRect(0, 0, 1003, 617)}) {
        const CharacteristicGeometry g = characteristicGeometry(client, points);
        ASSERT_EQ(g.markers.size(), 8u);
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(g.curve[100 * k], g.markers[k].centre) << k;
        // The largest values sit at 60 % of the width and height from the origin.
        EXPECT_EQ(g.markers[7].centre.x(),
                  static_cast<int>(static_cast<float>(0.1 * client.width()) +
                                   static_cast<float>(client.width() * 0.6)));
    }
    // Twice the size, twice the distances from the corner.
    const auto small = characteristicGeometry(kClient, points);
    const auto large = characteristicGeometry(QRect(0, 0, 1000, 600), points);
    EXPECT_EQ(large.markers[0].centre, small.markers[0].centre * 2);
    EXPECT_EQ(large.qAxis.p2(), small.qAxis.p2() * 2);
}

TEST(SupportPointFields, BlankFieldsAndConversionErrors) {
    EXPECT_TRUE(isEmptyHead(""));
    EXPECT_TRUE(isEmptyHead(" "));
    EXPECT_TRUE(isEmptyHead("---"));
    EXPECT_FALSE(isEmptyHead("  "));
    // A blank flow next to a filled head is drawn at Q = 0.
    const SupportPoints points = plotted({"5", " ", "20"}, {"30", "20", "0"});
    EXPECT_EQ(points.Q[1], 0.0f);
    EXPECT_EQ(characteristicGeometry(kClient, points).markers[1].centre.x(), 50);
    EXPECT_THROW(plotted({"0", "10", "abc"}, {"30", "20", "0"}), KolmaError);
    EXPECT_THROW(plotted({"0", "10", "20"}, {"30", "20", "  "}), KolmaError);
    EXPECT_THROW(plotted({"0", "10", "20"}, {"30", "1e39", "0"}), KolmaError);
    EXPECT_THROW(plotted({"0", "0", "0"}, {"30", "20", "0"}), KolmaError);
    EXPECT_THROW(plotted({"0", "1", "2"}, {"0", "0", "0"}), KolmaError);
}

TEST(Kennlinie, FewerThanThreePointsIsRefused) {
    for (int blank = 0; blank < 6; ++blank) {
        PumpLine pump({"0", "10", "20"}, {"30", "20", "0"});
        (blank < 3 ? pump.Q[blank] : pump.H[blank - 3]).setText(blank % 2 ? "---" : " ");
        ScriptedDialogs scripted;
        showCharacteristic(pump.line, nullptr);
        ASSERT_EQ(scripted.messages.size(), 1u);
        EXPECT_EQ(scripted.messages[0].text,
                  QString::fromUtf8("Es sollten mindestens drei Stützwerte eingegeben werden"));
        EXPECT_EQ(scripted.messages[0].caption, "Fehler");
        EXPECT_EQ(scripted.messages[0].icon, BoxIcon::Error);
        EXPECT_TRUE(scripted.modalWindows.empty());
    }
}

TEST(Kennlinie, UnplottableFieldsGiveOneMessageAndAnEmptyPlot) {
    PumpLine pump({"0", "10", "20", "1.5"}, {"30", "20", "0", "5"});
    ScriptedDialogs scripted;
    scripted.modalScripts.push_back([](QDialog& dialog) {
        // Two repaints while open.
        const QImage first = dialog.grab().toImage();
        const QImage second = dialog.grab().toImage();
        bool red = false;
        for (int y = 0; y < first.height(); ++y)
            for (int x = 0; x < first.width(); ++x)
                red = red || first.pixel(x, y) == qRgb(255, 0, 0);
        EXPECT_FALSE(red);
        EXPECT_EQ(first, second);
        return int(QDialog::Rejected);
    });
    showCharacteristic(pump.line, nullptr);
    EXPECT_EQ(scripted.modalWindows, std::vector<QString>{"Form4"});
    ASSERT_EQ(scripted.messages.size(), 1u);
    EXPECT_EQ(scripted.messages[0].text, "'1.5' ist kein gültiger Gleitkommawert");
    EXPECT_EQ(scripted.messages[0].caption, "Fehler");
}

TEST(Kennlinie, WindowDrawsCurveMarkersAndKeepsItsLabelsOnResize) {
    PumpLine pump({"0", "2", "4", "6", "8", "10", "12"},
                  {"34", "33,6", "32,4", "30,3", "27,4", "23,6", "18,9"});
    ScriptedDialogs scripted;
    scripted.modalScripts.push_back([&pump](QDialog& dialog) {
        auto& plot = static_cast<TForm4&>(dialog);
        EXPECT_EQ(plot.windowTitle(), "Pumpenkennlinie");
        const auto geometry = [&] {
            return characteristicGeometry(plot.rect(),
                                          plottableSupportPoints(supportPointTexts(pump.line)));
        };
        const QImage image = plot.grab().toImage();
        const auto g = geometry();
        for (const auto& m : g.markers)
            EXPECT_EQ(image.pixel(m.centre), qRgb(0, 0, 255));
        EXPECT_EQ(image.pixel(g.curve[50]), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(g.qAxis.center()), qRgb(0, 0, 0));
        plot.resize(700, 500);
        const QImage larger = plot.grab().toImage();
        const auto g2 = geometry();
        EXPECT_EQ(larger.pixel(g2.markers[3].centre), qRgb(0, 0, 255));
        EXPECT_EQ(larger.pixel(g2.hAxis.p2()), qRgb(0, 0, 0));
        EXPECT_EQ(plot.Label1->pos(), QPoint(24, 64));
        EXPECT_EQ(plot.Label2->pos(), QPoint(384, 288));
        return int(QDialog::Rejected);
    });
    showCharacteristic(pump.line, nullptr);
    EXPECT_TRUE(scripted.messages.empty());
    EXPECT_EQ(scripted.modalWindows.size(), 1u);
}

}  // namespace
}  // namespace kolma
