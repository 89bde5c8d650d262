// The network model of the solver: one Network per run, filled from "eingabe.dat".
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace tarnholm {

constexpr int kMaxSupportPoints = 8;  // support points of a pump characteristic
constexpr int kPumpNameLength = 24;   // characters of a pump type name (plus terminator)
constexpr int kMaxNodes = 1000;       // capacity of the per-row tables of the node system

// The records hold flows in l/s and diameters in mm; the laws and the node equations work in
// m^3/s and m.
constexpr double kMilli = 0.001;                 // l/s -> m^3/s, mm -> m
constexpr double kLitresPerCubicMetre = 1000.0;  // m^3/s -> l/s

struct Pipe {
    double diameter;     // inner diameter D [mm]
    double roughness;    // ks [mm]
    double flow;         // current (relaxed) flow Q [l/s]
    double newFlow;      // flow of the latest solution [l/s]
    double length;       // L [m]
    double number;       // the user's pipe number, a whole number
    int startNode;       // internal index of the start node (KNA)
    int endNode;         // internal index of the end node (KNE), startNode <= endNode
    double zeta;         // sum of local loss coefficients [-]
    double conductance;  // c [m^3/s per m of head], derived each pass
    bool converged;      // whether the latest pass counted the pipe as converged
};

struct Pump {
    double flow;                            // current (relaxed) flow [l/s]
    double newFlow;                         // flow of the latest solution [l/s]
    double supportFlow[kMaxSupportPoints];  // Q1..Q8 [l/s], ascending
    double supportHead[kMaxSupportPoints];  // h1..h8 [m]
    int startNode;                          // internal index of the suction-side node
    int endNode;                            // internal index of the delivery-side node
    double savedStartInflow;                // net inflow of the start node [m^3/s]
    double savedEndInflow;                  // net inflow of the end node [m^3/s]
    int supportCount;                       // valid support points n, 1..8
    double conductance;                     // c = -dQ/dh of the tangent [m^3/s per m]
    double tangentHead;                     // H0 [m], tangent head at zero flow
};

struct KnownHead {
    double head;  // prescribed head [mNN]
    short node;   // internal index of the node
};

// What the pipe law needs of a pipe that does not change between passes.
struct PipeConstants {
    double d;              // inner diameter [m]
    double velocityArea;   // d d 3.1415 / 4 [m^2], the area of the velocity
    double roughnessTerm;  // k / 3.71 / d [-], inside the Colebrook-White logarithm
    double startTerm;      // 20000 k / d [-], in the start value of the friction factor
    double areaTerm;       // A 2g A [m^5/s^2], A = d d 3.1415926535892 / 4
};

// Profile (skyline) storage of the lower triangle of the symmetric node matrix K.
struct NodeSystem {
    std::vector<short> isFree;                 // per node: 1 = head computed, 0 = head prescribed
    std::vector<int> nextKnown;                // per node: first known-head node at or after it
    std::vector<short> profileStart;           // per row: first stored column, 0 <= start <= row
    std::vector<double> storage;               // rows one after another, diagonal last in each row
    std::vector<std::ptrdiff_t> origin;        // per row: K(i,j) = storage[origin[i] + j]
    std::vector<PipeConstants> pipeConstants;  // per pipe: what its law needs between passes
    short state = -1;  // stage reached by the set-up (-1 before InitProfile)
};

struct Network {
    short kind = 0;                 // format kind, only 3 is calculated
    double enteredViscosity = 0.0;  // kinematic viscosity as in the file [1e-6 m^2/s]
    double viscosity = 0.0;         // kinematic viscosity [m^2/s]
    short maxIterations = 0;        // bound of the iteration loop

    short pipeCount = 0;
    short nodeCount = 0;
    short pumpCount = 0;
    short knownHeadCount = 0;

    std::vector<Pipe> pipes;                                       // pipeCount, file order
    std::vector<Pump> pumps;                                       // pumpCount, file order
    std::vector<std::array<char, kPumpNameLength + 1>> pumpNames;  // parallel to pumps
    std::vector<KnownHead> knownHeads;                             // in node-line order

    // Node vectors, nodeCount entries each, indexed by internal index.
    std::vector<double> nodeNumber;  // the user's node number, for printing only
    std::vector<double> head;        // h [mNN]
    std::vector<double> elevation;   // pipe invert hgeo [mNN]
    std::vector<double> netInflow;   // |inflow| - |withdrawal|; l/s while reading, m^3/s after

    NodeSystem system;
};

}  // namespace tarnholm
