// Independent calculations of the hydraulic laws, to check the solver's results against.
#pragma once

#include <cmath>

#include "tarnholm/network.h"

namespace tarnholm {

constexpr double kNu = 1.305e-6;  // kinematic viscosity of the tests [m^2/s]

// Colebrook-White solved by bisection on x = 1 / sqrt(lambda) in long double.
inline double ReferenceColebrook(double reynolds, double relativeRoughness) {
    auto f = [&](long double x) {
        return x + 2.0L * std::log10(2.51L * x / reynolds + relativeRoughness / 3.71L);
    };
    long double low = 0.1L;
    long double high = 100.0L;
    for (int step = 0; step < 200; ++step) {
        const long double mid = 0.5L * (low + high);
        (f(mid) > 0 ? high : low) = mid;
    }
    const long double x = 0.5L * (low + high);
    return static_cast<double>(1.0L / (x * x));
}

// Darcy-Weisbach head loss [m] of the pipe at the flow [l/s]: (lambda L / d + zeta) q |q| /
// (2 g A^2), lambda laminar below Re 2300 (Re with pi = 3.1415, as the law is stated).
inline double ReferenceHeadLoss(const Pipe& pipe, double flow, double viscosity) {
    if (flow == 0.0) {
        return 0.0;
    }
    const double q = flow * 0.001;
    const double d = pipe.diameter * 0.001;
    const double reynolds = std::fabs(q) / (d * d * 3.1415 / 4) * d / viscosity;
    const double lambda = reynolds < 2300
                              ? 64 / reynolds
                              : ReferenceColebrook(reynolds, pipe.roughness / pipe.diameter);
    const double area = d * d * 3.1415926535892 / 4;
    return (lambda * pipe.length / d + pipe.zeta) * q * std::fabs(q) / (19.62 * area * area);
}

}  // namespace tarnholm
