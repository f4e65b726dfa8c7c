#include "sphere_cache.h"

#include <cstddef>

#include "scene_tables.h"

namespace {

constexpr std::size_t kMaxSpheres = 32;

struct SphereList {
    double radius;
    GLuint list;
};

SphereList gLists[kMaxSpheres];
std::size_t gListCount = 0;
GLuint gFirstList = 0;

void addRadius(double radius, double* radii, std::size_t& count)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (radii[i] == radius) return;
    }
    if (count < kMaxSpheres) radii[count++] = radius;
}

std::size_t collectRadii(double* radii)
{
    std::size_t count = 0;
    for (const Planet& planet : kPlanets) {
        addRadius(planet.radius, radii, count);
        for (std::size_t m = 0; m < planet.moonCount; ++m) addRadius(planet.moons[m].radius, radii, count);
    }
    addRadius(kPlutoMoonRadius, radii, count);
    return count;
}

} // namespace

const char* drawPathName(DrawPath path)
{
    return path == DrawPath::Literal ? "literal" : "compiled";
}

void compileSphereLists(GLUquadric* quadric)
{
    releaseSphereLists();
    if (quadric == nullptr) return;

    double radii[kMaxSpheres];
    const std::size_t count = collectRadii(radii);
    gFirstList = glGenLists(static_cast<GLsizei>(count));
    if (gFirstList == 0) return;   // without lists every sphere is tessellated as it is drawn

    for (std::size_t i = 0; i < count; ++i) {
        const GLuint list = gFirstList + static_cast<GLuint>(i);
        glNewList(list, GL_COMPILE);
        gluSphere(quadric, radii[i], kSphereSlices, kSphereStacks);
        glEndList();
        gLists[i] = {radii[i], list};
    }
    gListCount = count;
}

void releaseSphereLists()
{
    if (gFirstList != 0) glDeleteLists(gFirstList, static_cast<GLsizei>(gListCount));
    gFirstList = 0;
    gListCount = 0;
}

void drawSphere(GLUquadric* quadric, double radius, DrawPath path)
{
    if (path == DrawPath::Compiled) {
        for (std::size_t i = 0; i < gListCount; ++i) {
            if (gLists[i].radius == radius) {
                glCallList(gLists[i].list);
                return;
            }
        }
    }
    if (quadric != nullptr) gluSphere(quadric, radius, kSphereSlices, kSphereStacks);
}
