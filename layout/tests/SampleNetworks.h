// Generated networks for the layout tests and benchmark, each with a plan it could have come from:
// pipes run along streets, so a pipe is 0 to 15 % longer than the straight line between its
// nodes. The pseudo-random numbers come straight from std::mt19937 (whose sequence the standard
// fixes), not from a distribution, so that every platform builds the same networks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "GraphLayout.h"

namespace kolma::samples {

struct Sample {
    LayoutInput input;            // nothing fixed
    std::vector<PlanPoint> plan;  // where the nodes really are
};

// A uniform number in [low, high).
inline double uniform(std::mt19937& random, double low, double high) {
    return low + (high - low) * (static_cast<double>(random()) / 4294967296.0);
}

inline LayoutInput emptyNetwork(int nodeCount) {
    LayoutInput input;
    input.nodeCount = nodeCount;
    input.fixed.resize(static_cast<std::size_t>(nodeCount));
    return input;
}

inline void addStreetPipe(Sample& sample, std::mt19937& random, int a, int b) {
    const PlanPoint& p = sample.plan[static_cast<std::size_t>(a)];
    const PlanPoint& q = sample.plan[static_cast<std::size_t>(b)];
    sample.input.links.push_back(
        {a, b, std::hypot(p.x - q.x, p.y - q.y) * uniform(random, 1.0, 1.15)});
}

// Streets of a town: rows x columns of crossings about 100 m apart, each joined to its east and
// north neighbour.
inline Sample meshedTown(int rows, int columns, std::uint32_t seed = 1) {
    std::mt19937 random(seed);
    Sample sample{emptyNetwork(rows * columns), {}};
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            sample.plan.push_back(
                {100.0 * c + uniform(random, -20, 20), 100.0 * r + uniform(random, -20, 20)});
        }
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const int i = r * columns + c;
            if (c + 1 < columns) {
                addStreetPipe(sample, random, i, i + 1);
            }
            if (r + 1 < rows) {
                addStreetPipe(sample, random, i, i + columns);
            }
        }
    }
    return sample;
}

// A branched rural network: each node hangs off one of the eight nodes before it, 20 to 400 m
// away, roughly in the direction that node was reached from, so that the branches are long.
inline Sample branchedNetwork(int nodeCount, std::uint32_t seed = 2) {
    constexpr double kPi = 3.14159265358979323846;
    std::mt19937 random(seed);
    Sample sample{emptyNetwork(nodeCount), {PlanPoint{}}};
    std::vector<double> heading{0.0};
    for (int i = 1; i < nodeCount; ++i) {
        const int parent =
            i - 1 - static_cast<int>(random() % static_cast<std::uint32_t>(std::min(i, 8)));
        const double angle =
            heading[static_cast<std::size_t>(parent)] + uniform(random, -0.25, 0.25) * kPi;
        const double length = uniform(random, 20, 400);
        const PlanPoint& from = sample.plan[static_cast<std::size_t>(parent)];
        sample.plan.push_back(
            {from.x + length * std::cos(angle), from.y + length * std::sin(angle)});
        heading.push_back(angle);
        addStreetPipe(sample, random, parent, i);
    }
    return sample;
}

// The sample's input with every stride-th node fixed at its plan position.
inline LayoutInput withFixed(const Sample& sample, int stride) {
    LayoutInput input = sample.input;
    for (int i = 0; i < input.nodeCount; i += stride) {
        input.fixed[static_cast<std::size_t>(i)] = sample.plan[static_cast<std::size_t>(i)];
    }
    return input;
}

// Nodes 0 .. nodeCount-1 in a row, joined by pipes of the given length.
inline LayoutInput chain(int nodeCount, double pipeLength) {
    LayoutInput input = emptyNetwork(nodeCount);
    for (int i = 0; i + 1 < nodeCount; ++i) {
        input.links.push_back({i, i + 1, pipeLength});
    }
    return input;
}

}  // namespace kolma::samples
