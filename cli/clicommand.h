#pragma once

#include <QString>
#include <QStringList>

// The command line: "skm-car-editor SUBCOMMAND ...", run without a display.

// Whether name is one of the subcommands (info, export, import, animate, set, palette, patch).
bool IsSubcommand(const QString &name);

// The subcommands' names, in the order the help lists them.
QStringList SubcommandNames();

// Runs the subcommand named by arguments[1] (arguments[0] is the program) and
// gives the exit status.
int RunSubcommand(const QStringList &arguments);

// The first argument whose bytes do not survive decoding into text and back
// (a file name that is not valid in the system's encoding), as a message
// naming it; empty when every argument is fine. Such a name could only be
// reported as missing later, so it is refused at once with the reason.
QString UndecodableArgumentError(int argc, char *argv[]);

// For main(): makes the application object a subcommand needs (no window
// system) and runs it.
int RunCommandLine(int argc, char *argv[]);
