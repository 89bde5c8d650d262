// The plan on paper and in files: printed on one landscape page, or exported as PNG, SVG or PDF,
// each with the title line and the legend, drawn by the same routine as the window.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QRectF>
#include <QString>
#include <optional>

#include "PlanDrawing.h"

class QPrinter;

namespace kolma {

enum class ExportFormat { Png, Svg, Pdf };

// The exported PNG's size in pixels, drawn at twice the screen's line widths and text sizes.
inline constexpr int kPngWidth = 2400;
inline constexpr int kPngHeight = 1700;
inline constexpr double kPngUnit = 2.0;
// The SVG's size in pixels.
inline constexpr int kSvgWidth = 1200;
inline constexpr int kSvgHeight = 850;

// "Lageplan Beispielnetz.ein, 12.05.2025": the project's file name and the date.
QString planTitle(const QString& projectFile, const QDate& date);

// The format a file name asks for by its extension (any case); none for another extension.
std::optional<ExportFormat> exportFormatOf(const QString& fileName);

// The file's bytes: the plan rectangle `view` [m] fitted into an A4 landscape page (PDF) or a
// picture of the sizes above, with the look's title line and the legend.
QByteArray exportedPlan(ExportFormat format, const PlanData& data, const PlanLook& look,
                        const QRectF& view);

// Prints the plan rectangle on one landscape page, scaled to the printable area. False when the
// print job could not be started.
bool printPlan(QPrinter& printer, const PlanData& data, const PlanLook& look, const QRectF& view);

}  // namespace kolma
