#pragma once

#include <optional>

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include "base/result.h"

// What every subcommand shares: exit statuses, parsing with --help, the one
// line a failure prints, and the readers of numbers and palette choices.

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;   // the work failed: one line naming the file and the reason
inline constexpr int kExitUsage = 2;    // the arguments are wrong: one line and a hint to --help

inline constexpr const char *kProgramName = "skm-car-editor";

// Prints "skm-car-editor COMMAND: message (see skm-car-editor COMMAND --help)"
// on standard error and gives kExitUsage.
int UsageError(const QString &command, const QString &message);
// Prints "skm-car-editor COMMAND: message" on standard error and gives kExitFailed.
int WorkFailed(const QString &command, const QString &message);
// Writes text to standard output; a failure with the system's reason when it
// could not be written whole (a full disk, a closed pipe).
Result<void> PrintOut(const QString &text);
// Prints "skm-car-editor COMMAND: note: message" on standard error: the work
// goes on, but the user should know.
void PrintNote(const QString &command, const QString &message);

// Parses arguments (the subcommand's name first) with --help added. Gives a
// status to return at once: kExitSuccess after printing the help for --help,
// kExitUsage after a usage line for an unknown option, a missing or empty value or a
// count of positional arguments outside [least, most]. Nothing when the
// command should go on.
std::optional<int> ParseCommandLine(QCommandLineParser &parser, const QString &command, const QString &synopsis,
                                    const QStringList &arguments, int least, int most);

// A decimal whole number in [least, most] ("0x10" is refused, not read as 16).
std::optional<int> ParseNumber(const QString &text, int least, int most);

// A palette by its name in the palette list (any letter case; a name given
// twice in the list cannot be chosen by name) or its position 1..11; the
// 0-based index.
std::optional<int> ParsePaletteChoice(const QString &text);

// "unknown palette \"Bleu\"; the palettes are Blue, Opponent 3, ... (or 1 to 11)".
QString UnknownPaletteText(const QString &given);

// The option names (without dashes) that parser's help lists.
QStringList OptionNames(const QCommandLineParser &parser);
// The known name nearest to given (fewest letters to change, add or drop),
// when it is near enough to be a slip; empty otherwise.
QString NearestName(const QString &given, const QStringList &known);

// A list item by its name (any letter case) or its code 0..255.
std::optional<int> ParseNamedCode(const QString &text, const QStringList &names);

// The name as the user should see it.
QString ShownPath(const QString &path);
