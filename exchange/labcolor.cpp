#include "exchange/labcolor.h"

#include <array>
#include <cmath>

namespace {

// The cube root above the CIE threshold, the linear segment below it; the
// threshold itself takes the linear segment.
float LabCurve(float t)
{
    if (t > 0.008856451679035631)
        return static_cast<float>(std::pow(static_cast<double>(t), 0.3333333333333333));
    return static_cast<float>(7.787037037037035 * t + 0.13793103448275862);
}

// A direct-mapped memo of recent lookups in front of the hash. It holds only
// copies of cache entries, so answers are exactly those of the cache itself.
struct RecentLabs
{
    static constexpr int kSlots = 1024;
    std::array<QRgb, kSlots> keys{};   // 0 never matches an opaque key
    std::array<LabColor, kSlots> values{};

    static int SlotOf(QRgb rgb)
    {
        const quint32 h = (rgb & 0x00FFFFFFu) * 2654435761u;
        return static_cast<int>(h >> 22);   // top 10 bits
    }
};

RecentLabs &Recent()
{
    static RecentLabs recent;
    return recent;
}

}  // namespace

LabColor ToLab(const QColor &color)
{
    const int r = color.red();
    const int g = color.green();
    const int b = color.blue();
    const float x = (0.486887 * r + 0.3062984 * g + 0.1710347 * b) / 255 / 0.96422;
    const float y = (0.1746583 * r + 0.8247541 * g + 0.0005877 * b) / 255;
    const float z = (-0.0012563 * r + 0.0169832 * g + 0.8094831 * b) / 255 / 0.82521;
    const float fx = LabCurve(x);
    const float fy = LabCurve(y);
    const float fz = LabCurve(z);
    LabColor lab;
    lab.L = 116.0f * fy - 16.0f;
    lab.a = 500.0f * (fx - fy);
    lab.b = 200.0f * (fy - fz);
    return lab;
}

QHash<QRgb, LabColor> &LabCache()
{
    static QHash<QRgb, LabColor> cache;
    return cache;
}

LabColor CachedLab(QRgb rgb)
{
    rgb |= 0xFF000000u;
    RecentLabs &recent = Recent();
    const int slot = RecentLabs::SlotOf(rgb);
    if (recent.keys[slot] == rgb)
        return recent.values[slot];

    QHash<QRgb, LabColor> &cache = LabCache();
    auto it = cache.constFind(rgb);
    if (it == cache.constEnd())
        it = cache.insert(rgb, ToLab(QColor(rgb)));
    recent.keys[slot] = rgb;
    recent.values[slot] = it.value();
    return it.value();
}
