#include "external/commandline.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool IsBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

Failure CommandFailure(const QString &reason)
{
    return Failure{{}, reason, 0, {}};
}

// Splits command into words; with file given, %f and %% are replaced as
// CommandForFile says and *usedFile tells whether a %f was met.
Result<QStringList> Parse(const QString &command, const QString *file, bool *usedFile)
{
    QStringList words;
    QString word;
    bool inWord = false;   // a word has begun (it may still be empty: '')
    enum class Quote { None, Single, Double } quote = Quote::None;

    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (file && c == QLatin1Char('%') && i + 1 < command.size()) {
            const QChar next = command.at(i + 1);
            if (next == QLatin1Char('f') || next == QLatin1Char('%')) {
                word += next == QLatin1Char('f') ? *file : QStringLiteral("%");
                *usedFile = *usedFile || next == QLatin1Char('f');
                inWord = true;
                ++i;
                continue;
            }
        }
        switch (quote) {
        case Quote::Single:
            if (c == QLatin1Char('\''))
                quote = Quote::None;
            else
                word += c;
            break;
        case Quote::Double:
            if (c == QLatin1Char('"')) {
                quote = Quote::None;
            } else if (c == QLatin1Char('\\') && i + 1 < command.size()
                       && QStringLiteral("\"\\$`").contains(command.at(i + 1))) {
                word += command.at(++i);
            } else {
                word += c;
            }
            break;
        case Quote::None:
            if (IsBlank(c)) {
                if (inWord)
                    words.append(word);
                word.clear();
                inWord = false;
                break;
            }
            inWord = true;
            if (c == QLatin1Char('\''))
                quote = Quote::Single;
            else if (c == QLatin1Char('"'))
                quote = Quote::Double;
            else if (c != QLatin1Char('\\'))
                word += c;
            else if (i + 1 < command.size())
                word += command.at(++i);
            else
                return CommandFailure(QCoreApplication::translate("ExternalPrograms", "The command ends with a backslash: %1").arg(command));
            break;
        }
    }
    if (quote == Quote::Single)
        return CommandFailure(QCoreApplication::translate("ExternalPrograms", "The command has a single quote (') without its closing one: %1")
                                  .arg(command));
    if (quote == Quote::Double)
        return CommandFailure(QCoreApplication::translate("ExternalPrograms", "The command has a double quote (\") without its closing one: %1")
                                  .arg(command));
    if (inWord)
        words.append(word);
    if (words.isEmpty())
        return CommandFailure(QCoreApplication::translate("ExternalPrograms", "The command is empty"));
    return words;
}

}  // namespace

Result<QStringList> SplitCommand(const QString &command)
{
    return Parse(command, nullptr, nullptr);
}

Result<QStringList> CommandForFile(const QString &command, const QString &file)
{
    bool usedFile = false;
    Result<QStringList> words = Parse(command, &file, &usedFile);
    if (words && !usedFile)
        words->append(file);
    return words;
}

QStringList ProgramSearchPaths()
{
    QStringList paths = qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString &games : {QStringLiteral("/usr/games"), QStringLiteral("/usr/local/games")}) {
        if (!paths.contains(games))
            paths.append(games);
    }
    return paths;
}

Result<QString> FindProgram(const QString &program, const QStringList &paths)
{
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
        return Failure{program,
                       info.exists() ? QCoreApplication::translate("ExternalPrograms", "not an executable program")
                                     : QCoreApplication::translate("ExternalPrograms", "No such file or directory"),
                       0, Failure::Action::Start};
    }
    const QString found = QStandardPaths::findExecutable(program, paths);
    if (found.isEmpty())
        return Failure{program, QCoreApplication::translate("ExternalPrograms", "not installed (not found in PATH or /usr/games)"),
                       0, Failure::Action::Start};
    return found;
}
