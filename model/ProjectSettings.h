// The two calculation settings of a project, as text the way the user typed them.
#pragma once

#include <QString>

namespace kolma {

struct ProjectSettings {
    QString viscosity;   // kinematic viscosity, 10^-6 m²/s, decimal comma
    QString iterations;  // maximum number of solver iterations

    bool operator==(const ProjectSettings& other) const {
        return viscosity == other.viscosity && iterations == other.iterations;
    }
    bool operator!=(const ProjectSettings& other) const { return !(*this == other); }
};

// The settings of a new program start.
inline ProjectSettings defaultSettings() {
    return {QStringLiteral("1,305"), QStringLiteral("1000")};
}

}  // namespace kolma
