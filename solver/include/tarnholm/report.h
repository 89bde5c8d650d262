// The results of a calculation: appended to the report "ausgabe.aus" and written as the graph
// data "graphein.dat" for the longitudinal section.
#pragma once

#include <cstdio>

#include "tarnholm/network.h"

namespace tarnholm {

// Velocity [m/s] of the pipe's new flow.
double PipeVelocity(const Pipe& pipe);

// True when the pump's operating point (new flow, head difference of its nodes) lies inside the
// range of its support points; a value that is not a number lies outside.
bool PumpInRange(const Pump& pump, double headDifference);

// Appends the results (node, pipe and pump tables) after `counter` passes to the report. Puts the
// pumps' saved inflows back into the net inflow vector first.
void WriteResults(Network& net, int counter, FILE* report);

// Writes the graph data: the bound, the counter, the node heads, the pipes' flows and velocities.
void WriteGraphData(const Network& net, int counter, FILE* graph);

}  // namespace tarnholm
