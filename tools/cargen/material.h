#pragma once

#include <QList>

// How a face is coloured: one fixed colour index, or shades from lit to dark
// chosen by how squarely the face meets the light.
struct Material
{
    QList<int> shades;   // colour indices, lit first

    static Material Fixed(int index) { return {{index}}; }
    static Material Shaded(QList<int> litToDark) { return {litToDark}; }

    // The index for a face whose normal meets the light with cosine `light`.
    int Shade(double light) const;
};

// The palette roles the generator paints with. Only indices 1-5 and 11-15:
// a picture import never picks 6-10, so cars painted with them would not
// come back from a picture as they were. Roles share an index where that
// costs least.
namespace Paint {
inline constexpr int kBodyLight = 1;
inline constexpr int kBodyMiddle = 2;
inline constexpr int kBodyDark = 3;
inline constexpr int kStripeA = 4;       // tyre and track stripes; "rotate wheels" swaps 4 and 5
inline constexpr int kStripeB = 5;
inline constexpr int kHeadlight = 11;
inline constexpr int kGlass = 12;
inline constexpr int kRubber = 13;
inline constexpr int kBlack = 14;
inline constexpr int kLamp = 15;         // tail lights, indicators, roof lamps
inline constexpr int kTailLight = kLamp;
inline constexpr int kGlow = kLamp;      // exhausts, thrusters
inline constexpr int kMetalLight = kHeadlight;
inline constexpr int kMetalDark = kRubber;
inline constexpr int kGlassDark = kBlack;

inline Material Body() { return Material::Shaded({kBodyLight, kBodyMiddle, kBodyDark}); }
inline Material Glass() { return Material::Shaded({kGlass, kGlassDark}); }
inline Material Metal() { return Material::Shaded({kMetalLight, kMetalDark, kRubber}); }
inline Material Fixed(int index) { return Material::Fixed(index); }
} // namespace Paint
