// The colour difference between a source picture and a matched result, for
// bench/compare-matching.sh:
//
//   picture_difference SOURCE RESULT [BACKGROUND]
//
// prints "MEAN P95 BLURRED" (CIEDE2000, kL = kC = kH = 1, sRGB through linear light to
// L*a*b* against the D65 white, as exchange/labcolor does it) over the pixels
// an import takes: every pixel of a sprite or a compact sheet, the 45 named
// cells of a view sheet (624 x 432) and the 225 of the all-cars sheet. Both
// pictures are composited on BACKGROUND (#RRGGBB, default the editor's grey)
// before they are compared, as an import treats transparent pixels.
//
// The 95th percentile is the smallest difference that at least 95 % of the
// pixels do not exceed. BLURRED is the mean difference after both pictures are
// blurred in linear light (Gaussian, sigma 1.5 pixels, within each cell): how
// well the colour seen from a little further away is kept, which is what
// dithering trades the single pixel's difference for.

#include <QColor>
#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "exchange/labcolor.h"
#include "exchange/sheetlayout.h"

namespace {

constexpr int kCell = 48;

QRgb OnBackground(QRgb pixel, QRgb background)
{
    const int alpha = qAlpha(pixel);
    if (alpha == 255)
        return pixel | 0xFF000000u;
    const auto mix = [alpha](int front, int back) { return (front * alpha + back * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(pixel), qRed(background)), mix(qGreen(pixel), qGreen(background)),
                mix(qBlue(pixel), qBlue(background)));
}

// The parts of a picture of this size that an import reads.
QList<QRect> ImportedAreas(QSize size)
{
    QList<QRect> areas;
    const auto addViewSheet = [&areas](int top) {
        for (const SheetCell &cell : ViewSheetCells())
            areas.append(QRect(cell.topLeft + QPoint(0, top), QSize(kCell, kCell)));
    };
    if (size == kViewSheetSize) {
        addViewSheet(0);
    } else if (size == kAllCarsSheetSize) {
        for (int car = 0; car < 5; ++car)
            addViewSheet(car * kViewSheetSize.height());
    } else {
        areas.append(QRect(QPoint(0, 0), size));
    }
    return areas;
}

// The area of the picture in linear light, blurred by a Gaussian of sigma 1.5
// (radius 4), the edges of the area repeated outwards.
std::vector<std::array<double, 3>> BlurredLinear(const QImage &picture, const QRect &area, QRgb background)
{
    constexpr int kRadius = 4;
    std::array<double, 2 * kRadius + 1> weights{};
    double total = 0.0;
    for (int i = -kRadius; i <= kRadius; ++i)
        total += weights[std::size_t(i + kRadius)] = std::exp(-double(i * i) / (2.0 * 1.5 * 1.5));
    for (double &w : weights)
        w /= total;

    const int width = area.width();
    const int height = area.height();
    std::vector<std::array<double, 3>> plain(std::size_t(width * height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = OnBackground(picture.pixel(area.left() + x, area.top() + y), background);
            plain[std::size_t(y * width + x)] = {SrgbToLinear(qRed(rgb)), SrgbToLinear(qGreen(rgb)),
                                                 SrgbToLinear(qBlue(rgb))};
        }
    }
    const auto pass = [&](const std::vector<std::array<double, 3>> &in, bool across) {
        std::vector<std::array<double, 3>> out(in.size());
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                std::array<double, 3> sum{};
                for (int i = -kRadius; i <= kRadius; ++i) {
                    const int sx = across ? std::clamp(x + i, 0, width - 1) : x;
                    const int sy = across ? y : std::clamp(y + i, 0, height - 1);
                    const auto &p = in[std::size_t(sy * width + sx)];
                    for (int c = 0; c < 3; ++c)
                        sum[std::size_t(c)] += weights[std::size_t(i + kRadius)] * p[std::size_t(c)];
                }
                out[std::size_t(y * width + x)] = sum;
            }
        }
        return out;
    };
    return pass(pass(plain, true), false);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: picture_difference SOURCE RESULT [#RRGGBB]\n");
        return 2;
    }
    const QImage source = QImage(args[1]).convertToFormat(QImage::Format_ARGB32);
    const QImage result = QImage(args[2]).convertToFormat(QImage::Format_ARGB32);
    if (source.isNull() || result.isNull()) {
        std::fprintf(stderr, "picture_difference: cannot read %s\n",
                     qPrintable(source.isNull() ? args[1] : args[2]));
        return 1;
    }
    if (source.size() != result.size()) {
        std::fprintf(stderr, "picture_difference: %s is %d x %d, %s is %d x %d\n", qPrintable(args[1]),
                     source.width(), source.height(), qPrintable(args[2]), result.width(), result.height());
        return 1;
    }
    const QRgb background = args.size() == 4 ? QColor(args[3]).rgb() : qRgb(0xDA, 0xDA, 0xDA);

    QHash<QRgb, LabColor> labs;
    const auto lab = [&labs](QRgb rgb) {
        auto found = labs.constFind(rgb);
        if (found == labs.constEnd())
            found = labs.insert(rgb, SrgbToLab(rgb));
        return *found;
    };
    QHash<quint64, double> differences;
    std::vector<double> all;
    double blurredSum = 0.0;
    for (const QRect &area : ImportedAreas(source.size())) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb a = OnBackground(source.pixel(x, y), background);
                const QRgb b = OnBackground(result.pixel(x, y), background);
                const quint64 key = (quint64(a) << 32) | b;
                auto found = differences.constFind(key);
                if (found == differences.constEnd())
                    found = differences.insert(key, Ciede2000(lab(a), lab(b)));
                all.push_back(*found);
            }
        }
        const auto blurredSource = BlurredLinear(source, area, background);
        const auto blurredResult = BlurredLinear(result, area, background);
        for (std::size_t i = 0; i < blurredSource.size(); ++i) {
            const auto &a = blurredSource[i];
            const auto &b = blurredResult[i];
            blurredSum += Ciede2000(LinearToLab(a[0], a[1], a[2]), LinearToLab(b[0], b[1], b[2]));
        }
    }
    double sum = 0.0;
    for (double d : all)
        sum += d;
    const std::size_t rank = std::size_t(std::ceil(0.95 * double(all.size()))) - 1;
    std::nth_element(all.begin(), all.begin() + std::ptrdiff_t(rank), all.end());
    std::printf("%.2f %.2f %.2f\n", sum / double(all.size()), all[rank], blurredSum / double(all.size()));
    return 0;
}
