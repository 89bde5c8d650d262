#include "ReportPumps.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <limits>

#include "tarnholm/texts.h"

namespace kolma {
namespace {

// The solver's text of a report line, trimmed: the lines read are compared trimmed.
QString reportLine(const char* text) {
    return QString::fromUtf8(text).trimmed();
}

const QString kPumpHeader = reportLine(tarnholm::text::kPumpHeader1);
const QString kOutOfRange = reportLine(tarnholm::text::kPumpOutOfRange1);
const QString kCheckSupports = reportLine(tarnholm::text::kPumpOutOfRange2);

// printf writes a value that is no number as "nan", "-nan", "inf" or "-inf".
double reportNumber(const QString& field) {
    bool ok = false;
    const double value = field.trimmed().toDouble(&ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

// "|%4.lf-%-4.0lf|%11.2lf|%11.2lf|  %s"; node numbers may carry a sign of their own.
bool readRow(const QString& line, PumpResult& pump) {
    static const QRegularExpression kNodes(QStringLiteral("^\\s*(-?\\d+)-(-?\\d+)\\s*$"));
    if (!line.startsWith(QLatin1Char('|')))
        return false;
    const QStringList fields = line.split(QLatin1Char('|'));
    if (fields.size() < 5)
        return false;
    const QRegularExpressionMatch nodes = kNodes.match(fields[1]);
    if (!nodes.hasMatch())
        return false;
    pump.startNode = nodes.captured(1).toInt();
    pump.endNode = nodes.captured(2).toInt();
    pump.flow = reportNumber(fields[2]);
    pump.deltaH = reportNumber(fields[3]);
    // The type name is whatever follows, '|' included.
    pump.type = fields.mid(4).join(QLatin1Char('|')).trimmed();
    return true;
}

}  // namespace

std::vector<PumpResult> pumpResultsOf(const QString& report) {
    const QStringList lines = report.split(QLatin1Char('\n'));
    int header = -1;
    for (int i = lines.size() - 1; i >= 0; --i) {
        if (lines[i].trimmed() == kPumpHeader) {
            header = i;
            break;
        }
    }
    std::vector<PumpResult> pumps;
    if (header < 0)
        return pumps;
    // The units line follows the header; the rows and their warnings follow it.
    for (int i = header + 2; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        PumpResult pump;
        if (readRow(line, pump))
            pumps.push_back(pump);
        else if (line == kOutOfRange && !pumps.empty())
            pumps.back().inRange = false;
        else if (line != kCheckSupports)
            break;
    }
    return pumps;
}

}  // namespace kolma
