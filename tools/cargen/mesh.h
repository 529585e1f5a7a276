#pragma once

#include <array>

#include <QList>
#include <QPointF>

#include "material.h"
#include "vec3.h"

// A flat convex polygon with its outward normal.
struct Face
{
    QList<Vec3> points;
    Vec3 normal;
    Material material;
};

// Materials of the six faces of a hexahedron, named as seen from the car:
// back (-x), front (+x), right (-y), left (+y), bottom (-z), top (+z).
struct HexPaint
{
    Material back, front, right, left, bottom, top;

    static HexPaint All(const Material &m) { return {m, m, m, m, m, m}; }
};

// A rectangle across the car at position x: |y| <= halfWidth, zBottom <= z <= zTop.
struct SectionX
{
    double x, halfWidth, zBottom, zTop;
};

// A rectangle at height z: xBack <= x <= xFront, |y| <= halfWidth.
struct LevelZ
{
    double z, xBack, xFront, halfWidth;
};

// A vehicle as a soup of outward-facing convex faces in car space: x points
// forward, y to the left, z up; the ground is z = 0.
class Mesh
{
public:
    const QList<Face> &Faces() const { return faces; }

    // Adds a planar convex polygon; its normal is turned away from `inside`.
    // Degenerate polygons (no area) are dropped.
    void AddPolygon(QList<Vec3> points, const Material &material, const Vec3 &inside);

    // A hexahedron from its corners; corner i has bit 0 set at the front, bit 1
    // on the left, bit 2 on top. Corners may coincide (wedges).
    void AddHexahedron(const std::array<Vec3, 8> &corners, const HexPaint &paint);
    void AddBox(const Vec3 &min, const Vec3 &max, const HexPaint &paint);
    // The block between two cross sections (a wedge when they differ).
    void AddSlabX(const SectionX &back, const SectionX &front, const HexPaint &paint);
    // The block between two levels (a cabin with sloping screens).
    void AddSlabZ(const LevelZ &bottom, const LevelZ &top, const HexPaint &paint);

    // A flat panel (a light, a grille) lifted a little off the surface it lies
    // on, so that it always shows in front of it.
    void AddPanel(const QList<Vec3> &points, const Material &material, const Vec3 &outward);

    // A cylinder around `axis` (unit) through `centre`; `up` is a unit vector
    // across the axis where segment 0 starts. The mantle's segments alternate
    // between the two stripe materials; each end is a hub disc of hubRadius
    // inside a ring of alternating sectors.
    struct CylinderPaint
    {
        Material stripeA, stripeB;   // mantle and ring, alternating
        Material hub;
        double hubRadius;            // as a fraction of the radius
    };
    void AddCylinder(const Vec3 &centre, const Vec3 &axis, const Vec3 &up, double radius, double halfLength,
                     int segments, const CylinderPaint &paint);
    // A wheel on an axle across the car (axis along y), striped in 4 and 5.
    void AddWheel(const Vec3 &centre, double radius, double halfWidth, int segments = 10);

    // A track belt: the convex profile (x, z), counter-clockwise seen from the
    // left, extruded from y0 to y1. The belt's links alternate in 4 and 5; the
    // long runs are cut into links of about linkLength.
    void AddBelt(const QList<QPointF> &profile, double y0, double y1, double linkLength, const Material &sides);

private:
    QList<Face> faces;
};

// The same part on both sides of the car: calls add(+1) and add(-1).
template <typename Add>
void BothSides(Add add)
{
    add(1.0);
    add(-1.0);
}
