#include "rom/colorword.h"

#include <cstdlib>

QColor ColorFromWord(unsigned char first, unsigned char second)
{
    const int blue = ColorLevels[(first >> 1) & 7];
    const int green = ColorLevels[(second >> 5) & 7];
    const int red = ColorLevels[(second >> 1) & 7];
    return QColor(red, green, blue);
}

QColor ColorFromWord(ColorWord word)
{
    return ColorFromWord(word.first, word.second);
}

const std::array<int, 8> &LevelsOf(ColorModel model)
{
    return model == ColorModel::Console ? ConsoleLevels : ColorLevels;
}

QColor ColorFromWord(ColorWord word, ColorModel model)
{
    const std::array<int, 8> &levels = LevelsOf(model);
    return QColor(levels[(word.second >> 1) & 7], levels[(word.second >> 5) & 7], levels[(word.first >> 1) & 7]);
}

ColorWord WordFromColor(const QColor &color)
{
    const QRgb rgb = color.rgb();
    ColorWord word;
    word.first = static_cast<unsigned char>((qBlue(rgb) >> 4) & 0x0E);
    word.second = static_cast<unsigned char>((qGreen(rgb) & 0xE0) | ((qRed(rgb) >> 4) & 0x0E));
    return word;
}

QColor QuantizeColor(const QColor &color)
{
    return ColorFromWord(WordFromColor(color));
}

QColor ShownColor(const QColor &color, ColorModel model)
{
    if (model == ColorModel::Linear)
        return color;
    return ColorFromWord(WordFromColor(color), model);
}

Palette ShownPalette(const Palette &palette, ColorModel model)
{
    if (model == ColorModel::Linear)
        return palette;
    Palette shown;
    shown.reserve(palette.size());
    for (const QColor &color : palette)
        shown.append(ShownColor(color, model));
    return shown;
}

namespace {

int NearestLevel(int value, const std::array<int, 8> &levels)
{
    int best = 0;
    for (int level = 1; level < 8; ++level) {
        if (std::abs(levels[level] - value) < std::abs(levels[best] - value))
            best = level;
    }
    return best;
}

} // namespace

ColorWord WordFromShownColor(const QColor &color, ColorModel model)
{
    if (model == ColorModel::Linear)
        return WordFromColor(color);
    const std::array<int, 8> &levels = LevelsOf(model);
    const QRgb rgb = color.rgb();
    ColorWord word;
    word.first = static_cast<unsigned char>(NearestLevel(qBlue(rgb), levels) << 1);
    word.second = static_cast<unsigned char>((NearestLevel(qGreen(rgb), levels) << 5)
                                             | (NearestLevel(qRed(rgb), levels) << 1));
    return word;
}

QColor ColorFromWord16(unsigned short word)
{
    return ColorFromWord(static_cast<unsigned char>(word >> 8), static_cast<unsigned char>(word & 0xFF));
}

Palette ImportExportPalette()
{
    Palette palette;
    palette.reserve(kColorsPerPalette);
    for (unsigned short word : kImportExportWords)
        palette.append(ColorFromWord16(word));
    return palette;
}

QColor DefaultBackgroundColor()
{
    return ColorFromWord16(kBackgroundWord);
}
