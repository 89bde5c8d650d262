#include "Numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "KolmaError.h"

namespace kolma {

QLocale germanLocale() {
    QLocale locale(QLocale::German, QLocale::Germany);
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

int integerValue(const QString& text) {
    int i = 0;
    const int n = text.size();
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

namespace {

QString trimBlanks(const QString& text) {
    int first = 0;
    int last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

}  // namespace

int strictInt(const QString& text) {
    const QString t = trimBlanks(text);
    bool digitsOnly = !t.isEmpty();
    for (int i = 0; i < t.size() && digitsOnly; ++i) {
        const bool sign = i == 0 && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'));
        digitsOnly = sign ? t.size() > 1 : (t[i] >= QLatin1Char('0') && t[i] <= QLatin1Char('9'));
    }
    bool ok = false;
    const int value = digitsOnly ? t.toInt(&ok) : 0;
    if (!ok)
        throw KolmaError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
    return value;
}

double strictDouble(const QString& text) {
    bool ok = false;
    const double value = germanLocale().toDouble(trimBlanks(text), &ok);
    if (!ok)
        throw KolmaError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
    return value;
}

int truncatedCoordinate(double coordinate) {
    constexpr double kFar = 1e6;
    if (std::isnan(coordinate))
        return 0;
    return static_cast<int>(std::clamp(coordinate, -kFar, kFar));
}

QString twoDecimals(double value) {
    return germanLocale().toString(value, 'f', 2);
}

}  // namespace kolma
