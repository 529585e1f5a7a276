#include "mesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Newell's normal of a polygon; robust for repeated points.
Vec3 PolygonNormal(const QList<Vec3> &points)
{
    Vec3 n;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const Vec3 &a = points[i];
        const Vec3 &b = points[(i + 1) % points.size()];
        n.x += (a.y - b.y) * (a.z + b.z);
        n.y += (a.z - b.z) * (a.x + b.x);
        n.z += (a.x - b.x) * (a.y + b.y);
    }
    return n;
}

Vec3 Centroid(const QList<Vec3> &points)
{
    Vec3 sum;
    for (const Vec3 &p : points)
        sum = sum + p;
    return points.isEmpty() ? sum : sum * (1.0 / double(points.size()));
}

Vec3 Corner(double x, double y, double z)
{
    return {x, y, z};
}

} // namespace

void Mesh::AddPolygon(QList<Vec3> points, const Material &material, const Vec3 &inside)
{
    // Drop repeated corners (wedges collapse a face edge to a point).
    QList<Vec3> unique;
    for (const Vec3 &p : points) {
        if (unique.isEmpty() || Length(p - unique.last()) > 1e-9)
            unique.append(p);
    }
    while (unique.size() > 1 && Length(unique.first() - unique.last()) <= 1e-9)
        unique.removeLast();
    if (unique.size() < 3)
        return;
    Vec3 normal = PolygonNormal(unique);
    if (Length(normal) < 1e-9)
        return;
    normal = Normalized(normal);
    if (Dot(normal, Centroid(unique) - inside) < 0)
        normal = -normal;
    faces.append({unique, normal, material});
}

void Mesh::AddHexahedron(const std::array<Vec3, 8> &c, const HexPaint &paint)
{
    const Vec3 inside = Centroid(QList<Vec3>(c.begin(), c.end()));
    AddPolygon({c[0], c[2], c[6], c[4]}, paint.back, inside);
    AddPolygon({c[1], c[3], c[7], c[5]}, paint.front, inside);
    AddPolygon({c[0], c[1], c[5], c[4]}, paint.right, inside);
    AddPolygon({c[2], c[3], c[7], c[6]}, paint.left, inside);
    AddPolygon({c[0], c[1], c[3], c[2]}, paint.bottom, inside);
    AddPolygon({c[4], c[5], c[7], c[6]}, paint.top, inside);
}

void Mesh::AddBox(const Vec3 &min, const Vec3 &max, const HexPaint &paint)
{
    std::array<Vec3, 8> c;
    for (int i = 0; i < 8; ++i)
        c[i] = Corner(i & 1 ? max.x : min.x, i & 2 ? max.y : min.y, i & 4 ? max.z : min.z);
    AddHexahedron(c, paint);
}

void Mesh::AddSlabX(const SectionX &back, const SectionX &front, const HexPaint &paint)
{
    std::array<Vec3, 8> c;
    for (int i = 0; i < 8; ++i) {
        const SectionX &s = i & 1 ? front : back;
        c[i] = Corner(s.x, i & 2 ? s.halfWidth : -s.halfWidth, i & 4 ? s.zTop : s.zBottom);
    }
    AddHexahedron(c, paint);
}

void Mesh::AddSlabZ(const LevelZ &bottom, const LevelZ &top, const HexPaint &paint)
{
    std::array<Vec3, 8> c;
    for (int i = 0; i < 8; ++i) {
        const LevelZ &l = i & 4 ? top : bottom;
        c[i] = Corner(i & 1 ? l.xFront : l.xBack, i & 2 ? l.halfWidth : -l.halfWidth, l.z);
    }
    AddHexahedron(c, paint);
}

void Mesh::AddPanel(const QList<Vec3> &points, const Material &material, const Vec3 &outward)
{
    const Vec3 lift = Normalized(outward) * 0.02;
    QList<Vec3> lifted;
    for (const Vec3 &p : points)
        lifted.append(p + lift);
    AddPolygon(lifted, material, Centroid(lifted) - outward);
}

