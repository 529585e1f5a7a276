#pragma once

#include <QColor>
#include <QImage>
#include <QList>

// Turns true-colour pictures into pictures of a short list of candidate
// colours. Each pixel takes the candidate nearest in L*a*b*; with dithering on,
// the matching error is spread Floyd-Steinberg fashion onto the pixels not yet
// visited. The error is one signed number per pixel, not a colour vector: the
// sign of a distance says which colour is the darker one, and that scalar both
// biases the choice of later pixels and is what gets diffused.
class PaletteMatcher
{
public:
    PaletteMatcher() = default;

    void SetDither(bool on) { dither = on; }
    bool Dither() const { return dither; }

    // With this on, a pixel whose alpha is below 128 takes candidate 0 (the
    // background) and passes no dithering error on: what it hides is not
    // matched. Off by default, when alpha plays no part.
    void SetTransparentIsFirst(bool on) { transparentIsFirst = on; }

    // Appends a candidate; its list position is the index NearestIndex returns.
    // Duplicates are allowed (the lower index wins ties).
    void AddColor(const QColor &color);
    const QList<QColor> &Candidates() const { return candidates; }

    // The CIE 1976 distance of c1 from c2, positive when c1 is darker by grey
    // level (11 R + 16 G + 5 B) >> 5, negative otherwise (equal grey too).
    // Both colours' L*a*b* values come from the process-wide LabCache.
    float Distance(const QColor &c1, const QColor &c2) const;

    // The candidate chosen for c under the accumulated error bias: the smallest
    // |trunc(Distance(c, candidate) + bias)|, the lowest index on a tie.
    // 0 when there are fewer than two candidates.
    int NearestIndex(const QColor &c, int bias) const;

    // A w x h RGB888 picture whose every pixel is a candidate colour; all white
    // when there are fewer than two candidates. Pixels are visited row by row,
    // left to right; alpha plays no part unless SetTransparentIsFirst. Rebuilds
    // the error grid.
    QImage Convert(const QImage &image);

    // The candidate index of every pixel, row by row: exactly the choice that
    // Convert paints. Empty when there are fewer than two candidates or no pixels.
    QList<int> MatchIndices(const QImage &image);

    // The accumulated error of the last conversion, [row][column].
    const QList<QList<float>> &ErrorGrid() const { return errorGrid; }

private:
    QList<QColor> candidates;
    QList<QList<float>> errorGrid;
    bool dither = true;
    bool transparentIsFirst = false;
};
