#include <QFileInfo>

#include "cli/clioptions.h"
#include "cli/clirom.h"
#include "cli/subcommands.h"
#include "palette/palettefiles.h"
#include "palette/palettenames.h"
#include "rom/colorword.h"

namespace {

const QString kCommand = QStringLiteral("palette");

} // namespace

int RunPaletteCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a palette to a palette file, or reads one into the ROM (colours put on the "
                       "cartridge's 512-colour grid; a file with fewer than 16 colours changes only those entries). "
                       "The format goes by the suffix: .gpl (GIMP), .pal (JASC-PAL), .act (Adobe colour table), "
                       ".bin (Mega Drive colour words)."));
    parser.addPositionalArgument(QStringLiteral("ROM"), QStringLiteral("The cartridge image."));
    parser.addPositionalArgument(QStringLiteral("export|import"), QStringLiteral("The direction."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The palette file."));
    const QCommandLineOption palette(QStringLiteral("palette"),
                                     QStringLiteral("The palette by name or position 1..11 (needed)."),
                                     QStringLiteral("NAME|N"));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Import: saves into this file instead of ROM (ROM stays as it is)."),
                                    QStringLiteral("NEW.bin"));
    const QCommandLineOption force(QStringLiteral("force"), QStringLiteral("Uses a file that does not look like the game's ROM."));
    parser.addOptions({palette, output, force});
    if (const std::optional<int> status = ParseCommandLine(
            parser, kCommand, QStringLiteral("ROM export|import FILE --palette NAME|N [--output NEW.bin]"), arguments, 3, 3))
        return *status;

    const QString direction = parser.positionalArguments().at(1);
    const QString file = parser.positionalArguments().at(2);
    const bool importing = direction == QLatin1String("import");
    if (!importing && direction != QLatin1String("export"))
        return UsageError(kCommand, QStringLiteral("\"%1\": say export or import").arg(direction));
    if (!parser.isSet(palette))
        return UsageError(kCommand, QStringLiteral("--palette is needed"));
    const std::optional<int> index = ParsePaletteChoice(parser.value(palette));
    if (!index)
        return UsageError(kCommand, UnknownPaletteText(parser.value(palette)));
    if (!importing && SamePath(file, parser.positionalArguments().at(0)))
        return UsageError(kCommand, QStringLiteral("FILE is the ROM itself"));
    if (!PaletteFileFormatFor(file))
        return UsageError(kCommand, QStringLiteral("\"%1\": the suffix must be .gpl, .pal, .act or .bin").arg(ShownPath(file)));
    if (importing && *index == kImportExportPalette)
        return UsageError(kCommand, QStringLiteral("the \"%1\" palette is fixed and not stored in the ROM")
                                        .arg(PaletteNames().value(kImportExportPalette)));
    if (!importing && parser.isSet(output))
        return UsageError(kCommand, QStringLiteral("--output goes with import"));

    const Result<RomInput> rom =
        OpenRom(parser.positionalArguments().at(0), parser.isSet(force), importing ? RomUse::Write : RomUse::Read);
    if (!rom)
        return WorkFailed(kCommand, rom.message());

    if (!importing) {
        const Palette colors = *index == kImportExportPalette ? ImportExportPalette() : rom->data.palettes.value(*index);
        if (const Result<void> written = WritePaletteFile(file, colors, PaletteNames().value(*index)); !written)
            return WorkFailed(kCommand, written.message());
        return kExitSuccess;
    }

    if (const Result<void> readable = CheckInputFile(file, QStringLiteral("palette file")); !readable)
        return WorkFailed(kCommand, readable.message());
    const Result<QList<QColor>> colors = ReadPaletteFile(file);
    if (!colors)
        return WorkFailed(kCommand, colors.message());
    CarData data = rom->data;
    for (int i = 0; i < colors->size() && i < kColorsPerPalette; ++i)
        data.palettes[*index][i] = colors->at(i);
    if (const Result<void> saved = SaveRom(*rom, data, parser.value(output)); !saved)
        return WorkFailed(kCommand, saved.message());
    return kExitSuccess;
}
