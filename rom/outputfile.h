#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "base/result.h"

// The one way the program writes a file other than the open ROM's own save:
// pictures, sheets, numbered sets, raw files, palette files, patches, copies
// of the ROM, the command line's --output, the quick export. A failure leaves
// the target exactly as it was and names the file and the system's reason.

struct OutputFile
{
    QString path;
    QByteArray bytes;
};

// Makes the file at path hold bytes, whole or not at all.
Result<void> WriteOutputFile(const QString &path, const QByteArray &bytes);

// Writes a set of files all or nothing: every file is written under a
// temporary name first and they are renamed only once all were written.
Result<void> WriteOutputFiles(const QList<OutputFile> &files);
