#pragma once

#include <optional>

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QString>

#include "base/result.h"

// Palette files shared with pixel editors, the format chosen by the name's
// suffix (any letter case):
//   .gpl  GIMP palette: "GIMP Palette", optional "Name:"/"Columns:" lines,
//         "#" comments, then one "red green blue [name]" line a colour
//   .pal  JASC-PAL: "JASC-PAL", "0100", the number of colours, then one
//         "red green blue" line a colour (a fourth value, alpha, is ignored)
//   .act  Adobe colour table: 256 RGB triples (768 bytes), optionally followed
//         by a 2-byte big-endian colour count and a 2-byte transparent index
//   .bin  Mega Drive colour words: 2 bytes each, big-endian, 0000BBB0 GGG0RRR0
//
// Reading gives at most 16 colours, each snapped to the cartridge's 512-colour
// grid; a file with fewer changes only that many entries. More than 16
// colours, none at all, or anything malformed is refused with the line (text
// formats) or byte (binary formats) where it was found. A 768-byte colour
// table always holds 256 entries: it is read as 16 colours when entries 16 to
// 255 are all black (the padding writers leave), refused otherwise.

enum class PaletteFileFormat { Gimp, Jasc, Act, Words };

inline constexpr int kPaletteFileColors = 16;

// The format the name's suffix asks for; nothing for any other suffix.
std::optional<PaletteFileFormat> PaletteFileFormatFor(const QString &fileName);

// The colours of a file's bytes, snapped to the grid; a failure with the place
// and the reason ("line 4: ..." or "byte 768: ...") when refused.
Result<QList<QColor>> ParsePaletteBytes(const QByteArray &bytes, PaletteFileFormat format);

// The bytes of a file holding colors (at most 16 are written); name is the
// GIMP palette's "Name:" line.
QByteArray PaletteFileBytes(PaletteFileFormat format, const QList<QColor> &colors, const QString &name = {});

// Reads a palette file. Only regular files are read (a folder, pipe or device
// is refused before it is opened). A failure naming the file and the reason
// (and the line or byte) when refused.
Result<QList<QColor>> ReadPaletteFile(const QString &fileName);

// Writes colors to fileName in the format of its suffix, whole or not at all,
// with the output writer (WriteOutputFile). A failure naming the file and the
// reason for an unknown suffix and anything the writer refuses.
Result<void> WritePaletteFile(const QString &fileName, const QList<QColor> &colors, const QString &name = {});
