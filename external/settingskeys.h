#pragma once

#include <QString>

// Every key of the program's settings file (the default QSettings), in one
// place: what the window remembers between runs and the programs it starts.
// A key is read and written only through its home: the view options
// (editor/state/viewoptions.h), the programs (programsettings.h) and the
// recent list (editor/window/recentfiles.h).
namespace SettingsKey {

// The programs of Edit > Preferences.
inline const QString EmulatorCommand = QStringLiteral("emulatorCommand");
inline const QString PixelEditorCommand = QStringLiteral("pixelEditorCommand");
// File > Open Recent, newest first.
inline const QString RecentFiles = QStringLiteral("recentFiles");
// The View menu's switches.
inline const QString PixelGrid = QStringLiteral("view/pixelGrid");
inline const QString TileGrid = QStringLiteral("view/tileGrid");
inline const QString Checkerboard = QStringLiteral("view/checkerboard");
inline const QString ConsoleColours = QStringLiteral("view/consoleColours");
inline const QString SpriteOverview = QStringLiteral("view/spriteOverview");
inline const QString SpriteOverviewLarge = QStringLiteral("view/spriteOverviewLarge");
inline const QString OnionSkin = QStringLiteral("view/onionSkin");
inline const QString OnionNeighbours = QStringLiteral("view/onionNeighbours");
inline const QString HardwareTiles = QStringLiteral("view/hardwareTiles");
// View > Reference Picture: the pictures of every ROM (JSON text) and whether
// a new one is for the view on show only.
inline const QString ReferencePictures = QStringLiteral("view/referencePictures");
inline const QString ReferencePerView = QStringLiteral("view/referencePerView");
// Palette > Compare Palettes.
inline const QString ComparePalettes = QStringLiteral("view/comparePalettes");

} // namespace SettingsKey
