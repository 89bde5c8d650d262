// The iteration driver: linearise, assemble, solve and relax the element flows until every pipe
// has converged or the iteration bound is reached, then write the results.
#include "tarnholm/iteration.h"

#include <cmath>

#include "tarnholm/node_system.h"
#include "tarnholm/report.h"

namespace tarnholm {

namespace {

constexpr double kConvergence = 1e-7;        // bound on the relative change of a flow
constexpr double kNoFlow = 1e-9;             // [l/s]: a new flow this small has converged
constexpr double kStrongDampingAbove = 1.0;  // |r| above this selects the strong damping
// Weights of the current and the new flow in a relaxation step.
constexpr double kStrongCurrent = 0.99;
constexpr double kStrongNew = 0.01;
constexpr double kWeakCurrent = 0.9;
constexpr double kWeakNew = 0.1;

// New pipe flows from the heads; returns true when every pipe has converged. A pipe that
// carries no flow (a dead end, the cross pipe of a symmetric loop) would keep a relative change
// of 1 for ever, so a vanishing new flow counts as converged.
bool UpdatePipeFlows(Network& net) {
    bool allConverged = true;
    for (Pipe& pipe : net.pipes) {
        pipe.newFlow = pipe.conductance * kLitresPerCubicMetre *
                       (net.head[pipe.startNode] - net.head[pipe.endNode]);
        pipe.converged = std::fabs(pipe.newFlow) < kNoFlow || RelaxFlow(pipe.flow, pipe.newFlow);
        allConverged = allConverged && pipe.converged;
    }
    return allConverged;
}

// Pumps relax like pipes but take no part in the stop decision.
void UpdatePumpFlows(Network& net) {
    for (Pump& pump : net.pumps) {
        pump.newFlow = pump.conductance * kLitresPerCubicMetre *
                       (net.head[pump.startNode] - net.head[pump.endNode] + pump.tangentHead);
        RelaxFlow(pump.flow, pump.newFlow);
    }
}

// Defined values for what a run without passes reports.
void ClearDerivedValues(Network& net) {
    for (Pipe& pipe : net.pipes) {
        pipe.newFlow = 0.0;
        pipe.conductance = 0.0;
    }
    for (Pump& pump : net.pumps) {
        pump.newFlow = 0.0;
        pump.conductance = 0.0;
        pump.tangentHead = 0.0;
    }
}

}  // namespace

bool RelaxFlow(double& flow, double newFlow) {
    const double r = (flow - newFlow) / flow;
    if (std::fabs(r) <= kConvergence || std::isnan(r)) {
        return true;
    }
    if (std::fabs(r) > kStrongDampingAbove) {
        flow = kStrongCurrent * flow + kStrongNew * newFlow;
    } else {
        flow = kWeakCurrent * flow + kWeakNew * newFlow;
    }
    return false;
}

CalcResult SetUpNodeSystem(Network& net) {
    InitProfile(net);
    for (Pump& pump : net.pumps) {
        pump.savedStartInflow = net.netInflow[pump.startNode];
        pump.savedEndInflow = net.netInflow[pump.endNode];
    }
    MarkKnownHeads(net);
    if (BuildProfile(net) == kTooManyNodes) {
        return {CalcStatus::TooManyNodes};
    }
    if (AllocateMatrix(net, net.nodeCount) == kNoStorage) {
        return {CalcStatus::NoMatrixStorage};
    }
    ClearDerivedValues(net);
    return {};
}

CalcResult IterationPass(Network& net, bool& converged) {
    const int n = net.nodeCount;
    AssembleSystem(net);
    const int row = Decompose(net, n);
    if (row < n) {
        return {CalcStatus::NotPositiveDefinite, row};
    }
    SolveHeads(net, net.head.data(), net.netInflow.data(), n);
    converged = UpdatePipeFlows(net);
    UpdatePumpFlows(net);
    return {};
}

CalcResult Iterate(Network& net, int& counter) {
    bool converged = false;
    counter = 0;
    while (!converged) {
        const int compared = counter++;
        if (!(compared < net.maxIterations)) {
            break;
        }
        const CalcResult result = IterationPass(net, converged);
        if (result.status != CalcStatus::Done) {
            return result;
        }
    }
    return {};
}

CalcResult CalculateNetwork(Network& net, const SolverIo& io) {
    CalcResult result = SetUpNodeSystem(net);
    if (result.status != CalcStatus::Done) {
        return result;
    }
    int counter = 0;
    result = Iterate(net, counter);
    if (result.status != CalcStatus::Done) {
        return result;
    }
    if (FILE* report = io.openReport()) {
        WriteResults(net, counter, report);
        std::fclose(report);
    }
    FILE* graph = io.openGraph();
    if (!graph) {
        return {CalcStatus::GraphUnavailable};
    }
    WriteGraphData(net, counter, graph);
    std::fclose(graph);
    return result;
}

}  // namespace tarnholm
