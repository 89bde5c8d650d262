#include "GraphLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "SampleNetworks.h"

namespace kolma {
namespace {

using samples::branchedNetwork;
using samples::chain;
using samples::emptyNetwork;
using samples::meshedTown;
using samples::withFixed;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double distance(const PlanPoint& a, const PlanPoint& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double drawnLength(const std::vector<PlanPoint>& plan, const LayoutLink& link) {
    return distance(plan[static_cast<std::size_t>(link.a)], plan[static_cast<std::size_t>(link.b)]);
}

double medianDrawnLength(const LayoutInput& input, const std::vector<PlanPoint>& plan) {
    std::vector<double> lengths;
    for (const LayoutLink& link : input.links) {
        if (link.a != link.b) {
            lengths.push_back(drawnLength(plan, link));
        }
    }
    return median(lengths);
}

bool contains(const PlanBox& b, const PlanPoint& p) {
    return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY;
}

bool overlap(const PlanBox& a, const PlanBox& b) {
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

// Distance between the boxes, zero when they overlap.
double gapBetween(const PlanBox& a, const PlanBox& b) {
    const double dx = std::max({0.0, b.minX - a.maxX, a.minX - b.maxX});
    const double dy = std::max({0.0, b.minY - a.maxY, a.minY - b.maxY});
    return std::hypot(dx, dy);
}

PlanBox boxOf(const std::vector<PlanPoint>& plan, int first, int last) {
    PlanBox box;
    for (int i = first; i <= last; ++i) {
        box.add(plan[static_cast<std::size_t>(i)]);
    }
    return box;
}

// What every plan must satisfy: a finite position for every node, the fixed ones exactly where
// they were, and no free node on top of another node.
void expectSoundPlan(const LayoutInput& input, const std::vector<PlanPoint>& plan) {
    ASSERT_EQ(plan.size(), static_cast<std::size_t>(input.nodeCount));
    for (std::size_t i = 0; i < plan.size(); ++i) {
        ASSERT_TRUE(std::isfinite(plan[i].x) && std::isfinite(plan[i].y)) << "node " << i;
        if (input.fixed[i]) {
            EXPECT_EQ(plan[i].x, input.fixed[i]->x) << "node " << i;
            EXPECT_EQ(plan[i].y, input.fixed[i]->y) << "node " << i;
        }
    }
    const bool hasLinks = std::any_of(input.links.begin(), input.links.end(),
                                      [](const LayoutLink& l) { return l.a != l.b; });
    const double tooClose = hasLinks ? 0.05 * medianDrawnLength(input, plan) : 1.0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        for (std::size_t j = i + 1; j < plan.size(); ++j) {
            if (input.fixed[i] && input.fixed[j]) {
                continue;  // where the user put them
            }
            ASSERT_GE(distance(plan[i], plan[j]), tooClose) << "nodes " << i << " and " << j;
        }
    }
}

struct NamedInput {
    std::string name;
    LayoutInput input;
};

std::string caseName(const testing::TestParamInfo<NamedInput>& info) {
    return info.param.name;
}

void PrintTo(const NamedInput& c, std::ostream* out) {
    *out << c.name;
}

std::vector<NamedInput> soundPlanCases() {
    std::vector<NamedInput> cases;
    cases.push_back({"Town", meshedTown(10, 10).input});
    cases.push_back({"BranchedNetwork", branchedNetwork(300).input});
    cases.push_back({"TownWithFixedNodes", withFixed(meshedTown(10, 10), 7)});
    cases.push_back({"BranchedWithFixedNodes", withFixed(branchedNetwork(300), 10)});
    // Beyond the size that stress majorization handles in time.
    cases.push_back({"LargeTown", meshedTown(35, 40).input});
    cases.push_back({"LargeTownWithFixedNodes", withFixed(meshedTown(35, 40), 10)});

    LayoutInput oneFixed = meshedTown(6, 6).input;
    oneFixed.fixed[14] = PlanPoint{5000, -3000};
    cases.push_back({"OneFixedNode", oneFixed});

    LayoutInput unknown = meshedTown(6, 6).input;
    const double unknownLengths[] = {0, -5, kNaN, std::numeric_limits<double>::infinity()};
    for (std::size_t i = 0; i < unknown.links.size(); ++i) {
        unknown.links[i].length = unknownLengths[i % 4];
    }
    cases.push_back({"LengthsUnknown", unknown});

    LayoutInput shortPipes = chain(10, 100);
    for (std::size_t i = 0; i < shortPipes.links.size(); i += 2) {
        shortPipes.links[i].length = 0.01;
    }
    cases.push_back({"VeryShortPipes", shortPipes});

    LayoutInput repeated = emptyNetwork(4);
    repeated.links = {{0, 1, 50}, {1, 0, 50}, {1, 2, 80}, {2, 2, 10}, {2, 3, 60}, {1, 2, 80}};
    cases.push_back({"ParallelPipesAndLoops", repeated});

    LayoutInput sameSpot = chain(6, 100);
    sameSpot.fixed[0] = sameSpot.fixed[2] = sameSpot.fixed[5] = PlanPoint{300, 300};
    cases.push_back({"FixedNodesOnOneSpot", sameSpot});

    LayoutInput allFixed = chain(4, 100);
    for (int i = 0; i < 4; ++i) {
        allFixed.fixed[static_cast<std::size_t>(i)] = PlanPoint{10.0 * i, 0.5 * i};
    }
    cases.push_back({"AllFixed", allFixed});

    LayoutInput isolated = emptyNetwork(5);
    isolated.fixed[3] = PlanPoint{0, 0};
    cases.push_back({"OnlyIsolatedNodes", isolated});
    return cases;
}

class SoundPlanTest : public testing::TestWithParam<NamedInput> {};

TEST_P(SoundPlanTest, PlacesEveryNodeDistinctlyAndKeepsTheFixedOnes) {
    const LayoutInput& input = GetParam().input;
    expectSoundPlan(input, layoutNetwork(input));
}

INSTANTIATE_TEST_SUITE_P(Networks, SoundPlanTest, testing::ValuesIn(soundPlanCases()), caseName);

TEST(LayoutNetwork, EmptyAndSingleNodeNetworks) {
    EXPECT_TRUE(layoutNetwork(emptyNetwork(0)).empty());

    const std::vector<PlanPoint> lone = layoutNetwork(emptyNetwork(1));
    ASSERT_EQ(lone.size(), 1u);
    EXPECT_TRUE(std::isfinite(lone[0].x) && std::isfinite(lone[0].y));

    LayoutInput fixed = emptyNetwork(1);
    fixed.fixed[0] = PlanPoint{3512345.25, 5812345.75};
    const std::vector<PlanPoint> kept = layoutNetwork(fixed);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].x, 3512345.25);
    EXPECT_EQ(kept[0].y, 5812345.75);
}

TEST(LayoutNetwork, RejectsInconsistentInput) {
    std::vector<NamedInput> cases;
    LayoutInput negative;
    negative.nodeCount = -1;
    cases.push_back({"negative node count", negative});
    LayoutInput shortFixed = chain(3, 10);
    shortFixed.fixed.pop_back();
    cases.push_back({"fixed list too short", shortFixed});
    LayoutInput below = chain(3, 10);
    below.links.push_back({-1, 0, 10});
    cases.push_back({"link to node -1", below});
    LayoutInput beyond = chain(3, 10);
    beyond.links.push_back({2, 3, 10});
    cases.push_back({"link to node 3 of 3", beyond});
    LayoutInput notFinite = chain(3, 10);
    notFinite.fixed[1] = PlanPoint{kNaN, 0};
    cases.push_back({"fixed point not a number", notFinite});
    LayoutInput infinite = chain(3, 10);
    infinite.fixed[2] = PlanPoint{0, -std::numeric_limits<double>::infinity()};
    cases.push_back({"fixed point infinite", infinite});

    for (const NamedInput& c : cases) {
        try {
            layoutNetwork(c.input);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Lageplan: ", 0), 0u)
                << c.name << ": " << e.what();
        }
    }
}

// A chain of pipes whose two ends are fixed: the inner nodes must lie between them, evenly, at
// the scale and in the place the fixed ends give, whatever the units and offsets of the plan.
TEST(LayoutNetwork, ChainBetweenFixedEndsLiesBetweenThem) {
    struct Case {
        const char* name;
        PlanPoint first;
        PlanPoint last;
    };
    const Case cases[] = {
        {"metres", {0, 0}, {500, 0}},
        {"plan in decimetres", {0, 0}, {5000, 0}},
        {"plan in hectometres", {0, 0}, {5, 0}},
        {"diagonal in national grid coordinates", {3512000, 5812000}, {3512300, 5812400}},
    };
    constexpr int kNodes = 6;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayoutInput input = chain(kNodes, 100);
        input.fixed.front() = c.first;
        input.fixed.back() = c.last;
        const std::vector<PlanPoint> plan = layoutNetwork(input);
        expectSoundPlan(input, plan);

        const double span = distance(c.first, c.last);
        const double ux = (c.last.x - c.first.x) / span;
        const double uy = (c.last.y - c.first.y) / span;
        const double step = span / (kNodes - 1);
        for (int i = 1; i + 1 < kNodes; ++i) {
            const PlanPoint& p = plan[static_cast<std::size_t>(i)];
            const double along = (p.x - c.first.x) * ux + (p.y - c.first.y) * uy;
            const double across = -(p.x - c.first.x) * uy + (p.y - c.first.y) * ux;
            EXPECT_NEAR(along, i * step, 0.15 * step) << "node " << i;
            EXPECT_LT(std::abs(across), 0.25 * step) << "node " << i;
        }
    }
}

