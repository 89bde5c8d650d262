#include "node_system.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "element_laws.h"

namespace {

constexpr double kPivotTolerance = 1e-10;  // relative to the mean diagonal entry

// Entry (i, j) of K, start(i) <= j <= i.
inline double& Entry(NodeSystem& sys, int i, int j) {
    return sys.storage[static_cast<std::size_t>(sys.origin[i] + j)];
}

template <typename Element>
bool JoinsTwoNodes(const Element& e) {
    return e.startNode != e.endNode;
}

template <typename Element>
void AddElement(NodeSystem& sys, const Element& e, double c) {
    Entry(sys, e.startNode, e.startNode) += c;
    Entry(sys, e.endNode, e.endNode) += c;
    Entry(sys, e.endNode, e.startNode) -= c;
}

// Every element (a, b), a <= b, lands in row b, column a.
template <typename Element>
void LowerStarts(std::vector<short>& start, const std::vector<Element>& elements) {
    for (const Element& e : elements) {
        short& row = start[e.endNode];
        row = std::min(row, static_cast<short>(e.startNode));
    }
}

}  // namespace

int InitProfile(Network& net) {
    NodeSystem& sys = net.system;
    const std::size_t n = net.nodeCount > 0 ? static_cast<std::size_t>(net.nodeCount) : 0;
    sys.isFree.assign(n, 1);
    sys.nextKnown.assign(n, static_cast<int>(n));
    sys.profileStart.assign(n, 0);
    sys.origin.assign(n, 0);
    sys.storage.clear();
    sys.state = kStateInitial;
    return kSystemOk;
}

void MarkKnownHeads(Network& net) {
    NodeSystem& sys = net.system;
    std::fill(sys.isFree.begin(), sys.isFree.end(), 1);
    for (const KnownHead& known : net.knownHeads)
        sys.isFree[known.node] = 0;
    int next = net.nodeCount;
    for (int i = net.nodeCount - 1; i >= 0; --i) {
        if (!sys.isFree[i])
            next = i;
        sys.nextKnown[i] = next;
    }
}

int BuildProfile(Network& net) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateInitial)
        return kNotInitialised;
    if (net.nodeCount > kMaxNodes)
        return kTooManyNodes;
    for (int i = 0; i < net.nodeCount; ++i)
        sys.profileStart[i] = static_cast<short>(i);
    LowerStarts(sys.profileStart, net.pipes);
    LowerStarts(sys.profileStart, net.pumps);
    sys.state = kStateProfiled;
    return kSystemOk;
}

int AllocateMatrix(Network& net, int nodeCount) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateProfiled)
        return kNotProfiled;
    std::ptrdiff_t total = 0;
    for (int i = 0; i < nodeCount; ++i) {
        if (sys.profileStart[i] > i)
            return kBadProfile;
        sys.origin[i] = total - sys.profileStart[i];
        total += i - sys.profileStart[i] + 1;
    }
    try {
        sys.storage.assign(static_cast<std::size_t>(total), 0.0);
        sys.pipeConstants.clear();
        for (const Pipe& pipe : net.pipes)
            sys.pipeConstants.push_back(PipeConstantsOf(pipe));
    } catch (const std::bad_alloc&) {
        return kNoStorage;
    }
    sys.state = kStateAllocated;
    return kSystemOk;
}

void AssembleSystem(Network& net) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateAllocated)
        return;  // no storage to fill yet
    std::fill(sys.storage.begin(), sys.storage.end(), 0.0);
    const PipeConstants* constants = sys.pipeConstants.data();
    for (Pipe& pipe : net.pipes) {
        PipeConductance(pipe, *constants++, net.viscosity);
        if (JoinsTwoNodes(pipe))
            AddElement(sys, pipe, pipe.conductance);
    }
    // The pump terms are rebuilt from the saved inflows in every pass and then summed, so that
    // two pumps at one node both act on it.
    for (const Pump& pump : net.pumps) {
        if (!JoinsTwoNodes(pump))
            continue;
        net.netInflow[pump.startNode] = pump.savedStartInflow;
        net.netInflow[pump.endNode] = pump.savedEndInflow;
    }
    for (Pump& pump : net.pumps) {
        PumpLinearization(pump);
        if (!JoinsTwoNodes(pump))
            continue;
        net.netInflow[pump.startNode] -= pump.tangentHead * pump.conductance;
        net.netInflow[pump.endNode] += pump.tangentHead * pump.conductance;
        AddElement(sys, pump, pump.conductance);
    }
}

