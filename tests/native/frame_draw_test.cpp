// The frame draw on an offscreen Mesa context, checked by reading pixels back.

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <functional>

#include "frame_draw.h"
#include "projection.h"
#include "scene.h"
#include "support/offscreen_gl.h"
#include "support/picture_source.h"
#include "support/scene_geometry.h"
#include "support/shell_double.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kPi = 3.14159265358979323846;

const Rgb kMarked = {230, 0, 230};
const Rgb kBlack = {0, 0, 0};

bool isMarked(Rgb c) { return c.r - c.g > 25 && c.b - c.g > 25; }

struct Blob {
    int count = 0;
    double x = 0, y = 0;
};

class FrameDraw : public ::testing::Test {
protected:
    FrameDraw() : gl(kWidth, kHeight) {}

    void SetUp() override
    {
        ASSERT_TRUE(gl.ready()) << "no offscreen Mesa context";
        resetPictureSource();
        theScene().angles = OrbitAngles();
        clearKeyState(keys);
    }

    void TearDown() override
    {
        if (initialised) sceneRelease();
        resetPictureSource();
    }

    // Solid test pictures: grey everywhere, the Sun's pictures from the files.
    void useSolidPictures()
    {
        PictureSource& source = pictureSource();
        source.useFiles = false;
        source.filesFor = {kSunGlowTexture, kSunMaskTexture};
    }

    void init()
    {
        if (initialised) sceneRelease();
        // As the shell does: the projection is set when the window opens.
        setProjection(kWidth, kHeight);
        ASSERT_TRUE(sceneInit(window, keys));
        initialised = true;
        // Park every star off screen so none can fall on a body by chance.
        for (Star& star : theScene().stars) star = {-90.0f, -75.0f};
    }

    void render()
    {
        drawFrame();
        gl.readBack();
    }

    Blob blobNear(ScreenPoint centre, double reach, const std::function<bool(Rgb)>& wanted) const
    {
        Blob blob;
        const int r = static_cast<int>(std::ceil(reach));
        for (int y = static_cast<int>(centre.y) - r; y <= static_cast<int>(centre.y) + r; ++y) {
            for (int x = static_cast<int>(centre.x) - r; x <= static_cast<int>(centre.x) + r; ++x) {
                if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || !wanted(gl.at(x, y))) continue;
                ++blob.count;
                blob.x += x + 0.5;
                blob.y += y + 0.5;
            }
        }
        if (blob.count > 0) {
            blob.x /= blob.count;
            blob.y /= blob.count;
        }
        return blob;
    }

    OffscreenGl gl;
    QuitRecorder window;
    KeyState keys;
    bool initialised = false;
};

Point3 planetCentre(const Planet& planet, double angle)
{
    return place({Transform::rotation(angle, 0, 1, 0),
                  Transform::translation(planet.orbitOffset.x, planet.orbitOffset.y, planet.orbitOffset.z)});
}

TEST_F(FrameDraw, WithEveryAngleAtZeroEachPlanetLandsOnItsOrbitPoint)
{
    const ScreenPoint sun = project({0, 0, 0}, kWidth, kHeight);
    for (const Planet& planet : kPlanets) {
        SCOPED_TRACE(planet.name);
        if (std::string(planet.name) == "Venus") continue;   // behind the Sun: see the mask test
        useSolidPictures();
        pictureSource().solidColours = {{planet.texture, kMarked}};
        init();
        const bool pluto = std::string(planet.name) == "Pluto";
        // At angle 0 Pluto lies right behind Neptune, nearer to the viewer: move Neptune.
        if (pluto) theScene().angles.angleNeptune = 90;
        render();
        theScene().angles.angleNeptune = 0;

        const ScreenPoint expected = project(planetCentre(planet, 0), kWidth, kHeight);
        const double radius = pixelRadius(planet.radius, expected.eyeDepth, kHeight);
        const Blob blob = blobNear(expected, radius * 2 + 6, isMarked);

        ASSERT_GT(blob.count, 0);
        EXPECT_NEAR(blob.x, expected.x, 2.5);
        EXPECT_NEAR(blob.y, expected.y, 2.5);

        const bool inFront = planet.orbitOffset.z > 0;
        const bool behind = planet.orbitOffset.z < 0;
        if (pluto) {
            // Where Neptune stood it hides Pluto.
            render();
            EXPECT_EQ(blobNear(expected, radius * 2 + 6, isMarked).count, 0);
        }
        if (inFront) {
            // Nearer than the Sun and below it on screen, and whole.
            EXPECT_GT(blob.y, sun.y);
            EXPECT_GE(blob.count, 0.5 * kPi * radius * radius);
        }
        if (behind) {
            EXPECT_LT(blob.y, sun.y);
        }
        if (planet.orbitOffset.x > 0) {
            EXPECT_GT(blob.x, sun.x + 100);
        }
        if (planet.orbitOffset.x < 0) {
            EXPECT_LT(blob.x, sun.x - 100);
        }
    }
}