// Free nodes with fixed neighbours are drawn next to them, not somewhere in the drawing.
TEST(LayoutNetwork, FreeNodesStayNearTheirFixedNeighbours) {
    const std::vector<NamedInput> cases = {
        {"town", withFixed(meshedTown(15, 20), 10)},
        {"town with few fixed nodes", withFixed(meshedTown(15, 20), 50)},
        {"branched network", withFixed(branchedNetwork(300), 10)},
    };
    for (const NamedInput& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<PlanPoint> plan = layoutNetwork(c.input);
        expectSoundPlan(c.input, plan);
        std::vector<double> pipeLengths;
        for (const LayoutLink& link : c.input.links) {
            pipeLengths.push_back(link.length);
        }
        // Very short pipes are drawn at a fraction of the median length.
        const double shortest = 0.25 * median(pipeLengths);
        for (const LayoutLink& link : c.input.links) {
            const bool fixedA = c.input.fixed[static_cast<std::size_t>(link.a)].has_value();
            const bool fixedB = c.input.fixed[static_cast<std::size_t>(link.b)].has_value();
            if (fixedA != fixedB) {
                EXPECT_LT(drawnLength(plan, link), 2.0 * std::max(link.length, shortest))
                    << "link " << link.a << " - " << link.b;
            }
        }
    }
}

