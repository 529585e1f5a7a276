#include "vehicles.h"

#include <cmath>
#include <numbers>

using namespace Paint;

namespace {

// A light or a grille on the front (+x) or back (-x) face at position x,
// spanning y0..y1 and z0..z1.
void AddEndPanel(Mesh &mesh, double x, double y0, double y1, double z0, double z1, int colour)
{
    const Vec3 outward{x > 0 ? 1.0 : -1.0, 0.0, 0.0};
    mesh.AddPanel({{x, y0, z0}, {x, y1, z0}, {x, y1, z1}, {x, y0, z1}}, Fixed(colour), outward);
}

// The same panel at +y and its mirror at -y.
void AddEndPanelPair(Mesh &mesh, double x, double yInner, double yOuter, double z0, double z1, int colour)
{
    AddEndPanel(mesh, x, yInner, yOuter, z0, z1, colour);
    AddEndPanel(mesh, x, -yOuter, -yInner, z0, z1, colour);
}

// Four wheels at x = +-wheelX, their outer faces at +-outerY.
void AddFourWheels(Mesh &mesh, double wheelX, double outerY, double radius, double halfWidth)
{
    for (double x : {-wheelX, wheelX}) {
        BothSides([&](double side) {
            mesh.AddWheel({x, side * (outerY - halfWidth), radius}, radius, halfWidth);
        });
    }
}

} // namespace

Mesh SportsCar()
{
    Mesh m;
    AddFourWheels(m, 1.38, 1.1, 0.38, 0.17);
    // Low wedge body, its nose down to the road, narrower than the track so
    // that the wheels show.
    m.AddSlabX({-2.2, 0.86, 0.28, 0.76}, {2.25, 0.8, 0.28, 0.44}, HexPaint::All(Body()));
    // Side intakes behind the doors.
    BothSides([&](double side) {
        const double y0 = side * 0.7;
        const double y1 = side * 0.9;
        m.AddBox({-1.0, std::min(y0, y1), 0.42}, {-0.55, std::max(y0, y1), 0.6}, HexPaint::All(Fixed(kBlack)));
    });
    // Cabin: sloping screen, glass all round, body-coloured roof.
    HexPaint cabin = HexPaint::All(Glass());
    cabin.top = Body();
    m.AddSlabZ({0.55, -1.05, 0.85, 0.74}, {1.04, -0.72, -0.08, 0.56}, cabin);
    // Rear wing on two struts.
    m.AddBox({-2.2, -0.9, 0.98}, {-1.8, 0.9, 1.04}, HexPaint::All(Body()));
    BothSides([&](double side) {
        m.AddBox({-2.05, side > 0 ? 0.45 : -0.55, 0.7}, {-1.95, side > 0 ? 0.55 : -0.45, 0.99},
                 HexPaint::All(Fixed(kBlack)));
    });
    AddEndPanelPair(m, 2.25, 0.42, 0.76, 0.32, 0.42, kHeadlight);
    AddEndPanel(m, 2.25, -0.32, 0.32, 0.28, 0.38, kBlack);
    AddEndPanelPair(m, -2.2, 0.42, 0.82, 0.56, 0.7, kTailLight);
    AddEndPanelPair(m, -2.2, 0.18, 0.3, 0.32, 0.42, kGlow);
    return m;
}

Mesh Buggy()
{
    Mesh m;
    AddFourWheels(m, 1.3, 1.22, 0.55, 0.24);
    // Open tub, narrow at the nose.
    m.AddSlabX({-1.5, 0.55, 0.42, 0.86}, {1.75, 0.38, 0.5, 0.72}, HexPaint::All(Body()));
    // Skid plate and front bumper.
    m.AddBox({1.7, -0.62, 0.42}, {1.95, 0.62, 0.58}, HexPaint::All(Fixed(kBlack)));
    // Suspension arms out to the wheels.
    for (double x : {-1.3, 1.3}) {
        BothSides([&](double side) {
            const double y0 = side * 0.3;
            const double y1 = side * 0.98;
            m.AddBox({x - 0.08, std::min(y0, y1), 0.5}, {x + 0.08, std::max(y0, y1), 0.6},
                     HexPaint::All(Fixed(kBlack)));
        });
    }
    // Seat and the driver's helmet.
    m.AddBox({-0.55, -0.32, 0.8}, {0.05, 0.32, 1.12}, HexPaint::All(Fixed(kBlack)));
    m.AddBox({-0.3, -0.17, 1.08}, {0.02, 0.17, 1.36}, HexPaint::All(Material::Shaded({kLamp, kLamp, kGlow})));
    // Roll cage: two hoops and a roof frame.
    const Material cage = Metal();
    BothSides([&](double side) {
        const double y = side * 0.5;
        m.AddBox({-0.72, y - 0.06, 0.8}, {-0.6, y + 0.06, 1.58}, HexPaint::All(cage));
        std::array<Vec3, 8> post;   // front post leaning back
        for (int i = 0; i < 8; ++i) {
            const double x = i & 4 ? 0.2 : 0.75;
            post[i] = {x + (i & 1 ? 0.06 : -0.06), y + (i & 2 ? 0.06 : -0.06), i & 4 ? 1.58 : 0.8};
        }
        m.AddHexahedron(post, HexPaint::All(cage));
        m.AddBox({-0.72, y - 0.06, 1.5}, {0.26, y + 0.06, 1.6}, HexPaint::All(cage));
    });
    m.AddBox({-0.72, -0.56, 1.5}, {-0.6, 0.56, 1.6}, HexPaint::All(cage));
    m.AddBox({0.14, -0.56, 1.5}, {0.26, 0.56, 1.6}, HexPaint::All(cage));
    // Engine at the back with two glowing exhausts.
    m.AddBox({-1.75, -0.45, 0.62}, {-1.05, 0.45, 1.08}, HexPaint::All(Metal()));
    BothSides([&](double side) {
        m.AddCylinder({-1.85, side * 0.3, 0.95}, {1, 0, 0}, {0, 0, 1}, 0.1, 0.12, 6,
                      {Fixed(kMetalDark), Fixed(kMetalDark), Fixed(kGlow), 0.6});
    });
    AddEndPanelPair(m, 1.95, 0.25, 0.55, 0.46, 0.56, kHeadlight);
    return m;
}

