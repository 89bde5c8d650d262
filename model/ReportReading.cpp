#include "ReportReading.h"

#include <QRegularExpression>
#include <QStringList>

#include "ProjectFile.h"
#include "Tables.h"
#include "tarnholm/texts.h"

namespace kolma {
namespace {

// A report text with its "%hd" as a captured whole number, for reading its line back.
QRegularExpression abortLine(const char* format) {
    QStringList parts = QString::fromUtf8(format).split(QStringLiteral("%hd"));
    for (QString& part : parts)
        part = QRegularExpression::escape(part);
    return QRegularExpression(parts.join(QStringLiteral("(-?\\d+)")));
}

// The row of the table an abort line of the solver names.
std::optional<CellPlace> placeOf(const QString& text) {
    namespace t = tarnholm::text;
    const struct {
        const char* format;
        TableId table;
        bool pumpBlock;
    } lines[] = {{t::kPipeAbortLine, TableId::Pipes, false},
                 {t::kPumpAbortLine, TableId::Pumps, true},
                 {t::kNodeAbortLine, TableId::Nodes, false},
                 {t::kNodeNumbersAbortLine, TableId::Nodes, false}};
    for (const auto& line : lines) {
        const QRegularExpressionMatch match = abortLine(line.format).match(text);
        if (!match.hasMatch())
            continue;
        const int number = match.captured(1).toInt();
        return CellPlace{line.table, line.pumpBlock ? firstPumpRow(number) : number, kKeyColumn};
    }
    return std::nullopt;
}

}  // namespace

QString solverPart(const QString& report) {
    // The banner ends with the title of the input data and a line of dashes, which the solver's
    // text may follow on the same line.
    const QString title = QString::fromUtf8(kInputDataTitle) + QLatin1Char('\n');
    const int at = report.indexOf(title);
    if (at < 0)
        return report;
    int end = at + title.size();
    while (end < report.size() && report[end] == QLatin1Char('-'))
        ++end;
    return report.mid(end);
}

std::optional<ReportInputError> inputErrorOf(const QString& report) {
    const QString part = solverPart(report);
    namespace t = tarnholm::text;
    // The echo begins with the element counts; only an input error leaves it out.
    const QString echo = QString::fromUtf8(t::kEchoPipeCount).section(QLatin1Char('%'), 0, 0);
    if (part.trimmed().isEmpty() || part.contains(echo))
        return std::nullopt;
    return ReportInputError{part.trimmed(), placeOf(part)};
}

}  // namespace kolma
