#include "scene_geometry.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

Point3 minus(const Point3& a, const Point3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Point3 cross(const Point3& a, const Point3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Point3 unit(const Point3& a)
{
    const double length = std::sqrt(dot(a, a));
    return {a.x / length, a.y / length, a.z / length};
}

double focalLength(int height, double fieldOfViewDegrees)
{
    return (height / 2.0) / std::tan(fieldOfViewDegrees / 2.0 * kPi / 180.0);
}

} // namespace

const Camera kSceneCamera = {{0, 30, 110}, {0, 0, 0}, {0, 1, 0}, 45.0};

Transform::Transform() : m_{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

Transform Transform::rotation(double degrees, double ax, double ay, double az)
{
    const double length = std::sqrt(ax * ax + ay * ay + az * az);
    const double x = ax / length, y = ay / length, z = az / length;
    const double c = std::cos(degrees * kPi / 180.0), s = std::sin(degrees * kPi / 180.0), t = 1 - c;
    Transform r;
    r.m_ = {t * x * x + c,     t * x * y + s * z, t * x * z - s * y, 0,
            t * x * y - s * z, t * y * y + c,     t * y * z + s * x, 0,
            t * x * z + s * y, t * y * z - s * x, t * z * z + c,     0,
            0,                 0,                 0,                 1};
    return r;
}

Transform Transform::translation(double x, double y, double z)
{
    Transform r;
    r.m_[12] = x;
    r.m_[13] = y;
    r.m_[14] = z;
    return r;
}

Transform Transform::lookAt(const Point3& eye, const Point3& centre, const Point3& up)
{
    const Point3 forward = unit(minus(centre, eye));
    const Point3 right = unit(cross(forward, up));
    const Point3 trueUp = cross(right, forward);
    Transform r;
    r.m_ = {right.x, trueUp.x, -forward.x, 0,
            right.y, trueUp.y, -forward.y, 0,
            right.z, trueUp.z, -forward.z, 0,
            -dot(right, eye), -dot(trueUp, eye), dot(forward, eye), 1};
    return r;
}

Transform Transform::then(const Transform& inner) const
{
    Transform r;
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += m_[k * 4 + row] * inner.m_[col * 4 + k];
            r.m_[col * 4 + row] = sum;
        }
    }
    return r;
}

Transform Transform::rigidInverse() const
{
    Transform r;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) r.m_[col * 4 + row] = m_[row * 4 + col];
    }
    for (int row = 0; row < 3; ++row) {
        r.m_[12 + row] = -(r.m_[row] * m_[12] + r.m_[4 + row] * m_[13] + r.m_[8 + row] * m_[14]);
    }
    return r;
}

Point3 Transform::apply(const Point3& p) const
{
    return {m_[0] * p.x + m_[4] * p.y + m_[8] * p.z + m_[12],
            m_[1] * p.x + m_[5] * p.y + m_[9] * p.z + m_[13],
            m_[2] * p.x + m_[6] * p.y + m_[10] * p.z + m_[14]};
}

Point3 Transform::applyToDirection(const Point3& d) const
{
    return {m_[0] * d.x + m_[4] * d.y + m_[8] * d.z,
            m_[1] * d.x + m_[5] * d.y + m_[9] * d.z,
            m_[2] * d.x + m_[6] * d.y + m_[10] * d.z};
}

Point3 place(std::initializer_list<Transform> chain)
{
    Transform total;
    for (const Transform& step : chain) total = total.then(step);
    return total.apply({0, 0, 0});
}

ScreenPoint project(const Point3& world, const Camera& camera, int width, int height)
{
    const Point3 eye = Transform::lookAt(camera.eye, camera.centre, camera.up).apply(world);
    const double depth = -eye.z;
    const double focal = focalLength(height, camera.fieldOfViewDegrees);
    return {width / 2.0 + focal * eye.x / depth, height / 2.0 - focal * eye.y / depth, depth};
}

ScreenPoint project(const Point3& world, int width, int height)
{
    return project(world, kSceneCamera, width, height);
}

double pixelRadius(double radius, double eyeDepth, int height, double fieldOfViewDegrees)
{
    return focalLength(height, fieldOfViewDegrees) * radius / eyeDepth;
}

double pixelRadius(double radius, double eyeDepth, int height)
{
    return pixelRadius(radius, eyeDepth, height, 45.0);
}