void Mesh::AddCylinder(const Vec3 &centre, const Vec3 &axis, const Vec3 &up, double radius, double halfLength,
                       int segments, const CylinderPaint &paint)
{
    const Vec3 a = Normalized(axis);
    const Vec3 u = Normalized(up);
    const Vec3 v = Cross(a, u);
    const auto rim = [&](int i, double r, double end) {
        const double angle = 2.0 * std::numbers::pi * i / segments;
        return centre + a * (end * halfLength) + (u * std::cos(angle) + v * std::sin(angle)) * r;
    };
    const double hub = radius * paint.hubRadius;
    for (int i = 0; i < segments; ++i) {
        const Material &stripe = i % 2 == 0 ? paint.stripeA : paint.stripeB;
        AddPolygon({rim(i, radius, -1), rim(i + 1, radius, -1), rim(i + 1, radius, 1), rim(i, radius, 1)}, stripe,
                   centre);
        for (double end : {-1.0, 1.0}) {
            if (hub > 0)
                AddPolygon({rim(i, hub, end), rim(i + 1, hub, end), rim(i + 1, radius, end), rim(i, radius, end)},
                           stripe, centre);
        }
    }
    for (double end : {-1.0, 1.0}) {
        QList<Vec3> disc;
        const double r = hub > 0 ? hub : radius;
        for (int i = 0; i < segments; ++i)
            disc.append(rim(i, r, end));
        AddPolygon(disc, hub > 0 ? paint.hub : paint.stripeA, centre);
    }
}

void Mesh::AddWheel(const Vec3 &centre, double radius, double halfWidth, int segments)
{
    const CylinderPaint paint{Paint::Fixed(Paint::kStripeA), Paint::Fixed(Paint::kStripeB), Paint::Metal(), 0.5};
    AddCylinder(centre, {0, 1, 0}, {0, 0, 1}, radius, halfWidth, segments, paint);
}

void Mesh::AddBelt(const QList<QPointF> &profile, double y0, double y1, double linkLength, const Material &sides)
{
    // Cut the long runs into links, an even number of them so that the two
    // stripes alternate all the way round.
    QList<int> pieces;
    qsizetype longest = 0;
    int total = 0;
    for (qsizetype i = 0; i < profile.size(); ++i) {
        const QPointF d = profile[(i + 1) % profile.size()] - profile[i];
        const double length = std::hypot(d.x(), d.y());
        pieces.append(std::max(1, int(std::lround(length / linkLength))));
        total += pieces.last();
        const QPointF dl = profile[(longest + 1) % profile.size()] - profile[longest];
        if (length > std::hypot(dl.x(), dl.y()))
            longest = i;
    }
    if (total % 2 != 0)
        ++pieces[longest];
    QList<QPointF> loop;
    for (qsizetype i = 0; i < profile.size(); ++i) {
        const QPointF a = profile[i];
        const QPointF b = profile[(i + 1) % profile.size()];
        for (int k = 0; k < pieces[i]; ++k)
            loop.append(a + (b - a) * (double(k) / pieces[i]));
    }
    Vec3 inside;
    for (const QPointF &p : loop)
        inside = inside + Vec3{p.x(), (y0 + y1) / 2, p.y()};
    inside = inside * (1.0 / double(loop.size()));
    for (qsizetype i = 0; i < loop.size(); ++i) {
        const QPointF a = loop[i];
        const QPointF b = loop[(i + 1) % loop.size()];
        const Material stripe = Paint::Fixed(i % 2 == 0 ? Paint::kStripeA : Paint::kStripeB);
        AddPolygon({{a.x(), y0, a.y()}, {b.x(), y0, b.y()}, {b.x(), y1, b.y()}, {a.x(), y1, a.y()}}, stripe, inside);
    }
    for (double y : {y0, y1}) {
        QList<Vec3> side;
        for (const QPointF &p : profile)
            side.append({p.x(), y, p.y()});
        AddPolygon(side, sides, inside);
    }
}
