#include "Characteristic.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "CardinalSpline.h"
#include "Handler.h"
#include "Numbers.h"

namespace kolma {
namespace {

constexpr float kTension = 0.5f;
constexpr std::uint32_t kKeySpacing = 100;
// Fractions of the client width and height: the origin's distance from the left and bottom
// edges, the distance of the largest values from the origin, and the length of the axes.
constexpr double kOriginInset = 0.1;
constexpr double kLargestValueAt = 0.6;
constexpr double kAxisLength = 0.75;
// Half the side of a support point's marker, and where the value texts stand off the axes.
constexpr float kMarkerHalfSide = 2;
constexpr float kQTextBelowAxis = 5;
constexpr float kHTextLeftOfAxis = 35;

float supportValue(const QString& text) {
    const auto value = static_cast<float>(strictDouble(text));
    if (!std::isfinite(value))
        throw KolmaError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
    return value;
}

// Largest magnitude among the first n values, keeping its sign; the first wins among equals.
float signedLargest(const std::array<float, kSupportPoints>& values, int n) {
    float largest = values[0];
    for (int k = 0; k < n; ++k) {
        if (std::fabs(values[k]) > std::fabs(largest))
            largest = values[k];
    }
    return largest;
}

class PlotScale {
public:
    PlotScale(const QRect& client, const SupportPoints& points)
        : W(static_cast<float>(client.width())),
          D(-static_cast<float>(client.height())),
          x0(static_cast<float>(client.left() + kOriginInset * W)),
          y0(static_cast<float>(client.top() + client.height() + kOriginInset * D)),
          Qmax(signedLargest(points.Q, points.n)),
          hmax(signedLargest(points.h, points.n)) {}

    float dx(float q) const { return static_cast<float>((q * W / Qmax) * kLargestValueAt); }
    float dy(float h) const { return static_cast<float>((h * D / hmax) * kLargestValueAt); }
    QPoint at(float q, float h) const {
        return {truncatedCoordinate(x0 + dx(q)), truncatedCoordinate(y0 + dy(h))};
    }

    const float W;
    const float D;
    const float x0;
    const float y0;

private:
    const float Qmax;
    const float hmax;
};

QPolygon curveSamples(const PlotScale& scale, const SupportPoints& points) {
    CardinalSpline spline(2, kTension, static_cast<std::uint32_t>(points.n));
    for (int k = 0; k < points.n; ++k) {
        const float pair[2] = {points.Q[k], points.h[k]};
        spline.AddKey(kKeySpacing * static_cast<std::uint32_t>(k), pair);
    }
    spline.Prepare();
    QPolygon curve;
    for (int s = 0; s < kCharacteristicSamples; ++s) {
        float value[2];
        spline.Evaluate(static_cast<float>(s), value);
        curve.append(scale.at(value[0], value[1]));
    }
    return curve;
}

CharacteristicMarker marker(const PlotScale& scale, float q, float h) {
    const float px = scale.dx(q);
    const float py = scale.dy(h);
    CharacteristicMarker m;
    m.corner1 = {truncatedCoordinate(scale.x0 + px - kMarkerHalfSide),
                 truncatedCoordinate(scale.y0 + py - kMarkerHalfSide)};
    m.corner2 = {truncatedCoordinate(scale.x0 + px + kMarkerHalfSide),
                 truncatedCoordinate(scale.y0 + py + kMarkerHalfSide)};
    m.centre = {truncatedCoordinate(scale.x0 + px), truncatedCoordinate(scale.y0 + py)};
    m.qTextAt = {truncatedCoordinate(scale.x0 + px),
                 truncatedCoordinate(scale.y0 + kQTextBelowAxis)};
    m.qText = twoDecimals(q);
    m.hTextAt = {truncatedCoordinate(scale.x0 - kHTextLeftOfAxis),
                 truncatedCoordinate(scale.y0 + py)};
    m.hText = twoDecimals(h);
    return m;
}

void drawOpaqueText(QPainter& painter, const QPoint& topLeft, const QString& text,
                    std::optional<int> pixelSize, const QColor& background) {
    if (!pixelSize)
        return;
    QFont font = painter.font();
    font.setPixelSize(*pixelSize);
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect cell(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()));
    painter.fillRect(cell, background);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
}

// The order of the markers by one coordinate of their text places.
template <typename Coordinate>
std::vector<std::size_t> orderBy(const std::vector<CharacteristicMarker>& markers,
                                 Coordinate coordinate) {
    std::vector<std::size_t> order(markers.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return coordinate(markers[a]) < coordinate(markers[b]);
    });
    return order;
}

constexpr int kTextGap = 1;

}  // namespace

