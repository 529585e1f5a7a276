#pragma once

#include <QSettings>
#include <QString>

#include "base/result.h"
#include "external/settingskeys.h"

// The programs the editor starts, as set in Edit > Preferences...: kept in the
// program's settings file (the default QSettings, beside "recentFiles"). A
// blank command means the built-in choice: the first installed emulator of
// emulatorchoice.h, and the desktop's application for PNG files.
struct ExternalPrograms
{
    QString emulatorCommand;      // %f: the ROM to play
    QString pixelEditorCommand;   // %f: the picture to edit

    friend bool operator==(const ExternalPrograms &, const ExternalPrograms &) = default;
};

// The commands as stored, trimmed; blank where none is set. Without a
// store: the program's settings file.
ExternalPrograms ReadExternalPrograms(const QSettings &settings);
ExternalPrograms ReadExternalPrograms();

// Stores both commands (a blank one removes its key). Checks them first:
// a command that does not parse (see commandline.h) stores nothing and fails
// naming the field ("Emulator command: ..."). Fails too when the settings
// file cannot be written.
Result<void> StoreExternalPrograms(QSettings &settings, const ExternalPrograms &programs);
Result<void> StoreExternalPrograms(const ExternalPrograms &programs);
