#include "scene_tables.h"

#include <cstring>

const OrbitStep kOrbitSteps[10] = {
    {&OrbitAngles::angleMercury, 29},
    {&OrbitAngles::angleVenus, 38},
    {&OrbitAngles::angleEarth, 43},
    {&OrbitAngles::angleMars, 45},
    {&OrbitAngles::angleJupiter, 52},
    {&OrbitAngles::angleSaturn, 54},
    {&OrbitAngles::angleUranus, 56},
    {&OrbitAngles::angleNeptune, 57},
    {&OrbitAngles::anglePluto, 58},
    {&OrbitAngles::angleSun, 80},
};

namespace {

const Moon kEarthMoons[] = {
    {11, {0.0f, 1.5f, 0.0f}, 0.2},
};

const Moon kJupiterMoons[] = {
    {12, {0.0f, 2.5f, 0.0f}, 0.2},
    {13, {2.5f, 0.0f, 0.0f}, 0.3},
    {14, {2.5f, 2.5f, 0.0f}, 0.3},
    {15, {0.0f, -2.5f, 0.0f}, 0.5},
};

const Moon kUranusMoons[] = {
    {16, {2.0f, 0.0f, 0.0f}, 0.3},
    {16, {2.0f, 2.0f, 0.0f}, 0.123},
    {16, {0.0f, 2.0f, 0.0f}, 0.4},
    {16, {-2.0f, -2.0f, 0.0f}, 0.2},
};

constexpr Vec3 kTiltBack = {-1.0f, 0.0f, 0.0f};
constexpr Vec3 kTiltForward = {1.0f, 0.0f, 0.0f};

} // namespace

const Planet kPlanets[kPlanetCount] = {
    // name       tex angle                       orbit offset               tilt about       radius
    {"Mercury", 2, &OrbitAngles::angleMercury, {0.0f, 0.0f, 5.79f}, 105.0f, kTiltBack, 0.267,
     Satellites::None, nullptr, 0},
    {"Venus", 3, &OrbitAngles::angleVenus, {0.0f, 0.0f, -10.8f}, 75.0f, kTiltBack, 0.664,
     Satellites::None, nullptr, 0},
    {"Earth", 4, &OrbitAngles::angleEarth, {14.96f, 0.0f, 0.0f}, 105.0f, kTiltBack, 0.699,
     Satellites::CirclingMoons, kEarthMoons, 1},
    {"Mars", 5, &OrbitAngles::angleMars, {-22.7f, 0.0f, 0.0f}, 105.0f, kTiltForward, 0.471,
     Satellites::None, nullptr, 0},
    {"Jupiter", 6, &OrbitAngles::angleJupiter, {30.94f, 0.0f, 0.0f}, 105.0f, kTiltBack, 1.914,
     Satellites::CirclingMoons, kJupiterMoons, 4},
    {"Uranus", 8, &OrbitAngles::angleUranus, {0.0f, 0.0f, 48.94f}, 105.0f, kTiltBack, 1.288,
     Satellites::CirclingMoons, kUranusMoons, 4},
    {"Neptune", 9, &OrbitAngles::angleNeptune, {0.0f, 0.0f, -55.94f}, 75.0f, kTiltBack, 1.1,
     Satellites::None, nullptr, 0},
    {"Pluto", 10, &OrbitAngles::anglePluto, {0.0f, 0.0f, -59.94f}, 75.0f, kTiltBack, 0.224,
     Satellites::SpinningMoon, nullptr, 0},
    {"Saturn", 7, &OrbitAngles::angleSaturn, {0.0f, 0.0f, -39.94f}, 75.0f, kTiltBack, 1.5,
     Satellites::Ring, nullptr, 0},
};

const Planet* findPlanet(const char* name)
{
    for (const Planet& planet : kPlanets) {
        if (std::strcmp(planet.name, name) == 0) return &planet;
    }
    return nullptr;
}
