// The cardinal spline: it must pass through every key, have flat ends, and answer outside its
// keys with the last values, whatever order the keys were added in.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "CardinalSpline.h"

namespace kolma {
namespace {

using Point = std::pair<float, float>;

Point at(const CardinalSpline& spline, float x) {
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

TEST(CardinalSpline, ValuesAtKeysBetweenThemAndOutside) {
    const CardinalSpline spline = threePoints();
    EXPECT_EQ(at(spline, 0), (Point{0, 30}));
    EXPECT_EQ(at(spline, 100), (Point{10, 20}));
    EXPECT_EQ(at(spline, 100.9f), (Point{10, 20}));  // fractions round down to the key below
    // Halfway from key 0 to 100: h00 = h01 = 0.5, h10 = 0.125, h11 = -0.125; the middle tangent
    // is (20 - 0, 0 - 30) * 0.5 = (10, -15), the first one is zero.
    EXPECT_EQ(at(spline, 50), (Point{5 - 1.25f, 25 + 1.875f}));
    // Halfway from 100 to 200 the first tangent counts, the last one is zero.
    EXPECT_EQ(at(spline, 150), (Point{15 + 1.25f, 10 - 1.875f}));
    // From the last key on the last values; keys compare unsigned, so a point before the first
    // key lies after the last.
    for (float x :
         {200.0f, 201.0f, 799.0f, -1.0f, -0.5f, 1e20f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(at(spline, x), (Point{20, 0})) << x;
}

TEST(CardinalSpline, EndTangentsAreZero) {
    const CardinalSpline spline = threePoints();
    // A flat start: one step from the first key moves far less than the mean slope.
    const float start = at(spline, 1).first;
    EXPECT_TRUE(start > 0.0f && start < 0.01f) << start;
    const float end = at(spline, 199).first;
    EXPECT_TRUE(end > 19.99f && end < 20.0f) << end;
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
    EXPECT_EQ(at(empty, 0), (Point{0, 0}));
}

}  // namespace
}  // namespace kolma