TEST_F(FrameDraw, SunMaskDarkensWhatIsBehindItAndSparesWhatIsInFront)
{
    const Planet& venus = *findPlanet("Venus");
    const Planet& mercury = *findPlanet("Mercury");
    const ScreenPoint behind = project(planetCentre(venus, 0), kWidth, kHeight);
    const ScreenPoint front = project(planetCentre(mercury, 0), kWidth, kHeight);
    const double reach = pixelRadius(venus.radius, behind.eyeDepth, kHeight) + 4;
    const double frontReach = pixelRadius(mercury.radius, front.eyeDepth, kHeight) + 4;
    auto redLight = [&](const ScreenPoint& where, double r) {
        long sum = 0;
        blobNear(where, r, [&](Rgb c) { return isMarked(c) && (sum += c.r, true); });
        return sum;
    };

    // The glow adds nothing here, so only the mask decides.
    useSolidPictures();
    pictureSource().solidColours = {{venus.texture, kMarked}, {mercury.texture, kMarked},
                                    {kSunGlowTexture, kBlack}, {kSunMaskTexture, {255, 255, 255}}};
    pictureSource().filesFor = {};
    init();
    render();
    const long venusUnmasked = redLight(behind, reach);
    const long mercuryUnmasked = redLight(front, frontReach);
    ASSERT_GT(venusUnmasked, 0);
    ASSERT_GT(mercuryUnmasked, 0);

    // A black mask blacks out all behind its square; Mercury in front keeps every pixel.
    pictureSource().solidColours[kSunMaskTexture] = kBlack;
    init();
    render();
    EXPECT_EQ(blobNear(behind, reach, isMarked).count, 0);
    EXPECT_EQ(redLight(front, frontReach), mercuryUnmasked);

    // The real mask: Venus, just off the black disc, is dimmed by its gradient.
    pictureSource().filesFor = {kSunMaskTexture};
    init();
    render();
    EXPECT_LT(redLight(behind, reach), venusUnmasked * 6 / 10);
    EXPECT_EQ(redLight(front, frontReach), mercuryUnmasked);
}

TEST_F(FrameDraw, SunGlowsPaleYellowInTheMiddle)
{
    init();
    render();
    const Rgb centre = gl.at(kWidth / 2, kHeight / 2);
    EXPECT_GT(centre.r, 220);
    EXPECT_GT(centre.g, 220);
    EXPECT_GT(centre.b, 50);
    EXPECT_LT(centre.b, 190);
    // The corners hold black sky.
    const Rgb corner = gl.at(2, 2);
    EXPECT_EQ(corner.r + corner.g + corner.b, 0);
}

TEST_F(FrameDraw, RingIsAddedOverSaturnAndShowsFromBothSides)
{
    const Planet& saturn = *findPlanet("Saturn");
    for (double angle : {90.0, 270.0}) {
        SCOPED_TRACE(angle);
        const ScreenPoint where = project(planetCentre(saturn, angle), kWidth, kHeight);
        const double radius = pixelRadius(saturn.radius, where.eyeDepth, kHeight);

        useSolidPictures();
        pictureSource().solidColours = {{kRingTexture, kBlack}};
        theScene().angles.angleSaturn = angle;
        init();
        render();
        const std::vector<std::uint8_t> withoutRing = gl.rgba();

        pictureSource().solidColours = {{kRingTexture, {60, 60, 60}}};
        init();
        render();

        int added = 0, addedOverSphere = 0, untouchedSphere = 0;
        const int reach = static_cast<int>(radius * 3.5);
        for (int y = static_cast<int>(where.y) - reach; y <= where.y + reach; ++y) {
            for (int x = static_cast<int>(where.x) - reach; x <= where.x + reach; ++x) {
                const std::size_t at = (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4;
                const int before = withoutRing[at], after = gl.rgba()[at];
                const bool onSphere = std::hypot(x + 0.5 - where.x, y + 0.5 - where.y) < radius * 0.8;
                if (after > before) ++added;
                if (onSphere && after > before) ++addedOverSphere;
                if (onSphere && after == before) ++untouchedSphere;
                EXPECT_GE(after, before);   // additive: it never darkens
            }
        }
        EXPECT_GT(added, 100);
        EXPECT_GT(addedOverSphere, 0);   // the near half lies over the sphere
        EXPECT_GT(untouchedSphere, 0);   // the far half is hidden by it
    }
}

TEST_F(FrameDraw, LeavesTheStateAsFoundAndTheStackBalanced)
{
    init();
    advanceOrbits(7777);
    GLint depthBefore = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
    render();

    GLint depth = 0, mode = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(depth, depthBefore);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2], 3.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FrameDraw, CompiledPathGivesTheSamePixelsAsTheLiteralOne)
{
    init();
    seedStarField(theScene().stars, 42);
    advanceOrbits(123456);

    theScene().drawPath = DrawPath::Literal;
    render();
    const std::vector<std::uint8_t> literal = gl.rgba();

    theScene().drawPath = DrawPath::Compiled;
    render();
    EXPECT_TRUE(gl.rgba() == literal);

    int lit = 0;
    for (std::size_t i = 0; i < literal.size(); i += 4) lit += literal[i] + literal[i + 1] + literal[i + 2] > 0;
    EXPECT_GT(lit, 10000);   // a whole scene was compared, not two black frames
}