int Decompose(Network& net, int nodeCount) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateAllocated)
        return kNotAllocated;
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    const int* nextKnown = sys.nextKnown.data();
    double trace = 0.0;
    for (int i = 0; i < nodeCount; ++i)
        trace += Entry(sys, i, i);
    const double tolerance = kPivotTolerance / nodeCount * trace;
    for (int i = 0; i < nodeCount; ++i) {
        if (!isFree[i])
            continue;
        double* rowI = sys.storage.data() + sys.origin[i];
        double pivot = rowI[i];
        for (int j = start[i]; j < i; ++j) {
            if (!isFree[j])
                continue;
            const double* rowJ = sys.storage.data() + sys.origin[j];
            double value = rowI[j];
            // The columns m in ascending order, known-head columns left out: runs of free
            // columns between them, each a plain loop.
            for (int m = std::max(start[i], start[j]); m < j;) {
                const int runEnd = std::min(j, nextKnown[m]);
                for (; m < runEnd; ++m)
                    value -= rowJ[m] * rowI[m];
                ++m;
            }
            value = value * rowJ[j];
            rowI[j] = value;
            pivot -= value * value;
        }
        // Written so that a pivot that is not a number fails as well.
        if (!(pivot >= tolerance)) {
            rowI[i] = pivot;
            return i;
        }
        rowI[i] = 1 / std::sqrt(pivot);
    }
    sys.state = kStateDecomposed;
    return nodeCount;
}

int SolveHeads(Network& net, double* x, double* y, int nodeCount) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateDecomposed)
        return kNotDecomposed;
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    auto row = [&](int i) { return sys.storage.data() + sys.origin[i]; };
    // Move the prescribed heads to the right-hand side.
    for (int i = 0; i < nodeCount; ++i) {
        if (isFree[i]) {
            x[i] = y[i];
        } else {
            const double* k = row(i);
            for (int j = start[i]; j < i; ++j) {
                if (isFree[j])
                    x[j] -= k[j] * x[i];
            }
        }
    }
    for (int i = 0; i < nodeCount; ++i) {
        if (!isFree[i])
            continue;
        const double* k = row(i);
        for (int j = start[i]; j < i; ++j) {
            if (!isFree[j])
                x[i] -= k[j] * x[j];
        }
    }
    // Forward substitution with L, then back substitution with L^T.
    for (int i = 0; i < nodeCount; ++i) {
        if (!isFree[i])
            continue;
        const double* k = row(i);
        for (int j = start[i]; j < i; ++j) {
            if (isFree[j])
                x[i] -= k[j] * x[j];
        }
        x[i] = x[i] * k[i];
    }
    for (int i = nodeCount - 1; i >= 0; --i) {
        if (!isFree[i])
            continue;
        const double* k = row(i);
        x[i] = x[i] * k[i];
        for (int j = i - 1; j >= start[i]; --j) {
            if (isFree[j])
                x[j] -= k[j] * x[i];
        }
    }
    // Supplies of the known-head nodes: the full row products of K.
    for (int i = 0; i < nodeCount; ++i) {
        if (!isFree[i])
            y[i] = 0.0;
    }
    for (int i = 0; i < nodeCount; ++i) {
        const double* k = row(i);
        for (int j = start[i]; j <= i; ++j) {
            if (!isFree[j])
                y[j] += k[j] * x[i];
        }
    }
    for (int i = 1; i < nodeCount; ++i) {
        if (isFree[i])
            continue;
        const double* k = row(i);
        for (int j = start[i]; j < i; ++j)
            y[i] += k[j] * x[j];
    }
    return kSystemOk;
}
