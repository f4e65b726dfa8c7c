#pragma once
// The fixed model of the solar system: every constant the animation and the
// frame draw read, kept as tables so they can be checked side by side.

#include <cstddef>

// Ten angle accumulators in degrees. Kept in double and reduced modulo 360 so
// that the motion stays as smooth after weeks of running as in the first minute.
struct OrbitAngles {
    double angleMercury = 0;
    double angleVenus = 0;
    double angleEarth = 0;
    double angleMars = 0;
    double angleJupiter = 0;
    double angleSaturn = 0;
    double angleUranus = 0;
    double angleNeptune = 0;
    double anglePluto = 0;
    double angleSun = 0;
};

using AngleField = double OrbitAngles::*;

struct OrbitStep {
    AngleField angle;
    unsigned divisorMs;   // milliseconds per degree
};

// In update order: Mercury first, the Sun last.
extern const OrbitStep kOrbitSteps[10];

struct Vec3 {
    float x, y, z;
};

struct Moon {
    int texture;
    Vec3 offset;          // in the planet's tilted frame, after its turn
    double radius;
};

// What is drawn in a planet's tilted frame after its sphere.
enum class Satellites {
    None,
    CirclingMoons,        // turned by the planet's angle about local z, then offset
    SpinningMoon,         // Pluto's: offset first, then turned twice in place
    Ring                  // Saturn's additive ring
};

struct Planet {
    const char* name;
    int texture;
    AngleField angle;
    Vec3 orbitOffset;
    float tiltDegrees;
    Vec3 tiltAxis;
    double radius;
    Satellites satellites;
    const Moon* moons;
    std::size_t moonCount;
};

constexpr std::size_t kPlanetCount = 9;

// The planets in draw order: Saturn last, so its additive ring lands over
// every other planet already in the image.
extern const Planet kPlanets[kPlanetCount];

// Looks a planet up by name; null when there is none.
const Planet* findPlanet(const char* name);

constexpr int kSphereSlices = 30;
constexpr int kSphereStacks = 30;

constexpr double kPlutoMoonRadius = 0.1;
constexpr Vec3 kPlutoMoonOffset = {0.0f, 0.4f, 0.0f};

constexpr int kRingTexture = 17;
constexpr float kRingHalfSize = 4.0f;

constexpr int kSunGlowTexture = 0;
constexpr int kSunMaskTexture = 1;
constexpr float kSunHalfSize = 10.6f;

constexpr float kLightAmbient[4] = {1, 1, 1, 1};
constexpr float kLightDiffuse[4] = {1, 1, 1, 1};
// Given while the modelview matrix is the identity, so in eye coordinates.
constexpr float kLightPosition[4] = {0, 0, -100, 1};

constexpr double kCameraEye[3] = {0, 30, 110};
constexpr double kCameraCentre[3] = {0, 0, 0};
constexpr double kCameraUp[3] = {0, 1, 0};

constexpr double kFieldOfViewDegrees = 45.0;
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 200.0;

constexpr std::size_t kStarCount = 500;
constexpr float kStarPlaneDistance = 150.0f;
constexpr float kStarDepth = -15.0f;
constexpr float kStarGrey = 0.5f;
