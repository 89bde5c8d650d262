#include "tarnholm/element_laws.h"

#include <cmath>

namespace tarnholm {

namespace {

constexpr double kPiVelocity = 3.1415;              // pi as used for the Reynolds number
constexpr double kLaminarFactor = 64.0;             // lambda = 64 / Re
constexpr double kStartFactor = 0.0055;             // start value of the friction factor ...
constexpr double kStartRoughness = 20000.0;         // ... its roughness weight ...
constexpr double kStartReynolds = 1000000.0;        // ... its Reynolds weight ...
constexpr double kStartExponent = 0.33333;          // ... and its exponent (not exactly 1/3)
constexpr double kColebrookReynolds = 2.51;         // Colebrook-White: Reynolds term
constexpr double kInverse371 = 0.2695417789757412;  // Colebrook-White: 1 / 3.71
constexpr double kColebrookFactor = -2.0;
constexpr double kFrictionTolerance = 1e-6;  // stop bound of the extrapolated value
constexpr int kMaxAitkenSteps = 100;         // guards against a map that never settles
constexpr double kTangentFactor = 0.5;       // pump curve tangents
constexpr double kParameterStep = 0.01;      // pump slope: central difference in t

// The Colebrook-White fixed-point map lambda -> g(lambda).
double ColebrookMap(double lambda, double reynolds, double roughnessTerm) {
    const double x =
        1.0 / (kColebrookFactor *
               std::log10(kColebrookReynolds / reynolds / std::sqrt(lambda) + roughnessTerm));
    return x * x;
}

struct CurvePoint {
    double q;  // flow [m^3/s]
    double h;  // head [m]
};

CurvePoint SupportPoint(const Pump& pump, int j) {
    return {kMilli * pump.supportFlow[j], pump.supportHead[j]};
}

// Point of the cubic Hermite segment from p0 to p1 with tangents m0 and m1 at parameter tau.
CurvePoint Hermite(const CurvePoint& p0, const CurvePoint& p1, const CurvePoint& m0,
                   const CurvePoint& m1, double tau) {
    const double tau2 = tau * tau;
    const double tau3 = tau2 * tau;
    const double h00 = 2 * tau3 - 3 * tau2 + 1;
    const double h01 = -2 * tau3 + 3 * tau2;
    const double h10 = tau3 - 2 * tau2 + tau;
    const double h11 = tau3 - tau2;
    return {h00 * p0.q + h01 * p1.q + h10 * m0.q + h11 * m1.q,
            h00 * p0.h + h01 * p1.h + h10 * m0.h + h11 * m1.h};
}

// Slope s [m per m^3/s] and the curve point of the Hermite tangent at parameter t.
double HermiteSlope(const Pump& pump, int j, double t, CurvePoint& at) {
    const int last = SupportCount(pump) - 2;  // index of the last interval
    const CurvePoint p0 = SupportPoint(pump, j);
    const CurvePoint p1 = SupportPoint(pump, j + 1);
    CurvePoint m0{0.0, 0.0};
    CurvePoint m1{0.0, 0.0};
    if (j > 0) {
        const CurvePoint before = SupportPoint(pump, j - 1);
        m0 = {kTangentFactor * (p1.q - before.q), kTangentFactor * (p1.h - before.h)};
    }
    if (j < last) {
        const CurvePoint after = SupportPoint(pump, j + 2);
        m1 = {kTangentFactor * (after.q - p0.q), kTangentFactor * (after.h - p0.h)};
    }
    at = Hermite(p0, p1, m0, m1, t);
    const CurvePoint below = Hermite(p0, p1, m0, m1, t - kParameterStep);
    const CurvePoint above = Hermite(p0, p1, m0, m1, t + kParameterStep);
    return (below.h - above.h) / (above.q - below.q);
}

// Slope of the chord of interval j, with its first support point as the curve point.
double ChordSlope(const Pump& pump, int j, CurvePoint& at) {
    at = SupportPoint(pump, j);
    const CurvePoint next = SupportPoint(pump, j + 1);
    return (at.h - next.h) / (next.q - at.q);
}

}  // namespace

int SupportCount(const Pump& pump) {
    if (pump.supportCount < 1) {
        return 1;
    }
    if (pump.supportCount > kMaxSupportPoints) {
        return kMaxSupportPoints;
    }
    return pump.supportCount;
}

double FrictionFactor(double reynolds, double relativeRoughnessTerm, double roughnessStartTerm) {
    if (reynolds < kLaminarLimit) {
        return kLaminarFactor / reynolds;
    }
    double lambda0 = kStartFactor *
                     (1 + std::pow(roughnessStartTerm + kStartReynolds / reynolds, kStartExponent));
    for (int step = 0; step < kMaxAitkenSteps; ++step) {
        const double lambda1 = ColebrookMap(lambda0, reynolds, relativeRoughnessTerm);
        const double lambda2 = ColebrookMap(lambda1, reynolds, relativeRoughnessTerm);
        const double delta1 = lambda1 - lambda0;
        // The map has reached its fixed point: the extrapolation would divide by zero.
        if (delta1 == 0.0) {
            return lambda1;
        }
        const double delta2 = lambda2 - lambda1;
        const double r = delta2 / delta1;
        const double extrapolated = lambda1 - delta2 / (r - 1);
        const double change = extrapolated - lambda0;
        lambda0 = extrapolated;
        // Written so that a value that is not a number ends the loop as well.
        if (!(std::fabs(change) >= kFrictionTolerance)) {
            break;
        }
    }
    return lambda0;
}

PipeConstants PipeConstantsOf(const Pipe& pipe) {
    PipeConstants c;
    c.d = kMilli * pipe.diameter;
    const double k = kMilli * pipe.roughness;
    c.velocityArea = c.d * c.d * kPiVelocity * 0.25;
    c.roughnessTerm = k * kInverse371 / c.d;
    c.startTerm = kStartRoughness * k / c.d;
    const double area = c.d * c.d * kPiArea * 0.25;
    c.areaTerm = area * kTwoG * area;
    return c;
}

namespace {

// Reynolds number of a flow q [m^3/s] in the pipe; pi is taken as 3.1415 in its velocity.
double ReynoldsOf(double q, const PipeConstants& c, double viscosity) {
    const double v = std::fabs(q) / c.velocityArea;
    return v * c.d / viscosity;
}

}  // namespace

double ReynoldsNumber(const Pipe& pipe, double viscosity) {
    return ReynoldsOf(kMilli * pipe.flow, PipeConstantsOf(pipe), viscosity);
}

void PipeConductance(Pipe& pipe, const PipeConstants& c, double viscosity) {
    const double q = kMilli * pipe.flow;
    const double reynolds = ReynoldsOf(q, c, viscosity);
    double resistance;
    if (reynolds == 0.0) {
        // No flow: the laminar limit of |q| * lambda = 64 * nu * (d d pi / 4) / d, where the
        // local losses (proportional to |q|) vanish.
        const double flowTimesLambda = kLaminarFactor * viscosity * c.velocityArea / c.d;
        resistance = flowTimesLambda * pipe.length / c.d / c.areaTerm;
    } else {
        const double lambda = FrictionFactor(reynolds, c.roughnessTerm, c.startTerm);
        resistance = std::fabs(q) * (lambda * pipe.length / c.d + pipe.zeta) / c.areaTerm;
    }
    pipe.conductance = 1 / resistance;
}

void PipeConductance(Pipe& pipe, double viscosity) {
    PipeConductance(pipe, PipeConstantsOf(pipe), viscosity);
}

CurveUse PumpCurveInterval(const Pump& pump, double flow, int& interval, double& t) {
    const int n = SupportCount(pump);
    if (n < 2) {
        return CurveUse::None;
    }
    const double* supportFlow = pump.supportFlow;
    for (int j = n - 2; j >= 0; --j) {
        if (supportFlow[j] < flow && flow < supportFlow[j + 1]) {
            const double q = kMilli * flow;
            const double qj = kMilli * supportFlow[j];
            const double qj1 = kMilli * supportFlow[j + 1];
            interval = j;
            t = (std::fabs(q) - std::fabs(qj)) / (std::fabs(qj1) - std::fabs(qj));
            return CurveUse::Tangent;
        }
    }
    t = 0.0;
    for (int j = 1; j < n - 1; ++j) {
        if (flow == supportFlow[j]) {
            interval = j;
            return CurveUse::Tangent;
        }
    }
    interval = flow <= supportFlow[0] ? 0 : n - 2;
    return CurveUse::EndChord;
}

void PumpLinearization(Pump& pump) {
    int j = 0;
    double t = 0.0;
    CurvePoint at{0.0, 0.0};
    double slope = 0.0;
    switch (PumpCurveInterval(pump, pump.flow, j, t)) {
        case CurveUse::None:
            // A single support point describes no characteristic: the pump carries nothing.
            pump.conductance = 0.0;
            pump.tangentHead = 0.0;
            return;
        case CurveUse::Tangent:
            slope = HermiteSlope(pump, j, t, at);
            break;
        case CurveUse::EndChord:
            slope = ChordSlope(pump, j, at);
            break;
    }
    pump.conductance = 1 / slope;
    pump.tangentHead = slope * at.q + at.h;
}

}  // namespace tarnholm
