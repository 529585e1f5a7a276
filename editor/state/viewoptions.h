#pragma once

#include "editor/state/sessionoption.h"
#include "external/settingskeys.h"

// The View menu's remembered switches, each with its key and its default.
// A new switch is one line here, its toggle in the window's menu table
// (window/windowmenus.cpp) and what its display does with it.
struct ViewOptions
{
    SessionOption<bool> pixelGrid{SettingsKey::PixelGrid, false};
    SessionOption<bool> tileGrid{SettingsKey::TileGrid, false};
    SessionOption<bool> checkerboard{SettingsKey::Checkerboard, false};
    SessionOption<bool> consoleColours{SettingsKey::ConsoleColours, false};
    SessionOption<bool> spriteOverview{SettingsKey::SpriteOverview, true};
    SessionOption<bool> spriteOverviewLarge{SettingsKey::SpriteOverviewLarge, false};
    SessionOption<bool> onionSkin{SettingsKey::OnionSkin, false};
    SessionOption<bool> hardwareTiles{SettingsKey::HardwareTiles, false};
    SessionOption<bool> comparePalettes{SettingsKey::ComparePalettes, false};
    // The reference pictures, per ROM and car or view (ReferenceBook's text),
    // and whether a new one is for the view on show only.
    SessionOption<QString> referencePictures{SettingsKey::ReferencePictures, QString()};
    SessionOption<bool> referencePerView{SettingsKey::ReferencePerView, false};
    // Which neighbours the onion skin shows: "rotations", "tilts" or "mirror"
    // (anything else reads as "rotations").
    SessionOption<QString> onionNeighbours{SettingsKey::OnionNeighbours, QStringLiteral("rotations")};
};
