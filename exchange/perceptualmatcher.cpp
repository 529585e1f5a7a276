#include "exchange/perceptualmatcher.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Linear light of every 8-bit channel value, in single precision.
const std::array<float, 256> &LinearTable()
{
    static const std::array<float, 256> table = [] {
        std::array<float, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[i] = static_cast<float>(SrgbToLinear(i));
        return t;
    }();
    return table;
}

// The linear light at which the encoded value crosses i + 0.5: a linear
// value v rounds to the 8-bit code that counts the thresholds up to v.
const std::array<float, 255> &RoundingThresholds()
{
    static const std::array<float, 255> table = [] {
        std::array<float, 255> t{};
        for (int i = 0; i < 255; ++i) {
            const double c = (i + 0.5) / 255.0;
            t[i] = static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return t;
    }();
    return table;
}

int EncodeChannel(float v)
{
    const std::array<float, 255> &t = RoundingThresholds();
    return static_cast<int>(std::upper_bound(t.begin(), t.end(), v) - t.begin());
}

quint32 SlotOf(quint32 key, size_t mask)
{
    return static_cast<quint32>(((key & 0x00FFFFFFu) * 2654435761u) >> 8) & static_cast<quint32>(mask);
}

}  // namespace

void PerceptualMatcher::AddColor(const QColor &color)
{
    Candidate c;
    c.rgb = color.rgb() | 0xFF000000u;
    c.lab = SrgbToLab(c.rgb);
    const std::array<float, 256> &linear = LinearTable();
    c.linear[0] = linear[qRed(c.rgb)];
    c.linear[1] = linear[qGreen(c.rgb)];
    c.linear[2] = linear[qBlue(c.rgb)];
    candidates.push_back(c);
    keys.clear();   // earlier answers did not know this candidate
    values.clear();
    used = 0;
}

int PerceptualMatcher::ExactIndex(QRgb rgb) const
{
    for (size_t i = 0; i < candidates.size(); ++i)
        if (candidates[i].rgb == rgb)
            return static_cast<int>(i);
    return -1;
}

