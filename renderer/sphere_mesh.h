#pragma once
// The quadric's 30 × 30 textured sphere as distinct vertices and indexed
// triangles. Every value is computed in the very arithmetic the quadric uses
// (single-precision caches filled from double-precision sines), so the arrays
// hold bit for bit what the quadric would send, vertex by vertex.

#include "scene_tables.h"

// Rows run from the +z pole (row 0) to the -z pole; columns from slice 0 round
// to slice 30, which repeats slice 0's place with texture coordinate s = 0.
constexpr int kSphereColumns = kSphereSlices + 1;
constexpr int kSphereRows = kSphereStacks + 1;
constexpr int kSphereVertexCount = kSphereColumns * kSphereRows;
constexpr int kSphereTriangleCount = 2 * kSphereSlices * kSphereStacks;

constexpr int sphereVertexIndex(int row, int column)
{
    return row * kSphereColumns + column;
}

// Normals and texture coordinates: the same for every radius.
struct SphereSurface {
    float normals[kSphereVertexCount][3];
    float texCoords[kSphereVertexCount][2];
};

void buildSphereSurface(SphereSurface& surface);

// The vertex positions of a sphere of the given radius.
void buildSpherePositions(double radius, float (&positions)[kSphereVertexCount][3]);

// The two triangles of every quadrilateral of every band, band by band from
// the +z pole, each with its corners in the order the rasteriser takes them
// from the quadric's strips, so each triangle is filled exactly as before.
void buildSphereTriangles(unsigned short (&triangles)[kSphereTriangleCount][3]);
