// The solver inside another program: a network read from the text of an "eingabe.dat" without
// any file, and the iteration within limits the caller chooses. The arithmetic is the program's
// own, so a run here and a run of tarnholm on the same text give the same numbers.
#pragma once

#include <atomic>
#include <string>

#include "tarnholm/network.h"
#include "tarnholm/program.h"
#include "tarnholm/reader.h"

namespace tarnholm {

// Reads an "eingabe.dat" text into net, as the program does; the input echo is not kept.
InputError ReadNetworkText(const std::string& text, Network& net);

// What ended a calculation.
enum class StopRule {
    Converged,    // every pipe converged (the program's rule)
    HeadsSteady,  // the heads stood still over the window although the program's rule had not
    Bound,        // the pass limit was reached
    Cancelled,    // the caller asked to stop
};

struct IterationLimits {
    int maxPasses = 0;  // passes at most
    // With a tolerance above 0 [m], a run also ends when no head has moved by this much over the
    // last window of passes: a pipe whose balanced flow lies at the friction factor's jump at
    // Re = 2300 swings for ever while every head stays put.
    double steadyHeads = 0.0;
    int steadyWindow = 20;
    const std::atomic<bool>* cancel = nullptr;  // looked at before every pass
};

struct IterationOutcome {
    CalcResult result;  // Done, or the failure of the node system
    StopRule rule = StopRule::Bound;
    int passes = 0;
    // [m]: the largest change of a head over the last window of passes (over all passes made,
    // when there were fewer).
    double headMovement = 0.0;
};

// Sets up the node system and iterates from the element flows the network holds (a caller may
// set them from an earlier run: a warm start). Nothing is written.
IterationOutcome Calculate(Network& net, const IterationLimits& limits);

}  // namespace tarnholm
