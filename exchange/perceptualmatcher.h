#pragma once

#include <QColor>
#include <QImage>
#include <QList>

#include <vector>

#include "exchange/labcolor.h"

// Matches true-colour pictures to a short list of candidate colours as a
// person sees them: each pixel takes the candidate nearest by CIEDE2000 in
// L*a*b* (sRGB decoded to linear light, XYZ and L*a*b* against D65). A pixel
// holding exactly a candidate's colour takes that candidate (the lowest index
// among equal ones), so pictures drawn in the candidates come back unchanged,
// dithering or not.
//
// With dithering, pixels are visited in serpentine order (even rows left to
// right, odd rows right to left) and the error of each choice is spread
// Floyd-Steinberg fashion as a linear-light red, green and blue vector (at
// the picture's edges the shares that would fall outside go to the
// neighbours inside). A
// pixel is matched by its own colour plus the error reaching it (each channel
// of that error held within -1..1), clamped to the displayable range and
// rounded to 8-bit sRGB; what it passes on is the whole difference between
// that sum and its candidate, so a flat area keeps its mean colour. Exact
// pixels and, with SetTransparentIsFirst, transparent ones stop the error
// that reaches them.
//
// Results are kept per colour: a matcher used for many pictures of the same
// candidates gets faster as it goes.
class PerceptualMatcher
{
public:
    PerceptualMatcher() = default;

    void SetDither(bool on) { dither = on; }

    // With this on, a pixel whose alpha is below 128 takes candidate 0.
    void SetTransparentIsFirst(bool on) { transparentIsFirst = on; }

    // Appends a candidate; its list position is the index the matcher gives.
    void AddColor(const QColor &color);

    // The candidate nearest to the opaque colour rgb; 0 without candidates.
    int NearestIndex(QRgb rgb);

    // The candidate index of every pixel, row by row. Empty when there are
    // fewer than two candidates or no pixels.
    QList<int> MatchIndices(const QImage &image);

private:
    struct Candidate
    {
        QRgb rgb = 0;
        LabColor lab;
        float linear[3] = {0, 0, 0};
    };

    int Search(QRgb rgb) const;
    int ExactIndex(QRgb rgb) const;

    std::vector<Candidate> candidates;
    // Nearest candidate by colour: open addressing over 0xFFRRGGBB keys (0 is
    // an empty slot), grown to stay at most half full.
    std::vector<quint32> keys;
    std::vector<quint16> values;
    int used = 0;
    bool dither = false;
    bool transparentIsFirst = false;
};
