// The angle accumulators, the Escape test and the star field: no GL needed.

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "scene.h"
#include "support/shell_double.h"

namespace {

class SceneAnimation : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearKeyState(keys);
        Scene& scene = theScene();
        scene.angles = OrbitAngles();
        scene.window = &window.record();
        scene.keyState = &keys;
    }
    void TearDown() override
    {
        theScene().window = nullptr;
        theScene().keyState = nullptr;
    }

    QuitRecorder window;
    KeyState keys;
};

TEST_F(SceneAnimation, OneMercuryYearTurnsMercuryOnceAndTheSunByItsOwnRate)
{
    advanceOrbits(10440);
    const OrbitAngles& a = theScene().angles;
    // A full turn is kept reduced: 360 and 0 are the same place.
    EXPECT_NEAR(std::fmod(a.angleMercury, 360.0), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(a.angleSun, 130.5);
    EXPECT_NEAR(a.angleVenus, 10440.0 / 38, 1e-9);
    EXPECT_NEAR(a.angleEarth, 10440.0 / 43, 1e-9);
    EXPECT_NEAR(a.angleMars, 10440.0 / 45, 1e-9);
    EXPECT_NEAR(a.angleJupiter, 10440.0 / 52, 1e-9);
    EXPECT_NEAR(a.angleSaturn, 10440.0 / 54, 1e-9);
    EXPECT_NEAR(a.angleUranus, 10440.0 / 56, 1e-9);
    EXPECT_NEAR(a.angleNeptune, 10440.0 / 57, 1e-9);
    EXPECT_NEAR(a.anglePluto, 10440.0 / 58, 1e-9);
    EXPECT_EQ(window.quitRequests, 0);
}

TEST_F(SceneAnimation, NoElapsedTimeMovesNothing)
{
    advanceOrbits(1000);
    const OrbitAngles before = theScene().angles;
    advanceOrbits(0);
    const OrbitAngles& after = theScene().angles;
    for (const OrbitStep& step : kOrbitSteps) EXPECT_EQ(after.*step.angle, before.*step.angle);
}

TEST_F(SceneAnimation, EscapeQuitsAtTheStepAndTheStepStillAdvances)
{
    recordKeyDown(keys, kEscapeKey);
    advanceOrbits(29);
    EXPECT_EQ(window.quitRequests, 1);
    EXPECT_NEAR(theScene().angles.angleMercury, 1.0, 1e-9);

    // Held, it asks again at every step.
    advanceOrbits(29);
    EXPECT_EQ(window.quitRequests, 2);

    // Escape released, or another key, asks nothing.
    recordKeyUp(keys, kEscapeKey);
    recordKeyDown(keys, 'Q');
    recordKeyUp(keys, 'Q');
    advanceOrbits(29);
    EXPECT_EQ(window.quitRequests, 2);
}

TEST_F(SceneAnimation, AnEscapeTapBetweenTwoStepsIsSeenByTheNextStepOnce)
{
    // Key-down and key-up both handled before the step: a busy machine, a slow frame.
    recordKeyDown(keys, kEscapeKey);
    recordKeyUp(keys, kEscapeKey);
    advanceOrbits(16);
    EXPECT_EQ(window.quitRequests, 1);
    advanceOrbits(16);
    EXPECT_EQ(window.quitRequests, 1);

    // A new window forgets held keys but not a tap no step has seen yet.
    recordKeyDown(keys, kEscapeKey);
    recordKeyUp(keys, kEscapeKey);
    forgetHeldKeys(keys);
    advanceOrbits(16);
    EXPECT_EQ(window.quitRequests, 2);

    // A key held across a new window, already seen, is forgotten with it.
    recordKeyDown(keys, kEscapeKey);
    advanceOrbits(16);
    forgetHeldKeys(keys);
    advanceOrbits(16);
    EXPECT_EQ(window.quitRequests, 3);

    // Codes beyond the table change nothing.
    recordKeyDown(keys, 256 + kEscapeKey);
    advanceOrbits(16);
    EXPECT_EQ(window.quitRequests, 3);
}

TEST_F(SceneAnimation, WeeksOfSmallStepsKeepTheMotionExact)
{
    // Four weeks at 60 frames a second would be 145 million steps; a day of
    // 16 ms steps shows the same thing: the angle after N steps is where one
    // step of the whole time would put it.
    constexpr std::uint32_t kStepMs = 16;
    constexpr std::uint64_t kSteps = 24ull * 3600 * 1000 / kStepMs;
    for (std::uint64_t i = 0; i < kSteps; ++i) advanceOrbits(kStepMs);

    const double totalMs = static_cast<double>(kSteps * kStepMs);
    const OrbitAngles& a = theScene().angles;
    const std::pair<double OrbitAngles::*, double> divisors[] = {
        {&OrbitAngles::angleMercury, 29}, {&OrbitAngles::angleVenus, 38},   {&OrbitAngles::angleEarth, 43},
        {&OrbitAngles::angleMars, 45},    {&OrbitAngles::angleJupiter, 52}, {&OrbitAngles::angleSaturn, 54},
        {&OrbitAngles::angleUranus, 56},  {&OrbitAngles::angleNeptune, 57}, {&OrbitAngles::anglePluto, 58},
        {&OrbitAngles::angleSun, 80},
    };
    for (const auto& [angle, divisor] : divisors) {
        const double expected = std::fmod(totalMs / divisor, 360.0);
        const double got = a.*angle;
        EXPECT_GE(got, 0.0);
        EXPECT_LT(got, 360.0);
        // Compare as places on the circle: 359.99… and 0.00… are neighbours.
        const double apart = std::fabs(std::remainder(got - expected, 360.0));
        EXPECT_LT(apart, 1e-3) << "divisor " << divisor;
    }
    // And a single step of a sixteenth of a second still moves Mercury.
    const double before = a.angleMercury;
    advanceOrbits(kStepMs);
    EXPECT_NEAR(std::remainder(a.angleMercury - before, 360.0), 16.0 / 29, 1e-9);
}

TEST_F(SceneAnimation, HugeElapsedTimeStaysBounded)
{
    advanceOrbits(0xFFFFFFFFu);
    for (const OrbitStep& step : kOrbitSteps) {
        EXPECT_GE(theScene().angles.*step.angle, 0.0);
        EXPECT_LT(theScene().angles.*step.angle, 360.0);
    }
}

TEST(StarField, WholeNumbersInsideTheFieldAndTheSameForTheSameSeed)
{
    StarField first{}, second{}, other{};
    seedStarField(first, 1234);
    seedStarField(second, 1234);
    seedStarField(other, 1235);

    std::set<std::pair<float, float>> distinct;
    for (const Star& star : first) {
        EXPECT_EQ(star.x, std::floor(star.x));
        EXPECT_EQ(star.y, std::floor(star.y));
        EXPECT_GE(star.x, -90.0f);
        EXPECT_LE(star.x, 89.0f);
        EXPECT_GE(star.y, -75.0f);
        EXPECT_LE(star.y, 74.0f);
        distinct.insert({star.x, star.y});
    }
    EXPECT_GT(distinct.size(), 400u);   // a field, not a few repeated points

    bool same = true, differs = false;
    for (std::size_t i = 0; i < kStarCount; ++i) {
        same = same && first[i].x == second[i].x && first[i].y == second[i].y;
        differs = differs || first[i].x != other[i].x || first[i].y != other[i].y;
    }
    EXPECT_TRUE(same);
    EXPECT_TRUE(differs);
}

} // namespace
