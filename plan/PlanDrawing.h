// The drawing of the plan (Lageplan), shared by the plan window, the printout and the exported
// PNG, SVG and PDF files. As the section's drawing, it is built as a list of primitives from the
// plan data and a geometry, then painted: screen and paper differ only in their geometry (where
// the map, the legend and the title line stand, and how large a screen pixel is).
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

#include "PlanData.h"
#include "TextFit.h"

class QPainter;

namespace kolma {

// How the plan's metres map to the device: the plan point `centre` lies at the centre of `map`,
// and one metre is `scale` device units; y runs north, the device's y down.
struct PlanGeometry {
    QRectF map;          // the device area of the network; nothing is drawn outside it
    QPointF centre;      // [m]
    double scale = 1.0;  // device units per metre
    double unit = 1.0;   // device units per screen pixel: symbols, lines and texts scale with it
    QRectF legend;       // the legend stands in its top-left corner (paper) or in the map's
                         // bottom-left corner (screen, where this is empty)
    QRectF title;        // the title line (paper); empty: none

    QPointF toDevice(const QPointF& plan) const;
    QPointF toPlan(const QPointF& device) const;
    // The map area shows the plan rectangle whole, centred, with a margin of `margin` device
    // units around it. An empty or degenerate rectangle is shown at one device unit per metre
    // (or around its one point).
    static PlanGeometry fitting(const QRectF& map, const QRectF& plan, double unit, double margin);
};

// What the drawing shows besides the network.
struct PlanLook {
    PlanQuantity quantity = PlanQuantity::Pressure;
    std::vector<double> limits;        // class limits of the quantity (classLimits)
    const NodeMarks* marks = nullptr;  // node colours from outside; replace the quantity's
    std::vector<PlanElement> selected;
    QString title;  // the title line's text (paper)
};

struct PlanPrimitive {
    enum class Kind {
        Line,  // a pipe or a pump's connection: the polyline `points`, `width` wide
        Node,  // a node: disc of diameter `width` around points[0]
        Tank,  // a node with a known head: square of side `width` around points[0]
        Pump,  // a pump: circle of diameter `width` around points[0], its arrow towards points[1]
        Halo,  // the selection behind an element: polyline (or one point) `width` wide
        Box,   // a filled rectangle with an outline: legend frame and colour samples
        Text,  // `text` with its top-left corner at points[0]
    };
    Kind kind = Kind::Line;
    std::vector<QPointF> points;
    QRectF box;
    QString text;
    QColor colour;        // line, fill or text colour; a box without one is not filled
    QColor outline;       // outline of nodes, tanks, pumps and boxes
    double width = 0.0;   // see the kinds
    double stroke = 0.0;  // width of the outline
    Qt::PenStyle style = Qt::SolidLine;
    int pixelSize = 0;  // Text
};

// The class limits the plan uses for a quantity: the user's when set, else the defaults, else
// (heads) five classes spread over the network's values.
std::vector<double> classLimits(const PlanData& data, PlanQuantity quantity,
                                const std::vector<double>& chosen);

// The primitives of the plan in drawing order: pipes, pump connections, selection, nodes, pump
// symbols, the labels that do not overlap one placed before them (nodes before pipes), the
// legend and the title. Elements outside the map area are left out.
std::vector<PlanPrimitive> buildPlan(const PlanGeometry& geometry, const PlanData& data,
                                     const PlanLook& look, const TextSize& textSize);

// The font of labels, legend and title.
QFont planFont();

// Builds and paints the plan, measuring text with `textSize` (fontTextSize of the painter's
// device when none is given).
void drawPlan(QPainter& painter, const PlanGeometry& geometry, const PlanData& data,
              const PlanLook& look, const TextSize* textSize = nullptr);

// The plan rectangle [m] that holds every placed node and bend; empty when none is placed.
QRectF planBounds(const PlanData& data);

// The element under a device point: a node or pump symbol within `tolerance` device units of
// its outline, else the nearest pipe within `tolerance`; none elsewhere.
std::optional<PlanElement> elementAt(const PlanGeometry& geometry, const PlanData& data,
                                     const QPointF& device, double tolerance);

// A page (printer, PDF, SVG, PNG) of `page` device units, `unit` device units per screen pixel:
// the title line on top, the legend in a column on the right, the plan rectangle `view` fitted
// into the rest.
PlanGeometry pageGeometry(const QRectF& page, double unit, const QRectF& view);

}  // namespace kolma
