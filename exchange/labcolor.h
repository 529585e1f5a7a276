#pragma once

#include <QColor>
#include <QHash>
#include <QRgb>

// A CIE 1976 L*a*b* colour in single precision.
struct LabColor
{
    float L = 0.0f;
    float a = 0.0f;
    float b = 0.0f;

    friend bool operator==(const LabColor &, const LabColor &) = default;
};

// L*a*b* of an 8-bit RGB colour against the D50 white. The channels are used
// linearly (no gamma expansion), so mid greys come out much lighter than in a
// gamma-aware conversion: (72, 72, 72) has L = 60.10. Alpha is ignored.
LabColor ToLab(const QColor &color);

// The process-wide L*a*b* cache, keyed by the opaque QRgb (0xFFRRGGBB) of a
// colour. Created empty on first use, it only ever grows: an entry, once made,
// stays for the life of the process. Not locked: use from one thread only.
QHash<QRgb, LabColor> &LabCache();

// The L*a*b* value of an opaque colour through LabCache, computing and storing
// it on the first request. Keeps a few recent answers in front of the map,
// which is where most of an image's lookups end.
LabColor CachedLab(QRgb rgb);

// The perceptual side: sRGB as the IEC 61966-2-1 standard defines it, decoded
// to linear light, through CIE XYZ (D65) to L*a*b* against the D65 white, in
// double precision. (128, 128, 128) has L = 53.59; pure blue L = 32.30.

// Linear light 0..1 of an 8-bit sRGB channel value (0..255).
double SrgbToLinear(int channel);

// The 8-bit sRGB channel value nearest to linear light v (clamped to 0..1).
int LinearToSrgb(double v);

// L*a*b* (D65) of linear-light red, green and blue, each 0..1.
LabColor LinearToLab(double r, double g, double b);

// L*a*b* (D65) of an 8-bit sRGB colour; alpha is ignored.
LabColor SrgbToLab(QRgb rgb);

// The CIEDE2000 colour difference of two L*a*b* colours with the parametric
// factors kL = kC = kH = 1; symmetric, 0 for equal colours.
double Ciede2000(const LabColor &x, const LabColor &y);
