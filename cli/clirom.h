#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "base/result.h"
#include "rom/cardata.h"
#include "rom/romimage.h"
#include "rom/romlock.h"

// Files as the subcommands read and write them: inputs only when they are
// regular, readable files; the ROM checked before use and saved in one step.

// Files larger than this are refused: far above any cartridge or picture.
inline constexpr qint64 kLargestInputFile = 256 * 1024 * 1024;

// Whether path is a regular file that can be opened for reading; otherwise a
// failure "Cannot read <what> \"path\": reason". A FIFO or device is never opened.
Result<void> CheckInputFile(const QString &path, const QString &what);

// The whole regular file at path; a failure naming the file and the reason
// when it is missing, not a regular file, unreadable or too large.
Result<QByteArray> ReadInputFile(const QString &path, const QString &what);

struct RomInput
{
    QString path;
    qint64 fileSize = 0;
    QByteArray plain;       // the image, de-interleaved for an .smd file
    QByteArray smdHeader;   // not empty for an .smd file, which is saved interleaved again
    CarData data;           // its car data
    RomImage image;         // the file as read, to tell whether it changed before saving
    RomFileLock lock;       // held from reading to writing
};

enum class RomUse { Read, Write };

// Reads the ROM at path (plain or .smd); refuses a file that does not look
// like the game's ROM (the ROM check: too short for the car data, no Mega
// Drive header) unless force is set. The file is locked first (shared to read,
// exclusive to write it back: another command writing it is waited for) and
// protected from every output of this process (rom/protectedfiles.h).
Result<RomInput> OpenRom(const QString &path, bool force, RomUse use = RomUse::Read);

// Whether a and b are the same path (absolute, cleaned). Another name of the
// same file (a link, a numbered name) is for the output writer to refuse.
bool SamePath(const QString &a, const QString &b);

// Where a changed ROM goes: output, or the ROM itself when output is empty or
// is the ROM's own path (another name of the same file, a link, is refused by
// the output writer).
QString SaveTarget(const RomInput &rom, const QString &output);

// Saves data into the ROM's image (car areas and checksum) and writes it, in
// the ROM's own format (.smd interleaved again), to SaveTarget: the ROM the
// crash-safe way (WriteRomFile) after making sure nobody changed it since it
// was read, another file with the output writer (WriteOutputFile). A failure
// leaves that file, and the ROM, as they were; the failure names the file and
// the reason.
Result<void> SaveRom(const RomInput &rom, const CarData &data, const QString &output);
