// The roughness laws of EPANET expressed as the Darcy-Weisbach roughness ks of the solver: the
// ks with which Colebrook-White gives, at a given flow, the friction gradient that EPANET's
// Hazen-Williams or Manning law gives there. EPANET's own constants are used, in the feet and
// cubic feet per second it computes in, so that the gradients are EPANET's to the last digit.
#pragma once

#include <optional>

namespace kolma {

enum class HeadLossFormula { DarcyWeisbach, HazenWilliams, ChezyManning };

inline constexpr double kFoot = 0.3048;  // [m]

// The mean velocity [m/s] of a flow [l/s] in a pipe of the given diameter [mm].
double velocityOf(double litresPerSecond, double diameterMm);

// The ks [mm] equivalent to a Hazen-Williams C or a Manning n at the given velocity, for a
// pipe of the given diameter [mm]; nothing where ks does not matter (laminar flow).
std::optional<double> equivalentKs(HeadLossFormula formula, double roughness, double diameterMm,
                                   double velocity, double viscosity);

}  // namespace kolma
