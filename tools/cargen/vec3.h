#pragma once

#include <cmath>

// A point or direction in the generator's 3-D space.
struct Vec3
{
    double x = 0;
    double y = 0;
    double z = 0;

    Vec3 operator+(const Vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    Vec3 operator-() const { return {-x, -y, -z}; }
};

inline double Dot(const Vec3 &a, const Vec3 &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vec3 Cross(const Vec3 &a, const Vec3 &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Length(const Vec3 &v)
{
    return std::sqrt(Dot(v, v));
}

// The unit vector along v; the zero vector stays zero.
inline Vec3 Normalized(const Vec3 &v)
{
    const double length = Length(v);
    return length > 0 ? v * (1.0 / length) : Vec3{};
}
