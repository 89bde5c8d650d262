#include "PlanExport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include "TextFile.h"

namespace kolma {
namespace {

constexpr int kPdfResolution = 300;         // dots per inch
constexpr double kScreenResolution = 96.0;  // what a screen pixel stands for on paper
constexpr double kPdfMargin = 10.0;         // [mm]

// Draws the page: white ground, then the plan.
void drawPage(QPainter& painter, const QRectF& page, double unit, const PlanData& data,
              const PlanLook& look, const QRectF& view) {
    painter.fillRect(page, Qt::white);
    drawPlan(painter, pageGeometry(page, unit, view), data, look);
}

QByteArray pngBytes(const PlanData& data, const PlanLook& look, const QRectF& view) {
    QImage image(kPngWidth, kPngHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        drawPage(painter, QRectF(0, 0, kPngWidth, kPngHeight), kPngUnit, data, look, view);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray svgBytes(const PlanData& data, const PlanLook& look, const QRectF& view) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kSvgWidth, kSvgHeight));
    svg.setViewBox(QRect(0, 0, kSvgWidth, kSvgHeight));
    svg.setTitle(look.title);
    {
        QPainter painter(&svg);
        drawPage(painter, QRectF(0, 0, kSvgWidth, kSvgHeight), 1.0, data, look, view);
    }
    return bytes;
}

QByteArray pdfBytes(const PlanData& data, const PlanLook& look, const QRectF& view) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfResolution);
    pdf.setTitle(look.title);
    pdf.setCreator(QStringLiteral("KOLMA"));
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(kPdfMargin, kPdfMargin, kPdfMargin, kPdfMargin),
                                  QPageLayout::Millimeter));
    {
        QPainter painter(&pdf);
        drawPage(painter, QRectF(0, 0, pdf.width(), pdf.height()),
                 kPdfResolution / kScreenResolution, data, look, view);
    }
    return bytes;
}

}  // namespace

QString planTitle(const QString& projectFile, const QDate& date) {
    return QStringLiteral("Lageplan %1, %2")
        .arg(namePart(projectFile), date.toString(QStringLiteral("dd.MM.yyyy")));
}

std::optional<ExportFormat> exportFormatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ExportFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    return std::nullopt;
}

QByteArray exportedPlan(ExportFormat format, const PlanData& data, const PlanLook& look,
                        const QRectF& view) {
    switch (format) {
        case ExportFormat::Png:
            return pngBytes(data, look, view);
        case ExportFormat::Svg:
            return svgBytes(data, look, view);
        case ExportFormat::Pdf:
            break;
    }
    return pdfBytes(data, look, view);
}

bool printPlan(QPrinter& printer, const PlanData& data, const PlanLook& look, const QRectF& view) {
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF area = printer.pageRect(QPrinter::DevicePixel);
    drawPage(painter, QRectF(0, 0, area.width(), area.height()),
             printer.resolution() / kScreenResolution, data, look, view);
    return painter.end();
}

}  // namespace kolma
