#include <cstdio>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include "icondrawing.h"

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
            const QImage stored(path);
            if (stored.isNull() || stored.convertToFormat(QImage::Format_ARGB32) != drawn) {
                std::fprintf(stderr, "%s: differs from the drawing (run iconrender %s)\n", qPrintable(path),
                             qPrintable(root.path()));
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
