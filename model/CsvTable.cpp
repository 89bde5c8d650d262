#include "CsvTable.h"

#include <QLocale>
#include <cmath>

#include "Numbers.h"

namespace kolma {
namespace {

QChar separatorOf(CsvStyle style) {
    return style == CsvStyle::German ? QLatin1Char(';') : QLatin1Char(',');
}

QString numberText(double number, int decimals, CsvStyle style) {
    if (!std::isfinite(number))
        return QString();
    const QLocale locale = style == CsvStyle::German ? germanLocale() : QLocale::c();
    return locale.toString(number, 'f', decimals);
}

// A field that holds the separator, a quote or a line break is quoted, its quotes doubled.
QString field(const QString& text, QChar separator) {
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList& fields, QChar separator) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted << field(f, separator);
    return quoted.join(separator) + QLatin1Char('\n');
}

}  // namespace

QByteArray csvBytes(const CsvTable& table, CsvStyle style) {
    const QChar separator = separatorOf(style);
    QString text = line(table.header, separator);
    for (const std::vector<CsvCell>& row : table.rows) {
        QStringList fields;
        for (const CsvCell& cell : row)
            fields << (cell.decimals < 0 ? cell.text
                                         : numberText(cell.number, cell.decimals, style));
        text += line(fields, separator);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

}  // namespace kolma
