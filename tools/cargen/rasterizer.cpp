#include "rasterizer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "view/spriteoffsets.h"

namespace {

struct ScreenPoint
{
    double x, y, depth;
};

// Car space to world space: pitch about the car's y axis, then yaw about z.
struct Pose
{
    double cosPitch, sinPitch;
    Vec3 forward, left;

    Pose(double yawDegrees, double pitchDegrees)
    {
        const double yaw = yawDegrees * std::numbers::pi / 180.0;
        const double pitch = pitchDegrees * std::numbers::pi / 180.0;
        cosPitch = std::cos(pitch);
        sinPitch = std::sin(pitch);
        forward = {std::sin(yaw), std::cos(yaw), 0.0};
        left = {-std::cos(yaw), std::sin(yaw), 0.0};
    }

    Vec3 Apply(const Vec3 &v) const
    {
        const double x = v.x * cosPitch - v.z * sinPitch;
        const double z = v.x * sinPitch + v.z * cosPitch;
        return forward * x + left * v.y + Vec3{0.0, 0.0, z};
    }
};

double Edge(const ScreenPoint &a, const ScreenPoint &b, double px, double py)
{
    return (b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x);
}

void FillTriangle(ScreenPoint a, ScreenPoint b, ScreenPoint c, int colour, Frame &frame, QList<double> &depth)
{
    double area = Edge(a, b, c.x, c.y);
    if (std::abs(area) < 1e-12)
        return;
    if (area < 0) {
        std::swap(b, c);
        area = -area;
    }
    const int x0 = std::max(0, int(std::floor(std::min({a.x, b.x, c.x}))));
    const int x1 = std::min(kSpriteSide - 1, int(std::ceil(std::max({a.x, b.x, c.x}))));
    const int y0 = std::max(0, int(std::floor(std::min({a.y, b.y, c.y}))));
    const int y1 = std::min(kSpriteSide - 1, int(std::ceil(std::max({a.y, b.y, c.y}))));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double px = x + 0.5;
            const double py = y + 0.5;
            const double wa = Edge(b, c, px, py);
            const double wb = Edge(c, a, px, py);
            const double wc = Edge(a, b, px, py);
            if (wa < 0 || wb < 0 || wc < 0)
                continue;
            const double z = (wa * a.depth + wb * b.depth + wc * c.depth) / area;
            const int n = y * kSpriteSide + x;
            if (z < depth[n]) {
                depth[n] = z;
                frame[n] = colour;
            }
        }
    }
}

void AddOutline(Frame &frame)
{
    const Frame filled = frame;
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x) {
            if (filled[y * kSpriteSide + x] != 0)
                continue;
            const auto set = [&](int nx, int ny) {
                return nx >= 0 && nx < kSpriteSide && ny >= 0 && ny < kSpriteSide
                    && filled[ny * kSpriteSide + nx] != 0;
            };
            if (set(x - 1, y) || set(x + 1, y) || set(x, y - 1) || set(x, y + 1))
                frame[y * kSpriteSide + x] = Paint::kBlack;
        }
    }
}

} // namespace

Frame RenderView(const Mesh &mesh, const Camera &camera, double yawDegrees, double pitchDegrees)
{
    const Pose pose(yawDegrees, pitchDegrees);
    const double elevation = camera.elevationDegrees * std::numbers::pi / 180.0;
    const Vec3 up{0.0, std::sin(elevation), std::cos(elevation)};
    const Vec3 viewing{0.0, std::cos(elevation), -std::sin(elevation)};
    const auto project = [&](const Vec3 &p) {
        const Vec3 w = pose.Apply(p - camera.pivot);
        return ScreenPoint{camera.centreX + camera.pixelsPerUnit * w.x, camera.centreY - camera.pixelsPerUnit * Dot(w, up),
                           Dot(w, viewing)};
    };

    Frame frame(kPixelsPerSprite, 0);
    QList<double> depth(kPixelsPerSprite, std::numeric_limits<double>::infinity());
    for (const Face &face : mesh.Faces()) {
        const Vec3 normal = pose.Apply(face.normal);
        if (Dot(normal, viewing) > -1e-6)
            continue;   // facing away or edge-on
        const int colour = face.material.Shade(Dot(normal, camera.light));
        QList<ScreenPoint> points;
        for (const Vec3 &p : face.points)
            points.append(project(p));
        for (qsizetype i = 1; i + 1 < points.size(); ++i)
            FillTriangle(points[0], points[i], points[i + 1], colour, frame, depth);
    }
    if (camera.outline)
        AddOutline(frame);
    return frame;
}

SpritePixels ToStripOrder(const Frame &frame)
{
    SpritePixels pixels(kPixelsPerSprite, 0);
    for (int y = 0; y < kSpriteSide; ++y) {
        for (int x = 0; x < kSpriteSide; ++x)
            pixels[SpritePixelIndex(x, y)] = frame[y * kSpriteSide + x];
    }
    return pixels;
}