// Drawn lengths follow the pipe lengths, in metres when nothing is fixed: long pipes come out
// long and short ones short, in the small networks that stress majorization lays out and in the
// large ones that start from the multilevel layout, which ignores lengths.
TEST(LayoutNetwork, DrawnLengthsFollowThePipeLengths) {
    const std::vector<NamedInput> cases = {
        {"branched network", branchedNetwork(300).input},
        {"large branched network", branchedNetwork(1500).input},
        {"town", meshedTown(10, 10).input},
    };
    for (const NamedInput& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<PlanPoint> plan = layoutNetwork(c.input);
        std::vector<double> ratios;
        double longDrawn = 0;
        double longGiven = 0;
        double shortDrawn = 0;
        double shortGiven = 0;
        for (const LayoutLink& link : c.input.links) {
            const double drawn = drawnLength(plan, link);
            ratios.push_back(drawn / link.length);
            if (link.length > 250) {
                longDrawn += drawn;
                longGiven += link.length;
            } else if (link.length < 100) {
                shortDrawn += drawn;
                shortGiven += link.length;
            }
        }
        EXPECT_GT(median(ratios), 0.8);
        EXPECT_LT(median(ratios), 1.25);
        const auto within = std::count_if(ratios.begin(), ratios.end(),
                                          [](double r) { return r > 0.6 && r < 1.7; });
        EXPECT_GE(static_cast<double>(within), 0.9 * static_cast<double>(ratios.size()));
        if (longGiven > 0 && shortGiven > 0) {
            // Mean drawn lengths of the groups relate like their mean pipe lengths.
            EXPECT_NEAR((longDrawn / shortDrawn) / (longGiven / shortGiven), 1.0, 0.25);
        }
    }
}

// The fixed nodes' coordinates set the scale of the free ones, so that a plan in feet or in
// kilometres gets free nodes at the same scale.
TEST(LayoutNetwork, FreeNodesFollowTheUnitsOfTheFixedNodes) {
    const samples::Sample town = meshedTown(12, 12);
    for (const double unitsPerMetre : {1.0, 1 / 0.3048, 0.001}) {
        SCOPED_TRACE(unitsPerMetre);
        LayoutInput input = withFixed(town, 5);
        for (auto& p : input.fixed) {
            if (p) {
                *p = {p->x * unitsPerMetre + 1000, p->y * unitsPerMetre - 500};
            }
        }
        const std::vector<PlanPoint> plan = layoutNetwork(input);
        expectSoundPlan(input, plan);
        std::vector<double> ratios;
        for (const LayoutLink& link : input.links) {
            ratios.push_back(drawnLength(plan, link) / (link.length * unitsPerMetre));
        }
        EXPECT_NEAR(median(ratios), 1.0, 0.25);
    }
}

