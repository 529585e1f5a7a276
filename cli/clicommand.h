#pragma once

#include <QString>
#include <QStringList>

// The command line: "skm-car-editor SUBCOMMAND ...", run without a display.

// Whether name is one of the subcommands (info, export, import, animate, set, palette, patch).
bool IsSubcommand(const QString &name);

// Runs the subcommand named by arguments[1] (arguments[0] is the program) and
// gives the exit status.
int RunSubcommand(const QStringList &arguments);

// For main(): makes the application object a subcommand needs (no window
// system) and runs it.
int RunCommandLine(int argc, char *argv[]);
