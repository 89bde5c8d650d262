// The roughness laws of EPANET expressed as the Darcy-Weisbach roughness ks of the solver: the
// ks with which Colebrook-White gives, at a given flow, the friction gradient that EPANET's
// Hazen-Williams or Manning law gives there. EPANET's own constants are used, in the feet and
// cubic feet per second it computes in, so that the gradients are EPANET's to the last digit.
#pragma once

#include <optional>

namespace kolma {

enum class HeadLossFormula { DarcyWeisbach, HazenWilliams, ChezyManning };

// Friction gradient [m/m] of a pipe of diameter d [m] carrying q [m³/s] under EPANET's
// Hazen-Williams law (roughness C) or Manning law (roughness n).
double hazenWilliamsGradient(double c, double d, double q);
double manningGradient(double n, double d, double q);

// The ks [mm] with which Colebrook-White gives the gradient [m/m] at velocity v [m/s] in a pipe
// of diameter d [m]; viscosity in m²/s. 0 when the gradient lies below that of a hydraulically
// smooth pipe; nothing when the flow is laminar for the solver (Re < 2300), where ks does not
// matter.
std::optional<double> ksForGradient(double gradient, double d, double velocity, double viscosity);

// The ks [mm] equivalent to a Hazen-Williams C or a Manning n at the given velocity, for a
// pipe of the given diameter [mm]; nothing where ks does not matter (laminar flow).
std::optional<double> equivalentKs(HeadLossFormula formula, double roughness, double diameterMm,
                                   double velocity, double viscosity);

}  // namespace kolma