int PerceptualMatcher::Search(QRgb rgb) const
{
    const int exact = ExactIndex(rgb);
    if (exact >= 0)
        return exact;
    const LabColor lab = SrgbToLab(rgb);
    int best = 0;
    double bestDifference = Ciede2000(lab, candidates[0].lab);
    for (size_t i = 1; i < candidates.size(); ++i) {
        const double d = Ciede2000(lab, candidates[i].lab);
        if (d < bestDifference) {
            bestDifference = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int PerceptualMatcher::NearestIndex(QRgb rgb)
{
    if (candidates.empty())
        return 0;
    const quint32 key = rgb | 0xFF000000u;
    if (keys.empty()) {
        keys.assign(4096, 0);
        values.assign(4096, 0);
    }
    size_t mask = keys.size() - 1;
    quint32 slot = SlotOf(key, mask);
    while (keys[slot] != 0) {
        if (keys[slot] == key)
            return values[slot];
        slot = (slot + 1) & mask;
    }
    const int index = Search(key);
    if (2 * (used + 1) > static_cast<int>(keys.size())) {
        std::vector<quint32> oldKeys(keys.size() * 2, 0);
        std::vector<quint16> oldValues(values.size() * 2, 0);
        oldKeys.swap(keys);
        oldValues.swap(values);
        mask = keys.size() - 1;
        for (size_t i = 0; i < oldKeys.size(); ++i) {
            if (oldKeys[i] == 0)
                continue;
            quint32 s = SlotOf(oldKeys[i], mask);
            while (keys[s] != 0)
                s = (s + 1) & mask;
            keys[s] = oldKeys[i];
            values[s] = oldValues[i];
        }
        slot = SlotOf(key, mask);
        while (keys[slot] != 0)
            slot = (slot + 1) & mask;
    }
    keys[slot] = key;
    values[slot] = static_cast<quint16>(index);
    ++used;
    return index;
}

QList<int> PerceptualMatcher::MatchIndices(const QImage &image)
{
    const int w = image.width();
    const int h = image.height();
    if (candidates.size() < 2 || w <= 0 || h <= 0)
        return {};

    // Pixels are read as 32-bit values whatever the source format.
    QImage source = image;
    if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_ARGB32)
        source = source.convertToFormat(QImage::Format_ARGB32);

    QList<int> indices(qsizetype(w) * h);
    int *out = indices.data();
    if (!dither) {
        QRgb lastRgb = 0;
        int last = -1;
        for (int y = 0; y < h; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                if (transparentIsFirst && qAlpha(line[x]) < 128) {
                    *out++ = 0;
                    continue;
                }
                const QRgb rgb = line[x] | 0xFF000000u;
                if (last < 0 || rgb != lastRgb) {
                    last = NearestIndex(rgb);
                    lastRgb = rgb;
                }
                *out++ = last;
            }
        }
        return indices;
    }

    // The error reaching each pixel of this row and the next, three floats a
    // pixel, with one pixel of margin on either side for what falls off.
    const std::array<float, 256> &linear = LinearTable();
    std::vector<float> here(3 * size_t(w + 2), 0.0f);
    std::vector<float> below(3 * size_t(w + 2), 0.0f);
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        int *row = out + qsizetype(y) * w;
        std::fill(below.begin(), below.end(), 0.0f);
        const bool forward = y % 2 == 0;
        const int step = forward ? 1 : -1;
        for (int i = 0; i < w; ++i) {
            const int x = forward ? i : w - 1 - i;
            if (transparentIsFirst && qAlpha(line[x]) < 128) {
                row[x] = 0;   // background; the error reaching it goes nowhere
                continue;
            }
            const QRgb rgb = line[x] | 0xFF000000u;
            const int exact = ExactIndex(rgb);
            if (exact >= 0) {
                row[x] = exact;   // a candidate's own colour stays; it stops the error too
                continue;
            }
            // The carried error is held within one full scale, so that a colour
            // no mix of candidates reaches cannot pile error up without end.
            const float *e = &here[3 * size_t(x + 1)];
            const float r = linear[qRed(rgb)] + std::clamp(e[0], -1.0f, 1.0f);
            const float g = linear[qGreen(rgb)] + std::clamp(e[1], -1.0f, 1.0f);
            const float b = linear[qBlue(rgb)] + std::clamp(e[2], -1.0f, 1.0f);
            // The choice goes by the displayable colour nearest to it; the error
            // passed on is the whole difference, or the mean colour would drift
            // wherever the choice and the error disagree about what is near.
            const int k = NearestIndex(qRgb(EncodeChannel(r), EncodeChannel(g), EncodeChannel(b)));
            row[x] = k;
            const Candidate &c = candidates[size_t(k)];
            const float error[3] = {r - c.linear[0], g - c.linear[1], b - c.linear[2]};
            // Shares that would fall outside the picture go to the neighbours
            // inside it, so only the last pixel's error leaves the picture.
            const bool hasAhead = x + step >= 0 && x + step < w;
            const bool hasBehind = x - step >= 0 && x - step < w;
            const bool hasBelow = y + 1 < h;
            const float wAhead = hasAhead ? 7.0f : 0.0f;
            const float wBehindBelow = hasBelow && hasBehind ? 3.0f : 0.0f;
            const float wBelow = hasBelow ? 5.0f : 0.0f;
            const float wAheadBelow = hasBelow && hasAhead ? 1.0f : 0.0f;
            const float total = wAhead + wBehindBelow + wBelow + wAheadBelow;
            if (total == 0.0f)
                continue;
            float *ahead = &here[3 * size_t(x + 1 + step)];
            float *behindBelow = &below[3 * size_t(x + 1 - step)];
            float *justBelow = &below[3 * size_t(x + 1)];
            float *aheadBelow = &below[3 * size_t(x + 1 + step)];
            for (int ch = 0; ch < 3; ++ch) {
                const float share = error[ch] / total;
                ahead[ch] += share * wAhead;
                behindBelow[ch] += share * wBehindBelow;
                justBelow[ch] += share * wBelow;
                aheadBelow[ch] += share * wAheadBelow;
            }
        }
        here.swap(below);
    }
    return indices;
}
