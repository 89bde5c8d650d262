#include "tarnholm/node_system.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "tarnholm/element_laws.h"

namespace tarnholm {

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

// Row i of the factor left of the diagonal over the free columns j, L(i, j) = (K(i, j) -
// sum of L(j, m) L(i, m) over the free m < j) / L(j, j), stored in place of K(i, j). Returns what
// remains of the diagonal, K(i, i) - sum of L(i, j)^2, the square of the pivot L(i, i).
double FactorRow(NodeSystem& sys, int i) {
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    const int* nextKnown = sys.nextKnown.data();
    double* rowI = sys.storage.data() + sys.origin[i];
    double pivot = rowI[i];
    for (int j = start[i]; j < i; ++j) {
        if (!isFree[j]) {
            continue;
        }
        const double* rowJ = sys.storage.data() + sys.origin[j];
        double value = rowI[j];
        // The columns m in ascending order, known-head columns left out: runs of free
        // columns between them, each a plain loop.
        for (int m = std::max(start[i], start[j]); m < j;) {
            const int runEnd = std::min(j, nextKnown[m]);
            for (; m < runEnd; ++m) {
                value -= rowJ[m] * rowI[m];
            }
            ++m;
        }
        value = value * rowJ[j];  // the diagonal of row j holds 1 / L(j, j)
        rowI[j] = value;
        pivot -= value * value;
    }
    return pivot;
}

// Row i of the stored lower triangle, addressed by column index: Row(sys, i)[j] = K(i, j).
const double* Row(const NodeSystem& sys, int i) {
    return sys.storage.data() + sys.origin[i];
}

// x (n entries): the net inflows y at free nodes, less the flows that the prescribed heads
// (held in x at known-head nodes) drive into them.
void MovePrescribedHeads(const NodeSystem& sys, double* x, const double* y, int n) {
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    for (int i = 0; i < n; ++i) {
        if (isFree[i]) {
            x[i] = y[i];
        } else {
            const double* k = Row(sys, i);
            for (int j = start[i]; j < i; ++j) {
                if (isFree[j]) {
                    x[j] -= k[j] * x[i];
                }
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        if (!isFree[i]) {
            continue;
        }
        const double* k = Row(sys, i);
        for (int j = start[i]; j < i; ++j) {
            if (!isFree[j]) {
                x[i] -= k[j] * x[j];
            }
        }
    }
}

// Solves L z = x in place over the free nodes (the diagonal holds 1 / L_ii).
void ForwardSubstitution(const NodeSystem& sys, double* x, int n) {
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    for (int i = 0; i < n; ++i) {
        if (!isFree[i]) {
            continue;
        }
        const double* k = Row(sys, i);
        for (int j = start[i]; j < i; ++j) {
            if (isFree[j]) {
                x[i] -= k[j] * x[j];
            }
        }
        x[i] = x[i] * k[i];
    }
}

// Solves L^T h = z in place over the free nodes, column by column from the last row.
void BackSubstitution(const NodeSystem& sys, double* x, int n) {
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    for (int i = n - 1; i >= 0; --i) {
        if (!isFree[i]) {
            continue;
        }
        const double* k = Row(sys, i);
        x[i] = x[i] * k[i];
        for (int j = i - 1; j >= start[i]; --j) {
            if (isFree[j]) {
                x[j] -= k[j] * x[i];
            }
        }
    }
}

// y at every known-head node: the full row product of K with the heads x, the flow that node
// feeds into the network. Only the lower triangle is stored: the columns from the diagonal on
// come from the rows below (transposed), the columns before it from the row itself.
void KnownHeadSupplies(const NodeSystem& sys, const double* x, double* y, int n) {
    const short* isFree = sys.isFree.data();
    const short* start = sys.profileStart.data();
    for (int i = 0; i < n; ++i) {
        if (!isFree[i]) {
            y[i] = 0.0;
        }
    }
    for (int i = 0; i < n; ++i) {
        const double* k = Row(sys, i);
        for (int j = start[i]; j <= i; ++j) {
            if (!isFree[j]) {
                y[j] += k[j] * x[i];
            }
        }
    }
    for (int i = 1; i < n; ++i) {
        if (isFree[i]) {
            continue;
        }
        const double* k = Row(sys, i);
        for (int j = start[i]; j < i; ++j) {
            y[i] += k[j] * x[j];
        }
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
    for (const KnownHead& known : net.knownHeads) {
        sys.isFree[known.node] = 0;
    }
    int next = net.nodeCount;
    for (int i = net.nodeCount - 1; i >= 0; --i) {
        if (!sys.isFree[i]) {
            next = i;
        }
        sys.nextKnown[i] = next;
    }
}

int BuildProfile(Network& net) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateInitial) {
        return kNotInitialised;
    }
    if (net.nodeCount > kMaxNodes) {
        return kTooManyNodes;
    }
    for (int i = 0; i < net.nodeCount; ++i) {
        sys.profileStart[i] = static_cast<short>(i);
    }
    LowerStarts(sys.profileStart, net.pipes);
    LowerStarts(sys.profileStart, net.pumps);
    sys.state = kStateProfiled;
    return kSystemOk;
}

int AllocateMatrix(Network& net, int nodeCount) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateProfiled) {
        return kNotProfiled;
    }
    std::ptrdiff_t total = 0;
    for (int i = 0; i < nodeCount; ++i) {
        if (sys.profileStart[i] > i) {
            return kBadProfile;
        }
        sys.origin[i] = total - sys.profileStart[i];
        total += i - sys.profileStart[i] + 1;
    }
    try {
        sys.storage.assign(static_cast<std::size_t>(total), 0.0);
        sys.pipeConstants.clear();
        for (const Pipe& pipe : net.pipes) {
            sys.pipeConstants.push_back(PipeConstantsOf(pipe));
        }
    } catch (const std::bad_alloc&) {
        return kNoStorage;
    }
    sys.state = kStateAllocated;
    return kSystemOk;
}

