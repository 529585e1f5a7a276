#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The check a file gets before it is used as the game's ROM, and the header
// facts the window shows. Everything works on the plain (de-interleaved) image.

// What the cartridge header says.
struct RomHeaderInfo
{
    bool hasMegaDriveHeader = false;   // "SEGA" at 0x100 or 0x101
    // The overseas name (0x150..0x17F), or the domestic one (0x120..0x14F) when
    // that is blank; non-printable bytes count as spaces, runs of spaces become
    // one, ends trimmed. Empty when both are blank or missing.
    QString title;
    bool hasStoredChecksum = false;    // the image reaches past 0x18F
    quint16 storedChecksum = 0;        // big-endian word at 0x18E
    quint16 computedChecksum = 0;      // RomChecksum of the image

    bool checksumMatches() const { return hasStoredChecksum && storedChecksum == computedChecksum; }
};

RomHeaderInfo ReadRomHeader(const QByteArray &plain);

// What is wrong with the image for this editor, one sentence each naming the
// file (by its file name, not the folder): too short to hold every car area,
// no Mega Drive header. Empty when nothing is.
QStringList RomProblems(const QString &path, const QByteArray &plain);

// A file as the editor uses it: interleaved (.smd) files de-interleaved, and
// the check's findings.
struct RomContents
{
    QByteArray plain;        // what the car data is read from and written into
    QByteArray smdHeader;    // not empty for an .smd file: save InterleaveSmd(smdHeader, plain)
    QStringList problems;    // RomProblems, after a note when an .smd file had to be read as plain data
};

RomContents RomContentsFromFile(const QString &path, const QByteArray &fileBytes);
