#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "rom/cardata.h"

// Files as the subcommands read and write them: inputs only when they are
// regular, readable files; the ROM checked before use and saved in one step.

// Files larger than this are refused: far above any cartridge or picture.
inline constexpr qint64 kLargestInputFile = 256 * 1024 * 1024;

// Whether path is a regular file that can be opened for reading; otherwise
// false with "<what> \"path\": reason" in *error. A FIFO or device is never opened.
bool CheckInputFile(const QString &path, const QString &what, QString *error);

// The whole regular file at path; nothing, with the file and the reason in
// *error, when it is missing, not a regular file, unreadable or too large.
std::optional<QByteArray> ReadInputFile(const QString &path, const QString &what, QString *error);

struct RomInput
{
    QString path;
    qint64 fileSize = 0;
    QByteArray plain;       // the image, de-interleaved for an .smd file
    QByteArray smdHeader;   // not empty for an .smd file, which is saved interleaved again
    CarData data;           // its car data
};

// Reads the ROM at path (plain or .smd); refuses a file that does not look
// like the game's ROM (the ROM check: too short for the car data, no Mega
// Drive header) unless force is set.
std::optional<RomInput> OpenRom(const QString &path, bool force, QString *error);

// Whether a and b name the same existing file (through links too).
bool SameFile(const QString &a, const QString &b);

// Where a changed ROM goes: output, or the ROM itself when output is empty or
// names the ROM's own file.
QString SaveTarget(const RomInput &rom, const QString &output);

// Saves data into the ROM's image (car areas and checksum) and writes it, in
// the ROM's own format (.smd interleaved again), to
// SaveTarget the crash-safe way (WriteRomFile): a failure leaves that file, and
// the ROM, as they were; false with the file and the reason in *error.
bool SaveRom(const RomInput &rom, const CarData &data, const QString &output, QString *error);
