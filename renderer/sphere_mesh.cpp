#include "sphere_mesh.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Sines and cosines of the slice angles (round the z axis) and of the stack
// angles (down from +z), rounded to single precision as the quadric keeps them.
struct SphereAngles {
    float sliceSin[kSphereColumns];
    float sliceCos[kSphereColumns];
    float stackAngle[kSphereRows];   // radians
    float stackSin[kSphereRows];
    float stackCos[kSphereRows];
};

SphereAngles sphereAngles()
{
    SphereAngles a{};
    for (int i = 0; i < kSphereSlices; ++i) {
        const float angle = static_cast<float>(2 * kPi * i / kSphereSlices);
        a.sliceSin[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        a.sliceCos[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    a.sliceSin[kSphereSlices] = a.sliceSin[0];
    a.sliceCos[kSphereSlices] = a.sliceCos[0];
    for (int j = 0; j <= kSphereStacks; ++j) {
        const float angle = static_cast<float>(kPi * j / kSphereStacks);
        a.stackAngle[j] = angle;
        a.stackSin[j] = static_cast<float>(std::sin(static_cast<double>(angle)));
        a.stackCos[j] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    return a;
}

} // namespace

void buildSphereSurface(SphereSurface& surface)
{
    const SphereAngles a = sphereAngles();
    for (int j = 0; j < kSphereRows; ++j) {
        for (int i = 0; i < kSphereColumns; ++i) {
            const int v = sphereVertexIndex(j, i);
            // The normals keep the poles' tiny sideways part; only the positions are pinched.
            surface.normals[v][0] = a.sliceSin[i] * a.stackSin[j];
            surface.normals[v][1] = a.sliceCos[i] * a.stackSin[j];
            surface.normals[v][2] = a.stackCos[j];
            surface.texCoords[v][0] = 1.0f - static_cast<float>(i) / kSphereSlices;
            surface.texCoords[v][1] = 1.0f - static_cast<float>(j) / kSphereStacks;
        }
    }
}

void buildSpherePositions(double radius, float (&positions)[kSphereVertexCount][3])
{
    const SphereAngles a = sphereAngles();
    for (int j = 0; j < kSphereRows; ++j) {
        // Scaled in double before rounding, as the quadric does; the poles pinched to a point.
        const double angle = a.stackAngle[j];
        const bool pole = j == 0 || j == kSphereStacks;
        const float ringRadius = pole ? 0.0f : static_cast<float>(radius * std::sin(angle));
        const float z = static_cast<float>(radius * std::cos(angle));
        for (int i = 0; i < kSphereColumns; ++i) {
            float* p = positions[sphereVertexIndex(j, i)];
            p[0] = ringRadius * a.sliceSin[i];
            p[1] = ringRadius * a.sliceCos[i];
            p[2] = z;
        }
    }
}

void buildSphereTriangles(unsigned short (&triangles)[kSphereTriangleCount][3])
{
    int t = 0;
    for (int j = 0; j < kSphereStacks; ++j) {
        for (int i = 0; i < kSphereSlices; ++i) {
            // Each band's strip runs row j + 1 then row j, column by column; the
            // rasteriser cuts its quadrilateral (h0, l0, h1, l1) into (h1, h0, l1)
            // and (h0, l0, l1), the last corner of each being the strip's newest.
            const auto h0 = static_cast<unsigned short>(sphereVertexIndex(j + 1, i));
            const auto l0 = static_cast<unsigned short>(sphereVertexIndex(j, i));
            const auto h1 = static_cast<unsigned short>(sphereVertexIndex(j + 1, i + 1));
            const auto l1 = static_cast<unsigned short>(sphereVertexIndex(j, i + 1));
            const unsigned short pair[2][3] = {{h1, h0, l1}, {h0, l0, l1}};
            for (const auto& corners : pair) {
                triangles[t][0] = corners[0];
                triangles[t][1] = corners[1];
                triangles[t][2] = corners[2];
                ++t;
            }
        }
    }
}
