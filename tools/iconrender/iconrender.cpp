#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include "icondrawing.h"

namespace {

// The largest difference of one channel of one pixel, premultiplied so that
// the colour of an almost transparent pixel does not count; 256 when the
// sizes differ or a picture is missing.
int LargestChannelDifference(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull() || a.size() != b.size())
        return 256;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            for (const int shift : {0, 8, 16, 24}) {
                const int d = std::abs(int((p[column] >> shift) & 0xFF) - int((q[column] >> shift) & 0xFF));
                largest = std::max(largest, d);
            }
        }
    }
    return largest;
}

} // namespace

// iconrender DIR          writes DIR/NxN/apps/org.example.SkmCarEditor.png
// iconrender --check DIR  exits 1 when a PNG in DIR differs from the drawing
int main(int argc, char *argv[])
{
    const bool check = argc == 3 && QByteArray(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: iconrender [--check] ICON_DIR\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[argc - 1]));
    int failures = 0;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString relative = QStringLiteral("%1x%1/apps/org.example.SkmCarEditor.png").arg(size);
        const QString path = root.filePath(relative);
        const QImage drawn = DrawAppIcon(size);
        if (check) {
            // The pixel-drawn sizes come out the same everywhere; the
            // anti-aliased ones may round differently on another processor.
            const int tolerance = size <= 32 ? 0 : 2;
            const int difference = LargestChannelDifference(QImage(path), drawn);
            if (difference > tolerance) {
                std::fprintf(stderr, "%s: differs from the drawing by %d levels, more than %d (run iconrender %s)\n",
                             qPrintable(path), difference, tolerance, qPrintable(root.path()));
                ++failures;
            }
            continue;
        }
        if (!root.mkpath(QFileInfo(relative).path()) || !drawn.save(path, "PNG")) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
            return 1;
        }
        std::printf("%s\n", qPrintable(path));
    }
    return failures == 0 ? 0 : 1;
}