Mesh Pickup()
{
    Mesh m;
    AddFourWheels(m, 1.45, 1.1, 0.48, 0.2);
    // Lower body, high off the road.
    m.AddBox({-2.3, -0.95, 0.45}, {2.3, 0.95, 1.05}, HexPaint::All(Body()));
    // Bonnet falling slightly to the grille.
    m.AddSlabX({1.1, 0.92, 1.0, 1.12}, {2.3, 0.92, 1.0, 1.05}, HexPaint::All(Body()));
    // Cab.
    HexPaint cab = HexPaint::All(Glass());
    cab.top = Body();
    m.AddSlabZ({1.0, -0.35, 1.15, 0.9}, {1.68, -0.28, 0.5, 0.82}, cab);
    // Load bed: a dark floor inside body-coloured walls.
    m.AddPanel({{-2.2, -0.82, 1.05}, {-0.4, -0.82, 1.05}, {-0.4, 0.82, 1.05}, {-2.2, 0.82, 1.05}}, Fixed(kRubber),
               {0, 0, 1});
    BothSides([&](double side) {
        const double y0 = side * 0.82;
        const double y1 = side * 0.95;
        m.AddBox({-2.3, std::min(y0, y1), 1.05}, {-0.35, std::max(y0, y1), 1.3}, HexPaint::All(Body()));
    });
    m.AddBox({-2.3, -0.82, 1.05}, {-2.18, 0.82, 1.3}, HexPaint::All(Body()));
    // Wheel arches.
    for (double x : {-1.45, 1.45}) {
        BothSides([&](double side) {
            const double y0 = side * 0.9;
            const double y1 = side * 1.14;
            m.AddBox({x - 0.62, std::min(y0, y1), 0.88}, {x + 0.62, std::max(y0, y1), 1.04},
                     HexPaint::All(Fixed(kBlack)));
        });
    }
    // Bull bar, roof lamps, lights.
    m.AddBox({2.3, -0.78, 0.5}, {2.42, 0.78, 0.98}, HexPaint::All(Metal()));
    m.AddBox({0.05, -0.62, 1.68}, {0.25, 0.62, 1.78}, HexPaint::All(Fixed(kLamp)));
    AddEndPanel(m, 2.42, -0.5, 0.5, 0.6, 0.85, kBlack);
    AddEndPanelPair(m, 2.3, 0.55, 0.88, 0.78, 0.95, kHeadlight);
    AddEndPanelPair(m, -2.3, 0.6, 0.9, 0.8, 1.0, kTailLight);
    return m;
}

