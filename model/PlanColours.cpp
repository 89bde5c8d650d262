#include "PlanColours.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "KolmaError.h"
#include "Numbers.h"

namespace kolma {
namespace {

// Five colours each, spread over the classes.
constexpr Rgb kWarningRamp[] = {
    {215, 25, 28}, {253, 174, 97}, {26, 150, 65}, {43, 131, 186}, {123, 50, 148}};
constexpr Rgb kRisingRamp[] = {
    {44, 123, 182}, {0, 170, 170}, {120, 190, 60}, {240, 160, 40}, {200, 30, 30}};
constexpr int kRampStops = 5;
constexpr int kEvenClasses = 5;

Rgb rampAt(const Rgb (&ramp)[kRampStops], double t) {
    const double position = std::clamp(t, 0.0, 1.0) * (kRampStops - 1);
    const int below = std::min(static_cast<int>(position), kRampStops - 2);
    const double share = position - below;
    const auto mix = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    const Rgb& a = ramp[below];
    const Rgb& b = ramp[below + 1];
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
}

QString limitText(double limit) {
    return germanLocale().toString(limit, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

QString quantityName(PlanQuantity quantity) {
    switch (quantity) {
        case PlanQuantity::Pressure:
            return QStringLiteral("Druck");
        case PlanQuantity::Head:
            return QStringLiteral("Energiehöhe");
        case PlanQuantity::Velocity:
            return QStringLiteral("Geschwindigkeit");
        case PlanQuantity::Flow:
            return QStringLiteral("Durchfluss");
        case PlanQuantity::Gradient:
            return QStringLiteral("Gefälle");
        case PlanQuantity::None:
            break;
    }
    return QStringLiteral("ohne");
}

QString quantityTitle(PlanQuantity quantity) {
    switch (quantity) {
        case PlanQuantity::Pressure:
            return QStringLiteral("Versorgungsdruck [bar]");
        case PlanQuantity::Head:
            return QStringLiteral("Energiehöhe [mNN]");
        case PlanQuantity::Velocity:
            return QStringLiteral("Fließgeschwindigkeit [m/s]");
        case PlanQuantity::Flow:
            return QStringLiteral("Durchfluss [l/s]");
        case PlanQuantity::Gradient:
            return QStringLiteral("Gefälle [m/km]");
        case PlanQuantity::None:
            break;
    }
    return QString();
}

QString quantityKey(PlanQuantity quantity) {
    switch (quantity) {
        case PlanQuantity::Pressure:
            return QStringLiteral("Druck");
        case PlanQuantity::Head:
            return QStringLiteral("Energiehoehe");
        case PlanQuantity::Velocity:
            return QStringLiteral("Geschwindigkeit");
        case PlanQuantity::Flow:
            return QStringLiteral("Durchfluss");
        case PlanQuantity::Gradient:
            return QStringLiteral("Gefaelle");
        case PlanQuantity::None:
            break;
    }
    return QStringLiteral("ohne");
}

bool coloursNodes(PlanQuantity quantity) {
    return quantity == PlanQuantity::Pressure || quantity == PlanQuantity::Head;
}

bool coloursPipes(PlanQuantity quantity) {
    return quantity == PlanQuantity::Velocity || quantity == PlanQuantity::Flow ||
           quantity == PlanQuantity::Gradient;
}

std::vector<double> defaultLimits(PlanQuantity quantity) {
    switch (quantity) {
        case PlanQuantity::Pressure:
            return {2.0, 3.5, 6.0, 8.0};
        case PlanQuantity::Velocity:
            return {0.03, 0.5, 1.0, 2.0};
        case PlanQuantity::Flow:
            return {0.5, 2.0, 10.0, 50.0};
        case PlanQuantity::Gradient:
            return {1.0, 3.0, 5.0, 10.0};
        case PlanQuantity::Head:
        case PlanQuantity::None:
            break;
    }
    return {};
}

std::vector<double> evenLimits(double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high) || !(high > low))
        return {};
    std::vector<double> limits;
    for (int k = 1; k < kEvenClasses; ++k) {
        const double limit = std::round((low + (high - low) * k / kEvenClasses) * 100.0) / 100.0;
        if (limits.empty() || limit > limits.back())
            limits.push_back(limit);
    }
    return limits;
}

int classOf(double value, const std::vector<double>& limits) {
    if (std::isnan(value))
        return -1;
    return static_cast<int>(std::upper_bound(limits.begin(), limits.end(), value) - limits.begin());
}

std::vector<Rgb> classColours(PlanQuantity quantity, int classCount) {
    const bool warning = quantity == PlanQuantity::Pressure || quantity == PlanQuantity::Velocity;
    const auto& ramp = warning ? kWarningRamp : kRisingRamp;
    std::vector<Rgb> colours;
    for (int k = 0; k < classCount; ++k)
        colours.push_back(rampAt(ramp, classCount == 1 ? 0.5 : double(k) / (classCount - 1)));
    return colours;
}

QString classText(int index, const std::vector<double>& limits) {
    const int last = static_cast<int>(limits.size());
    if (last == 0)
        return QStringLiteral("alle Werte");
    if (index <= 0)
        return QStringLiteral("unter %1").arg(limitText(limits.front()));
    if (index >= last)
        return QStringLiteral("%1 und mehr").arg(limitText(limits.back()));
    return QStringLiteral("%1 bis unter %2")
        .arg(limitText(limits[index - 1]), limitText(limits[index]));
}

QString limitsText(const std::vector<double>& limits) {
    QStringList texts;
    for (double limit : limits)
        texts << limitText(limit);
    return texts.join(QStringLiteral("; "));
}

namespace {

// Class limits separated by semicolons, in the locale's number format: ascending, at most
// kMaxClassLimits; raises a KolmaError naming the first fault.
std::vector<double> limitsIn(const QString& text, const QLocale& locale) {
    const QString example = QStringLiteral("z. B. \"2; 3,5; 6; 8\"");
    std::vector<double> limits;
    if (text.trimmed().isEmpty())
        return limits;
    for (const QString& part : text.split(QLatin1Char(';'))) {
        bool ok = false;
        const double limit = locale.toDouble(part.trimmed(), &ok);
        if (!ok || !std::isfinite(limit))
            throw KolmaError(QStringLiteral("'%1' ist keine gültige Klassengrenze (%2).")
                                 .arg(part.trimmed(), example));
        if (!limits.empty() && limit <= limits.back())
            throw KolmaError(
                QStringLiteral("Die Klassengrenzen müssen aufsteigen (%1).").arg(example));
        limits.push_back(limit);
    }
    if (static_cast<int>(limits.size()) > kMaxClassLimits)
        throw KolmaError(
            QStringLiteral("Höchstens %1 Klassengrenzen sind möglich.").arg(kMaxClassLimits));
    return limits;
}

}  // namespace

std::vector<double> parseLimits(const QString& text) {
    return limitsIn(text, germanLocale());
}

QString limitsSetting(const std::vector<double>& limits) {
    QStringList texts;
    for (double limit : limits)
        texts << QString::number(limit, 'g', QLocale::FloatingPointShortest);
    return texts.join(QLatin1Char(';'));
}

std::vector<double> limitsFromSetting(const QString& text) {
    try {
        return limitsIn(text, QLocale::c());
    } catch (const KolmaError&) {
        return {};  // a damaged setting gives the defaults
    }
}

}  // namespace kolma
