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
constexpr double kValueBand = 0.1;  // height of the bands of the rotated node values, in h
constexpr double kLineBand = 0.05;  // height of the other bands, in h

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
    double beyondTable;  // room for the last labels of a row right of the table's end
};

const Offsets kScreenOffsets{-100, -90, -65, -15, -10, -10, 0, 0, 700, 660, 690, 700, 35};
const Offsets kPrintOffsets{-500, -490, -465, -45, -50, -30, 25, 50, 200, 200, 350, 370, 100};

class SectionBuilder {
public:
    SectionBuilder(const SectionGeometry& g, const SectionData& d, const TextSize& textSize)
        : g_(g),
          d_(d),
          textSize_(textSize),
          offsets_(g.medium == Medium::Print ? kPrintOffsets : kScreenOffsets),
          nominal_(sectionFont(g.medium).pixelSize()),
          minimum_(minimumPixelSize(g.medium)),
          gap_(g.medium == Medium::Print ? 4 : 1),
          // A zero range or length would divide by zero; a unit range stands in for it.
          range_(d.range == 0.0f ? 1.0 : d.range),
          length_(d.totalLength == 0.0f ? 1.0 : d.totalLength) {
        placeLabels();
    }

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
    // Where the labels of each node and segment stand, so that every label knows the room up to
    // the next one in its row.
    void placeLabels() {
        const std::size_t n = d_.nodes.size();
        valueAt_.resize(n);
        numberAt_.resize(n);
        middleAt_.assign(n > 0 ? n - 1 : 0, 0.0);
        valueAt_[0] = g_.x0 + offsets_.firstValues;
        numberAt_[0] = g_.x0 + offsets_.firstNumber;
        for (std::size_t k = 1; k < n; ++k) {
            const SectionNode& node = d_.nodes[k];
            const SectionSegment& segment = d_.segments[k - 1];
            const bool pump = segment.isPump();
            const double x = X(node.station);
            const int numberShift = print() ? offsets_.nodeNumber : node.labelShift;
            numberAt_[k] = pump ? x + kPumpNumberOffset : x - numberShift;
            const int valueShift = print() ? (pump ? 0 : offsets_.nodeValues) : node.labelShift;
            valueAt_[k] = x - valueShift;
            middleAt_[k - 1] = X(double(node.station) - double(segment.length) / 2.0);
        }
    }

    // The room from a label's place to the next label's place in the same row; the last one
    // reaches a little beyond the table's end, up to where the title block begins.
    double roomTo(const std::vector<double>& places, std::size_t k) const {
        const double next =
            k + 1 < places.size() ? places[k + 1] : g_.x0 + g_.w + offsets_.beyondTable;
        return next - places[k] - gap_;
    }

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
    void text(double x, double y, const QString& t, int pixelSize = 0) {
        add(SectionPrimitive::Kind::Text, {truncatedCoordinate(x), truncatedCoordinate(y)}, {}, t);
        out_.back().pixelSize = pixelSize > 0 ? pixelSize : nominal_;
    }
    void rotated(double x, double y, const QString& t, int pixelSize = 0) {
        add(SectionPrimitive::Kind::RotatedText, {truncatedCoordinate(x), truncatedCoordinate(y)},
            {}, t);
        out_.back().pixelSize = pixelSize > 0 ? pixelSize : nominal_;
    }

    // A text at its place, as large as its room allows; left out when it fits at no readable
    // size. `along` is the room in the reading direction, `across` the room for its height.
    std::optional<int> fit(const QString& t, double along, double across) const {
        return fittingPixelSize(t, QSize(truncatedCoordinate(along), truncatedCoordinate(across)),
                                nominal_, minimum_, textSize_);
    }
    void fittedText(double x, double y, const QString& t, double along, double across) {
        if (const auto size = fit(t, along, across))
            text(x, y, t, *size);
    }
    void fittedRotated(double x, double y, const QString& t, double along, double across) {
        if (const auto size = fit(t, along, across))
            rotated(x, y, t, *size);
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
        // The names stand 0.05 h apart, which a window of little height makes less than a line.
        for (const auto& e : entries) {
            line(e.stroke, lineFrom, e.sampleAt * g_.h, lineTo, e.sampleAt * g_.h);
            fittedText(name, e.nameAt * g_.h, QString::fromUtf8(e.name), g_.w, 0.05 * g_.h - gap_);
        }
    }

