// Drawing of the longitudinal section, shared by the section window and the printout. The drawing
// is built as a list of primitives in whole device units (coordinates computed in floating point
// and truncated toward zero) and then painted; screen and print differ in their geometry and in
// the few offsets, pens and the legend and title block placement that a page needs.
#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

#include "SectionData.h"
#include "TextFit.h"

class QPainter;
class QPrinter;

namespace kolma {

enum class Medium { Screen, Print };

// Background of the section window and of its picture: teal.
inline const QColor kSectionBackground(0, 128, 128);

struct SectionGeometry {
    Medium medium = Medium::Screen;
    double x0 = 0.0;   // x of station 0
    double w = 0.0;    // width of the whole length
    double yb = 0.0;   // y of the datum line (height zmin), top of the value table
    double h = 0.0;    // height of the whole height range; unit of the table rows
    QRect background;  // filled teal before drawing (screen only)

    // From the window's client rectangle; the background is the picture's area.
    static SectionGeometry screen(const QRect& client, const QRect& picture);
    // The fixed page layout in units of a 300 dpi printer.
    static SectionGeometry print();
};

// Size of the whole printout (section, legend and title block) in print units.
inline constexpr int kPrintWidth = 3340;
inline constexpr int kPrintHeight = 2380;

// The title block texts as the section window's labels hold them (empty until applied).
struct TitleTexts {
    QString client;         // Label6
    QString project;        // Label7
    QString measure;        // Label15
    QString projectNumber;  // Label16
    QString numberCaption;  // Label4, "Projektnr.:"
    QString scaleNote;      // Label5, "Maßstab: o. M."
};

struct SectionPrimitive {
    enum class Kind { Fill, Line, Text, RotatedText, Frame };
    Kind kind = Kind::Line;
    QPoint from;  // Line: start; Text: top-left corner; RotatedText: start, text runs upward
    QPoint to;    // Line: end; Fill and Frame: the corner opposite `from`
    QString text;
    QColor color = Qt::black;
    Qt::PenStyle style = Qt::SolidLine;
    int pixelSize = 0;  // Text and RotatedText: the font's pixel size
};

// The primitives of the section in drawing order, texts sized by `textSize`. Values, lengths and
// node numbers keep their places; each is drawn as large as the room to the next one allows, at
// least at a readable size, or left out. `title` is printed only on the print medium.
std::vector<SectionPrimitive> buildSection(const SectionGeometry& geometry, const SectionData& data,
                                           const TitleTexts& title, const TextSize& textSize);

// Font of all texts: 12 pixels on screen, 40 units in print (at their nominal size).
QFont sectionFont(Medium medium);
// The smallest size a text is made to fit: 6 points, 8 pixels on screen and 25 print units.
int minimumPixelSize(Medium medium);

// The box a text primitive covers (a rotated one stands right of its point, reading upward).
QRect textBox(const SectionPrimitive& text, const TextSize& textSize);

// Paints primitives with the medium's font and pens.
void paintPrimitives(QPainter& painter, const std::vector<SectionPrimitive>& primitives,
                     Medium medium);

// Builds and paints the section, measuring text with the painter's font.
void drawSection(QPainter& painter, const SectionGeometry& geometry, const SectionData& data,
                 const TitleTexts& title = {});

// Prints the section on one landscape page, scaled uniformly to the printable area. False when
// the print job could not be started.
bool printSection(QPrinter& printer, const SectionData& data, const TitleTexts& title);

}  // namespace kolma
