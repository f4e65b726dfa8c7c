#pragma once
// Where the scene's bodies should land on the screen, worked out here with
// plain matrix maths so the tests do not lean on the code they check.

#include <array>
#include <initializer_list>

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
    // The viewing transform of a camera at eye looking at centre, as gluLookAt makes it.
    static Transform lookAt(const Point3& eye, const Point3& centre, const Point3& up);
    Transform then(const Transform& inner) const;   // this × inner, as glMultMatrix composes
    // The inverse of a rotation followed by a translation (no scaling).
    Transform rigidInverse() const;
    Point3 apply(const Point3& p) const;
    Point3 applyToDirection(const Point3& d) const;
    const double* columnMajor() const { return m_.data(); }

private:
    std::array<double, 16> m_;   // column-major
};

// World position of a body placed by a chain of transforms from the origin.
Point3 place(std::initializer_list<Transform> chain);

// A pinhole camera with a vertical field of view.
struct Camera {
    Point3 eye, centre, up;
    double fieldOfViewDegrees;
};

// The scene's own fixed camera: at (0, 30, 110) looking at the Sun, up +y, 45°.
extern const Camera kSceneCamera;

// Through a camera into a viewport of the given size.
ScreenPoint project(const Point3& world, const Camera& camera, int width, int height);
// Through the scene's camera.
ScreenPoint project(const Point3& world, int width, int height);

// Approximate radius in pixels of a sphere of the given radius at that depth (45° field).
double pixelRadius(double radius, double eyeDepth, int height);
// The same for another field of view.
double pixelRadius(double radius, double eyeDepth, int height, double fieldOfViewDegrees);
