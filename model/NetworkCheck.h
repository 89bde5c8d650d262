// The network check: what in the tables keeps the solver from computing the network, or makes
// it compute something else than the engineer meant. Run on demand and before every calculation;
// fatal findings stop the calculation, warnings are shown and the engineer decides.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "Network.h"
#include "ProjectSettings.h"
#include "Tables.h"

namespace kolma {

enum class Severity { Fatal, Warning };

struct Finding {
    Severity severity = Severity::Warning;
    std::optional<CellPlace> place;  // the row it concerns; none for the settings
    QString what;                    // Befund
    QString remedy;                  // Abhilfe
    bool offersNodeOrder = false;    // "Knotenreihenfolge optimieren" repairs it
};

// Every finding of the tables and settings: fatal ones first, each group in table order.
std::vector<Finding> checkNetwork(const Tables& tables, const ProjectSettings& settings);

// "Fehler" or "Warnung".
QString severityText(Severity severity);
// "Rohre", "Pumpen", "Knoten", or "Einstellungen" without a place.
QString tableText(const std::optional<CellPlace>& place);

bool hasFatal(const std::vector<Finding>& findings);

// Plausible bounds of a pipe's values; beyond them a value is likely a typo.
inline constexpr double kLongestPlausiblePipe = 100000.0;    // [m]
inline constexpr double kSmallestPlausibleDiameter = 10.0;   // [mm]
inline constexpr double kLargestPlausibleDiameter = 3000.0;  // [mm]
inline constexpr double kLargestPlausibleRoughness = 10.0;   // ks [mm]

}  // namespace kolma
