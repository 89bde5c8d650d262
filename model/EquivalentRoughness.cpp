#include "EquivalentRoughness.h"

#include <algorithm>
#include <cmath>

#include "tarnholm/element_laws.h"

namespace kolma {
namespace {

using tarnholm::kLaminarLimit;
using tarnholm::kTwoG;
constexpr double kPi = 3.14159265358979323846;
constexpr double kCubicFoot = kFoot * kFoot * kFoot;  // [m³]

// Friction gradient [m/m] of a pipe of diameter d [m] carrying q [m³/s] under EPANET's
// Hazen-Williams law (roughness C) or Manning law (roughness n).
double hazenWilliamsGradient(double c, double d, double q) {
    // EPANET: h = 4.727 C^-1.852 d^-4.871 L q^1.852, d in ft, q in cfs.
    const double dFeet = d / kFoot;
    const double qFeet = std::fabs(q) / kCubicFoot;
    return 4.727 * std::pow(c, -1.852) * std::pow(dFeet, -4.871) * std::pow(qFeet, 1.852);
}

double manningGradient(double n, double d, double q) {
    // EPANET: h = (4 n / (1.49 pi d²))² (d/4)^-1.333 L q², d in ft, q in cfs.
    const double dFeet = d / kFoot;
    const double qFeet = std::fabs(q) / kCubicFoot;
    const double factor = 4.0 * n / (1.49 * kPi * dFeet * dFeet);
    return factor * factor * std::pow(dFeet / 4.0, -1.333) * qFeet * qFeet;
}

// The ks [mm] with which Colebrook-White gives the gradient [m/m] at velocity v [m/s] in a pipe
// of diameter d [m]; viscosity in m²/s. 0 when the gradient lies below that of a hydraulically
// smooth pipe; nothing when the flow is laminar for the solver, where ks does not matter.
std::optional<double> ksForGradient(double gradient, double d, double velocity, double viscosity) {
    const double v = std::fabs(velocity);
    const double reynolds = v * d / viscosity;
    if (!(reynolds >= kLaminarLimit))
        return std::nullopt;
    // Colebrook-White solved for ks, with the friction factor of gradient = lambda/d v²/2g.
    const double lambda = gradient * d * kTwoG / (v * v);
    const double root = std::sqrt(lambda);
    const double ks = 3.71 * d * (std::pow(10.0, -1.0 / (2.0 * root)) - 2.51 / (reynolds * root));
    return std::max(0.0, ks * 1000.0);
}

}  // namespace

double velocityOf(double litresPerSecond, double diameterMm) {
    const double d = diameterMm * 1e-3;
    return litresPerSecond * 1e-3 / (kPi * d * d / 4.0);
}

std::optional<double> equivalentKs(HeadLossFormula formula, double roughness, double diameterMm,
                                   double velocity, double viscosity) {
    const double d = diameterMm * 1e-3;
    const double q = velocity * kPi * d * d / 4.0;
    const double gradient = formula == HeadLossFormula::HazenWilliams
                                ? hazenWilliamsGradient(roughness, d, q)
                                : manningGradient(roughness, d, q);
    return ksForGradient(gradient, d, velocity, viscosity);
}

}  // namespace kolma
