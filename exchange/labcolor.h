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