Mesh BattleTank()
{
    Mesh m;
    // Tracks: a belt round each side, road wheels on the outside.
    QList<QPointF> profile;
    const double r = 0.36;
    for (int i = 0; i <= 6; ++i) {   // front end, bottom to top
        const double a = -std::numbers::pi / 2 + std::numbers::pi * i / 6;
        profile.append({1.75 + r * std::cos(a), r + r * std::sin(a)});
    }
    for (int i = 0; i <= 6; ++i) {   // back end, top to bottom
        const double a = std::numbers::pi / 2 + std::numbers::pi * i / 6;
        profile.append({-1.85 + r * std::cos(a), r + r * std::sin(a)});
    }
    BothSides([&](double side) {
        const double y0 = side * 0.62;
        const double y1 = side * 1.12;
        m.AddBelt(profile, y0, y1, 0.32, Fixed(kRubber));
        for (double x : {-1.4, -0.7, 0.0, 0.7, 1.4}) {
            m.AddCylinder({x, side * 1.14, 0.36}, {0, 1, 0}, {0, 0, 1}, 0.24, 0.03, 8,
                          {Metal(), Metal(), Metal(), 0.0});
        }
    });
    // Hull with a sloping glacis, mudguards over the tracks.
    m.AddSlabX({-2.05, 0.66, 0.3, 1.0}, {2.15, 0.66, 0.3, 0.62}, HexPaint::All(Body()));
    BothSides([&](double side) {
        const double y0 = side * 0.6;
        const double y1 = side * 1.18;
        std::array<Vec3, 8> c;
        for (int i = 0; i < 8; ++i) {
            const double x = i & 1 ? 1.95 : -2.0;
            c[i] = {x, (i & 2) ? std::max(y0, y1) : std::min(y0, y1), (i & 4 ? 0.84 : 0.76) + (x > 0 ? -0.04 : 0.0)};
        }
        m.AddHexahedron(c, HexPaint::All(Body()));
    });
    // Turret, gun, hatch.
    m.AddSlabZ({0.95, -1.1, 0.65, 0.64}, {1.42, -0.92, 0.3, 0.5}, HexPaint::All(Body()));
    m.AddBox({0.35, -0.08, 1.1}, {2.35, 0.08, 1.26}, HexPaint::All(Metal()));
    m.AddBox({2.25, -0.12, 1.06}, {2.45, 0.12, 1.3}, HexPaint::All(Fixed(kBlack)));
    m.AddBox({-0.75, -0.25, 1.42}, {-0.3, 0.25, 1.5}, HexPaint::All(Fixed(kMetalDark)));
    AddEndPanelPair(m, 2.15, 0.35, 0.6, 0.4, 0.52, kHeadlight);
    AddEndPanelPair(m, -2.05, 0.4, 0.6, 0.78, 0.9, kTailLight);
    return m;
}

Mesh HoverCar()
{
    Mesh m;
    // Shadow on the road, to show it floats.
    QList<Vec3> shadow;
    for (int i = 0; i < 12; ++i) {
        const double a = 2.0 * std::numbers::pi * i / 12;
        shadow.append({-0.1 + 1.9 * std::cos(a), 1.0 * std::sin(a), 0.0});
    }
    m.AddPolygon(shadow, Fixed(kRubber), {0.0, 0.0, -1.0});
    // Arrow-shaped body on a delta wing.
    m.AddSlabX({-2.0, 0.7, 0.45, 0.92}, {2.3, 0.26, 0.45, 0.58}, HexPaint::All(Body()));
    m.AddSlabX({-1.95, 1.25, 0.5, 0.6}, {0.6, 0.5, 0.5, 0.56}, HexPaint::All(Body()));
    // Engine pods at the wing tips: turbine rings that spin with "rotate
    // wheels", glowing jets at the back.
    BothSides([&](double side) {
        const Vec3 centre{-1.05, side * 1.12, 0.62};
        // The axis points forward on one side and backward on the other, so
        // that the two rings are mirror images of each other.
        const Vec3 axis{side, 0.0, 0.0};
        m.AddCylinder(centre, axis, {0, 0, 1}, 0.22, 0.85, 8, {Body(), Body(), Fixed(kGlow), 0.7});
        m.AddCylinder(centre + Vec3{0.95, 0.0, 0.0}, axis, {0, 0, 1}, 0.25, 0.12, 8,
                      {Fixed(kStripeA), Fixed(kStripeB), Fixed(kBlack), 0.5});
        // Tail fin.
        const double yc = side * 0.5;
        std::array<Vec3, 8> fin;
        for (int i = 0; i < 8; ++i) {
            const bool top = i & 4;
            const double x = top ? (i & 1 ? -1.6 : -2.0) : (i & 1 ? -0.9 : -1.95);
            fin[i] = {x, yc + (i & 2 ? 0.05 : -0.05), top ? 1.45 : 0.85};
        }
        m.AddHexahedron(fin, HexPaint::All(Body()));
    });
    // Bubble canopy.
    m.AddSlabZ({0.8, -0.7, 1.05, 0.4}, {1.2, -0.4, 0.35, 0.26}, HexPaint::All(Glass()));
    // Nose wing.
    m.AddSlabX({1.55, 0.85, 0.45, 0.52}, {2.05, 0.6, 0.45, 0.5}, HexPaint::All(Body()));
    AddEndPanelPair(m, 2.3, 0.08, 0.22, 0.47, 0.55, kHeadlight);
    AddEndPanel(m, -2.0, -0.4, 0.4, 0.6, 0.8, kGlow);
    return m;
}

QList<Mesh> FactoryVehicles()
{
    return {SportsCar(), Buggy(), Pickup(), BattleTank(), HoverCar()};
}
