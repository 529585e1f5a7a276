#include "exchange/labcolor.h"

#include <algorithm>
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

namespace {

constexpr double kPi = 3.14159265358979323846;

// The decoded value of every 8-bit channel value, made once.
const std::array<double, 256> &DecodeTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return table;
}

// The CIE curve in double precision, for the D65 conversion.
double LabCurveD(double t)
{
    constexpr double epsilon = 216.0 / 24389.0;
    constexpr double kappa = 24389.0 / 27.0;
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16.0) / 116.0;
}

double Degrees(double radians)
{
    return radians * (180.0 / kPi);
}

double Radians(double degrees)
{
    return degrees * (kPi / 180.0);
}

// The hue angle in degrees, 0..360; 0 for a neutral colour.
double HueAngle(double b, double a)
{
    if (a == 0.0 && b == 0.0)
        return 0.0;
    const double h = Degrees(std::atan2(b, a));
    return h < 0.0 ? h + 360.0 : h;
}

double Pow7(double v)
{
    const double v2 = v * v;
    const double v3 = v2 * v;
    return v3 * v3 * v;
}

}  // namespace

double SrgbToLinear(int channel)
{
    return DecodeTable()[std::clamp(channel, 0, 255)];
}

int LinearToSrgb(double v)
{
    v = std::clamp(v, 0.0, 1.0);
    const double c = v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1.0 / 2.4) - 0.055;
    return std::clamp(static_cast<int>(std::lround(c * 255.0)), 0, 255);
}

LabColor LinearToLab(double r, double g, double b)
{
    // sRGB primaries to XYZ, relative to the D65 white (0.95047, 1, 1.08883).
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = LabCurveD(x);
    const double fy = LabCurveD(y);
    const double fz = LabCurveD(z);
    return LabColor{static_cast<float>(116.0 * fy - 16.0), static_cast<float>(500.0 * (fx - fy)),
                    static_cast<float>(200.0 * (fy - fz))};
}

LabColor SrgbToLab(QRgb rgb)
{
    const std::array<double, 256> &t = DecodeTable();
    return LinearToLab(t[qRed(rgb)], t[qGreen(rgb)], t[qBlue(rgb)]);
}

double Ciede2000(const LabColor &x, const LabColor &y)
{
    const double L1 = x.L, a1 = x.a, b1 = x.b;
    const double L2 = y.L, a2 = y.a, b2 = y.b;

    const double meanC = (std::hypot(a1, b1) + std::hypot(a2, b2)) / 2.0;
    const double meanC7 = Pow7(meanC);
    const double G = 0.5 * (1.0 - std::sqrt(meanC7 / (meanC7 + 6103515625.0)));   // 25^7
    const double a1p = (1.0 + G) * a1;
    const double a2p = (1.0 + G) * a2;
    const double C1p = std::hypot(a1p, b1);
    const double C2p = std::hypot(a2p, b2);
    const double h1p = HueAngle(b1, a1p);
    const double h2p = HueAngle(b2, a2p);

    const double dLp = L2 - L1;
    const double dCp = C2p - C1p;
    const bool neutral = C1p * C2p == 0.0;
    double dhp = 0.0;
    if (!neutral) {
        dhp = h2p - h1p;
        if (dhp > 180.0)
            dhp -= 360.0;
        else if (dhp < -180.0)
            dhp += 360.0;
    }
    const double dHp = 2.0 * std::sqrt(C1p * C2p) * std::sin(Radians(dhp / 2.0));

    const double meanLp = (L1 + L2) / 2.0;
    const double meanCp = (C1p + C2p) / 2.0;
    double meanHp = h1p + h2p;
    if (!neutral) {
        if (std::abs(h1p - h2p) <= 180.0)
            meanHp /= 2.0;
        else if (meanHp < 360.0)
            meanHp = (meanHp + 360.0) / 2.0;
        else
            meanHp = (meanHp - 360.0) / 2.0;
    }

    const double T = 1.0 - 0.17 * std::cos(Radians(meanHp - 30.0)) + 0.24 * std::cos(Radians(2.0 * meanHp))
                     + 0.32 * std::cos(Radians(3.0 * meanHp + 6.0)) - 0.20 * std::cos(Radians(4.0 * meanHp - 63.0));
    const double dTheta = 30.0 * std::exp(-((meanHp - 275.0) / 25.0) * ((meanHp - 275.0) / 25.0));
    const double meanCp7 = Pow7(meanCp);
    const double RC = 2.0 * std::sqrt(meanCp7 / (meanCp7 + 6103515625.0));
    const double l50 = (meanLp - 50.0) * (meanLp - 50.0);
    const double SL = 1.0 + 0.015 * l50 / std::sqrt(20.0 + l50);
    const double SC = 1.0 + 0.045 * meanCp;
    const double SH = 1.0 + 0.015 * meanCp * T;
    const double RT = -std::sin(Radians(2.0 * dTheta)) * RC;

    const double tL = dLp / SL;
    const double tC = dCp / SC;
    const double tH = dHp / SH;
    return std::sqrt(std::max(0.0, tL * tL + tC * tC + tH * tH + RT * tC * tH));
}
