// The compiled draw path against the literal one on an offscreen Mesa
// context: the same pixels, bit for bit, with the bodies at many places —
// in front of and behind the Sun, at the edges of the screen, Saturn's ring
// seen from both sides — and with the picture files and the stars as shown.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "frame_draw.h"
#include "projection.h"
#include "scene.h"
#include "support/offscreen_gl.h"
#include "support/picture_source.h"
#include "support/shell_double.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

struct AngleSet {
    std::string name;
    OrbitAngles angles;
};

OrbitAngles allAt(double degrees)
{
    OrbitAngles a;
    for (const OrbitStep& step : kOrbitSteps) a.*step.angle = degrees;
    return a;
}

std::vector<AngleSet> angleSets()
{
    std::vector<AngleSet> sets = {
        {"every angle 0", allAt(0)},
        {"every angle 90: the outer planets at the left edge", allAt(90)},
        {"every angle 180", allAt(180)},
        {"every angle 270: the outer planets at the right edge", allAt(270)},
        {"every angle 45", allAt(45)},
    };
    // Near the viewer and far out: Pluto across the left edge, Neptune across the right.
    OrbitAngles edges = allAt(0);
    edges.anglePluto = 95;
    edges.angleNeptune = 240;
    sets.push_back({"Pluto and Neptune across the edges of the screen", edges});
    // A long show's worth of uneven steps, from a fixed seed.
    std::mt19937 random(20240613);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    for (int i = 0; i < 6; ++i) {
        OrbitAngles a;
        for (const OrbitStep& step : kOrbitSteps) a.*step.angle = degrees(random);
        sets.push_back({"random set " + std::to_string(i), a});
    }
    return sets;
}

class DrawPath : public ::testing::Test {
protected:
    DrawPath() : gl(kWidth, kHeight) {}

    void SetUp() override
    {
        ASSERT_TRUE(gl.ready()) << "no offscreen Mesa context";
        resetPictureSource();
        clearKeyState(keys);
        setProjection(kWidth, kHeight);
        ASSERT_TRUE(sceneInit(window, keys));
        seedStarField(theScene().stars, 42);
    }

    void TearDown() override
    {
        sceneRelease();
        theScene().drawPath = ::DrawPath::Compiled;
        theScene().angles = OrbitAngles();
    }

    std::vector<std::uint8_t> frameOf(::DrawPath path)
    {
        theScene().drawPath = path;
        drawFrame();
        gl.readBack();
        return gl.rgba();
    }

    OffscreenGl gl;
    QuitRecorder window;
    KeyState keys;
};

int differingPixels(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b)
{
    int count = 0;
    for (std::size_t i = 0; i + 3 < a.size(); i += 4) {
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    }
    return count;
}

int litPixels(const std::vector<std::uint8_t>& image)
{
    int count = 0;
    for (std::size_t i = 0; i + 3 < image.size(); i += 4) count += image[i] + image[i + 1] + image[i + 2] > 0;
    return count;
}

TEST_F(DrawPath, CompiledGivesTheLiteralPixelsAtEveryAngleSet)
{
    for (const AngleSet& set : angleSets()) {
        SCOPED_TRACE(set.name);
        theScene().angles = set.angles;
        const std::vector<std::uint8_t> literal = frameOf(::DrawPath::Literal);
        const std::vector<std::uint8_t> compiled = frameOf(::DrawPath::Compiled);
        EXPECT_EQ(differingPixels(literal, compiled), 0);
        EXPECT_GT(litPixels(literal), 20000);   // a whole scene was compared, not two black frames
    }
}

TEST_F(DrawPath, CompiledGivesTheLiteralPixelsAfterAWindowIsMadeAgain)
{
    // A screen-mode toggle builds everything anew for the new context.
    sceneRelease();
    ASSERT_TRUE(sceneInit(window, keys));
    seedStarField(theScene().stars, 7);
    advanceOrbits(123456);
    const std::vector<std::uint8_t> literal = frameOf(::DrawPath::Literal);
    EXPECT_EQ(differingPixels(literal, frameOf(::DrawPath::Compiled)), 0);
    // And a second frame from the same arrays still matches.
    EXPECT_EQ(differingPixels(literal, frameOf(::DrawPath::Compiled)), 0);
}

TEST_F(DrawPath, ASphereReachingInsideTheNearPlaneIsDrawnAsTheLiteralOne)
{
    // Jupiter's sphere just ahead of the eye: its near side lies closer than the
    // near plane, where OpenGL clips it, and the rest fills much of the screen.
    const double radius = findPlanet("Jupiter")->radius;
    std::vector<std::uint8_t> images[2];
    for (::DrawPath path : {::DrawPath::Literal, ::DrawPath::Compiled}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(1.0f, 0.0f, -2.6f);
        glRotatef(60.0f, 1.0f, 0.0f, 0.0f);
        glBindTexture(GL_TEXTURE_2D, theScene().textureNames[6]);
        if (path == ::DrawPath::Compiled) beginCompiledSpheres();
        drawSphere(theScene().sphereQuadric, radius, path);
        if (path == ::DrawPath::Compiled) endCompiledSpheres();
        gl.readBack();
        images[path == ::DrawPath::Compiled ? 1 : 0] = gl.rgba();
    }
    EXPECT_EQ(differingPixels(images[0], images[1]), 0);
    EXPECT_GT(litPixels(images[0]), 100000);
}

} // namespace
