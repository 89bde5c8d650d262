// The steps of the iteration driver, for the benchmarks and the tests; CalculateNetwork (in
// program.h) runs them in order and writes the results.
#pragma once

#include "tarnholm/network.h"
#include "tarnholm/program.h"

namespace tarnholm {

// Relaxes an element's flow towards its new flow [l/s]. Returns true when the relative change
// (flow - newFlow) / flow is within 1e-7 or not a number: the element has converged and its
// flow stays. Otherwise the flow moves by 1 % of the change when |r| > 1, else by 10 %.
bool RelaxFlow(double& flow, double newFlow);

// Set-up before the first pass: profile, saved pump inflows, free-node flags, row storage;
// clears the values the passes derive, so that a run without passes reports defined numbers.
CalcResult SetUpNodeSystem(Network& net);

// One pass: assemble, decompose, solve, then the new element flows and their relaxation.
// Returns Done or NotPositiveDefinite; converged tells whether every pipe has converged.
CalcResult IterationPass(Network& net, bool& converged);

// Passes until every pipe has converged or the bound is reached; counter ends as the number of
// passes made, or the bound + 1 when the bound stopped the loop.
CalcResult Iterate(Network& net, int& counter);

}  // namespace tarnholm
