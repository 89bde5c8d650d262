#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "network_builder.h"
#include "tarnholm/iteration.h"
#include "tarnholm/node_system.h"

namespace tarnholm {

namespace {

using Dense = std::vector<std::vector<long double>>;

// A network of n nodes whose profile holds the given (start, end) pipes; the listed nodes have
// the known head 100 + index. Set up for the first pass, K not yet filled.
Network ProfileNetwork(int n, const std::vector<std::pair<int, int>>& pipes,
                       const std::vector<int>& known) {
    Network net = testnet::Empty();
    for (int i = 0; i < n; ++i) {
        if (std::count(known.begin(), known.end(), i) > 0) {
            testnet::AddKnownNode(net, i + 1, 100.0 + i);
        } else {
            testnet::AddNode(net, i + 1);
        }
    }
    for (const auto& [a, b] : pipes) {
        testnet::AddPipe(net, a, b, 100, 100);
    }
    EXPECT_EQ(SetUpNodeSystem(net).status, CalcStatus::Done);
    return net;
}

// K of the network's elements at their current flows, as the first pass assembles it.
Network& Assembled(Network& net) {
    EXPECT_EQ(SetUpNodeSystem(net).status, CalcStatus::Done);
    AssembleSystem(net);
    return net;
}

double& At(Network& net, int i, int j) {
    return net.system.storage[static_cast<std::size_t>(net.system.origin[i] + j)];
}

// Random symmetric, strictly diagonally dominant (so positive definite) K within the profile;
// the diagonal exceeds the row's other entries by 0.5, so |K_ff^-1| <= 2 in the maximum norm.
Dense FillRandomMatrix(Network& net, std::mt19937& random) {
    const int n = net.nodeCount;
    std::uniform_real_distribution<double> offDiagonal(-1.0, 1.0);
    Dense k(n, std::vector<long double>(n, 0.0L));
    std::vector<double> rowSum(n, 0.0);
    for (int i = 0; i < n; ++i) {
        for (int j = net.system.profileStart[i]; j < i; ++j) {
            const double value = offDiagonal(random);
            At(net, i, j) = value;
            k[i][j] = k[j][i] = value;
            rowSum[i] += std::fabs(value);
            rowSum[j] += std::fabs(value);
        }
    }
    for (int i = 0; i < n; ++i) {
        At(net, i, i) = rowSum[i] + 0.5;
        k[i][i] = At(net, i, i);
    }
    return k;
}

}  // namespace

// For random matrices and random sets of known-head nodes (also in the middle of the order):
// the free rows of K h = y must hold to 5e-10 (so every head is within 1e-9 of the exact one),
// the prescribed heads stay, and y at a known-head node becomes its row of K h.
TEST(NodeSystem, ProfileCholeskySolvesTheSystem) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 20; ++trial) {
        SCOPED_TRACE(trial);
        const int n = 5 + trial * 3;
        std::vector<std::pair<int, int>> pipes;
        std::uniform_int_distribution<int> reach(1, 6);
        for (int b = 1; b < n; ++b) {
            pipes.push_back({std::max(0, b - reach(random)), b});
        }
        std::vector<int> known;
        for (int i = 0; i < n; i += 4 + trial % 3) {
            known.push_back(i);
        }
        Network net = ProfileNetwork(n, pipes, known);
        const Dense k = FillRandomMatrix(net, random);
        std::uniform_real_distribution<double> inflow(-0.05, 0.05);
        std::vector<double> y(n);
        for (double& value : y) {
            value = inflow(random);
        }
        const std::vector<double> given = y;
        std::vector<double> x = net.head;

        ASSERT_EQ(Decompose(net, n), n);
        ASSERT_EQ(SolveHeads(net, x.data(), y.data(), n), kSystemOk);
        for (int i = 0; i < n; ++i) {
            long double row = 0.0L;
            for (int j = 0; j < n; ++j) {
                row += k[i][j] * x[j];
            }
            if (net.system.isFree[i]) {
                EXPECT_NEAR(static_cast<double>(row), given[i], 5e-10) << i;
            } else {
                EXPECT_EQ(x[i], 100.0 + i);
                EXPECT_NEAR(y[i], static_cast<double>(row), 1e-8) << i;
            }
        }
    }
}

