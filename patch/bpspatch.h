#pragma once

#include <QByteArray>

// BPS patches: "BPS1", the source size, the target size and the metadata size
// (0: no metadata), then actions that build the target from its start, then
// the CRC-32s of source, target and of the patch up to that point (each 4
// bytes, little-endian). Numbers are the format's variable-length encoding:
// 7 bits a byte, low bits first, the top bit marking the last byte, and one
// subtracted from the rest after every byte that is not the last.
//
// An action is one number, ((length - 1) << 2) | kind, where kind 0
// (SourceRead) copies the source bytes at the same position and kind 1
// (TargetRead) takes the next length bytes of the patch. Only those two are
// written: unchanged stretches become one SourceRead each.

// The patch that turns source into target; any two byte arrays can be patched.
QByteArray MakeBpsPatch(const QByteArray &source, const QByteArray &target);

// The format's variable-length encoding of value, appended to out.
void AppendBpsNumber(QByteArray &out, quint64 value);
