// Builds Networks for the calculation tests as the reader leaves them after the echo: counts
// set, starting flows set, net inflows in m^3/s, heads preset at known-head nodes.
#pragma once

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "tarnholm/network.h"
#include "tarnholm/program.h"
#include "testing/memory_io.h"

namespace tarnholm {

namespace testnet {

inline Network Empty(double viscosityE6 = 1.305, short maxIterations = 1000) {
    Network net;
    net.kind = 3;
    net.enteredViscosity = viscosityE6;
    net.viscosity = viscosityE6 * 1e-6;
    net.maxIterations = maxIterations;
    return net;
}

// Node with the given inflow [l/s] (negative: withdrawal); returns its index.
inline int AddNode(Network& net, double number, double inflow = 0.0, double elevation = 0.0) {
    net.nodeNumber.push_back(number);
    net.head.push_back(0.0);
    net.elevation.push_back(elevation);
    net.netInflow.push_back(inflow * 0.001);
    return net.nodeCount++;
}

inline int AddKnownNode(Network& net, double number, double knownHead, double elevation = 0.0) {
    const int index = AddNode(net, number, 0.0, elevation);
    net.head[index] = knownHead;
    net.knownHeads.push_back({knownHead, static_cast<short>(index)});
    ++net.knownHeadCount;
    return index;
}

inline Pipe& AddPipe(Network& net, int start, int end, double length, double diameter,
                     double ks = 0.1, double zeta = 0.0) {
    Pipe pipe{};
    pipe.number = net.pipeCount + 1;
    pipe.startNode = start;
    pipe.endNode = end;
    pipe.length = length;
    pipe.diameter = diameter;
    pipe.roughness = ks;
    pipe.zeta = zeta;
    pipe.flow = 0.1 * diameter;
    net.pipes.push_back(pipe);
    ++net.pipeCount;
    return net.pipes.back();
}

inline Pump& AddPump(Network& net, const char* name, int start, int end,
                     const std::vector<double>& flows, const std::vector<double>& heads) {
    Pump pump{};
    pump.startNode = start;
    pump.endNode = end;
    pump.supportCount = static_cast<int>(heads.size());
    for (std::size_t k = 0; k < heads.size(); ++k) {
        pump.supportFlow[k] = flows[k];
        pump.supportHead[k] = heads[k];
    }
    pump.flow = (pump.supportFlow[1] + pump.supportFlow[2]) / 2;
    net.pumps.push_back(pump);
    std::array<char, kPumpNameLength + 1> buffer{};
    std::strncpy(buffer.data(), name, kPumpNameLength);
    net.pumpNames.push_back(buffer);
    ++net.pumpCount;
    return net.pumps.back();
}

// A calculation on files held in memory: the report and graph texts it wrote.
struct Run {
    CalcResult result;
    std::string report;
    std::string graph;
    bool hasGraph = false;
    int reportOpenings = 0;
};

inline Run Calculate(Network& net) {
    MemoryFiles files;
    const CalcResult result = CalculateNetwork(net, files.Io());
    return {result, files.report, files.graph, files.hasGraph, files.reportOpenings};
}

}  // namespace testnet

}  // namespace tarnholm
