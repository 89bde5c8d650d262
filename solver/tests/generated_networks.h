// Generated networks of any size for the benchmarks and the law checks: a meshed grid and a
// branched network, both with the nodes in a good order (joined nodes lie close together).
#pragma once

#include "network_builder.h"

namespace tarnholm {

namespace testnet {

// A rows x columns grid of pipes, nodes row by row; the known heads at the first node and, if
// twoSupplies, at the last one; every other node withdraws 8 to 22 l/s. Diameters and lengths
// vary so that no two loops are alike. The withdrawals are large for the pipes, which keeps the
// flows clear of the jump of the friction factor at Re 2300, so the method converges; the heads
// far from the supply fall below zero, which the numbers do not mind.
inline Network Grid(int rows, int columns, bool twoSupplies = false) {
    Network net = Empty();
    const int count = rows * columns;
    for (int i = 0; i < count; ++i) {
        const bool supply = i == 0 || (twoSupplies && i == count - 1);
        if (supply) {
            AddKnownNode(net, i + 1, i == 0 ? 150.0 : 149.0, 100.0);
        } else {
            AddNode(net, i + 1, -8.0 * (1.0 + 0.25 * (i * 7 % 8)), 90.0 + i % 5);
        }
    }
    const double diameters[] = {200, 150, 125, 150, 200};
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int i = r * columns + c;
            if (c + 1 < columns) {
                AddPipe(net, i, i + 1, 80.0 + (i * 13 % 40), diameters[i % 5], 0.1, 0.5);
            }
            if (r + 1 < rows) {
                AddPipe(net, i, i + columns, 90.0 + (i * 11 % 30), diameters[(i + 2) % 5], 0.1);
            }
        }
    }
    return net;
}

// A main line of `spans` nodes with a side branch of `branchLength` nodes at each, numbered in
// depth-first order; the known head at the first node, withdrawals at the others.
inline Network Branched(int spans, int branchLength) {
    Network net = Empty();
    AddKnownNode(net, 1, 120.0, 100.0);
    int previousMain = 0;
    for (int s = 0; s < spans; ++s) {
        const int main = AddNode(net, net.nodeCount + 1, -0.5, 95.0);
        AddPipe(net, previousMain, main, 150.0, 400.0 - 250.0 * s / spans, 0.1);
        int previous = main;
        for (int b = 0; b < branchLength; ++b) {
            const int branch = AddNode(net, net.nodeCount + 1, -(0.3 + 0.2 * (b % 3)), 96.0);
            AddPipe(net, previous, branch, 60.0, 150.0, 0.1, 1.0);
            previous = branch;
        }
        previousMain = main;
    }
    return net;
}

}  // namespace testnet

}  // namespace tarnholm
