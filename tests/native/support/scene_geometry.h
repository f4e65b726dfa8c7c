#pragma once
// Where the scene's bodies should land on the screen, worked out here with
// plain matrix maths so the tests do not lean on the code they check.

#include <array>

struct Point3 {
    double x, y, z;
};

struct ScreenPoint {
    double x, y;      // pixels, y from the top
    double eyeDepth;  // distance in front of the viewer
};

class Transform {
public:
    Transform();
    static Transform rotation(double degrees, double ax, double ay, double az);
    static Transform translation(double x, double y, double z);
    Transform then(const Transform& inner) const;   // this × inner, as glMultMatrix composes
    Point3 apply(const Point3& p) const;

private:
    std::array<double, 16> m_;   // column-major
};

// World position of a body placed by a chain of transforms from the origin.
Point3 place(std::initializer_list<Transform> chain);

// Through the fixed camera and the 45° perspective, into a viewport of the given size.
ScreenPoint project(const Point3& world, int width, int height);

// Approximate radius in pixels of a sphere of the given radius at that depth.
double pixelRadius(double radius, double eyeDepth, int height);
