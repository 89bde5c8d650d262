// The node system K h = y over all nodes: K symmetric, held as its lower triangle in profile
// (skyline) storage, factorised in place by a Cholesky decomposition on the free nodes; the
// heads of known-head nodes are prescribed. The storage is set up once per run and refilled in
// every pass.
#pragma once

#include "tarnholm/network.h"

namespace tarnholm {

// Matrix states (NodeSystem::state), in the order the set-up reaches them.
constexpr short kStateInitial = 0;     // after InitProfile
constexpr short kStateProfiled = 1;    // after BuildProfile
constexpr short kStateAllocated = 3;   // after AllocateMatrix
constexpr short kStateDecomposed = 4;  // after the first Decompose

// Return codes of the set-up and solution steps.
constexpr int kSystemOk = 0;
constexpr int kNotInitialised = -1;  // BuildProfile before InitProfile
constexpr int kNotProfiled = -2;     // AllocateMatrix before BuildProfile
constexpr int kBadProfile = -3;      // some row's start lies beyond its index
constexpr int kNoStorage = -4;       // the row storage could not be allocated
constexpr int kNotAllocated = -5;    // Decompose before AllocateMatrix
constexpr int kNotDecomposed = -6;   // SolveHeads before Decompose
constexpr int kTooManyNodes = -7;    // more than kMaxNodes nodes

// Sizes the per-row tables for the network's nodes and sets state 0.
int InitProfile(Network& net);

// Free-node flags: every node free, then the node of every known head prescribed. Also notes
// for every node the next known-head node at or after it, which lets the factorisation skip the
// prescribed columns in runs.
void MarkKnownHeads(Network& net);

// Profile start of every row: the smallest start node of the elements ending in it. Refuses
// more than kMaxNodes nodes (kTooManyNodes) before it writes anything.
int BuildProfile(Network& net);

// Allocates the zero-filled row storage for the profile of the first nodeCount rows, once, and
// derives what the pipe law needs of every pipe that does not change between passes.
int AllocateMatrix(Network& net, int nodeCount);

// Refills K from the element laws at the elements' current flows and writes the pumps' terms
// into the net inflow vector (rebuilt from the pumps' saved inflows). An element whose start
// and end node coincide adds nothing. Does nothing before AllocateMatrix.
void AssembleSystem(Network& net);

// Cholesky factor of the free part of K in place, 1 / L_ii on the diagonal. Returns nodeCount
// when every free pivot reaches the tolerance 1e-10 / n * trace, else the index of the first
// failing row; kNotAllocated when called too early.
int Decompose(Network& net, int nodeCount);

// Heads x of the free nodes from the factor and the net inflows y, the prescribed heads kept;
// afterwards y at every known-head node holds the flow [m^3/s] it feeds into the network.
int SolveHeads(Network& net, double* x, double* y, int nodeCount);

}  // namespace tarnholm