TEST(LayoutNetwork, SeparatePartsAndIsolatedNodesDoNotOverlap) {
    // Nodes 0-24 and 25-49 are two towns, 50-52 isolated nodes.
    LayoutInput input = emptyNetwork(53);
    for (const int offset : {0, 25}) {
        for (const LayoutLink& link : meshedTown(5, 5, 7 + offset).input.links) {
            input.links.push_back({link.a + offset, link.b + offset, link.length});
        }
    }
    const std::vector<PlanPoint> plan = layoutNetwork(input);
    expectSoundPlan(input, plan);
    const PlanBox first = boxOf(plan, 0, 24);
    const PlanBox second = boxOf(plan, 25, 49);
    EXPECT_FALSE(overlap(first, second));
    for (int i = 50; i < 53; ++i) {
        EXPECT_FALSE(contains(first, plan[static_cast<std::size_t>(i)])) << "node " << i;
        EXPECT_FALSE(contains(second, plan[static_cast<std::size_t>(i)])) << "node " << i;
    }

    // The second town fixed far from the origin: the free one lies beside it, not on it and not
    // at the origin.
    const samples::Sample fixedTown = meshedTown(5, 5, 32);
    for (int i = 0; i < 25; ++i) {
        const PlanPoint& p = fixedTown.plan[static_cast<std::size_t>(i)];
        input.fixed[static_cast<std::size_t>(25 + i)] = PlanPoint{3512000 + p.x, 5812000 + p.y};
    }
    const std::vector<PlanPoint> beside = layoutNetwork(input);
    expectSoundPlan(input, beside);
    const PlanBox freeBox = boxOf(beside, 0, 24);
    const PlanBox fixedBox = boxOf(beside, 25, 49);
    EXPECT_FALSE(overlap(freeBox, fixedBox));
    EXPECT_LT(gapBetween(freeBox, fixedBox), 1000.0);
    for (int i = 50; i < 53; ++i) {
        EXPECT_FALSE(contains(freeBox, beside[static_cast<std::size_t>(i)])) << "node " << i;
        EXPECT_FALSE(contains(fixedBox, beside[static_cast<std::size_t>(i)])) << "node " << i;
        EXPECT_LT(gapBetween(fixedBox, boxOf(beside, i, i)), 2000.0) << "node " << i;
    }
}

void expectSamePlan(const std::vector<PlanPoint>& a, const std::vector<PlanPoint>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].x, b[i].x) << "node " << i;
        EXPECT_EQ(a[i].y, b[i].y) << "node " << i;
    }
}

std::vector<NamedInput> repeatCases() {
    return {
        {"town", meshedTown(10, 10).input},
        {"branched network with fixed nodes", withFixed(branchedNetwork(200), 10)},
        {"large town", meshedTown(35, 40).input},
    };
}

TEST(LayoutNetwork, SameInputGivesTheSamePlan) {
    for (const NamedInput& c : repeatCases()) {
        SCOPED_TRACE(c.name);
        const std::vector<PlanPoint> first = layoutNetwork(c.input);
        expectSamePlan(first, layoutNetwork(c.input));
    }
}

// Graphviz keeps global state: calls from several threads at once must neither crash nor mix
// their results.
TEST(LayoutNetwork, ConcurrentCallsGiveTheSerialResults) {
    const std::vector<NamedInput> cases = repeatCases();
    std::vector<std::vector<PlanPoint>> serial;
    for (const NamedInput& c : cases) {
        serial.push_back(layoutNetwork(c.input));
    }
    std::vector<std::vector<PlanPoint>> parallel(cases.size() * 2);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < parallel.size(); ++t) {
        threads.emplace_back(
            [&, t] { parallel[t] = layoutNetwork(cases[t % cases.size()].input); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (std::size_t t = 0; t < parallel.size(); ++t) {
        SCOPED_TRACE(cases[t % cases.size()].name);
        expectSamePlan(serial[t % cases.size()], parallel[t]);
    }
}

// The desktop program runs with the user's locale, in which printf writes "1,5"; the lengths and
// starting positions handed to Graphviz, which reads them in the C format, must not depend on it.
TEST(LayoutNetwork, GermanNumberFormatDoesNotChangeThePlan) {
    const LayoutInput input = withFixed(branchedNetwork(200), 10);
    const std::vector<PlanPoint> expected = layoutNetwork(input);

    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* german = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro"}) {
        if (std::setlocale(LC_ALL, name) != nullptr &&
            std::string(std::localeconv()->decimal_point) == ",") {
            german = name;
            break;
        }
    }
    if (german == nullptr) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no German locale installed";
    }
    const std::vector<PlanPoint> plan = layoutNetwork(input);
    std::setlocale(LC_ALL, previous.c_str());
    expectSamePlan(expected, plan);
}

// Without its layout plugins Graphviz cannot lay out anything; the caller gets a LayoutError with
// a German text instead of a crash or made-up positions. Graphviz reads its plugin directory once
// per process, so this runs in a child process.
TEST(LayoutNetworkDeathTest, MissingGraphvizPluginsRaiseLayoutError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("GVBINDIR", "/nonexistent-graphviz-plugins", 1);
            try {
                layoutNetwork(chain(3, 100));
            } catch (const LayoutError& e) {
                std::exit(std::string(e.what()).rfind("Lageplan: Graphviz", 0) == 0 ? 0 : 2);
            }
            std::exit(1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace kolma
