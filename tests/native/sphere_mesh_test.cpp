// The sphere arrays against the quadric itself: this program defines the
// immediate-mode calls the quadric makes, so gluSphere's strips are recorded
// here instead of drawn, and every vertex is compared bit for bit.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <vector>

#include "gl_headers.h"
#include "scene_tables.h"
#include "sphere_mesh.h"

namespace {

struct Recorded {
    float texCoord[2];
    float normal[3];
    float position[3];
};

struct Recording {
    std::vector<GLenum> modes;
    std::vector<std::vector<Recorded>> strips;
    float texCoord[2] = {};
    float normal[3] = {};
};

Recording gRecording;

} // namespace

extern "C" {
void APIENTRY glBegin(GLenum mode)
{
    gRecording.modes.push_back(mode);
    gRecording.strips.emplace_back();
}
void APIENTRY glEnd() {}
void APIENTRY glTexCoord2f(GLfloat s, GLfloat t)
{
    gRecording.texCoord[0] = s;
    gRecording.texCoord[1] = t;
}
void APIENTRY glNormal3f(GLfloat x, GLfloat y, GLfloat z)
{
    gRecording.normal[0] = x;
    gRecording.normal[1] = y;
    gRecording.normal[2] = z;
}
void APIENTRY glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    Recorded v{};
    std::memcpy(v.texCoord, gRecording.texCoord, sizeof v.texCoord);
    std::memcpy(v.normal, gRecording.normal, sizeof v.normal);
    v.position[0] = x;
    v.position[1] = y;
    v.position[2] = z;
    gRecording.strips.back().push_back(v);
}
}

namespace {

std::set<double> sceneRadii()
{
    std::set<double> radii = {kPlutoMoonRadius};
    for (const Planet& planet : kPlanets) {
        radii.insert(planet.radius);
        for (std::size_t m = 0; m < planet.moonCount; ++m) radii.insert(planet.moons[m].radius);
    }
    return radii;
}

bool same(const float* a, const float* b, int n)
{
    return std::memcmp(a, b, sizeof(float) * n) == 0;
}

TEST(SphereMesh, HoldsWhatTheQuadricSendsForEverySphereOfTheScene)
{
    GLUquadric* quadric = gluNewQuadric();
    ASSERT_NE(quadric, nullptr);
    gluQuadricTexture(quadric, GL_TRUE);
    gluQuadricDrawStyle(quadric, GLU_FILL);

    static SphereSurface surface;
    buildSphereSurface(surface);
    static float positions[kSphereVertexCount][3];
    const std::set<double> radii = sceneRadii();
    EXPECT_EQ(radii.size(), 15u);
    for (double radius : radii) {
        SCOPED_TRACE(radius);
        gRecording = Recording();
        gluSphere(quadric, radius, kSphereSlices, kSphereStacks);
        buildSpherePositions(radius, positions);

        // One quad strip per band, each running row j + 1 then row j, column by column.
        ASSERT_EQ(gRecording.strips.size(), static_cast<std::size_t>(kSphereStacks));
        int mismatches = 0;
        for (int j = 0; j < kSphereStacks; ++j) {
            EXPECT_EQ(gRecording.modes[j], static_cast<GLenum>(GL_QUAD_STRIP));
            const std::vector<Recorded>& strip = gRecording.strips[j];
            ASSERT_EQ(strip.size(), static_cast<std::size_t>(2 * kSphereColumns));
            for (int k = 0; k < 2 * kSphereColumns; ++k) {
                const int v = sphereVertexIndex(k % 2 == 0 ? j + 1 : j, k / 2);
                const bool match = same(strip[k].texCoord, surface.texCoords[v], 2) &&
                                   same(strip[k].normal, surface.normals[v], 3) &&
                                   same(strip[k].position, positions[v], 3);
                mismatches += match ? 0 : 1;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
    gluDeleteQuadric(quadric);
}

TEST(SphereMesh, TrianglesTileEveryQuadrilateralAndFaceOutwards)
{
    static unsigned short triangles[kSphereTriangleCount][3];
    buildSphereTriangles(triangles);
    static float positions[kSphereVertexCount][3];
    buildSpherePositions(1.0, positions);

    int flat = 0;
    for (int j = 0; j < kSphereStacks; ++j) {
        for (int i = 0; i < kSphereSlices; ++i) {
            const std::set<int> quad = {sphereVertexIndex(j, i), sphereVertexIndex(j, i + 1),
                                        sphereVertexIndex(j + 1, i), sphereVertexIndex(j + 1, i + 1)};
            std::multiset<int> used;
            for (int half = 0; half < 2; ++half) {
                const unsigned short* t = triangles[2 * (j * kSphereSlices + i) + half];
                for (int c = 0; c < 3; ++c) {
                    EXPECT_TRUE(quad.count(t[c])) << "band " << j << " quad " << i;
                    used.insert(t[c]);
                }
                // Counter-clockwise seen from outside: the normal points away from the centre.
                const float* a = positions[t[0]];
                const float* b = positions[t[1]];
                const float* c = positions[t[2]];
                const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
                const double w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
                const double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
                const double outward = n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]) +
                                       n[2] * (a[2] + b[2] + c[2]);
                const double size = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
                if (size < 1e-9) ++flat;
                else EXPECT_GT(outward, 0.0) << "band " << j << " quad " << i;
            }
            // The two halves share one diagonal and together use all four corners.
            EXPECT_EQ(used.size(), 6u);
            for (int corner : quad) EXPECT_GE(used.count(corner), 1u);
        }
    }
    // Only at the poles, where a band's row is pinched to a point, is one half flat.
    EXPECT_EQ(flat, 2 * kSphereSlices);
}

} // namespace
