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

// The palette roles the generator paints with.
namespace Paint {
inline constexpr int kBodyLight = 1;
inline constexpr int kBodyMiddle = 2;
inline constexpr int kBodyDark = 3;
inline constexpr int kStripeA = 4;       // tyre and track stripes; "rotate wheels" swaps 4 and 5
inline constexpr int kStripeB = 5;
inline constexpr int kTailLight = 6;
inline constexpr int kMetalDark = 7;
inline constexpr int kGlow = 8;          // exhausts, thrusters
inline constexpr int kGlassDark = 9;
inline constexpr int kMetalLight = 10;
inline constexpr int kHeadlight = 11;
inline constexpr int kGlass = 12;
inline constexpr int kRubber = 13;
inline constexpr int kBlack = 14;
inline constexpr int kLamp = 15;         // indicators, roof lamps

inline Material Body() { return Material::Shaded({kBodyLight, kBodyMiddle, kBodyDark}); }
inline Material Glass() { return Material::Shaded({kGlass, kGlassDark}); }
inline Material Metal() { return Material::Shaded({kMetalLight, kMetalDark, kRubber}); }
inline Material Fixed(int index) { return Material::Fixed(index); }
} // namespace Paint