SupportPoints plottableSupportPoints(const SupportPointTexts& texts) {
    SupportPoints points;
    for (int i = 0; i < kSupportPoints; ++i) {
        if (!isEmptyHead(texts.Q[i]))
            points.Q[i] = supportValue(texts.Q[i]);
    }
    for (int i = 0; i < kSupportPoints; ++i) {
        if (isEmptyHead(texts.h[i]))
            continue;
        points.h[i] = supportValue(texts.h[i]);
        ++points.n;
    }
    if (signedLargest(points.Q, points.n) == 0 || signedLargest(points.h, points.n) == 0)
        throw KolmaError(QStringLiteral(
            "Die Kennlinie kann nicht gezeichnet werden: alle Förderströme oder alle "
            "Förderhöhen sind 0."));
    return points;
}

CharacteristicGeometry characteristicGeometry(const QRect& client, const SupportPoints& points) {
    const PlotScale scale(client, points);
    CharacteristicGeometry g;
    const QPoint origin(truncatedCoordinate(scale.x0), truncatedCoordinate(scale.y0));
    g.qAxis =
        QLine(origin, QPoint(truncatedCoordinate(scale.x0 + kAxisLength * scale.W), origin.y()));
    g.hAxis =
        QLine(origin, QPoint(origin.x(), truncatedCoordinate(scale.y0 + kAxisLength * scale.D)));
    g.curve = curveSamples(scale, points);
    for (int k = 0; k < points.n; ++k)
        g.markers.push_back(marker(scale, points.Q[k], points.h[k]));
    return g;
}

std::vector<MarkerTextSizes> fittedMarkerTexts(const CharacteristicGeometry& g, const QRect& client,
                                               int nominal, int minimum, const TextSize& textSize) {
    const std::vector<CharacteristicMarker>& markers = g.markers;
    std::vector<MarkerTextSizes> sizes(markers.size());
    const auto fit = [&](const QString& text, int along, int across) {
        return fittingPixelSize(text, QSize(along, across), nominal, minimum, textSize);
    };
    // Flow texts: left to right, each up to the next one (the last up to the client's edge).
    const auto byX = orderBy(markers, [](const CharacteristicMarker& m) { return m.qTextAt.x(); });
    for (std::size_t i = 0; i < byX.size(); ++i) {
        const CharacteristicMarker& m = markers[byX[i]];
        const int next =
            i + 1 < byX.size() ? markers[byX[i + 1]].qTextAt.x() : client.left() + client.width();
        sizes[byX[i]].q = fit(m.qText, next - m.qTextAt.x() - kTextGap,
                              client.top() + client.height() - m.qTextAt.y());
    }
    // Head texts: top to bottom, each down to the next one, between their place and the axis.
    const auto byY = orderBy(markers, [](const CharacteristicMarker& m) { return m.hTextAt.y(); });
    for (std::size_t i = 0; i < byY.size(); ++i) {
        const CharacteristicMarker& m = markers[byY[i]];
        const int next =
            i + 1 < byY.size() ? markers[byY[i + 1]].hTextAt.y() : client.top() + client.height();
        sizes[byY[i]].h =
            fit(m.hText, g.hAxis.x1() - m.hTextAt.x() - kTextGap, next - m.hTextAt.y() - kTextGap);
    }
    return sizes;
}

void drawCharacteristic(QPainter& painter, const QRect& client, const SupportPoints& points,
                        const QColor& background) {
    const CharacteristicGeometry g = characteristicGeometry(client, points);
    const std::vector<MarkerTextSizes> sizes =
        fittedMarkerTexts(g, client, painter.font().pixelSize(), kMinimumPlotPixels,
                          fontTextSize(painter.font(), painter.device()));
    const QColor curveColour(255, 0, 0);
    const QColor centreColour(0, 0, 255);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.drawLine(g.qAxis);
    painter.drawLine(g.hAxis);
    painter.setPen(curveColour);
    painter.drawPolyline(g.curve);
    for (std::size_t k = 0; k < g.markers.size(); ++k) {
        const CharacteristicMarker& m = g.markers[k];
        painter.setPen(curveColour);
        painter.setBrush(background);
        painter.drawRect(QRect(m.corner1.x(), m.corner1.y(), m.corner2.x() - m.corner1.x() - 1,
                               m.corner2.y() - m.corner1.y() - 1));
        painter.setPen(centreColour);
        painter.drawPoint(m.centre);
        painter.setPen(Qt::black);
        drawOpaqueText(painter, m.qTextAt, m.qText, sizes[k].q, background);
        drawOpaqueText(painter, m.hTextAt, m.hText, sizes[k].h, background);
    }
    painter.restore();
}

}  // namespace kolma
