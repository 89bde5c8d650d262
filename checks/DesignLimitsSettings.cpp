#include "DesignLimitsSettings.h"

#include <QSettings>
#include <algorithm>

namespace kolma {
namespace {

const QString kStoreys = QStringLiteral("Bewertung/Stockwerke");
const QString kMaxPressure = QStringLiteral("Bewertung/HoechsterDruck");
const QString kMaxVelocity = QStringLiteral("Bewertung/HoechsteGeschwindigkeit");
const QString kStagnation = QStringLiteral("Bewertung/Stagnation");

}  // namespace

DesignLimits loadDesignLimits() {
    const QSettings settings;
    const DesignLimits defaults;
    DesignLimits limits;
    limits.storeys = std::clamp(settings.value(kStoreys, defaults.storeys).toInt(), kFewestStoreys,
                                kMostStoreys);
    limits.maxPressure = settings.value(kMaxPressure, defaults.maxPressure).toDouble();
    limits.maxVelocity = settings.value(kMaxVelocity, defaults.maxVelocity).toDouble();
    limits.stagnationVelocity = settings.value(kStagnation, defaults.stagnationVelocity).toDouble();
    return limits;
}

void saveDesignLimits(const DesignLimits& limits) {
    QSettings settings;
    settings.setValue(kStoreys, limits.storeys);
    settings.setValue(kMaxPressure, limits.maxPressure);
    settings.setValue(kMaxVelocity, limits.maxVelocity);
    settings.setValue(kStagnation, limits.stagnationVelocity);
}

}  // namespace kolma
