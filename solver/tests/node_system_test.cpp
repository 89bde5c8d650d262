#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "network_builder.h"
#include "node_system.h"

namespace {

using Dense = std::vector<std::vector<long double>>;

// A network of n nodes whose profile holds the given (start, end) pairs; known heads at the
// listed nodes. Only the profile matters here: the tests fill K themselves.
Network ProfileNetwork(int n, const std::vector<std::pair<int, int>>& elements,
                       const std::vector<int>& known) {
    Network net = testnet::Empty();
    for (int i = 0; i < n; ++i) {
        testnet::AddNode(net, i + 1);
    }
    for (int k : known) {
        net.knownHeads.push_back({100.0 + k, static_cast<short>(k)});
        ++net.knownHeadCount;
    }
    for (const auto& [a, b] : elements) {
        testnet::AddPipe(net, a, b, 100, 100);
    }
    InitProfile(net);
    MarkKnownHeads(net);
    EXPECT_EQ(BuildProfile(net), kSystemOk);
    EXPECT_EQ(AllocateMatrix(net, n), kSystemOk);
    return net;
}

double& At(Network& net, int i, int j) {
    return net.system.storage[static_cast<std::size_t>(net.system.origin[i] + j)];
}

// Random symmetric, strictly diagonally dominant (so positive definite) K within the profile.
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

// Solves the free block of K for the heads, the prescribed heads on the right-hand side, by
// Gaussian elimination in long double.
std::vector<long double> DenseHeads(const Dense& k, const std::vector<short>& isFree,
                                    const std::vector<double>& y, const std::vector<double>& x0) {
    const int n = static_cast<int>(k.size());
    std::vector<int> free;
    for (int i = 0; i < n; ++i) {
        if (isFree[i]) {
            free.push_back(i);
        }
    }
    const int f = static_cast<int>(free.size());
    Dense a(f, std::vector<long double>(f + 1, 0.0L));
    for (int r = 0; r < f; ++r) {
        a[r][f] = y[free[r]];
        for (int j = 0; j < n; ++j) {
            if (!isFree[j]) {
                a[r][f] -= k[free[r]][j] * x0[j];
            }
        }
        for (int c = 0; c < f; ++c) {
            a[r][c] = k[free[r]][free[c]];
        }
    }
    for (int p = 0; p < f; ++p) {
        for (int r = p + 1; r < f; ++r) {
            const long double factor = a[r][p] / a[p][p];
            for (int c = p; c <= f; ++c) {
                a[r][c] -= factor * a[p][c];
            }
        }
    }
    std::vector<long double> x(x0.begin(), x0.end());
    for (int r = f - 1; r >= 0; --r) {
        long double sum = a[r][f];
        for (int c = r + 1; c < f; ++c) {
            sum -= a[r][c] * x[free[c]];
        }
        x[free[r]] = sum / a[r][r];
    }
    return x;
}

}  // namespace

// The profile solution must agree with a dense solution of the same system, heads and supplies,
// for random matrices and random sets of known-head nodes (also in the middle of the order).
TEST(NodeSystem, ProfileCholeskyMatchesDenseSolution) {
    std::mt19937 random(20261208);
    for (int trial = 0; trial < 20; ++trial) {
        const int n = 5 + trial * 3;
        std::vector<std::pair<int, int>> elements;
        std::uniform_int_distribution<int> reach(1, 6);
        for (int b = 1; b < n; ++b) {
            elements.push_back({std::max(0, b - reach(random)), b});
        }
        std::vector<int> known;
        for (int i = 0; i < n; i += 4 + trial % 3) {
            known.push_back(i);
        }
        Network net = ProfileNetwork(n, elements, known);
        const Dense k = FillRandomMatrix(net, random);

        std::uniform_real_distribution<double> inflow(-0.05, 0.05);
        std::vector<double> y(n);
        for (double& value : y) {
            value = inflow(random);
        }
        std::vector<double> x(n, 0.0);
        for (int node : known) {
            x[node] = 100.0 + node;
        }
        const std::vector<long double> expected = DenseHeads(k, net.system.isFree, y, x);

        ASSERT_EQ(Decompose(net, n), n);
        ASSERT_EQ(SolveHeads(net, x.data(), y.data(), n), kSystemOk);
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(x[i], static_cast<double>(expected[i]), 1e-9) << "trial " << trial;
        }
        for (int node : known) {
            long double supply = 0.0L;
            for (int j = 0; j < n; ++j) {
                supply += k[node][j] * expected[j];
            }
            EXPECT_NEAR(y[node], static_cast<double>(supply), 1e-8) << "trial " << trial;
        }
    }
}

