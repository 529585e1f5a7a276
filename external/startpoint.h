#pragma once

#include <optional>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "base/result.h"

// Start points: an emulator's saved state that every later play-test of a ROM
// starts from, kept per ROM path in the user's data folder
// ("<AppDataLocation>/start-points/<key>.<emulator>.sta", key from the ROM's
// real path) with the emulator it belongs to. One start point per ROM: a new
// one replaces the one before, of whichever emulator. A state only the
// emulator that saved it can load, so a start point of another emulator is
// not offered.

// The emulator families a start point belongs to: "mame", "blastem", or empty
// for a command of neither (by the program's file name, any case).
QString EmulatorFamily(const QString &command);

// The folder the start points are kept in.
QString StartPointFolder();

struct StartPoint
{
    QString family;   // "mame", "blastem"
    QString path;     // the state file
};

// The start point kept for romPath, of any emulator; none when there is none
// (or what is there is not a regular file the program writes).
std::optional<StartPoint> FindStartPoint(const QString &romPath);

// Keeps state as the start point of romPath for family, replacing the one
// kept before. Written through the one writer; a failure names the file.
Result<StartPoint> KeepStartPoint(const QString &romPath, const QString &family, const QByteArray &state);

// Removes the start point of romPath: only the program's own files, never
// through a link. Whether one was removed.
bool ForgetStartPoint(const QString &romPath);

// The arguments that make an emulator of family start from the state at path
// (MAME: -state with the whole path, which takes it as it is and needs no
// folder named after the driver; blastem: -s).
QStringList StartPointArguments(const QString &family, const QString &path);

// Where blastem's save key writes its state while it runs romFile: its save
// path ("$USERDATA/blastem/$ROMNAME" unless the user's blastem.cfg in
// configFolder sets another; $HOME and $USERDATA from homeFolder), then
// "quicksave.state" (or ".gst" when the settings choose that format).
QString BlastemQuickSavePath(const QString &romFile, const QString &homeFolder, const QString &configFolder);
