#include <cstdio>
#include <memory>

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include "cli/clicommand.h"
#include "editor/skmcareditor.h"
#include "palette/randomcolor.h"
#include "skm_version.h"

namespace {

// True when path names a regular file that can be opened for reading.
bool IsReadableFile(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

void PrintError(const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

// skmcareditor [rom]: opens the given ROM image, or asks for one.
int main(int argc, char *argv[])
{
    // "skm-car-editor info ROM" and the other subcommands: no window, no display.
    if (argc > 1 && IsSubcommand(QString::fromLocal8Bit(argv[1])))
        return RunCommandLine(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("skmcareditor"));
    QApplication::setApplicationVersion(QStringLiteral(SKM_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Car editor for Skidmarch Mega Drive ROM images."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("rom"), QStringLiteral("ROM image to open (*.bin, *.smd)."),
                                 QStringLiteral("[rom]"));
    if (!parser.parse(QApplication::arguments())) {
        PrintError(QStringLiteral("skmcareditor: %1").arg(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();

    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        PrintError(QStringLiteral("skmcareditor: only one ROM file can be given"));
        return 2;
    }
    if (positional.size() == 1 && !IsReadableFile(positional.first())) {
        PrintError(QStringLiteral("skmcareditor: cannot read ROM file \"%1\"")
                       .arg(QDir::toNativeSeparators(positional.first())));
        return 2;
    }

    SeedEditorRandom(QTime::currentTime().msec());

    // Destroyed before the application object.
    const std::unique_ptr<SKMcarEditor> window = positional.isEmpty()
                                                     ? std::make_unique<SKMcarEditor>()
                                                     : std::make_unique<SKMcarEditor>(positional.first());
    window->show();
    return app.exec();
}
