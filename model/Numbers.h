// Conversions between the texts of tables and edits and numbers. The program works in the
// German locale whatever the machine's locale: decimal commas in tables, edits and drawings.
#pragma once

#include <QLocale>
#include <QString>

namespace kolma {

// The German locale, without thousands separators.
QLocale germanLocale();

// The integer value of a text: leading white space skipped, an optional sign and the digits
// that follow; 0 when no digit follows (values beyond the int range are clamped).
int integerValue(const QString& text);

// Strict conversion: the text, without blanks before and after, must be a whole number in the
// int range; otherwise a KolmaError "'text' ist kein gültiger Integerwert" is raised.
int strictInt(const QString& text);

// Strict conversion of a decimal number with a decimal comma (blanks before and after are
// ignored); otherwise a KolmaError "'text' ist kein gültiger Gleitkommawert" is raised.
double strictDouble(const QString& text);

// A drawing coordinate computed in floating point, truncated toward zero to whole pixels or
// device units. Values no device can show are held at ±1e6 and NaN gives 0, so that extreme
// data still give defined coordinates.
int truncatedCoordinate(double coordinate);

// Fixed point with exactly two decimals, decimal comma, no thousands separator: 12,50.
QString twoDecimals(double value);

// The exchange files' words for a cell without a value: "---" is written for it, and "(null)"
// stands for a flow cell without any text.
inline const QString kPlaceholder = QStringLiteral("---");
inline const QString kNullWord = QStringLiteral("(null)");

// A table cell or edit that holds no value: "" or a single blank.
inline bool isEmptyCell(const QString& text) {
    return text.isEmpty() || text == QLatin1String(" ");
}

// A pump head cell without a value: empty, a single blank or the exchange files' "---".
inline bool isEmptyHead(const QString& text) {
    return isEmptyCell(text) || text == kPlaceholder;
}

// A cell that carries a value: neither empty nor one of the exchange files' words for an empty
// value, "---" and "(null)".
inline bool holdsValue(const QString& text) {
    return !isEmptyCell(text) && text != kPlaceholder && text != kNullWord;
}

}  // namespace kolma
