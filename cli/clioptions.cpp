#include "cli/clioptions.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <algorithm>

#include <QDir>
#include <QRegularExpression>

#include "palette/palettenames.h"

namespace {

void PrintError(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
}

} // namespace

int UsageError(const QString &command, const QString &message)
{
    PrintError(QStringLiteral("%1 %2: %3 (see %1 %2 --help)").arg(QLatin1String(kProgramName), command, message));
    return kExitUsage;
}

int WorkFailed(const QString &command, const QString &message)
{
    PrintError(QStringLiteral("%1 %2: %3").arg(QLatin1String(kProgramName), command, message));
    return kExitFailed;
}

void PrintNote(const QString &command, const QString &message)
{
    PrintError(QStringLiteral("%1 %2: note: %3").arg(QLatin1String(kProgramName), command, message));
}

Result<void> PrintOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    const bool written = std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout) == size_t(bytes.size())
                         && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written)
        return {};
    const int error = errno != 0 ? errno : EIO;
    return Failure{QStringLiteral("standard output"), QString::fromLocal8Bit(std::strerror(error)), error,
                   Failure::Action::WriteTo};
}

std::optional<int> ParseCommandLine(QCommandLineParser &parser, const QString &command, const QString &synopsis,
                                    const QStringList &arguments, int least, int most)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    parser.addOption(help);
    // The parser skips its first argument as the program's name: the subcommand stands there.
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty()) {
            const QString nearest = NearestName(unknown.first(), OptionNames(parser));
            if (!nearest.isEmpty())
                return UsageError(command, QStringLiteral("Unknown option '%1'; did you mean --%2?").arg(unknown.first(), nearest));
        }
        return UsageError(command, parser.errorText());
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        // Our own usage line instead of the parser's.
        const qsizetype end = text.indexOf(QLatin1Char('\n'));
        text.replace(0, end, QStringLiteral("Usage: %1 %2 %3").arg(QLatin1String(kProgramName), command, synopsis));
        const Result<void> printed = PrintOut(text);
        return printed ? kExitSuccess : WorkFailed(command, printed.message());
    }
    // An empty value is a slip (an unset variable in a script), never a choice:
    // "--output ''" must not quietly mean "no --output".
    for (const QString &name : parser.optionNames()) {
        if (parser.values(name).contains(QString()))
            return UsageError(command, QStringLiteral("--%1 needs a value that is not empty").arg(name));
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < least)
        return UsageError(command, QStringLiteral("missing arguments"));
    if (count > most)
        return UsageError(command, QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().at(most)));
    return std::nullopt;
}

std::optional<int> ParseNumber(const QString &text, int least, int most)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    if (!ok || value < least || value > most)
        return std::nullopt;
    return value;
}

std::optional<int> ParsePaletteChoice(const QString &text)
{
    const QStringList names = PaletteNames();
    if (const std::optional<int> position = ParseNumber(text, 1, static_cast<int>(names.size())))
        return *position - 1;
    int found = -1;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(text.trimmed(), Qt::CaseInsensitive) != 0)
            continue;
        if (found >= 0)
            return std::nullopt;   // an ambiguous name
        found = i;
    }
    if (found < 0)
        return std::nullopt;
    return found;
}

QString UnknownPaletteText(const QString &given)
{
    const QStringList names = PaletteNames();
    QStringList choosable;
    for (const QString &name : names)
        if (names.count(name) == 1)
            choosable << name;
    return QStringLiteral("unknown palette \"%1\"; the palettes are %2 (or a position 1 to %3)")
        .arg(given, choosable.join(QStringLiteral(", ")))
        .arg(names.size());
}

QStringList OptionNames(const QCommandLineParser &parser)
{
    static const QRegularExpression option(QStringLiteral("(?:^|[\\s,])--([A-Za-z0-9][A-Za-z0-9-]*)"));
    QStringList names;
    for (QRegularExpressionMatchIterator it = option.globalMatch(parser.helpText()); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

QString NearestName(const QString &given, const QStringList &known)
{
    // Edit distance, letters compared without case.
    const auto distance = [](const QString &a, const QString &b) {
        QList<int> row(b.size() + 1);
        for (int j = 0; j <= b.size(); ++j)
            row[j] = j;
        for (int i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = i;
            for (int j = 1; j <= b.size(); ++j) {
                const int above = row[j];
                const bool same = a.at(i - 1).toLower() == b.at(j - 1).toLower();
                row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
                diagonal = above;
            }
        }
        return row[b.size()];
    };
    QString best;
    int bestDistance = 0;
    for (const QString &name : known) {
        const int d = distance(given, name);
        if (best.isEmpty() || d < bestDistance) {
            best = name;
            bestDistance = d;
        }
    }
    // A slip: a third of the letters at most, and never the whole word.
    const int allowed = std::max<int>(1, int(given.size()) / 3);
    return !best.isEmpty() && bestDistance <= allowed && bestDistance < given.size() ? best : QString();
}

std::optional<int> ParseNamedCode(const QString &text, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return ParseNumber(text, 0, 255);
}

QString ShownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
