#pragma once

#include <QString>
#include <QStringList>

#include "base/result.h"
#include "external/commandline.h"

// Which emulator a play-test starts: the command set in the Preferences, or
// else the first installed of the ones the editor knows.

// "blastem %f", "mednafen -force_module md %f", "mame genesis -cart %f", in
// the order they are tried.
QStringList KnownEmulatorCommands();

// The first known command whose program is found in paths; empty when none
// is installed.
QString InstalledEmulatorCommand(const QStringList &paths = ProgramSearchPaths());

// The command a play-test runs: setting when it is not blank, else the first
// installed known one; with none installed a failure naming the Debian
// packages and the Preferences entry.
Result<QString> EmulatorCommand(const QString &setting, const QStringList &paths = ProgramSearchPaths());
