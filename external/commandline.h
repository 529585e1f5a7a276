#pragma once

#include <QString>
#include <QStringList>

#include "base/result.h"

// Commands the user gives for the programs the editor starts (the emulator,
// the pixel editor), read with a shell's quoting rules but run without a
// shell: nothing is expanded, redirected or piped.
//
// - Blanks (space, tab, newline) outside quotes separate the words.
// - '...' keeps everything inside as it is.
// - "..." keeps everything inside, except that \" \\ \$ and \` stand for the
//   character after the backslash.
// - Outside quotes a backslash makes the next character an ordinary one.
// - '' or "" is an empty word.

// The words of command. A failure for an unmatched quote, a backslash at the
// very end, or a command without any word.
Result<QStringList> SplitCommand(const QString &command);

// The program and arguments that open file: every %f (in any word, quoted or
// not, also inside one like --rom=%f) stands for file as it is, never split
// or read for quotes; %% stands for one %. A command without %f gets file as
// its last argument. Fails as SplitCommand does.
Result<QStringList> CommandForFile(const QString &command, const QString &file);

// Where programs are looked for: the folders of PATH, then /usr/games and
// /usr/local/games (where Debian installs emulators; a desktop session has
// them on its PATH, a terminal or a service may not).
QStringList ProgramSearchPaths();

// The executable a command's first word names: a word with a slash as it is
// (it must be an executable file), any other looked up in paths. A failure
// names the program and says it is not installed.
Result<QString> FindProgram(const QString &program, const QStringList &paths = ProgramSearchPaths());
