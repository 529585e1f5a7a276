#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "base/result.h"

// Patch files, their format chosen by the name's suffix: ".ips" or ".bps" in
// any letter case.

enum class PatchFormat { Ips, Bps };

// The format the name's suffix asks for; nothing for any other suffix.
std::optional<PatchFormat> PatchFormatFor(const QString &fileName);

// The patch of the given format that turns original into modified; a failure
// with the reason when the format cannot express the change.
Result<QByteArray> MakePatch(PatchFormat format, const QByteArray &original, const QByteArray &modified);

// The bytes of the patch file fileName should hold to turn original into
// modified, in the format its suffix names; a failure naming the file and the
// reason for another suffix or a change the format cannot express. The callers
// write them with the output writer (rom/outputfile.h).
Result<QByteArray> PatchFileBytes(const QString &fileName, const QByteArray &original, const QByteArray &modified);
