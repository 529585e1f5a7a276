// makedefaults: renders the factory vehicles and writes the factory data the
// editor embeds as ":/defaults.bin"; optionally a preview picture of the cars.

#include <cstdio>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include "factorytables.h"
#include "preview.h"
#include "rom/factorydata.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Writes the editor's factory data (resources/defaults.bin).");
    parser.addHelpOption();
    parser.addPositionalArgument("output", "Factory data file to write, e.g. resources/defaults.bin.", "[output]");
    const QCommandLineOption previewOption("preview", "Also write a picture of the five car sheets.", "png");
    const QCommandLineOption scaleOption("scale", "Enlarge the preview by this factor (1..8).", "factor", "1");
    const QCommandLineOption turnsOption("turns", "Preview all 24 rotation steps instead of the 13 columns.");
    parser.addOptions({previewOption, scaleOption, turnsOption});
    parser.process(app);

    const CarData data = GenerateFactoryData();
    for (int car = 0; car < data.sprites.size(); ++car) {
        const Coverage c = CarCoverage(data.sprites[car]);
        std::printf("car %d covers x %d..%d, y %d..%d\n", car + 1, c.left, c.right, c.top, c.bottom);
    }

    const QStringList outputs = parser.positionalArguments();
    if (!outputs.isEmpty()) {
        QSaveFile file(outputs.first());
        const QByteArray bytes = SerializeFactoryData(data);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
            std::fprintf(stderr, "makedefaults: cannot write %s: %s\n", qPrintable(outputs.first()),
                         qPrintable(file.errorString()));
            return 1;
        }
        std::printf("wrote %s (%lld bytes)\n", qPrintable(outputs.first()), static_cast<long long>(bytes.size()));
    }

    if (parser.isSet(previewOption)) {
        const int scale = std::clamp(parser.value(scaleOption).toInt(), 1, 8);
        const QImage preview = PreviewSheets(data, scale, parser.isSet(turnsOption));
        if (!preview.save(parser.value(previewOption), "PNG")) {
            std::fprintf(stderr, "makedefaults: cannot write %s\n", qPrintable(parser.value(previewOption)));
            return 1;
        }
        std::printf("wrote %s\n", qPrintable(parser.value(previewOption)));
    }
    return 0;
}
