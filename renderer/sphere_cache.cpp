#include "sphere_cache.h"

#include <cstddef>

#include "scene_tables.h"
#include "sphere_mesh.h"
#include "triangle_cull.h"

namespace {

constexpr std::size_t kMaxSpheres = 32;

struct SphereArrays {
    double radius;
    float positions[kSphereVertexCount][3];
};

// Fixed storage: made at window creation, never allocated per frame.
SphereSurface gSurface;
unsigned short gTriangles[kSphereTriangleCount][3];
SphereArrays gSpheres[kMaxSpheres];
std::size_t gSphereCount = 0;

// One vertex as OpenGL reads it from the arrays.
struct ArrayVertex {
    float texCoord[2];
    float normal[3];
    float position[3];
};

constexpr unsigned short kNotSent = 0xFFFF;

// Scratch of the frame: the corners on the screen, then the triangles kept
// and only the vertices they use, so OpenGL lights no vertex it will not need.
double gProjection[16];
Viewport gViewport;
float gMargin = 0.5f;
ScreenCorner gCorners[kSphereVertexCount];
unsigned short gKept[kSphereTriangleCount][3];
unsigned short gSentIndex[kSphereVertexCount];
ArrayVertex gSent[kSphereVertexCount];

const SphereArrays* findSphere(double radius)
{
    for (std::size_t i = 0; i < gSphereCount; ++i) {
        if (gSpheres[i].radius == radius) return &gSpheres[i];
    }
    return nullptr;
}

void addRadius(double radius)
{
    if (findSphere(radius) != nullptr) return;
    if (gSphereCount == kMaxSpheres) return;   // never with this scene; such a sphere is tessellated
    SphereArrays& sphere = gSpheres[gSphereCount++];
    sphere.radius = radius;
    buildSpherePositions(radius, sphere.positions);
}

// clip = projection × modelview, column-major.
void clipMatrix(const GLfloat (&modelview)[16], double (&clip)[16])
{
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += gProjection[k * 4 + row] * modelview[column * 4 + k];
            clip[column * 4 + row] = sum;
        }
    }
}

// The sphere's triangles that can give a fragment, in their drawing order.
int keepDrawableTriangles(const SphereArrays& sphere)
{
    GLfloat modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    double clip[16];
    clipMatrix(modelview, clip);
    if (projectToScreen(sphere.positions, kSphereVertexCount, clip, gViewport, gMargin, gCorners))
        return keepDrawableTriangles(gTriangles, kSphereTriangleCount, gCorners, gMargin, gKept);

    // Near the eye OpenGL clips the sphere itself; it gets every triangle.
    for (int t = 0; t < kSphereTriangleCount; ++t) {
        for (int c = 0; c < 3; ++c) gKept[t][c] = gTriangles[t][c];
    }
    return kSphereTriangleCount;
}

// Renumbers the kept triangles over the vertices they use, gathered in
// first-use order into gSent; returns how many vertices that is.
int gatherUsedVertices(const SphereArrays& sphere, int keptCount)
{
    for (unsigned short& index : gSentIndex) index = kNotSent;
    int sent = 0;
    for (int t = 0; t < keptCount; ++t) {
        for (unsigned short& corner : gKept[t]) {
            unsigned short& index = gSentIndex[corner];
            if (index == kNotSent) {
                ArrayVertex& v = gSent[sent];
                v.texCoord[0] = gSurface.texCoords[corner][0];
                v.texCoord[1] = gSurface.texCoords[corner][1];
                v.normal[0] = gSurface.normals[corner][0];
                v.normal[1] = gSurface.normals[corner][1];
                v.normal[2] = gSurface.normals[corner][2];
                v.position[0] = sphere.positions[corner][0];
                v.position[1] = sphere.positions[corner][1];
                v.position[2] = sphere.positions[corner][2];
                index = static_cast<unsigned short>(sent++);
            }
            corner = index;
        }
    }
    return sent;
}

} // namespace

const char* drawPathName(DrawPath path)
{
    return path == DrawPath::Literal ? "literal" : "compiled";
}

void compileSphereLists(GLUquadric* /*quadric*/)
{
    releaseSphereLists();
    buildSphereSurface(gSurface);
    buildSphereTriangles(gTriangles);
    for (const Planet& planet : kPlanets) {
        addRadius(planet.radius);
        for (std::size_t m = 0; m < planet.moonCount; ++m) addRadius(planet.moons[m].radius);
    }
    addRadius(kPlutoMoonRadius);
}

void releaseSphereLists()
{
    gSphereCount = 0;
}

void beginCompiledSpheres()
{
    // Each sphere's vertices are gathered into the same place, so the arrays point there once.
    constexpr GLsizei stride = sizeof(ArrayVertex);
    glTexCoordPointer(2, GL_FLOAT, stride, gSent[0].texCoord);
    glNormalPointer(GL_FLOAT, stride, gSent[0].normal);
    glVertexPointer(3, GL_FLOAT, stride, gSent[0].position);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int i = 0; i < 16; ++i) gProjection[i] = projection[i];
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    gViewport = {viewport[0], viewport[1], viewport[2], viewport[3]};
    GLint subpixelBits = 0;
    glGetIntegerv(GL_SUBPIXEL_BITS, &subpixelBits);
    gMargin = cullMarginPixels(subpixelBits);

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void endCompiledSpheres()
{
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void drawSphere(GLUquadric* quadric, double radius, DrawPath path)
{
    const SphereArrays* sphere = path == DrawPath::Compiled ? findSphere(radius) : nullptr;
    if (sphere != nullptr) {
        const int kept = keepDrawableTriangles(*sphere);
        if (kept == 0) return;
        gatherUsedVertices(*sphere, kept);
        glDrawElements(GL_TRIANGLES, 3 * kept, GL_UNSIGNED_SHORT, gKept);
        return;
    }
    if (quadric != nullptr) gluSphere(quadric, radius, kSphereSlices, kSphereStacks);
}