TEST_F(FrameDraw, StarsAreGreyPointsFixedOnTheScreen)
{
    init();
    seedStarField(theScene().stars, 7);
    render();
    // Nearly all land on black sky; the few under a body or the Sun are not counted.
    int grey = 0;
    for (const Star& star : theScene().stars) {
        // Eye-space point (x, y, -165) through the 45° perspective.
        const double focal = (kHeight / 2.0) / std::tan(22.5 * kPi / 180.0);
        const int x = static_cast<int>(kWidth / 2.0 + focal * star.x / 165.0);
        const int y = static_cast<int>(kHeight / 2.0 - focal * star.y / 165.0);
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) continue;
        const Rgb c = gl.at(x, y);
        if (c.r == c.g && c.g == c.b && c.r >= 120 && c.r <= 136) ++grey;
    }
    EXPECT_GT(grey, 300);
}

TEST_F(FrameDraw, MissingPictureLeavesItsBodyPlainlyLitAndTheOthersTextured)
{
    const Planet& earth = *findPlanet("Earth");
    const double angle = 270.0;   // Earth on +z with its Moon turned in front of it
    theScene().angles.angleEarth = angle;
    const Point3 moonCentre = place({Transform::rotation(angle, 0, 1, 0),
                                     Transform::translation(earth.orbitOffset.x, 0, earth.orbitOffset.z),
                                     Transform::rotation(earth.tiltDegrees, -1, 0, 0),
                                     Transform::rotation(angle, 0, 0, 1), Transform::translation(0, 1.5, 0)});
    const ScreenPoint moon = project(moonCentre, kWidth, kHeight);
    const ScreenPoint planet = project(planetCentre(earth, angle), kWidth, kHeight);
    const double earthRadius = pixelRadius(earth.radius, planet.eyeDepth, kHeight);
    const ScreenPoint earthSide = {planet.x - earthRadius * 0.6, planet.y, planet.eyeDepth};

    useSolidPictures();
    pictureSource().solidColours = {{11, {220, 30, 30}}, {earth.texture, {30, 200, 30}}};
    init();
    render();
    Rgb c = gl.at(static_cast<int>(moon.x), static_cast<int>(moon.y));
    EXPECT_GT(c.r, c.g + 20) << "the Moon wears its picture";

    pictureSource().missingResources = {117};
    init();
    render();
    c = gl.at(static_cast<int>(moon.x), static_cast<int>(moon.y));
    EXPECT_GT(c.r, 20);
    EXPECT_NEAR(c.r, c.g, 3);
    EXPECT_NEAR(c.g, c.b, 3);
    const Rgb side = gl.at(static_cast<int>(earthSide.x), static_cast<int>(earthSide.y));
    EXPECT_GT(side.g, side.r + 20) << "Earth keeps its picture";
}

TEST_F(FrameDraw, ReinitKeepsTheAnglesAndTheSameSecondGivesTheSameStars)
{
    advanceOrbits(5000);
    const OrbitAngles angles = theScene().angles;

    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::time_t before = std::time(nullptr);
        ASSERT_TRUE(sceneInit(window, keys));
        const StarField first = theScene().stars;
        sceneRelease();
        ASSERT_TRUE(sceneInit(window, keys));
        const StarField second = theScene().stars;
        initialised = true;
        if (std::time(nullptr) != before) {
            sceneRelease();
            initialised = false;
            continue;   // straddled a second boundary: the seeds differ by design
        }
        for (std::size_t i = 0; i < kStarCount; ++i) {
            EXPECT_EQ(first[i].x, second[i].x);
            EXPECT_EQ(first[i].y, second[i].y);
        }
        break;
    }
    for (const OrbitStep& step : kOrbitSteps) EXPECT_EQ(theScene().angles.*step.angle, angles.*step.angle);
}

TEST(Projection, NoClientHeightStillGivesAFiniteProjection)
{
    OffscreenGl gl(64, 64);
    ASSERT_TRUE(gl.ready());
    setProjection(640, 0);
    GLdouble matrix[16];
    glGetDoublev(GL_PROJECTION_MATRIX, matrix);
    for (double value : matrix) EXPECT_TRUE(std::isfinite(value));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    setProjection(800, 600);
    glGetDoublev(GL_PROJECTION_MATRIX, matrix);
    // 45° vertical field: cot(22.5°) on y, divided by the aspect on x.
    EXPECT_NEAR(matrix[5], 1.0 / std::tan(22.5 * kPi / 180.0), 1e-6);
    EXPECT_NEAR(matrix[0], matrix[5] * 600.0 / 800.0, 1e-6);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
}

} // namespace