// L L^T must reproduce the free block, and entries touching known-head nodes keep their values.
TEST(NodeSystem, FactorReconstructsTheFreeBlock) {
    std::mt19937 random(7);
    const int n = 12;
    std::vector<std::pair<int, int>> elements;
    for (int b = 1; b < n; ++b) {
        elements.push_back({std::max(0, b - 3), b});
    }
    Network net = ProfileNetwork(n, elements, {0, 5});
    const Dense k = FillRandomMatrix(net, random);
    ASSERT_EQ(Decompose(net, n), n);
    const auto& isFree = net.system.isFree;
    const auto& start = net.system.profileStart;
    auto factor = [&](int i, int j) -> long double {
        if (j < start[i] || j > i || !isFree[i] || !isFree[j]) {
            return 0.0L;
        }
        return i == j ? 1.0L / At(net, i, i) : At(net, i, j);
    };
    for (int i = 0; i < n; ++i) {
        for (int j = start[i]; j <= i; ++j) {
            if (!isFree[i] || !isFree[j]) {
                EXPECT_EQ(At(net, i, j), static_cast<double>(k[i][j]));
                continue;
            }
            long double product = 0.0L;
            for (int m = 0; m <= j; ++m) {
                product += factor(i, m) * factor(j, m);
            }
            EXPECT_NEAR(static_cast<double>(product), static_cast<double>(k[i][j]), 1e-12);
        }
    }
}

TEST(NodeSystem, TwoNodesOnePipeGiveThreeStoredValues) {
    Network net = ProfileNetwork(2, {{0, 1}}, {0});
    EXPECT_EQ(net.system.profileStart[1], 0);
    EXPECT_EQ(net.system.storage.size(), 3u);
}

// The profile start of a row is the smallest start node of all elements ending there, pumps
// included.
TEST(NodeSystem, ProfileTakesPipesAndPumps) {
    Network net = testnet::Empty();
    for (int i = 0; i < 6; ++i) {
        testnet::AddNode(net, i + 1);
    }
    testnet::AddPipe(net, 2, 4, 10, 100);
    testnet::AddPipe(net, 3, 4, 10, 100);
    testnet::AddPump(net, "P", 1, 5, {0, 10, 20}, {30, 25, 10});
    InitProfile(net);
    MarkKnownHeads(net);
    ASSERT_EQ(BuildProfile(net), kSystemOk);
    const short expected[] = {0, 1, 2, 3, 2, 1};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(net.system.profileStart[i], expected[i]) << i;
    }
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

TEST(NodeSystem, AtMostAThousandNodes) {
    for (int nodes : {1000, 1001}) {
        Network net = testnet::Empty();
        testnet::AddKnownNode(net, 1, 100);
        for (int i = 1; i < nodes; ++i) {
            testnet::AddNode(net, i + 1, -0.1);
            testnet::AddPipe(net, i - 1, i, 10, 100);
        }
        InitProfile(net);
        MarkKnownHeads(net);
        EXPECT_EQ(BuildProfile(net), nodes == 1000 ? kSystemOk : kTooManyNodes) << nodes;
    }
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
    InitProfile(net);
    MarkKnownHeads(net);
    BuildProfile(net);
    AllocateMatrix(net, 4);
    AssembleSystem(net);
    EXPECT_EQ(Decompose(net, 4), 3);

    testnet::AddPipe(net, 1, 3, 10, 100);
    InitProfile(net);
    MarkKnownHeads(net);
    BuildProfile(net);
    AllocateMatrix(net, 4);
    AssembleSystem(net);
    EXPECT_EQ(Decompose(net, 4), 4);
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
        InitProfile(net);
        MarkKnownHeads(net);
        BuildProfile(net);
        AllocateMatrix(net, 3);
        AssembleSystem(net);
        return std::make_pair(net.system.storage, net.netInflow);
    };
    EXPECT_EQ(assembled(true), assembled(false));
}

// Two pumps in series share a node: both pumps' terms must act on it (the later one must not
// overwrite the earlier), and every pass rebuilds the terms from the saved inflows.
TEST(NodeSystem, PumpTermsAtASharedNodeAddUp) {
    Network net = testnet::Empty();
    testnet::AddKnownNode(net, 1, 100);
    testnet::AddNode(net, 2, -1.5);
    testnet::AddNode(net, 3, -2);
    testnet::AddPump(net, "A", 0, 1, {0, 10, 20}, {30, 25, 10});
    testnet::AddPump(net, "B", 1, 2, {0, 20, 40}, {20, 15, 5});
    for (Pump& pump : net.pumps) {
        pump.savedStartInflow = net.netInflow[pump.startNode];
        pump.savedEndInflow = net.netInflow[pump.endNode];
    }
    InitProfile(net);
    MarkKnownHeads(net);
    BuildProfile(net);
    AllocateMatrix(net, 3);
    for (int pass = 0; pass < 2; ++pass) {
        AssembleSystem(net);
        const double termA = net.pumps[0].tangentHead * net.pumps[0].conductance;
        const double termB = net.pumps[1].tangentHead * net.pumps[1].conductance;
        EXPECT_DOUBLE_EQ(net.netInflow[1], -0.0015 + termA - termB) << pass;
        EXPECT_DOUBLE_EQ(net.netInflow[2], -0.002 + termB) << pass;
    }
}

// A file may hold no nodes at all; the factorisation then has no rows, and no mean diagonal to
// scale its tolerance by, and must still let the pass go on.
TEST(NodeSystem, NoNodesDecomposeAndSolve) {
    Network net = testnet::Empty();
    InitProfile(net);
    MarkKnownHeads(net);
    ASSERT_EQ(BuildProfile(net), kSystemOk);
    ASSERT_EQ(AllocateMatrix(net, 0), kSystemOk);
    AssembleSystem(net);
    EXPECT_EQ(Decompose(net, 0), 0);
    EXPECT_EQ(SolveHeads(net, net.head.data(), net.netInflow.data(), 0), kSystemOk);
}
