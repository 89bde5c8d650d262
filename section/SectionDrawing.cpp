#include "SectionDrawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "Numbers.h"

namespace kolma {
namespace {

// Table rows, as fractions of h below the datum line.
constexpr double kTableLines[] = {0.0, 0.1, 0.2, 0.3, 0.35, 0.4, 0.45, 0.5, 0.55};
struct RowLabel {
    double at;
    const char* text;
};
// The label of the band that each table line after the datum line closes.
const RowLabel kRowLabels[] = {{0.05, "GOK [mNN]"},        {0.15, "RS [mNN]"},
                               {0.25, "Energieh. [mNN]"},  {0.305, "Länge [m]"},
                               {0.355, "Durchm. [mm]"},    {0.405, "Geschw. [m/s]"},
                               {0.455, "Durchfluß [l/s]"}, {0.505, "Knotnum"}};
constexpr double kGroundRow = 0.1;
constexpr double kInvertRow = 0.2;
constexpr double kEnergyRow = 0.3;
constexpr double kLengthRow = 0.305;
constexpr double kDiameterRow = 0.355;
constexpr double kVelocityRow = 0.405;
constexpr double kFlowRow = 0.455;
constexpr double kNumberRow = 0.505;
constexpr double kTableBottom = 0.55;
constexpr double kPumpMark = -0.1;
constexpr int kPumpNumberOffset = 9;

enum class Stroke { Energy, Invert, Ground, Black };

// Where the page layout departs from the window's.
struct Offsets {
    double tableStart;      // table lines start at x0 + tableStart
    double rowLabel;        // row labels at x0 + rowLabel
    double datumX, datumY;  // zmin label at (x0 + datumX, yb + datumY)
    double firstValues;     // rotated values of the first node at x0 + firstValues
    double firstNumber;     // number of the first node at x0 + firstNumber
    int nodeNumber;  // number of a later node at x - nodeNumber (print; screen uses the shift)
    int nodeValues;  // rotated values of a later node at x - nodeValues (print)
    // The legend, from x0 on screen and from the section's right end (x0 + w) on paper: its
    // title, the line samples from and to, and the names of the lines.
    double legendTitle, legendLineFrom, legendLineTo, legendName;
};

const Offsets kScreenOffsets{-100, -90, -65, -15, -10, -10, 0, 0, 700, 660, 690, 700};
const Offsets kPrintOffsets{-500, -490, -465, -45, -50, -30, 25, 50, 200, 200, 350, 370};

class SectionBuilder {
public:
    SectionBuilder(const SectionGeometry& g, const SectionData& d, const TextWidth& width)
        : g_(g),
          d_(d),
          textWidth_(width),
          offsets_(g.medium == Medium::Print ? kPrintOffsets : kScreenOffsets),
          // A zero range or length would divide by zero; a unit range stands in for it.
          range_(d.range == 0.0f ? 1.0 : d.range),
          length_(d.totalLength == 0.0f ? 1.0 : d.totalLength) {}

    std::vector<SectionPrimitive> build(const TitleTexts& title) {
        if (g_.medium == Medium::Screen && !g_.background.isEmpty())
            add(SectionPrimitive::Kind::Fill, g_.background.topLeft(),
                g_.background.topLeft() + QPoint(g_.background.width(), g_.background.height()), {},
                kSectionBackground);
        legend();
        if (g_.medium == Medium::Print)
            titleBlock(title);
        valueTable();
        firstNode();
        for (std::size_t k = 1; k < d_.nodes.size(); ++k)
            laterNode(k);
        return std::move(out_);
    }

private:
    double X(double s) const { return s * g_.w / length_ + g_.x0; }
    double Y(double z) const { return g_.yb - std::fabs(z - d_.zmin) * (g_.h / range_); }
    double row(double f) const { return g_.yb + f * g_.h; }
    bool print() const { return g_.medium == Medium::Print; }

    QColor color(Stroke s) const {
        if (print())
            return Qt::black;
        switch (s) {
            case Stroke::Energy:
                return QColor(255, 0, 0);
            case Stroke::Invert:
                return QColor(0, 0, 255);
            case Stroke::Ground:
                return QColor(255, 255, 0);
            case Stroke::Black:
                break;
        }
        return Qt::black;
    }

    // On paper the lines are told apart by their dash pattern instead of their colour.
    Qt::PenStyle style(Stroke s) const {
        if (!print())
            return Qt::SolidLine;
        if (s == Stroke::Energy)
            return Qt::DashDotLine;
        if (s == Stroke::Invert)
            return Qt::DashDotDotLine;
        return Qt::SolidLine;
    }

