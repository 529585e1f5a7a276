#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// IPS patches: "PATCH", then records of a 3-byte big-endian offset, a 2-byte
// big-endian size (1..65 535) and that many bytes to write there, then "EOF".
//
// - Offsets are 24 bits, so a change at 16 MiB or beyond (a file grown past
//   16 MiB included) cannot be expressed, nor a cut to 16 MiB or more: no
//   patch is made then, rather than one whose offsets wrap around.
// - No record starts at 0x454F46, whose offset bytes read as "EOF": such a
//   record starts one byte earlier instead.
// - A target longer than the source is written out with records.
// - IPS cannot shrink a file; for a target shorter than the source the patch
//   carries the common extension: the target size as 3 big-endian bytes after
//   "EOF". Appliers that do not know it leave the file at its old length.
//   The extension is written only then.

inline constexpr qint64 kIpsOffsetLimit = 0x1000000;   // 16 MiB
inline constexpr qint64 kIpsEofOffset = 0x454F46;
inline constexpr int kIpsLargestRecord = 0xFFFF;

// The patch that turns source into target. Nothing, with the reason in
// *error, when the change cannot be expressed in IPS (see above).
std::optional<QByteArray> MakeIpsPatch(const QByteArray &source, const QByteArray &target, QString *error = nullptr);
