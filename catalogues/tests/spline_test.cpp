// The cardinal spline: it must pass through every key, have flat ends, and answer outside its
// keys with the last values, whatever order the keys were added in.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "CardinalSpline.h"

namespace kolma {
namespace {

std::pair<float, float> at(const CardinalSpline& spline, float x) {
    float out[2] = {-1, -1};
    spline.Evaluate(x, out);
    return {out[0], out[1]};
}

CardinalSpline threePoints() {
    CardinalSpline spline(2, 0.5f, 3);
    const float a[2] = {0, 30};
    const float b[2] = {10, 20};
    const float c[2] = {20, 0};
    // Added out of order: Prepare sorts by key.
    spline.AddKey(200, c);
    spline.AddKey(0, a);
    spline.AddKey(100, b);
    spline.Prepare();
    return spline;
}

TEST(CardinalSpline, PassesExactlyThroughEveryKey) {
    const CardinalSpline spline = threePoints();
    EXPECT_EQ(at(spline, 0), (std::pair<float, float>{0, 30}));
    EXPECT_EQ(at(spline, 100), (std::pair<float, float>{10, 20}));
    EXPECT_EQ(at(spline, 200), (std::pair<float, float>{20, 0}));
    // Fractions are rounded down to the key below.
    EXPECT_EQ(at(spline, 100.9f), at(spline, 100));
}

TEST(CardinalSpline, HermiteValuesBetweenTheKeys) {
    const CardinalSpline spline = threePoints();
    // Halfway from key 0 to 100: h00 = h01 = 0.5, h10 = 0.125, h11 = -0.125; the middle
    // tangent is (20 - 0, 0 - 30) * 0.5 = (10, -15), the first one is zero.
    EXPECT_EQ(at(spline, 50), (std::pair<float, float>{5 - 1.25f, 25 + 1.875f}));
    // Halfway from 100 to 200 the first tangent counts, the last one is zero.
    EXPECT_EQ(at(spline, 150), (std::pair<float, float>{15 + 1.25f, 10 - 1.875f}));
}

TEST(CardinalSpline, EndTangentsAreZero) {
    const CardinalSpline spline = threePoints();
    // A flat start: one step from the first key moves far less than the mean slope.
    const auto start = at(spline, 1);
    EXPECT_LT(start.first, 0.01f);
    EXPECT_GT(start.first, 0.0f);
    const auto end = at(spline, 199);
    EXPECT_GT(end.first, 19.99f);
    EXPECT_LT(end.first, 20.0f);
}

TEST(CardinalSpline, OutsideTheKeysGivesTheLastValues) {
    const CardinalSpline spline = threePoints();
    const std::pair<float, float> last{20, 0};
    EXPECT_EQ(at(spline, 201), last);
    EXPECT_EQ(at(spline, 799), last);
    // Keys compare unsigned, so a point before the first key lies after the last.
    EXPECT_EQ(at(spline, -1), last);
    EXPECT_EQ(at(spline, -0.5f), last);
    EXPECT_EQ(at(spline, 1e20f), last);
    EXPECT_EQ(at(spline, std::numeric_limits<float>::quiet_NaN()), last);
}

TEST(CardinalSpline, CapacityBoundsTheKeysAndAnEmptySplineGivesZeros) {
    CardinalSpline spline(1, 0.5f, 2);
    const float v[3] = {1, 2, 3};
    spline.AddKey(0, &v[0]);
    spline.AddKey(10, &v[1]);
    spline.AddKey(20, &v[2]);
    EXPECT_EQ(spline.count(), 2u);
    spline.Prepare();
    float out = -1;
    spline.Evaluate(20, &out);
    EXPECT_EQ(out, 2.0f);

    CardinalSpline empty(2, 0.5f, 0);
    empty.Prepare();
    EXPECT_EQ(at(empty, 0), (std::pair<float, float>{0, 0}));
}

}  // namespace
}  // namespace kolma
