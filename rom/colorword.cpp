#include "rom/colorword.h"

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
