#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include "cli/clioptions.h"
#include "cli/cliscope.h"
#include "cli/subcommands.h"
#include "exchange/scopetext.h"
#include "exchange/spriteexport.h"

namespace {

const QString kCommand = QStringLiteral("export");

} // namespace

int RunExportCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes sprites of the ROM as pictures (by the suffix: .png, .bmp, ...) or raw data (.bin), "
                       "drawn with the chosen palette on the editor's grey background."));
    parser.addPositionalArgument(QStringLiteral("ROM"), QStringLiteral("The cartridge image."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("The file to write (the first of the "
                                                                          "numbered files with --separate)."));
    const ExchangeOptions options;
    options.AddTo(parser);
    const QCommandLineOption indexed(QStringLiteral("indexed"),
                                     QStringLiteral("8-bit palette pictures holding the stored colour indices (.png or .bmp)."));
    parser.addOption(indexed);
    if (const std::optional<int> status = ParseCommandLine(
            parser, kCommand,
            QStringLiteral("ROM OUTPUT [--all | --car N [--sprite N]] [--separate] [--palette NAME|N] [--indexed] "
                           "[--console-colours]"),
            arguments, 2, 2))
        return *status;

    ExchangeSelection selection;
    int paletteIndex = 0;
    if (const std::optional<int> status = options.Read(parser, kCommand, &selection, &paletteIndex))
        return *status;
    const QString output = parser.positionalArguments().at(1);
    if (SamePath(output, parser.positionalArguments().at(0)))
        return UsageError(kCommand, QStringLiteral("OUTPUT is the ROM itself"));
    if (QFileInfo(output).isDir())
        return UsageError(kCommand, QStringLiteral("\"%1\" is a folder; OUTPUT names the file to write, such as %2")
                                        .arg(ShownPath(output), ShownPath(QDir(output).filePath(ScopeFileName(selection)))));
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (parser.isSet(indexed) && suffix != QLatin1String("png") && suffix != QLatin1String("bmp"))
        return UsageError(kCommand, QStringLiteral("--indexed writes .png or .bmp files"));
    if (suffix != QLatin1String("bin") && !QImageWriter::supportedImageFormats().contains(suffix.toLatin1()))
        return UsageError(kCommand, QStringLiteral("\"%1\": not a picture type this program writes").arg(ShownPath(output)));

    const Result<RomInput> rom = OpenRom(parser.positionalArguments().at(0), parser.isSet(options.force));
    if (!rom)
        return WorkFailed(kCommand, rom.message());
    // A set is written all or nothing: one failure, named with its reason.
    const ColorModel colors = parser.isSet(options.console) ? ColorModel::Console : ColorModel::Linear;
    const Result<int> written =
        WriteSpriteFiles(output, selection, ExchangeDataFor(rom->data, paletteIndex, colors),
                         parser.isSet(indexed) ? SpriteFileType::IndexedPicture : SpriteFileType::BySuffix);
    if (!written)
        return WorkFailed(kCommand, written.message());
    return kExitSuccess;
}