    void titleBlock(const TitleTexts& t) {
        const double left = g_.x0 + g_.w + 100;
        add(SectionPrimitive::Kind::Frame,
            {truncatedCoordinate(left), truncatedCoordinate(g_.yb + 500)},
            {truncatedCoordinate(g_.x0 + g_.w + 800), truncatedCoordinate(g_.yb + 1000)}, {});
        // Fields of the frame: 700 units wide, a line of 100 units each; the project number stands
        // beside its caption.
        const double field = 700 - 20;
        const double line = 100;
        fittedText(left + 10, g_.yb + 500, t.client, field, line);
        fittedText(left + 10, g_.yb + 600, t.project, field, line);
        fittedText(left + 10, g_.yb + 700, t.measure, field, line);
        fittedText(left + 310, g_.yb + 800, t.projectNumber, 700 - 310 - 10, line);
        fittedText(left + 10, g_.yb + 800, t.numberCaption, 300 - gap_, line);
        fittedText(left + 10, g_.yb + 900, t.scaleNote, field, line);
    }

    void valueTable() {
        const double from = g_.x0 + offsets_.tableStart;
        const double to = g_.x0 + g_.w;
        for (std::size_t i = 0; i < std::size(kTableLines); ++i) {
            line(Stroke::Black, from, row(kTableLines[i]), to, row(kTableLines[i]));
            if (i == 0)
                datumLabel();
            else
                rowLabel(i);
        }
    }

    // A row label ends before the first node's values begin.
    void rowLabel(std::size_t line) {
        const RowLabel& label = kRowLabels[line - 1];
        const double band = kTableLines[line] - kTableLines[line - 1];
        fittedText(g_.x0 + offsets_.rowLabel, row(label.at), QString::fromUtf8(label.text),
                   offsets_.firstValues - offsets_.rowLabel - gap_, band * g_.h - gap_);
    }

    void datumLabel() {
        const QString zmin = twoDecimals(d_.zmin);
        const double x = g_.x0 + offsets_.datumX;
        const double y = g_.yb + offsets_.datumY;
        text(x, y, zmin);
        text(x + textSize_(zmin, nominal_).width() + 3, y, QStringLiteral("mNN"));
    }

    // The three values of a node read upward through their bands, each as long as its band is
    // high and as thick as the room to the next node's values.
    void nodeValues(std::size_t k) {
        const SectionNode& node = d_.nodes[k];
        const double x = valueAt_[k];
        const double along = kValueBand * g_.h - gap_;
        const double across = roomTo(valueAt_, k);
        fittedRotated(x, row(kGroundRow), twoDecimals(node.ground), along, across);
        fittedRotated(x, row(kInvertRow), twoDecimals(node.invert), along, across);
        fittedRotated(x, row(kEnergyRow), twoDecimals(node.energy), along, across);
    }

    void nodeNumber(std::size_t k) {
        fittedText(numberAt_[k], row(kNumberRow), d_.nodes[k].number, roomTo(numberAt_, k),
                   kLineBand * g_.h - gap_);
    }

    void firstNode() {
        const SectionNode& first = d_.nodes.front();
        line(Stroke::Black, g_.x0, Y(first.energy), g_.x0, row(kTableBottom));
        nodeValues(0);
        nodeNumber(0);
        pen_ = {truncatedCoordinate(g_.x0), truncatedCoordinate(Y(first.energy))};
    }

