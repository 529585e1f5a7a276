#pragma once

#include <QByteArray>
#include <QString>

// Interleaved cartridge images (.smd): a 512-byte header (byte 1 is 0x03,
// bytes 8 and 9 are 0xAA 0xBB), then blocks of 16 KiB. In each block, byte 2i
// of the plain image is stored at 8192 + i and byte 2i + 1 at i.
//
// What is accepted: a file with the header mark and a body of one or more
// whole blocks. Byte 0 of the header (the block count some tools write) and
// byte 2 (the split-file flag) are not trusted: the size of the file decides.
// The header is kept as it is, so a file read and written back unchanged is
// byte-identical.
//
// What is refused (DeinterleaveSmd returns false with a reason): a body that
// ends inside a block (a truncated last block or an odd size), since the
// missing half of that block cannot be restored. The caller then treats the
// file as plain data; the ROM check warns about it before anything is used.

inline constexpr qsizetype kSmdHeaderSize = 512;
inline constexpr qsizetype kSmdBlockSize = 16384;

// Whether the file carries the .smd header mark and has a body. A file that
// reads as a plain image (see HasMegaDriveMark) is plain even with the mark.
bool LooksLikeSmd(const QByteArray &fileBytes);

// The plain image of an .smd file into *plain (file size - 512 bytes). False,
// with *reason saying why in a user's words (without the file name), when the
// file does not look like .smd or its body ends inside a block; *plain is then
// left alone.
bool DeinterleaveSmd(const QByteArray &fileBytes, QByteArray *plain, QString *reason = nullptr);

// The .smd file of a plain image: header (cut or zero-padded to 512 bytes,
// otherwise untouched but for a non-zero block count in byte 0 below the
// blocks the image now takes, which is raised) followed by the interleaved blocks. A plain image that
// ends inside a block is padded with zero bytes to the whole block.
QByteArray InterleaveSmd(const QByteArray &header, const QByteArray &plain);

// The Mega Drive header mark: "SEGA" at 0x100, or at 0x101 after a space as
// some cartridges carry it (" SEGA").
bool HasMegaDriveMark(const QByteArray &plain);