    void add(SectionPrimitive::Kind kind, QPoint from, QPoint to, const QString& text,
             QColor color = Qt::black, Qt::PenStyle style = Qt::SolidLine) {
        out_.push_back({kind, from, to, text, color, style});
    }
    void line(Stroke s, double x1, double y1, double x2, double y2) {
        add(SectionPrimitive::Kind::Line, {truncatedCoordinate(x1), truncatedCoordinate(y1)},
            {truncatedCoordinate(x2), truncatedCoordinate(y2)}, {}, color(s), style(s));
    }
    void text(double x, double y, const QString& t) {
        add(SectionPrimitive::Kind::Text, {truncatedCoordinate(x), truncatedCoordinate(y)}, {}, t);
    }
    void rotated(double x, double y, const QString& t) {
        add(SectionPrimitive::Kind::RotatedText, {truncatedCoordinate(x), truncatedCoordinate(y)},
            {}, t);
    }

    void legend() {
        const double base = print() ? g_.x0 + g_.w : g_.x0;
        const double lineFrom = base + offsets_.legendLineFrom;
        const double lineTo = base + offsets_.legendLineTo;
        const double name = base + offsets_.legendName;
        text(base + offsets_.legendTitle, 0.23 * g_.h, QStringLiteral("Legende"));
        const struct {
            Stroke stroke;
            double sampleAt;
            double nameAt;
            const char* name;
        } entries[] = {{Stroke::Energy, 0.30, 0.29, "Energielinie"},
                       {Stroke::Invert, 0.35, 0.34, "Rohrsohle"},
                       {Stroke::Ground, 0.40, 0.39, "GOK"}};
        for (const auto& e : entries) {
            line(e.stroke, lineFrom, e.sampleAt * g_.h, lineTo, e.sampleAt * g_.h);
            text(name, e.nameAt * g_.h, QString::fromUtf8(e.name));
        }
    }

    void titleBlock(const TitleTexts& t) {
        const double left = g_.x0 + g_.w + 100;
        add(SectionPrimitive::Kind::Frame,
            {truncatedCoordinate(left), truncatedCoordinate(g_.yb + 500)},
            {truncatedCoordinate(g_.x0 + g_.w + 800), truncatedCoordinate(g_.yb + 1000)}, {});
        text(left + 10, g_.yb + 500, t.client);
        text(left + 10, g_.yb + 600, t.project);
        text(left + 10, g_.yb + 700, t.measure);
        text(left + 310, g_.yb + 800, t.projectNumber);
        text(left + 10, g_.yb + 800, t.numberCaption);
        text(left + 10, g_.yb + 900, t.scaleNote);
    }

    void valueTable() {
        const double from = g_.x0 + offsets_.tableStart;
        const double to = g_.x0 + g_.w;
        for (std::size_t i = 0; i < std::size(kTableLines); ++i) {
            line(Stroke::Black, from, row(kTableLines[i]), to, row(kTableLines[i]));
            if (i == 0)
                datumLabel();
            else
                text(g_.x0 + offsets_.rowLabel, row(kRowLabels[i - 1].at),
                     QString::fromUtf8(kRowLabels[i - 1].text));
        }
    }

    void datumLabel() {
        const QString zmin = twoDecimals(d_.zmin);
        const double x = g_.x0 + offsets_.datumX;
        const double y = g_.yb + offsets_.datumY;
        text(x, y, zmin);
        text(x + textWidth_(zmin) + 3, y, QStringLiteral("mNN"));
    }

    void nodeValues(double x, const SectionNode& node) {
        rotated(x, row(kGroundRow), twoDecimals(node.ground));
        rotated(x, row(kInvertRow), twoDecimals(node.invert));
        rotated(x, row(kEnergyRow), twoDecimals(node.energy));
    }

    void firstNode() {
        const SectionNode& first = d_.nodes.front();
        line(Stroke::Black, g_.x0, Y(first.energy), g_.x0, row(kTableBottom));
        nodeValues(g_.x0 + offsets_.firstValues, first);
        text(g_.x0 + offsets_.firstNumber, row(kNumberRow), first.number);
        pen_ = {truncatedCoordinate(g_.x0), truncatedCoordinate(Y(first.energy))};
    }

    void laterNode(std::size_t k) {
        const SectionNode& node = d_.nodes[k];
        const SectionNode& previous = d_.nodes[k - 1];
        const SectionSegment& segment = d_.segments[k - 1];
        const bool pump = segment.isPump();
        const double x = X(node.station);
        const double xp = X(double(node.station) - double(segment.length));
        const double xm = X(double(node.station) - double(segment.length) / 2.0);

        line(Stroke::Energy, pen_.x(), pen_.y(), x, Y(node.energy));
        line(Stroke::Black, x, Y(node.energy), x, row(kTableBottom));
        const int numberShift = print() ? offsets_.nodeNumber : node.labelShift;
        text(pump ? x + kPumpNumberOffset : x - numberShift, row(kNumberRow), node.number);
        const int valueShift = print() ? (pump ? 0 : offsets_.nodeValues) : node.labelShift;
        nodeValues(x - valueShift, node);
        segmentValues(xm, segment);
        profile(Stroke::Invert, xp, previous.invert, x, node.invert);
        profile(Stroke::Ground, xp, previous.ground, x, node.ground);
        pen_ = {truncatedCoordinate(x), truncatedCoordinate(Y(node.energy))};
    }

