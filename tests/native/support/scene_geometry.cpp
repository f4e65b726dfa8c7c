#include "scene_geometry.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

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

Point3 Transform::apply(const Point3& p) const
{
    return {m_[0] * p.x + m_[4] * p.y + m_[8] * p.z + m_[12],
            m_[1] * p.x + m_[5] * p.y + m_[9] * p.z + m_[13],
            m_[2] * p.x + m_[6] * p.y + m_[10] * p.z + m_[14]};
}

Point3 place(std::initializer_list<Transform> chain)
{
    Transform total;
    for (const Transform& step : chain) total = total.then(step);
    return total.apply({0, 0, 0});
}

ScreenPoint project(const Point3& world, int width, int height)
{
    // The camera sits at (0, 30, 110) looking at the origin, up +y.
    const Point3 eye = {0, 30, 110};
    Point3 forward = {-eye.x, -eye.y, -eye.z};
    const double fl = std::sqrt(forward.x * forward.x + forward.y * forward.y + forward.z * forward.z);
    forward = {forward.x / fl, forward.y / fl, forward.z / fl};
    // right = forward × up, up' = right × forward
    Point3 right = {forward.y * 0 - forward.z * 1, forward.z * 0 - forward.x * 0, forward.x * 1 - forward.y * 0};
    const double rl = std::sqrt(right.x * right.x + right.y * right.y + right.z * right.z);
    right = {right.x / rl, right.y / rl, right.z / rl};
    const Point3 up = {right.y * forward.z - right.z * forward.y, right.z * forward.x - right.x * forward.z,
                       right.x * forward.y - right.y * forward.x};

    const Point3 d = {world.x - eye.x, world.y - eye.y, world.z - eye.z};
    const double ex = d.x * right.x + d.y * right.y + d.z * right.z;
    const double ey = d.x * up.x + d.y * up.y + d.z * up.z;
    const double depth = d.x * forward.x + d.y * forward.y + d.z * forward.z;

    const double focal = (height / 2.0) / std::tan(22.5 * kPi / 180.0);
    return {width / 2.0 + focal * ex / depth, height / 2.0 - focal * ey / depth, depth};
}

double pixelRadius(double radius, double eyeDepth, int height)
{
    const double focal = (height / 2.0) / std::tan(22.5 * kPi / 180.0);
    return focal * radius / eyeDepth;
}
