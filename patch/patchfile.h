#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

// Patch files, their format chosen by the name's suffix: ".ips" or ".bps" in
// any letter case.

enum class PatchFormat { Ips, Bps };

// The format the name's suffix asks for; nothing for any other suffix.
std::optional<PatchFormat> PatchFormatFor(const QString &fileName);

// The patch of the given format that turns original into modified; nothing,
// with the reason in *error, when the format cannot express the change.
std::optional<QByteArray> MakePatch(PatchFormat format, const QByteArray &original, const QByteArray &modified,
                                    QString *error = nullptr);

// Writes the patch that turns original into modified to fileName, whole or
// not at all: an existing file is replaced only once everything is written.
// False, with a message naming the file and the reason in *error, for another
// suffix, a change the format cannot express, a name that exists but is not a
// regular file (folder, pipe, device) and any failure to write.
bool WritePatchFile(const QString &fileName, const QByteArray &original, const QByteArray &modified,
                    QString *error = nullptr);
