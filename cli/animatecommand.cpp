#include <QFileInfo>

#include "animation/animationexport.h"
#include "cli/clioptions.h"
#include "cli/cliscope.h"
#include "cli/subcommands.h"

namespace {

const QString kCommand = QStringLiteral("animate");

QCommandLineOption NumberOption(const char *name, const char *description, const char *value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(description), QString::fromLatin1(value));
}

} // namespace

int RunAnimateCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes an animated picture of one car as the editor's animation plays it: GIF (one palette "
                       "of 16 colours, looping forever) or lossless WebP, by the suffix of OUTPUT."));
    parser.addPositionalArgument(QStringLiteral("ROM"), QStringLiteral("The cartridge image."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("The file to write: .gif or .webp."));
    const QCommandLineOption car = NumberOption("car", "The car, 1..5 (required).", "N");
    const QCommandLineOption palette = NumberOption("palette", "The palette by name or position 1..11 (default 1, \"Blue\").", "NAME|N");
    const QCommandLineOption turn(QStringLiteral("turn"), QStringLiteral("The car turning: rotations 0..23 at one tilt (the default), 24 frames."));
    const QCommandLineOption tilt(QStringLiteral("tilt"), QStringLiteral("The car tilting: -4..4 and back at one rotation, 16 frames."));
    const QCommandLineOption both(QStringLiteral("both"), QStringLiteral("Turning and tilting at once, 48 frames."));
    const QCommandLineOption wheels(QStringLiteral("wheels"), QStringLiteral("The wheels rolling."));
    const QCommandLineOption tiltAt = NumberOption("tilt-at", "The tilt of a turn, or the first one, -4..4 (default 0).", "N");
    const QCommandLineOption rotationAt = NumberOption("rotation-at", "The rotation of a tilt, or the first one, 0..23 (default 0).", "N");
    const QCommandLineOption delay = NumberOption("delay", "Milliseconds a frame, rounded to hundredths of a second, at least 20 (default 60).", "MS");
    const QCommandLineOption zoom = NumberOption("zoom", "Pixels a sprite pixel, 1..10 (default 1).", "Z");
    const QCommandLineOption transparent(QStringLiteral("transparent"), QStringLiteral("Colour 0 transparent instead of the editor's grey."));
    const QCommandLineOption console(QStringLiteral("console-colours"), QStringLiteral("Colours as the console shows them."));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Uses a file that does not look like the game's ROM."));
    parser.addOptions({car, palette, turn, tilt, both, wheels, tiltAt, rotationAt, delay, zoom, transparent, console, force});
    if (const std::optional<int> status = ParseCommandLine(
            parser, kCommand,
            QStringLiteral("ROM OUTPUT --car N [--palette NAME|N] [--turn | --tilt | --both] [--wheels] [--tilt-at N] "
                           "[--rotation-at N] [--delay MS] [--zoom Z] [--transparent] [--console-colours]"),
            arguments, 2, 2))
        return *status;

    // Every number: its option, its range, where it goes.
    AnimationSettings settings;
    const struct
    {
        const QCommandLineOption &option;
        int least;
        int most;
        int *value;
    } numbers[] = {
        {car, 1, kCarCount, &settings.car},
        {tiltAt, kMinTilt, kMaxTilt, &settings.start.tilt},
        {rotationAt, 0, kRotationSteps - 1, &settings.start.rotation},
        {delay, 1, 600000, &settings.delayMs},
        {zoom, kMinAnimationZoom, kMaxAnimationZoom, &settings.zoom},
    };
    if (!parser.isSet(car))
        return UsageError(kCommand, QStringLiteral("--car is required"));
    for (const auto &number : numbers) {
        if (!parser.isSet(number.option))
            continue;
        const std::optional<int> value = ParseNumber(parser.value(number.option), number.least, number.most);
        if (!value)
            return UsageError(kCommand, QStringLiteral("--%1 takes a number from %2 to %3")
                                            .arg(number.option.names().first()).arg(number.least).arg(number.most));
        *number.value = *value;
    }
    settings.car -= 1;
    if (int(parser.isSet(turn)) + int(parser.isSet(tilt)) + int(parser.isSet(both)) > 1)
        return UsageError(kCommand, QStringLiteral("--turn, --tilt and --both cannot go together"));
    settings.motion.turn = !parser.isSet(tilt);
    settings.motion.tilt = parser.isSet(tilt) || parser.isSet(both);
    settings.motion.wheels = parser.isSet(wheels);
    settings.transparent = parser.isSet(transparent);

    int paletteIndex = 0;
    if (parser.isSet(palette)) {
        const std::optional<int> index = ParsePaletteChoice(parser.value(palette));
        if (!index)
            return UsageError(kCommand, UnknownPaletteText(parser.value(palette)));
        paletteIndex = *index;
    }
    const QString rom = parser.positionalArguments().at(0);
    const QString output = parser.positionalArguments().at(1);
    if (!AnimationFormatFor(output))
        return UsageError(kCommand, QStringLiteral("\"%1\": animations are written as .gif or .webp files").arg(ShownPath(output)));
    if (SamePath(output, rom))
        return UsageError(kCommand, QStringLiteral("OUTPUT is the ROM itself"));

    const Result<RomInput> input = OpenRom(rom, parser.isSet(force));
    if (!input)
        return WorkFailed(kCommand, input.message());
    const ExchangeData data = ExchangeDataFor(input->data, paletteIndex,
                                              parser.isSet(console) ? ColorModel::Console : ColorModel::Linear);
    if (const Result<void> written = WriteAnimationFile(output, data, settings); !written)
        return WorkFailed(kCommand, written.message());
    return kExitSuccess;
}
