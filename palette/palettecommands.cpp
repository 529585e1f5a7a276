#include "palette/palettecommands.h"

#include <utility>

namespace {

bool holdsEditableColors(const Palette &palette)
{
    return palette.size() > 3;
}

} // namespace

void SwapPaletteColors(Palette &palette)
{
    if (!holdsEditableColors(palette))
        return;
    std::swap(palette[1], palette[2]);
}

void ShiftPaletteColors(Palette &palette)
{
    if (!holdsEditableColors(palette))
        return;
    const QColor third = palette.at(3);
    palette[3] = palette.at(2);
    palette[2] = palette.at(1);
    palette[1] = third;
}

void RestorePaletteFrom(PaletteTable &palettes, const PaletteTable &original, int index)
{
    if (index < 0 || index >= palettes.size() || index >= original.size())
        return;
    palettes[index] = original.at(index);
}
