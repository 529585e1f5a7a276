#include "cli/clioptions.h"
#include "cli/cliscope.h"
#include "cli/subcommands.h"
#include "exchange/spriteimport.h"
#include "view/spriteoffsets.h"

namespace {

const QString kCommand = QStringLiteral("import");

} // namespace

int RunImportCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Reads sprites from pictures or raw data (.bin), then saves them into the ROM with its "
                       "checksum fixed. A picture's colours are matched to the chosen palette and can only become "
                       "colour 0 (the editor's grey background) and entries 1-5 and 11-15, never 6-10 (a note on "
                       "standard error counts pixels that had exactly the colour of one of those). Indexed pictures "
                       "exported with that palette keep every index, 6-10 included; an indexed picture that does "
                       "not fit is matched by colour, with a note."));
    parser.addPositionalArgument(QStringLiteral("ROM"), QStringLiteral("The cartridge image."));
    parser.addPositionalArgument(QStringLiteral("INPUT"),
                                 QStringLiteral("The picture or raw file (one of the numbered files with --separate)."));
    const ExchangeOptions options;
    options.AddTo(parser);
    const QCommandLineOption dither(QStringLiteral("dither"), QStringLiteral("Floyd-Steinberg dithering."));
    const QCommandLineOption matching(
        QStringLiteral("matching"),
        QStringLiteral("How colours are matched: \"perceptual\" (the default: the nearest entry as the eye sees it, "
                       "CIEDE2000) or \"classic\" (the editor's first matcher, to repeat an old import exactly)."),
        QStringLiteral("perceptual|classic"), QStringLiteral("perceptual"));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Saves into this file instead of ROM (ROM stays as it is)."),
                                    QStringLiteral("NEW.bin"));
    parser.addOptions({dither, matching, output});
    if (const std::optional<int> status = ParseCommandLine(
            parser, kCommand,
            QStringLiteral("ROM INPUT [--all | --car N [--sprite N]] [--separate] [--palette NAME|N] [--dither] "
                           "[--matching perceptual|classic] [--console-colours] [--output NEW.bin]"),
            arguments, 2, 2))
        return *status;

    ExchangeSelection selection;
    int paletteIndex = 0;
    if (const std::optional<int> status = options.Read(parser, kCommand, &selection, &paletteIndex))
        return *status;

    MatchOptions match;
    match.dither = parser.isSet(dither);
    const QString matchingName = parser.value(matching).toLower();
    if (matchingName == QLatin1String("classic"))
        match.matching = ColorMatching::Classic;
    else if (matchingName != QLatin1String("perceptual"))
        return UsageError(kCommand, QStringLiteral("--matching takes \"perceptual\" or \"classic\", not \"%1\"")
                                        .arg(parser.value(matching)));

    const QString input = parser.positionalArguments().at(1);
    const Result<RomInput> rom = OpenRom(parser.positionalArguments().at(0), parser.isSet(options.force), RomUse::Write);
    if (!rom)
        return WorkFailed(kCommand, rom.message());
    if (const Result<void> readable = CheckInputFile(input, QStringLiteral("input")); !readable)
        return WorkFailed(kCommand, readable.message());

    ExchangeData exchange = ExchangeDataFor(rom->data, paletteIndex,
                                            parser.isSet(options.console) ? ColorModel::Console : ColorModel::Linear);
    const Result<ImportReport> read = ReadSpriteFiles(input, selection, exchange, match);
    if (const QStringList lines = ProblemLines(read); !lines.isEmpty()) {
        // Nothing is saved when any file could not be used.
        QString line = lines.first();
        if (lines.size() > 1)
            line += QStringLiteral(" (and %1 more)").arg(lines.size() - 1);
        return WorkFailed(kCommand, line + QStringLiteral("; nothing saved"));
    }
    CarData data = rom->data;
    data.sprites = exchange.sprites;
    if (const Result<void> saved = SaveRom(*rom, data, parser.value(output)); !saved)
        return WorkFailed(kCommand, saved.message());
    for (const QString &note : read->notes.Lines())
        PrintNote(kCommand, note);
    return kExitSuccess;
}
