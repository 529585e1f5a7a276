#pragma once

#include <QStringList>

// Names of the eleven palettes offered by the palette combo box, by index:
// ten palettes from the cartridge and the fixed "Import/Export" palette.
QStringList PaletteNames();
