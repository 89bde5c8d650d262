#include "PlanDrawing.h"

#include <QFontMetrics>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>

namespace kolma {
namespace {

// Sizes in screen pixels; paper multiplies them by its unit.
constexpr double kPipeWidth = 2.0;
constexpr double kColouredPipeWidth = 4.0;
constexpr double kPumpLineWidth = 1.5;
constexpr double kNodeSize = 8.0;
constexpr double kColouredNodeSize = 11.0;
constexpr double kTankSize = 13.0;
constexpr double kPumpSize = 16.0;
constexpr double kHaloExtra = 8.0;  // beyond the element on each side together
constexpr double kStroke = 1.0;
constexpr int kLabelPixels = 11;
constexpr int kTitlePixels = 16;
constexpr double kLabelGap = 2.0;
constexpr double kLegendPadding = 8.0;
constexpr double kLegendMargin = 8.0;
constexpr double kSwatchWidth = 22.0;
constexpr double kSwatchGap = 6.0;
constexpr double kLegendLineGap = 3.0;
constexpr double kPageMargin = 12.0;
constexpr double kTitleHeight = 30.0;
constexpr double kLegendColumn = 200.0;
constexpr double kFitMargin = 20.0;
// Labels are looked up in cells of this many device units when placed.
constexpr double kLabelCell = 64.0;

int labelPixelSize(const PlanGeometry& geometry) {
    return std::max(1, static_cast<int>(std::lround(kLabelPixels * geometry.unit)));
}

const QColor kPipeColour(80, 80, 80);
const QColor kPumpLineColour(60, 60, 60);
const QColor kOutline(40, 40, 40);
const QColor kNodeFill(255, 255, 255);
const QColor kTankFill(30, 100, 200);
const QColor kPumpFill(255, 255, 255);
const QColor kHaloColour(255, 205, 0);
const QColor kNodeLabel(0, 0, 0);
const QColor kPipeLabel(40, 60, 140);
const QColor kLegendFill(255, 255, 255, 235);
const QColor kLegendOutline(130, 130, 130);
const QColor kTextColour(0, 0, 0);

// A polyline (pipes, pump connections, legend samples) or a selection halo.
PlanPrimitive stroked(PlanPrimitive::Kind kind, std::vector<QPointF> points, const QColor& colour,
                      double width, Qt::PenStyle style = Qt::SolidLine) {
    PlanPrimitive p;
    p.kind = kind;
    p.points = std::move(points);
    p.colour = colour;
    p.width = width;
    p.style = style;
    return p;
}

// A node, tank or pump symbol with its outline.
PlanPrimitive symbol(PlanPrimitive::Kind kind, std::vector<QPointF> points, const QColor& fill,
                     const QColor& outline, double width, double stroke) {
    PlanPrimitive p;
    p.kind = kind;
    p.points = std::move(points);
    p.colour = fill;
    p.outline = outline;
    p.width = width;
    p.stroke = stroke;
    return p;
}

QColor colourOf(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QRectF boundsOf(const std::vector<QPointF>& points) {
    double left = points.front().x(), right = left;
    double top = points.front().y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

double distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// Placed label boxes, found through a grid of cells so that thousands of labels are placed in
// linear time.
class LabelSpace {
public:
    explicit LabelSpace(const QRectF& area) : area_(area) {}

    void reserve(const QRectF& box) {
        forCells(box, [&](std::vector<QRectF>& cell) {
            cell.push_back(box);
            return true;
        });
    }

    // Takes the box when it lies in the area and overlaps no box taken before.
    bool take(const QRectF& box) {
        if (!area_.contains(box))
            return false;
        bool free = true;
        forCells(box, [&](std::vector<QRectF>& cell) {
            for (const QRectF& other : cell)
                if (other.intersects(box)) {
                    free = false;
                    return false;
                }
            return true;
        });
        if (free)
            reserve(box);
        return free;
    }

private:
    template <typename Visit>
    void forCells(const QRectF& box, Visit visit) {
        const auto cell = [](double v) {
            return static_cast<long long>(std::floor(v / kLabelCell));
        };
        for (long long cx = cell(box.left()); cx <= cell(box.right()); ++cx)
            for (long long cy = cell(box.top()); cy <= cell(box.bottom()); ++cy)
                if (!visit(cells_[(static_cast<unsigned long long>(cx) << 32) ^
                                  (static_cast<unsigned long long>(cy) & 0xffffffffULL)]))
                    return;
    }

    QRectF area_;
    std::unordered_map<unsigned long long, std::vector<QRectF>> cells_;
};

struct LegendLine {
    PlanPrimitive::Kind swatch;  // Node, Tank, Pump, Line; Text for a line without a sample
    QColor colour;
    QString text;
};

class PlanBuilder {
public:
    PlanBuilder(const PlanGeometry& g, const PlanData& data, const PlanLook& look,
                const TextSize& textSize)
        : g_(g),
          data_(data),
          look_(look),
          textSize_(textSize),
          unit_(g.unit),
          labelPixels_(labelPixelSize(g)),
          visible_(g.map.adjusted(-kPumpSize * g.unit, -kPumpSize * g.unit, kPumpSize * g.unit,
                                  kPumpSize * g.unit)),
          labels_(g.map) {
        colouring();
        for (const PlanNode& node : data.nodes)
            at_.push_back(node.at ? std::optional<QPointF>(g.toDevice(*node.at)) : std::nullopt);
    }

    std::vector<PlanPrimitive> build() {
        const std::vector<LegendLine> legendLines = legend();
        const QRectF legendBox = legendFrame(legendLines);
        if (!legendBox.isEmpty())
            labels_.reserve(legendBox);
        halos();
        pipes();
        pumpLines();
        nodes();
        pumpSymbols();
        placeLabels();
        paintLegend(legendBox, legendLines);
        title();
        return std::move(out_);
    }

private:
    // Which elements carry colours, their classes and the colours of the classes.
    void colouring() {
        if (look_.marks) {
            for (const MarkClass& mark : look_.marks->classes)
                classColours_.push_back(colourOf(mark.colour));
            nodesColoured_ = true;
            return;
        }
        if (!data_.results || look_.quantity == PlanQuantity::None)
            return;
        nodesColoured_ = coloursNodes(look_.quantity);
        pipesColoured_ = coloursPipes(look_.quantity);
        for (const Rgb& rgb :
             classColours(look_.quantity, static_cast<int>(look_.limits.size()) + 1))
            classColours_.push_back(colourOf(rgb));
    }

    // A known head's supply pressure is the water level above the ground it stands on, no
    // pressure a customer gets: it keeps the tank's colour and is not counted.
    bool colouredNode(int index) const {
        return nodesColoured_ && !(data_.nodes[index].knownHead && !look_.marks &&
                                   look_.quantity == PlanQuantity::Pressure);
    }

    // The class of a node, -1 without a value.
    int nodeClass(int index) const {
        if (look_.marks) {
            const auto mark = look_.marks->classOfNode.find(data_.nodes[index].number);
            return mark == look_.marks->classOfNode.end() ? -1 : mark->second;
        }
        return classOf(nodeValue(data_, index, look_.quantity), look_.limits);
    }

    QColor classColour(int k) const {
        return k >= 0 && k < static_cast<int>(classColours_.size()) ? classColours_[k]
                                                                    : colourOf(kNoValueColour);
    }

    double px(double pixels) const { return pixels * unit_; }

    std::vector<QPointF> pathOf(const PlanLink& link) const {
        std::vector<QPointF> path{*at_[link.from]};
        for (const QPointF& bend : link.bends)
            path.push_back(g_.toDevice(bend));
        path.push_back(*at_[link.to]);
        return path;
    }

    bool selected(const PlanElement& element) const {
        return std::find(look_.selected.begin(), look_.selected.end(), element) !=
               look_.selected.end();
    }

    void add(PlanPrimitive primitive) { out_.push_back(std::move(primitive)); }

    void halos() {
        for (const PlanElement& element : look_.selected) {
            if (element.kind == PlanElementKind::Node) {
                const auto index = data_.nodeIndex(element.row);
                if (!index || !at_[*index])
                    continue;
                const double size = data_.nodes[*index].knownHead ? kTankSize : nodeSize();
                add(stroked(PlanPrimitive::Kind::Halo, {*at_[*index]}, kHaloColour,
                            px(size + kHaloExtra)));
                continue;
            }
            const auto index = data_.linkIndex(element);
            if (!index || !data_.drawn(data_.links[*index]))
                continue;
            const bool pump = element.kind == PlanElementKind::Pump;
            add(stroked(PlanPrimitive::Kind::Halo, pathOf(data_.links[*index]), kHaloColour,
                        px((pump ? kPumpSize : kColouredPipeWidth) + kHaloExtra)));
        }
    }

    double nodeSize() const { return nodesColoured_ ? kColouredNodeSize : kNodeSize; }

    void pipes() {
        for (std::size_t i = 0; i < data_.links.size(); ++i) {
            const PlanLink& link = data_.links[i];
            if (link.kind != PlanElementKind::Pipe || !data_.drawn(link))
                continue;
            std::vector<QPointF> path = pathOf(link);
            if (!inView(path))
                continue;
            QColor colour = kPipeColour;
            double width = kPipeWidth;
            if (pipesColoured_) {
                colour = classColour(
                    classOf(linkValue(data_, static_cast<int>(i), look_.quantity), look_.limits));
                width = kColouredPipeWidth;
            }
            add(stroked(PlanPrimitive::Kind::Line, std::move(path), colour, px(width)));
        }
    }

    void pumpLines() {
        for (const PlanLink& link : data_.links)
            if (link.kind == PlanElementKind::Pump && data_.drawn(link) && inView(pathOf(link)))
                add(stroked(PlanPrimitive::Kind::Line, pathOf(link), kPumpLineColour,
                            px(kPumpLineWidth), Qt::DashLine));
    }

    // Straight horizontal or vertical pipes have bounds without area, which intersect nothing.
    bool inView(const std::vector<QPointF>& path) const {
        return boundsOf(path).adjusted(-1, -1, 1, 1).intersects(visible_);
    }

    void nodes() {
        for (std::size_t i = 0; i < data_.nodes.size(); ++i) {
            if (!at_[i] || !visible_.contains(*at_[i]))
                continue;
            const PlanNode& node = data_.nodes[i];
            QColor fill = node.knownHead ? kTankFill : kNodeFill;
            if (colouredNode(static_cast<int>(i)))
                fill = classColour(nodeClass(static_cast<int>(i)));
            if (node.knownHead)
                add(symbol(PlanPrimitive::Kind::Tank, {*at_[i]}, fill, kOutline, px(kTankSize),
                           px(kStroke)));
            else
                add(symbol(PlanPrimitive::Kind::Node, {*at_[i]}, fill, kOutline, px(nodeSize()),
                           px(kStroke)));
        }
    }

    QPointF pumpCentre(const PlanLink& link) const {
        return (*at_[link.from] + *at_[link.to]) / 2.0;
    }

    void pumpSymbols() {
        for (const PlanLink& link : data_.links) {
            if (link.kind != PlanElementKind::Pump || !data_.drawn(link))
                continue;
            const QPointF centre = pumpCentre(link);
            if (visible_.contains(centre))
                add(symbol(PlanPrimitive::Kind::Pump, {centre, *at_[link.to]}, kPumpFill, kOutline,
                           px(kPumpSize), px(kStroke)));
        }
    }

    void text(const QPointF& at, const QString& t, int pixelSize, const QColor& colour) {
        PlanPrimitive p;
        p.kind = PlanPrimitive::Kind::Text;
        p.points = {at};
        p.text = t;
        p.colour = colour;
        p.pixelSize = pixelSize;
        add(std::move(p));
    }

    // Places a label at the first of its candidate corners where it overlaps nothing placed.
    void label(const QString& t, const std::vector<QPointF>& corners, const QSizeF& size,
               const QColor& colour) {
        for (const QPointF& corner : corners)
            if (labels_.take(QRectF(corner, size))) {
                text(corner, t, labelPixels_, colour);
                return;
            }
    }

    void nodeLabel(int index) {
        if (!at_[index] || !g_.map.contains(*at_[index]))
            return;
        const PlanNode& node = data_.nodes[index];
        const QString t = QString::number(node.number);
        const QSizeF size = textSize_(t, labelPixels_);
        const double r = (node.knownHead ? kTankSize : nodeSize()) / 2.0 * unit_;
        const double gap = px(kLabelGap);
        const QPointF p = *at_[index];
        label(t,
              {{p.x() + r + gap, p.y() - r - size.height()},
               {p.x() + r + gap, p.y() + r},
               {p.x() - r - gap - size.width(), p.y() - r - size.height()},
               {p.x() - r - gap - size.width(), p.y() + r}},
              size, kNodeLabel);
    }

    // A pipe's number stands above the middle of its longest piece; a pump's designation beside
    // its symbol.
    void linkLabel(int index) {
        const PlanLink& link = data_.links[index];
        if (!data_.drawn(link) || link.label.isEmpty())
            return;
        const QSizeF size = textSize_(link.label, labelPixels_);
        const double gap = px(kLabelGap);
        if (link.kind == PlanElementKind::Pump) {
            const QPointF c = pumpCentre(link);
            const double r = px(kPumpSize) / 2.0;
            label(link.label,
                  {{c.x() + r + gap, c.y() - size.height() / 2.0},
                   {c.x() - r - gap - size.width(), c.y() - size.height() / 2.0}},
                  size, kTextColour);
            return;
        }
        const std::vector<QPointF> path = pathOf(link);
        std::size_t longest = 0;
        double length = -1.0;
        for (std::size_t k = 0; k + 1 < path.size(); ++k) {
            const QPointF d = path[k + 1] - path[k];
            if (std::hypot(d.x(), d.y()) > length) {
                length = std::hypot(d.x(), d.y());
                longest = k;
            }
        }
        const QPointF middle = (path[longest] + path[longest + 1]) / 2.0;
        if (!g_.map.contains(middle))
            return;
        label(link.label,
              {{middle.x() - size.width() / 2.0, middle.y() - size.height() - gap},
               {middle.x() - size.width() / 2.0, middle.y() + gap}},
              size, kPipeLabel);
    }

    // No label covers a symbol.
    void reserveSymbols() {
        for (std::size_t i = 0; i < data_.nodes.size(); ++i) {
            if (!at_[i] || !g_.map.contains(*at_[i]))
                continue;
            const double half = (data_.nodes[i].knownHead ? kTankSize : nodeSize()) / 2.0 * unit_;
            labels_.reserve(QRectF(*at_[i] - QPointF(half, half), *at_[i] + QPointF(half, half)));
        }
        for (const PlanLink& link : data_.links) {
            if (link.kind != PlanElementKind::Pump || !data_.drawn(link))
                continue;
            const QPointF centre = pumpCentre(link);
            const double half = px(kPumpSize) / 2.0;
            if (g_.map.contains(centre))
                labels_.reserve(QRectF(centre - QPointF(half, half), centre + QPointF(half, half)));
        }
    }

    // Selected elements first, then known heads, the other nodes, pumps and pipes.
    void placeLabels() {
        reserveSymbols();
        for (const PlanElement& element : look_.selected) {
            if (element.kind == PlanElementKind::Node) {
                if (const auto index = data_.nodeIndex(element.row))
                    nodeLabel(*index);
            } else if (const auto index = data_.linkIndex(element)) {
                linkLabel(*index);
            }
        }
        for (bool tanks : {true, false})
            for (std::size_t i = 0; i < data_.nodes.size(); ++i)
                if (data_.nodes[i].knownHead == tanks && !selected(data_.elementOfNode(int(i))))
                    nodeLabel(static_cast<int>(i));
        for (PlanElementKind kind : {PlanElementKind::Pump, PlanElementKind::Pipe})
            for (std::size_t i = 0; i < data_.links.size(); ++i)
                if (data_.links[i].kind == kind && !selected(data_.elementOfLink(int(i))))
                    linkLabel(static_cast<int>(i));
    }

    // The legend's lines: the classes of the colouring with the number of elements in each, a
    // line for elements without a value, and the symbols.
    std::vector<LegendLine> legend() {
        std::vector<LegendLine> lines;
        if (!classColours_.empty()) {
            const auto swatch =
                nodesColoured_ ? PlanPrimitive::Kind::Node : PlanPrimitive::Kind::Line;
            std::vector<int> counts(classColours_.size(), 0);
            int without = 0;
            const auto count = [&](int k) {
                if (k >= 0 && k < static_cast<int>(counts.size()))
                    ++counts[k];
                else
                    ++without;
            };
            if (nodesColoured_) {
                for (std::size_t i = 0; i < data_.nodes.size(); ++i)
                    if (colouredNode(static_cast<int>(i)))
                        count(nodeClass(static_cast<int>(i)));
            } else {
                for (std::size_t i = 0; i < data_.links.size(); ++i)
                    if (data_.links[i].kind == PlanElementKind::Pipe)
                        count(classOf(linkValue(data_, static_cast<int>(i), look_.quantity),
                                      look_.limits));
            }
            for (std::size_t k = 0; k < classColours_.size(); ++k) {
                const QString range = look_.marks ? look_.marks->classes[k].text
                                                  : classText(static_cast<int>(k), look_.limits);
                lines.push_back({swatch, classColours_[k],
                                 QStringLiteral("%1 (%2)").arg(range).arg(counts[k])});
            }
            if (without > 0)
                lines.push_back({swatch, colourOf(kNoValueColour),
                                 QStringLiteral("ohne Wert (%1)").arg(without)});
        } else if (look_.quantity != PlanQuantity::None && !look_.marks) {
            lines.push_back({PlanPrimitive::Kind::Text, {}, QStringLiteral("ohne Ergebnisse")});
        }
        lines.push_back({PlanPrimitive::Kind::Node, kNodeFill, QStringLiteral("Knoten")});
        lines.push_back({PlanPrimitive::Kind::Tank, kTankFill, QStringLiteral("bek. Druck")});
        if (!data_.network.pumps.empty())
            lines.push_back({PlanPrimitive::Kind::Pump, kPumpFill, QStringLiteral("Pumpe")});
        return lines;
    }

    QString legendTitle() const {
        if (look_.marks)
            return look_.marks->title;
        return look_.quantity == PlanQuantity::None ? QStringLiteral("Lageplan")
                                                    : quantityTitle(look_.quantity);
    }

    double lineHeight() const {
        return std::max<double>(textSize_(QStringLiteral("0"), labelPixels_).height(),
                                px(kTankSize)) +
               px(kLegendLineGap);
    }

    QRectF legendFrame(const std::vector<LegendLine>& lines) const {
        double width = textSize_(legendTitle(), labelPixels_).width();
        for (const LegendLine& line : lines)
            width = std::max(
                width, px(kSwatchWidth + kSwatchGap) + textSize_(line.text, labelPixels_).width());
        const QSizeF size(width + 2 * px(kLegendPadding),
                          (lines.size() + 1) * lineHeight() + 2 * px(kLegendPadding));
        if (!g_.legend.isEmpty())
            return QRectF(g_.legend.topLeft(), size);
        const double margin = px(kLegendMargin);
        return QRectF(QPointF(g_.map.left() + margin, g_.map.bottom() - margin - size.height()),
                      size);
    }

    void paintLegend(const QRectF& frame, const std::vector<LegendLine>& lines) {
        PlanPrimitive box;
        box.kind = PlanPrimitive::Kind::Box;
        box.box = frame;
        box.colour = kLegendFill;
        box.outline = kLegendOutline;
        box.stroke = px(kStroke);
        add(std::move(box));
        const double left = frame.left() + px(kLegendPadding);
        double top = frame.top() + px(kLegendPadding);
        const double height = lineHeight();
        text({left, top}, legendTitle(), labelPixels_, kTextColour);
        top += height;
        for (const LegendLine& line : lines) {
            const QPointF sample(left + px(kSwatchWidth) / 2.0, top + height / 2.0);
            switch (line.swatch) {
                case PlanPrimitive::Kind::Line:
                    add(stroked(PlanPrimitive::Kind::Line,
                                {{left, sample.y()}, {left + px(kSwatchWidth), sample.y()}},
                                line.colour, px(kColouredPipeWidth)));
                    break;
                case PlanPrimitive::Kind::Node:
                    add(symbol(PlanPrimitive::Kind::Node, {sample}, line.colour, kOutline,
                               px(kColouredNodeSize), px(kStroke)));
                    break;
                case PlanPrimitive::Kind::Tank:
                    add(symbol(PlanPrimitive::Kind::Tank, {sample}, line.colour, kOutline,
                               px(kTankSize), px(kStroke)));
                    break;
                case PlanPrimitive::Kind::Pump:
                    add(symbol(PlanPrimitive::Kind::Pump, {sample, sample + QPointF(1.0, 0.0)},
                               line.colour, kOutline, px(kTankSize), px(kStroke)));
                    break;
                default:
                    break;
            }
            const double textLeft = line.swatch == PlanPrimitive::Kind::Text
                                        ? left
                                        : left + px(kSwatchWidth + kSwatchGap);
            const double textHeight = textSize_(line.text, labelPixels_).height();
            text({textLeft, top + (height - textHeight) / 2.0}, line.text, labelPixels_,
                 kTextColour);
            top += height;
        }
    }

    void title() {
        if (g_.title.isEmpty() || look_.title.isEmpty())
            return;
        const int pixels = static_cast<int>(std::lround(kTitlePixels * unit_));
        const double height = textSize_(look_.title, pixels).height();
        text({g_.title.left(), g_.title.top() + (g_.title.height() - height) / 2.0}, look_.title,
             pixels, kTextColour);
    }

    const PlanGeometry& g_;
    const PlanData& data_;
    const PlanLook& look_;
    const TextSize& textSize_;
    const double unit_;
    const int labelPixels_;
    const QRectF visible_;
    std::vector<std::optional<QPointF>> at_;  // device points of the nodes
    bool nodesColoured_ = false;
    bool pipesColoured_ = false;
    std::vector<QColor> classColours_;
    LabelSpace labels_;
    std::vector<PlanPrimitive> out_;
};

void paintPump(QPainter& painter, const PlanPrimitive& p) {
    const QPointF centre = p.points[0];
    const double r = p.width / 2.0;
    painter.setPen(QPen(p.outline, p.stroke));
    painter.setBrush(p.colour);
    painter.drawEllipse(centre, r, r);
    // The arrow points from the suction to the delivery side.
    QPointF direction = p.points.size() > 1 ? p.points[1] - centre : QPointF(1, 0);
    const double length = std::hypot(direction.x(), direction.y());
    direction = length > 0 ? direction / length : QPointF(1, 0);
    const QPointF normal(-direction.y(), direction.x());
    const QPolygonF arrow{centre + direction * (0.65 * r),
                          centre - direction * (0.45 * r) + normal * (0.55 * r),
                          centre - direction * (0.45 * r) - normal * (0.55 * r)};
    painter.setBrush(p.outline);
    painter.drawPolygon(arrow);
}

// A node, tank or pump symbol.
void paintSymbol(QPainter& painter, const PlanPrimitive& p) {
    switch (p.kind) {
        case PlanPrimitive::Kind::Node:
            painter.setPen(QPen(p.outline, p.stroke));
            painter.setBrush(p.colour);
            painter.drawEllipse(p.points[0], p.width / 2.0, p.width / 2.0);
            break;
        case PlanPrimitive::Kind::Tank:
            painter.setPen(QPen(p.outline, p.stroke));
            painter.setBrush(p.colour);
            painter.drawRect(QRectF(p.points[0] - QPointF(p.width / 2.0, p.width / 2.0),
                                    QSizeF(p.width, p.width)));
            break;
        case PlanPrimitive::Kind::Pump:
            paintPump(painter, p);
            break;
        default:
            break;
    }
}

// On a raster device without scaling, node and tank symbols are stamped from a picture drawn
// once per colour and size: a thousand antialiased circles cost a third of a frame. Vector
// devices (PDF, SVG, printers) get the symbols themselves.
class SymbolStamps {
public:
    explicit SymbolStamps(const QPainter& painter)
        : enabled_(painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster &&
                   painter.deviceTransform().type() <= QTransform::TxTranslate),
          ratio_(painter.device() ? painter.device()->devicePixelRatioF() : 1.0) {}

    bool draw(QPainter& painter, const PlanPrimitive& p) {
        if (!enabled_)
            return false;
        const Key key{static_cast<int>(p.kind), p.colour.rgba(), p.outline.rgba(), p.width,
                      p.stroke};
        auto found = stamps_.find(key);
        if (found == stamps_.end())
            found = stamps_.emplace(key, stampOf(p)).first;
        const QImage& stamp = found->second;
        const double half = stamp.width() / ratio_ / 2.0;
        painter.drawImage(
            QPointF(std::round(p.points[0].x() - half), std::round(p.points[0].y() - half)), stamp);
        return true;
    }

private:
    using Key = std::tuple<int, QRgb, QRgb, double, double>;

    QImage stampOf(const PlanPrimitive& p) const {
        const int size = static_cast<int>(std::ceil(p.width + 2 * p.stroke)) + 2;
        QImage stamp(QSize(size, size) * ratio_, QImage::Format_ARGB32_Premultiplied);
        stamp.setDevicePixelRatio(ratio_);
        stamp.fill(Qt::transparent);
        QPainter painter(&stamp);
        painter.setRenderHint(QPainter::Antialiasing);
        PlanPrimitive centred = p;
        centred.points = {QPointF(size / 2.0, size / 2.0)};
        paintSymbol(painter, centred);
        return stamp;
    }

    bool enabled_;
    double ratio_;
    std::map<Key, QImage> stamps_;
};

}  // namespace

QPointF PlanGeometry::toDevice(const QPointF& plan) const {
    const QPointF middle = map.center();
    return {middle.x() + (plan.x() - centre.x()) * scale,
            middle.y() - (plan.y() - centre.y()) * scale};
}

QPointF PlanGeometry::toPlan(const QPointF& device) const {
    const QPointF middle = map.center();
    return {centre.x() + (device.x() - middle.x()) / scale,
            centre.y() - (device.y() - middle.y()) / scale};
}

PlanGeometry PlanGeometry::fitting(const QRectF& map, const QRectF& plan, double unit,
                                   double margin) {
    PlanGeometry g;
    g.map = map;
    g.unit = unit;
    g.centre = plan.center();
    const double width = std::max(map.width() - 2 * margin, 1.0);
    const double height = std::max(map.height() - 2 * margin, 1.0);
    if (plan.width() > 0 && plan.height() > 0)
        g.scale = std::min(width / plan.width(), height / plan.height());
    else if (plan.width() > 0)
        g.scale = width / plan.width();
    else if (plan.height() > 0)
        g.scale = height / plan.height();
    else
        g.scale = 1.0;
    return g;
}

std::vector<double> classLimits(const PlanData& data, PlanQuantity quantity,
                                const std::vector<double>& chosen) {
    if (!chosen.empty())
        return chosen;
    std::vector<double> limits = defaultLimits(quantity);
    if (!limits.empty() || quantity == PlanQuantity::None)
        return limits;
    const auto range = valueRange(data, quantity);
    return range ? evenLimits(range->first, range->second) : std::vector<double>();
}

std::vector<PlanPrimitive> buildPlan(const PlanGeometry& geometry, const PlanData& data,
                                     const PlanLook& look, const TextSize& textSize) {
    return PlanBuilder(geometry, data, look, textSize).build();
}

QFont planFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(kLabelPixels);
    return font;
}

namespace {

void paintPlan(QPainter& painter, const std::vector<PlanPrimitive>& primitives,
               const QRectF& clip) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(clip);
    bool clipped = true;
    QFont font = planFont();
    int ascent = -1;
    SymbolStamps stamps(painter);
    for (const PlanPrimitive& p : primitives) {
        // The network stays inside the map; labels, legend and title are placed already.
        if (clipped &&
            (p.kind == PlanPrimitive::Kind::Text || p.kind == PlanPrimitive::Kind::Box)) {
            painter.setClipping(false);
            clipped = false;
        }
        switch (p.kind) {
            case PlanPrimitive::Kind::Line:
            case PlanPrimitive::Kind::Halo:
                // One call per pipe: the raster engine strokes a batch of thousands of
                // antialiased lines far slower than the lines one by one.
                painter.setPen(QPen(p.colour, p.width, p.style, Qt::RoundCap, Qt::RoundJoin));
                painter.setBrush(Qt::NoBrush);
                if (p.points.size() == 1)
                    painter.drawPoint(p.points[0]);
                else
                    painter.drawPolyline(p.points.data(), static_cast<int>(p.points.size()));
                break;
            case PlanPrimitive::Kind::Node:
            case PlanPrimitive::Kind::Tank:
                if (!stamps.draw(painter, p))
                    paintSymbol(painter, p);
                break;
            case PlanPrimitive::Kind::Pump:
                paintSymbol(painter, p);
                break;
            case PlanPrimitive::Kind::Box:
                painter.setPen(QPen(p.outline, p.stroke));
                painter.setBrush(p.colour.isValid() ? QBrush(p.colour) : QBrush(Qt::NoBrush));
                painter.drawRect(p.box);
                break;
            case PlanPrimitive::Kind::Text:
                if (font.pixelSize() != p.pixelSize || ascent < 0) {
                    font.setPixelSize(p.pixelSize);
                    painter.setFont(font);
                    ascent = painter.fontMetrics().ascent();
                }
                painter.setPen(p.colour);
                painter.drawText(p.points[0] + QPointF(0, ascent), p.text);
                break;
        }
    }
    painter.restore();
}

}  // namespace

void drawPlan(QPainter& painter, const PlanGeometry& geometry, const PlanData& data,
              const PlanLook& look, const TextSize* textSize) {
    if (textSize) {
        paintPlan(painter, buildPlan(geometry, data, look, *textSize), geometry.map);
        return;
    }
    const TextSize size = fontTextSize(planFont(), painter.device());
    paintPlan(painter, buildPlan(geometry, data, look, size), geometry.map);
}

QRectF planBounds(const PlanData& data) {
    std::vector<QPointF> points;
    for (const PlanNode& node : data.nodes)
        if (node.at)
            points.push_back(*node.at);
    for (const PlanLink& link : data.links)
        if (data.drawn(link))
            points.insert(points.end(), link.bends.begin(), link.bends.end());
    return points.empty() ? QRectF() : boundsOf(points);
}

std::optional<PlanElement> elementAt(const PlanGeometry& geometry, const PlanData& data,
                                     const QPointF& device, double tolerance) {
    std::optional<PlanElement> best;
    double bestDistance = 0.0;
    const auto consider = [&](const PlanElement& element, double distance) {
        if (distance <= tolerance && (!best || distance < bestDistance)) {
            best = element;
            bestDistance = distance;
        }
    };
    std::vector<std::optional<QPointF>> at;
    at.reserve(data.nodes.size());
    for (std::size_t i = 0; i < data.nodes.size(); ++i) {
        const PlanNode& node = data.nodes[i];
        at.push_back(node.at ? std::optional<QPointF>(geometry.toDevice(*node.at)) : std::nullopt);
        if (!at.back())
            continue;
        const double r = (node.knownHead ? kTankSize : kColouredNodeSize) / 2.0 * geometry.unit;
        const QPointF d = *at.back() - device;
        consider(data.elementOfNode(int(i)), std::max(0.0, std::hypot(d.x(), d.y()) - r));
    }
    for (std::size_t i = 0; i < data.links.size(); ++i) {
        const PlanLink& link = data.links[i];
        if (link.kind != PlanElementKind::Pump || !at[link.from] || !at[link.to])
            continue;
        const QPointF d = (*at[link.from] + *at[link.to]) / 2.0 - device;
        consider(data.elementOfLink(int(i)),
                 std::max(0.0, std::hypot(d.x(), d.y()) - kPumpSize / 2.0 * geometry.unit));
    }
    if (best)
        return best;
    for (std::size_t i = 0; i < data.links.size(); ++i) {
        const PlanLink& link = data.links[i];
        if (link.kind != PlanElementKind::Pipe || !at[link.from] || !at[link.to])
            continue;
        QPointF previous = *at[link.from];
        double distance = std::numeric_limits<double>::infinity();
        for (const QPointF& bend : link.bends) {
            const QPointF next = geometry.toDevice(bend);
            distance = std::min(distance, distanceToSegment(device, previous, next));
            previous = next;
        }
        distance = std::min(distance, distanceToSegment(device, previous, *at[link.to]));
        consider(data.elementOfLink(int(i)), distance);
    }
    return best;
}

PlanGeometry pageGeometry(const QRectF& page, double unit, const QRectF& view) {
    const double margin = kPageMargin * unit;
    const QRectF title(page.left() + margin, page.top() + margin, page.width() - 2 * margin,
                       kTitleHeight * unit);
    const double top = title.bottom() + margin;
    const double legendWidth = kLegendColumn * unit;
    const QRectF legend(page.right() - margin - legendWidth, top, legendWidth,
                        page.bottom() - margin - top);
    const QRectF map(page.left() + margin, top, legend.left() - margin - (page.left() + margin),
                     page.bottom() - margin - top);
    PlanGeometry g = PlanGeometry::fitting(map, view, unit, kFitMargin * unit);
    g.legend = legend;
    g.title = title;
    return g;
}

}  // namespace kolma
