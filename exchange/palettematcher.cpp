#include "exchange/palettematcher.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "exchange/labcolor.h"

namespace {

// A colour as the matcher compares it: its grey level and its L*a*b* value.
struct MatchColor
{
    int grey = 0;
    LabColor lab;
};

MatchColor MatchColorOf(QRgb rgb)
{
    return MatchColor{qGray(rgb), CachedLab(rgb)};
}

// The one definition of the signed distance, shared by Distance and the
// conversion loop so that both give bit-identical results.
inline float SignedDistance(const MatchColor &c1, const MatchColor &c2)
{
    const float dL = c1.lab.L - c2.lab.L;
    const float da = c1.lab.a - c2.lab.a;
    const float db = c1.lab.b - c2.lab.b;
    const float d = std::sqrt(dL * dL + da * da + db * db);
    return c1.grey < c2.grey ? d : -d;
}

// Truncation toward zero. Errors stay far inside the int range for any picture
// Qt can hold; the clamp only keeps a pathological value from being undefined.
inline int Truncate(float v)
{
    if (v >= 2.0e9f)
        return 2000000000;
    if (v <= -2.0e9f)
        return -2000000000;
    return static_cast<int>(v);
}

int Nearest(const MatchColor &c, int bias, const std::vector<MatchColor> &candidates)
{
    const int n = static_cast<int>(candidates.size());
    if (n < 2)
        return 0;
    const float e = static_cast<float>(bias);
    int bestIndex = 0;
    int bestValue = std::abs(Truncate(SignedDistance(c, candidates[0]) + e));
    for (int i = 1; i < n; ++i) {
        const int v = std::abs(Truncate(SignedDistance(c, candidates[i]) + e));
        if (v < bestValue) {
            bestValue = v;
            bestIndex = i;
        }
    }
    return bestIndex;
}

std::vector<MatchColor> MatchColorsOf(const QList<QColor> &colors)
{
    std::vector<MatchColor> result;
    result.reserve(colors.size());
    for (const QColor &color : colors)
        result.push_back(MatchColorOf(color.rgb()));
    return result;
}

}  // namespace

void PaletteMatcher::AddColor(const QColor &color)
{
    candidates.append(color);
}

float PaletteMatcher::Distance(const QColor &c1, const QColor &c2) const
{
    return SignedDistance(MatchColorOf(c1.rgb()), MatchColorOf(c2.rgb()));
}

int PaletteMatcher::NearestIndex(const QColor &c, int bias) const
{
    if (candidates.size() < 2)
        return 0;
    return Nearest(MatchColorOf(c.rgb()), bias, MatchColorsOf(candidates));
}

QList<int> PaletteMatcher::MatchIndices(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    if (candidates.size() < 2 || w <= 0 || h <= 0)
        return {};

    // Pixels are read as 32-bit values whatever the source format; an
    // un-premultiplied format keeps the colour of transparent pixels.
    QImage source = image;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32)
        source = source.convertToFormat(QImage::Format_ARGB32);

    errorGrid = QList<QList<float>>(h, QList<float>(w, 0.0f));
    const std::vector<MatchColor> cands = MatchColorsOf(candidates);
    QList<int> indices(qsizetype(w) * h);
    int *out = indices.data();

    QRgb lastRgb = 0;
    MatchColor last;
    bool haveLast = false;
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        float *row = errorGrid[y].data();
        float *next = y + 1 < h ? errorGrid[y + 1].data() : nullptr;
        for (int x = 0; x < w; ++x) {
            if (transparentIsFirst && qAlpha(line[x]) < 128) {
                *out++ = 0;   // background; its hidden colour and the error reaching it go nowhere
                continue;
            }
            const QRgb rgb = line[x] | 0xFF000000u;
            if (!haveLast || rgb != lastRgb) {
                last = MatchColorOf(rgb);
                lastRgb = rgb;
                haveLast = true;
            }
            int k;
            if (dither) {
                const float carried = row[x];
                k = Nearest(last, Truncate(carried), cands);
                const float t = static_cast<float>(Truncate(SignedDistance(last, cands[k]) + carried));
                if (x + 1 < w)
                    row[x + 1] += t * 0.4375f;
                if (next) {
                    if (x > 0)
                        next[x - 1] += t * 0.1875f;
                    next[x] += t * 0.3125f;
                    if (x + 1 < w)
                        next[x + 1] += t * 0.0625f;
                }
            } else {
                k = Nearest(last, 0, cands);
            }
            *out++ = k;
        }
    }
    return indices;
}

QImage PaletteMatcher::Convert(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    QImage result(w, h, QImage::Format_RGB888);
    result.fill(Qt::white);
    const QList<int> indices = MatchIndices(image);
    if (indices.isEmpty())
        return result;

    QList<QRgb> colors;
    for (const QColor &color : std::as_const(candidates))
        colors.append(color.rgb());
    const int *k = indices.constData();
    for (int y = 0; y < h; ++y) {
        uchar *line = result.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const QRgb c = colors[*k++];
            line[3 * x] = uchar(qRed(c));
            line[3 * x + 1] = uchar(qGreen(c));
            line[3 * x + 2] = uchar(qBlue(c));
        }
    }
    return result;
}
