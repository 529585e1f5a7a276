#pragma once

#include <QString>

// Files no output may replace: the ROM the editor or a command has open (and
// the inputs a command compares). The output writer refuses a target that is
// one of them by name, through a symbolic link or as a hard link of it.

// Adds path to the protected files (counted: as often protected as released).
void ProtectFile(const QString &path);
void ReleaseFile(const QString &path);

// The protected file that writing target (already resolved through links)
// would replace; empty when none.
QString ProtectedFileAt(const QByteArray &target);
