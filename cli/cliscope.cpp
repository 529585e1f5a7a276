#include "cli/cliscope.h"

#include "cli/clioptions.h"
#include "rom/colorword.h"
#include "view/spriteoffsets.h"

std::optional<int> ExchangeOptions::Read(const QCommandLineParser &parser, const QString &command,
                                         ExchangeSelection *selection, int *paletteIndex) const
{
    *selection = ExchangeSelection{};
    selection->scope = ExchangeScope::AllCars;
    selection->separateFiles = parser.isSet(separate);
    if (parser.isSet(car)) {
        if (parser.isSet(all))
            return UsageError(command, QStringLiteral("--all and --car cannot go together"));
        const std::optional<int> number = ParseNumber(parser.value(car), 1, kCarCount);
        if (!number)
            return UsageError(command, QStringLiteral("--car takes a number from 1 to %1").arg(kCarCount));
        selection->scope = ExchangeScope::Car;
        selection->car = *number - 1;
    }
    if (parser.isSet(sprite)) {
        if (!parser.isSet(car))
            return UsageError(command, QStringLiteral("--sprite needs --car"));
        const std::optional<int> number = ParseNumber(parser.value(sprite), 1, kSpritesPerCar);
        if (!number)
            return UsageError(command, QStringLiteral("--sprite takes a number from 1 to %1").arg(kSpritesPerCar));
        selection->scope = ExchangeScope::Sprite;
        selection->sprite = *number - 1;
    }
    *paletteIndex = 0;
    if (parser.isSet(palette)) {
        const std::optional<int> index = ParsePaletteChoice(parser.value(palette));
        if (!index)
            return UsageError(command, UnknownPaletteText(parser.value(palette)));
        *paletteIndex = *index;
    }
    return std::nullopt;
}

ExchangeData ExchangeDataFor(const CarData &data, int paletteIndex, ColorModel colors)
{
    const Palette palette =
        paletteIndex == kImportExportPalette ? ImportExportPalette() : data.palettes.value(paletteIndex);
    return ExchangeData{data.sprites, ZeroOffsetsFor(data.sprites), palette, DefaultBackgroundColor(), colors};
}