// The profile start of a row is the smallest start node of all elements ending there, pumps
// included; the storage holds exactly the rows from there to the diagonal.
TEST(NodeSystem, ProfileTakesPipesAndPumps) {
    Network net = testnet::Empty();
    for (int i = 0; i < 6; ++i) {
        testnet::AddNode(net, i + 1);
    }
    testnet::AddPipe(net, 2, 4, 10, 100);
    testnet::AddPipe(net, 3, 4, 10, 100);
    testnet::AddPump(net, "P", 1, 5, {0, 10, 20}, {30, 25, 10});
    ASSERT_EQ(SetUpNodeSystem(net).status, CalcStatus::Done);
    const short expected[] = {0, 1, 2, 3, 2, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(net.system.profileStart[i], expected[i]) << i;
    }
    EXPECT_EQ(net.system.storage.size(), 12u);  // 1 + 1 + 1 + 1 + 3 + 5
}

TEST(NodeSystem, StepsOutOfOrderAreRefused) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 1, 100);
    testnet::AddNode(net, 2, -1);
    testnet::AddPipe(net, 0, 1, 10, 100);
    std::vector<double> x(2), y(2);
    EXPECT_EQ(BuildProfile(net), kNotInitialised);
    InitProfile(net);
    EXPECT_EQ(AllocateMatrix(net, 2), kNotProfiled);
    EXPECT_EQ(Decompose(net, 2), kNotAllocated);
    EXPECT_EQ(SolveHeads(net, x.data(), y.data(), 2), kNotDecomposed);
}

// A free node that no element touches has a zero pivot; a known-head node without elements
// has a zero diagonal too, which is never a pivot.
TEST(NodeSystem, IsolatedFreeNodeFailsItsRowIsolatedKnownNodeDoesNot) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 1, 100);
    testnet::AddNode(net, 2, -1);
    testnet::AddKnownNode(net, 3, 90);
    testnet::AddNode(net, 4, 0);
    testnet::AddPipe(net, 0, 1, 10, 100);
    EXPECT_EQ(Decompose(Assembled(net), 4), 3);
    testnet::AddPipe(net, 1, 3, 10, 100);
    EXPECT_EQ(Decompose(Assembled(net), 4), 4);
}

// An element from a node to itself would add its conductance to the diagonal alone, a leak to
// head 0; it must leave K and the net inflows as they are without it.
TEST(NodeSystem, ElementFromANodeToItselfAddsNothing) {
    auto assembled = [](bool withSelfLoops) {
        Network net = testnet::Empty();
        testnet::AddKnownNode(net, 1, 100);
        testnet::AddNode(net, 2, -1);
        testnet::AddNode(net, 3, -2);
        testnet::AddPipe(net, 0, 1, 100, 100);
        testnet::AddPipe(net, 1, 2, 100, 100);
        if (withSelfLoops) {
            testnet::AddPipe(net, 1, 1, 100, 100);
            testnet::AddPump(net, "P", 2, 2, {0, 10, 20}, {30, 25, 10});
        }
        Assembled(net);
        return std::make_pair(net.system.storage, net.netInflow);
    };
    EXPECT_EQ(assembled(true), assembled(false));
}

// A file may hold no nodes at all; the factorisation then has no rows, and no mean diagonal to
// scale its tolerance by, and must still let the pass go on.
TEST(NodeSystem, NoNodesDecomposeAndSolve) {
    Network net = testnet::Empty();
    EXPECT_EQ(Decompose(Assembled(net), 0), 0);
    EXPECT_EQ(SolveHeads(net, net.head.data(), net.netInflow.data(), 0), kSystemOk);
}

}  // namespace tarnholm