    void laterNode(std::size_t k) {
        const SectionNode& node = d_.nodes[k];
        const SectionNode& previous = d_.nodes[k - 1];
        const SectionSegment& segment = d_.segments[k - 1];
        const double x = X(node.station);
        const double xp = X(double(node.station) - double(segment.length));
        const double xm = X(double(node.station) - double(segment.length) / 2.0);

        line(Stroke::Energy, pen_.x(), pen_.y(), x, Y(node.energy));
        line(Stroke::Black, x, Y(node.energy), x, row(kTableBottom));
        nodeNumber(k);
        nodeValues(k);
        segmentValues(k - 1, xm, segment);
        profile(Stroke::Invert, xp, previous.invert, x, node.invert);
        profile(Stroke::Ground, xp, previous.ground, x, node.ground);
        pen_ = {truncatedCoordinate(x), truncatedCoordinate(Y(node.energy))};
    }

    // A segment's values start at its middle and may reach to the next segment's middle.
    void segmentValues(std::size_t k, double xm, const SectionSegment& segment) {
        if (segment.isPump()) {
            fittedRotated(xm, row(kPumpMark), QStringLiteral("Pumpe"), kValueBand * g_.h - gap_,
                          roomTo(middleAt_, k));
            return;
        }
        const double along = roomTo(middleAt_, k);
        const double across = kLineBand * g_.h - gap_;
        fittedText(xm, row(kLengthRow), twoDecimals(segment.length), along, across);
        fittedText(xm, row(kDiameterRow), twoDecimals(segment.diameter), along, across);
        fittedText(xm, row(kVelocityRow), twoDecimals(segment.velocity), along, across);
        fittedText(xm, row(kFlowRow), twoDecimals(segment.flow), along, across);
    }

    // A height line between two nodes with the verticals down to the table's bottom at both ends.
    void profile(Stroke s, double xp, float zp, double x, float z) {
        line(Stroke::Black, xp, Y(zp), xp, row(kTableBottom));
        line(s, xp, Y(zp), x, Y(z));
        line(Stroke::Black, x, Y(z), x, row(kTableBottom));
    }

    const SectionGeometry& g_;
    const SectionData& d_;
    const TextSize& textSize_;
    const Offsets& offsets_;
    const int nominal_;
    const int minimum_;
    const int gap_;  // between two texts
    const double range_;
    const double length_;
    std::vector<double> valueAt_;   // x of each node's rotated values
    std::vector<double> numberAt_;  // x of each node's number
    std::vector<double> middleAt_;  // x of each segment's values
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
                                           const TitleTexts& title, const TextSize& textSize) {
    if (!data.drawable())
        return {};
    return SectionBuilder(geometry, data, textSize).build(title);
}

QFont sectionFont(Medium medium) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(medium == Medium::Print ? 40 : 12);
    font.setWeight(QFont::Normal);
    return font;
}

int minimumPixelSize(Medium medium) {
    return medium == Medium::Print ? 25 : 8;
}

QRect textBox(const SectionPrimitive& text, const TextSize& textSize) {
    const QSize size = textSize(text.text, text.pixelSize);
    if (text.kind == SectionPrimitive::Kind::RotatedText)
        return QRect(text.from.x(), text.from.y() - size.width(), size.height(), size.width());
    return QRect(text.from, size);
}

void paintPrimitives(QPainter& painter, const std::vector<SectionPrimitive>& primitives,
                     Medium medium) {
    painter.save();
    QFont font = sectionFont(medium);
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    int ascent = 0;
    // Texts come in few sizes; the font changes only where the size does.
    const auto useSize = [&](int pixelSize) {
        if (font.pixelSize() == pixelSize && ascent > 0)
            return;
        font.setPixelSize(pixelSize);
        painter.setFont(font);
        ascent = painter.fontMetrics().ascent();
    };
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
                useSize(p.pixelSize);
                painter.setPen(p.color);
                painter.drawText(p.from + QPoint(0, ascent), p.text);
                break;
            case SectionPrimitive::Kind::RotatedText:
                useSize(p.pixelSize);
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
    const auto primitives = buildSection(
        geometry, data, title, fontTextSize(sectionFont(geometry.medium), painter.device()));
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
