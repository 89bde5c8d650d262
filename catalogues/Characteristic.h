// The pump characteristic plot: support points read from the pump input line, the geometry of
// axes, curve and markers for a client rectangle, and the drawing of that geometry. The window
// TForm4 only calls drawCharacteristic; tests check characteristicGeometry directly.
#pragma once

#include <QLine>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "PumpEditLine.h"
#include "TextFit.h"

class QColor;
class QPainter;

namespace kolma {

struct SupportPoints {
    std::array<float, kSupportPoints> Q{};  // l/s; a blank flow field gives 0
    std::array<float, kSupportPoints> h{};  // m; a blank head field gives 0
    int n = 0;                              // number of filled head fields; pairs 1..n are drawn
};

// The support points of the fields. Raises a KolmaError when a filled field is not a number or
// when the largest |Q| or |h| of the drawn pairs is 0 (the plot is scaled by them).
SupportPoints plottableSupportPoints(const SupportPointTexts& texts);

struct CharacteristicMarker {
    QPoint corner1;  // rectangle from corner1 up to, not including, corner2
    QPoint corner2;
    QPoint centre;   // the blue pixel, exactly on the curve
    QPoint qTextAt;  // top left of the Q text, below the Q axis
    QString qText;
    QPoint hTextAt;  // top left of the h text, left of the h axis
    QString hText;
};

struct CharacteristicGeometry {
    QLine qAxis;
    QLine hAxis;
    QPolygon curve;  // one point for each of the samples
    std::vector<CharacteristicMarker> markers;
};

constexpr int kCharacteristicSamples = 800;

// Pixel positions of the plot in a client rectangle (origin 10 % in from the left and bottom,
// largest values at 60 % of width and height).
CharacteristicGeometry characteristicGeometry(const QRect& client, const SupportPoints& points);

// The sizes of a marker's value texts: each as large as the room to its neighbour allows (the
// flow texts stand side by side below the axis, the head texts one above the other left of it),
// but not below `minimum`; nothing where a text is left out.
struct MarkerTextSizes {
    std::optional<int> q;
    std::optional<int> h;
};
std::vector<MarkerTextSizes> fittedMarkerTexts(const CharacteristicGeometry& geometry,
                                               const QRect& client, int nominal, int minimum,
                                               const TextSize& textSize);

// The smallest pixel size of the plot's value texts.
constexpr int kMinimumPlotPixels = 8;

// Draws the plot with the painter's font; background fills the markers and the text cells.
void drawCharacteristic(QPainter& painter, const QRect& client, const SupportPoints& points,
                        const QColor& background);

}  // namespace kolma
