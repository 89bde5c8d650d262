// The element laws: each pipe and pump is linearised around its current flow, so that it
// carries a flow proportional to the head difference across it.
//   pipe a -> b:  Q = c * (h_a - h_b)
//   pump a -> b:  Q = c * (h_a - h_b + H0)
// Flows inside these laws are in m^3/s; the records hold l/s.
#pragma once

#include "tarnholm/network.h"

namespace tarnholm {

constexpr double kPiArea = 3.1415926535892;  // pi as used for flow areas
constexpr double kLaminarLimit = 2300.0;     // the friction factor is laminar below this Re
constexpr double kTwoG = 19.62;              // 2 g [m/s^2]

// The pump's support count limited to 1 .. kMaxSupportPoints, so that no index leaves its arrays.
int SupportCount(const Pump& pump);

// Darcy-Weisbach friction factor of a pipe (Colebrook-White above the laminar range).
// reynolds > 0; relativeRoughnessTerm = k / 3.71 / d (the roughness term inside the logarithm),
// roughnessStartTerm = 20000 * k / d (the roughness term of the start value).
double FrictionFactor(double reynolds, double relativeRoughnessTerm, double roughnessStartTerm);

// What the pipe law needs of the pipe's diameter and roughness; the node system derives it once
// per run, since it does not change between passes.
PipeConstants PipeConstantsOf(const Pipe& pipe);

// Reynolds number of the pipe at its current flow, as the friction factor sees it; viscosity in
// m^2/s.
double ReynoldsNumber(const Pipe& pipe, double viscosity);

// Stores in pipe.conductance the conductance c [m^3/s per m] of the pipe at its current flow;
// viscosity is the kinematic viscosity [m^2/s]. The second form derives the pipe's constants
// itself, for a pipe taken on its own.
void PipeConductance(Pipe& pipe, const PipeConstants& constants, double viscosity);
void PipeConductance(Pipe& pipe, double viscosity);

// Stores the pump's conductance c and tangent head H0 at its current flow (Hermite curve through
// the support points, slope by a central difference). The node system adds -H0 * c to the net
// inflow of the start node and +H0 * c to that of the end node.
void PumpLinearization(Pump& pump);

// How the pump's characteristic is linearised at a given flow.
enum class CurveUse {
    None,      // fewer than two support points: no characteristic at all
    Tangent,   // tangent of the Hermite curve at parameter t of the interval
    EndChord,  // at or beyond an end of the support range: the chord of the end interval
};

// The interval 0 .. n-2 (0-based, between support points j and j+1) and the curve parameter t
// at which the pump's characteristic is linearised for the given flow [l/s]. A flow strictly
// inside an interval takes that interval (the last one if several qualify). A flow exactly on an
// inner support flow takes the interval it begins, at t = 0. A flow at or beyond the first or
// the last support flow takes the chord of the end interval, which extends the characteristic
// by a straight line: the curve's own tangents vanish at its ends, where the central difference
// would give a slope of any sign.
CurveUse PumpCurveInterval(const Pump& pump, double flow, int& interval, double& t);

}  // namespace tarnholm
