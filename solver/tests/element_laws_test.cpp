#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "network_builder.h"
#include "reference_laws.h"
#include "tarnholm/element_laws.h"

namespace tarnholm {

namespace {

double Friction(double reynolds, double relativeRoughness) {
    return FrictionFactor(reynolds, relativeRoughness * 0.2695417789757412,
                          20000.0 * relativeRoughness);
}

Pipe MakePipe(double flow, double diameter, double ks, double length, double zeta) {
    Network net = testnet::Empty();
    Pipe pipe = testnet::AddPipe(net, 0, 1, length, diameter, ks, zeta);
    pipe.flow = flow;
    return pipe;
}

Pump MakePump(const std::vector<double>& flows, const std::vector<double>& heads, double flow) {
    Network net = testnet::Empty();
    Pump pump = testnet::AddPump(net, "P", 0, 1, flows, heads);
    pump.flow = flow;
    return pump;
}

}  // namespace

// Guards the Aitken iteration (start value, map, extrapolation, stop rule) against any slip
// that would leave it at a value other than the Colebrook-White root.
TEST(FrictionFactor, MatchesColebrookWhiteSolvedToHighPrecision) {
    for (double reynolds : {2300.0, 4000.0, 1e4, 1e5, 1e6, 1e8}) {
        for (double relativeRoughness : {0.0, 1e-5, 1e-3, 5e-2}) {
            const double expected = ReferenceColebrook(reynolds, relativeRoughness);
            EXPECT_NEAR(Friction(reynolds, relativeRoughness), expected, 1e-9 * expected)
                << "Re " << reynolds << ", k/d " << relativeRoughness;
        }
    }
}

TEST(FrictionFactor, LaminarBelow2300ColebrookFrom2300On) {
    const double below = std::nextafter(2300.0, 0.0);
    EXPECT_EQ(Friction(below, 1e-3), 64.0 / below);
    EXPECT_EQ(Friction(100.0, 0.0), 0.64);
    const double turbulent = Friction(2300.0, 0.0);
    EXPECT_NEAR(turbulent, ReferenceColebrook(2300.0, 0.0), 1e-9);
    EXPECT_GT(turbulent, 64.0 / 2300.0);  // the jump of the law at the limit
}

// h_a - h_b = (lambda L / d + zeta) q |q| / (2 g A^2): the conductance must reproduce it.
TEST(PipeConductance, FollowsDarcyWeisbach) {
    for (double flow : {2.5, -2.5, 40.0, 0.05}) {
        Pipe pipe = MakePipe(flow, 150.0, 0.1, 120.5, 2.0);
        PipeConductance(pipe, kNu);
        const double headLoss = ReferenceHeadLoss(pipe, flow, kNu);
        EXPECT_NEAR(flow * 0.001 / pipe.conductance, headLoss, 1e-9 * std::fabs(headLoss)) << flow;
    }
}

// A pipe whose flow is exactly 0 would divide by Re = 0; its conductance is the laminar one,
// which does not depend on the flow.
TEST(PipeConductance, NoFlowTakesTheLaminarLimit) {
    Pipe still = MakePipe(0.0, 200.0, 0.1, 50.0, 3.0);
    Pipe slow = MakePipe(1e-6, 200.0, 0.1, 50.0, 0.0);
    PipeConductance(still, kNu);
    PipeConductance(slow, kNu);
    EXPECT_TRUE(std::isfinite(still.conductance));
    EXPECT_NEAR(still.conductance, slow.conductance, 1e-12 * slow.conductance);
}

// Support flows 0, 10, 20 and current flow 15: second interval, t = 0.5, start tangent
// 0.5 (P3 - P1), end tangent 0. The Hermite curve's exact derivative there is
// dq/dtau = 0.0125 m^3/s, dh/dtau = -20 m, so the slope is 1600 m per m^3/s at (0.01625, 26.25).
TEST(PumpLinearization, TangentOfTheHermiteCurve) {
    Pump pump = MakePump({0, 10, 20}, {40, 35, 20}, 15.0);
    int interval = -1;
    double t = -1;
    ASSERT_EQ(PumpCurveInterval(pump, pump.flow, interval, t), CurveUse::Tangent);
    EXPECT_EQ(interval, 1);
    EXPECT_DOUBLE_EQ(t, 0.5);
    PumpLinearization(pump);
    EXPECT_NEAR(1 / pump.conductance, 1600.0, 1600.0 * 1e-3);
    EXPECT_NEAR(pump.tangentHead, 1600.0 * 0.01625 + 26.25, 0.05);
}

TEST(PumpCurveInterval, FlowInNoIntervalTakesTheNearestPartOfTheCurve) {
    const Pump pump = MakePump({0, 10, 20, 30}, {40, 35, 20, 0}, 0.0);
    struct Case {
        double flow;
        CurveUse use;
        int interval;
        double t;  // checked for the tangent only
    };
    const Case cases[] = {
        {-5.0, CurveUse::EndChord, 0, 0.0},  // below the first support flow
        {0.0, CurveUse::EndChord, 0, 0.0},   // on the first support flow
        {10.0, CurveUse::Tangent, 1, 0.0},   // on an inner support flow: the interval it begins
        {20.0, CurveUse::Tangent, 2, 0.0},   //
        {30.0, CurveUse::EndChord, 2, 0.0},  // on the last support flow
        {45.0, CurveUse::EndChord, 2, 0.0},  // beyond the last one
        {25.0, CurveUse::Tangent, 2, 0.5},   // inside an interval, for comparison
    };
    for (const Case& c : cases) {
        int interval = -1;
        double t = -1;
        EXPECT_EQ(PumpCurveInterval(pump, c.flow, interval, t), c.use) << c.flow;
        EXPECT_EQ(interval, c.interval) << c.flow;
        if (c.use == CurveUse::Tangent) {
            EXPECT_DOUBLE_EQ(t, c.t) << c.flow;
        }
    }
}

// Beyond the last support point the characteristic goes on along the chord of its last
// interval: h = 20 - (q - 0.02) * 2000 [m, m^3/s].
TEST(PumpLinearization, BeyondTheLastSupportPointFollowsTheEndChord) {
    Pump pump = MakePump({0, 10, 20, 30}, {40, 35, 20, 0}, 45.0);
    PumpLinearization(pump);
    EXPECT_DOUBLE_EQ(1 / pump.conductance, 2000.0);
    EXPECT_DOUBLE_EQ(pump.tangentHead, 60.0);
}

// Outside the support range the values must be defined and repeatable, and a falling
// characteristic must keep a positive conductance (else the node matrix loses definiteness).
TEST(PumpLinearization, DefinedAndRepeatableOutsideTheCurve) {
    for (double flow : {-5.0, 0.0, 10.0, 30.0, 60.0}) {
        Pump first = MakePump({0, 10, 20, 30}, {40, 35, 20, 0}, flow);
        Pump second = first;
        PumpLinearization(first);
        PumpLinearization(second);
        EXPECT_TRUE(std::isfinite(first.conductance) && std::isfinite(first.tangentHead)) << flow;
        EXPECT_GT(first.conductance, 0.0) << flow;
        EXPECT_EQ(first.conductance, second.conductance);
        EXPECT_EQ(first.tangentHead, second.tangentHead);
    }
}

TEST(PumpLinearization, SingleSupportPointCarriesNothing) {
    Pump pump = MakePump({10}, {30}, 10.0);
    int interval = 0;
    double t = 0;
    EXPECT_EQ(PumpCurveInterval(pump, pump.flow, interval, t), CurveUse::None);
    PumpLinearization(pump);
    EXPECT_EQ(pump.conductance, 0.0);
    EXPECT_EQ(pump.tangentHead, 0.0);
}

}  // namespace tarnholm