void AssembleSystem(Network& net) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateAllocated) {
        return;  // no storage to fill yet
    }
    std::fill(sys.storage.begin(), sys.storage.end(), 0.0);
    const PipeConstants* constants = sys.pipeConstants.data();
    for (Pipe& pipe : net.pipes) {
        PipeConductance(pipe, *constants++, net.viscosity);
        if (JoinsTwoNodes(pipe)) {
            AddElement(sys, pipe, pipe.conductance);
        }
    }
    // The pump terms are rebuilt from the saved inflows in every pass and then summed, so that
    // two pumps at one node both act on it.
    for (const Pump& pump : net.pumps) {
        if (!JoinsTwoNodes(pump)) {
            continue;
        }
        net.netInflow[pump.startNode] = pump.savedStartInflow;
        net.netInflow[pump.endNode] = pump.savedEndInflow;
    }
    for (Pump& pump : net.pumps) {
        PumpLinearization(pump);
        if (!JoinsTwoNodes(pump)) {
            continue;
        }
        net.netInflow[pump.startNode] -= pump.tangentHead * pump.conductance;
        net.netInflow[pump.endNode] += pump.tangentHead * pump.conductance;
        AddElement(sys, pump, pump.conductance);
    }
}

int Decompose(Network& net, int nodeCount) {
    NodeSystem& sys = net.system;
    if (sys.state < kStateAllocated) {
        return kNotAllocated;
    }
    if (nodeCount <= 0) {
        // No rows to factorise, and the tolerance would divide by the row count.
        sys.state = kStateDecomposed;
        return nodeCount;
    }
    double trace = 0.0;
    for (int i = 0; i < nodeCount; ++i) {
        trace += Entry(sys, i, i);
    }
    const double tolerance = kPivotTolerance / nodeCount * trace;
    const short* isFree = sys.isFree.data();
    for (int i = 0; i < nodeCount; ++i) {
        if (!isFree[i]) {
            continue;
        }
        const double pivot = FactorRow(sys, i);
        double& diagonal = Entry(sys, i, i);
        // Written so that a pivot that is not a number fails as well.
        if (!(pivot >= tolerance)) {
            diagonal = pivot;
            return i;
        }
        diagonal = 1 / std::sqrt(pivot);
    }
    sys.state = kStateDecomposed;
    return nodeCount;
}

int SolveHeads(Network& net, double* x, double* y, int nodeCount) {
    const NodeSystem& sys = net.system;
    if (sys.state < kStateDecomposed) {
        return kNotDecomposed;
    }
    MovePrescribedHeads(sys, x, y, nodeCount);
    ForwardSubstitution(sys, x, nodeCount);
    BackSubstitution(sys, x, nodeCount);
    KnownHeadSupplies(sys, x, y, nodeCount);
    return kSystemOk;
}

}  // namespace tarnholm