    void segmentValues(double xm, const SectionSegment& segment) {
        if (segment.isPump()) {
            rotated(xm, row(kPumpMark), QStringLiteral("Pumpe"));
            return;
        }
        text(xm, row(kLengthRow), twoDecimals(segment.length));
        text(xm, row(kDiameterRow), twoDecimals(segment.diameter));
        text(xm, row(kVelocityRow), twoDecimals(segment.velocity));
        text(xm, row(kFlowRow), twoDecimals(segment.flow));
    }

    // A height line between two nodes with the verticals down to the table's bottom at both ends.
    void profile(Stroke s, double xp, float zp, double x, float z) {
        line(Stroke::Black, xp, Y(zp), xp, row(kTableBottom));
        line(s, xp, Y(zp), x, Y(z));
        line(Stroke::Black, x, Y(z), x, row(kTableBottom));
    }

    const SectionGeometry& g_;
    const SectionData& d_;
    const TextWidth& textWidth_;
    const Offsets& offsets_;
    const double range_;
    const double length_;
    QPoint pen_;
    std::vector<SectionPrimitive> out_;
};

QPen penFor(const SectionPrimitive& p, Medium medium) {
    QPen pen(p.color, 1);
    // Qt's own dash patterns are too fine at a printer's resolution to be told apart.
    if (medium == Medium::Print && p.style == Qt::DashDotLine)
        pen.setDashPattern({20, 10, 5, 10});
    else if (medium == Medium::Print && p.style == Qt::DashDotDotLine)
        pen.setDashPattern({20, 10, 5, 10, 5, 10});
    else
        pen.setStyle(p.style);
    return pen;
}

}  // namespace

SectionGeometry SectionGeometry::screen(const QRect& client, const QRect& picture) {
    const double left = client.x();
    const double bottom = client.y() + client.height();
    const double wc = client.width();
    const double hc = client.height();
    return {Medium::Screen, left + 0.12 * wc, 0.65 * wc, bottom - 0.4 * hc, 0.5 * hc, picture};
}

SectionGeometry SectionGeometry::print() {
    const double h = 1200;
    const double w = 2000;
    return {Medium::Print, 0.27 * w, w, 1500 - 0.1 * h, h, QRect()};
}

std::vector<SectionPrimitive> buildSection(const SectionGeometry& geometry, const SectionData& data,
                                           const TitleTexts& title, const TextWidth& textWidth) {
    if (!data.drawable())
        return {};
    return SectionBuilder(geometry, data, textWidth).build(title);
}

QFont sectionFont(Medium medium) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(medium == Medium::Print ? 40 : 12);
    font.setWeight(QFont::Normal);
    return font;
}

void paintPrimitives(QPainter& painter, const std::vector<SectionPrimitive>& primitives,
                     Medium medium) {
    painter.save();
    painter.setFont(sectionFont(medium));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int ascent = painter.fontMetrics().ascent();
    for (const SectionPrimitive& p : primitives) {
        const QRect area(p.from, QSize(p.to.x() - p.from.x(), p.to.y() - p.from.y()));
        switch (p.kind) {
            case SectionPrimitive::Kind::Fill:
                painter.fillRect(area, p.color);
                break;
            case SectionPrimitive::Kind::Frame:
                painter.setPen(penFor(p, medium));
                painter.drawRect(area);
                break;
            case SectionPrimitive::Kind::Line:
                painter.setPen(penFor(p, medium));
                painter.drawLine(p.from, p.to);
                break;
            case SectionPrimitive::Kind::Text:
                painter.setPen(p.color);
                painter.drawText(p.from + QPoint(0, ascent), p.text);
                break;
            case SectionPrimitive::Kind::RotatedText:
                // Reads upward from the point; the top of the letters faces left, onto x.
                painter.save();
                painter.setPen(p.color);
                painter.translate(p.from);
                painter.rotate(-90);
                painter.drawText(QPoint(0, ascent), p.text);
                painter.restore();
                break;
        }
    }
    painter.restore();
}

void drawSection(QPainter& painter, const SectionGeometry& geometry, const SectionData& data,
                 const TitleTexts& title) {
    const QFontMetrics metrics(sectionFont(geometry.medium), painter.device());
    const auto primitives = buildSection(geometry, data, title, [&metrics](const QString& text) {
        return metrics.horizontalAdvance(text);
    });
    paintPrimitives(painter, primitives, geometry.medium);
}

bool printSection(QPrinter& printer, const SectionData& data, const TitleTexts& title) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The layout was made for a 300 dpi page; scaled as a whole it fills any printable area.
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    const double scale = std::min(area.width() / kPrintWidth, area.height() / kPrintHeight);
    painter.scale(scale, scale);
    drawSection(painter, SectionGeometry::print(), data, title);
    return painter.end();
}

}  // namespace kolma
