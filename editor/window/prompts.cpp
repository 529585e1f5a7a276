#include "editor/window/prompts.h"

#include <QFileInfo>
#include <QObject>
#include <QStringList>

std::optional<QString> PathToWrite(Prompts &prompts, const FileChoice &choice, const FileRequest &request,
                                   bool (*hasKnownSuffix)(const QString &path))
{
    if (choice.cancelled())
        return std::nullopt;
    const QString suffix = request.types.value(choice.type).suffix;
    const bool known = hasKnownSuffix ? hasKnownSuffix(choice.path) : !QFileInfo(choice.path).suffix().isEmpty();
    if (known || suffix.isEmpty())
        return choice.path;
    const QString path = choice.path + suffix;
    if (QFileInfo::exists(path) && !prompts.askOverwrite(path))
        return std::nullopt;
    return path;
}

QString ListMessage(const QString &text, const QString &heading, QString *details)
{
    // Longest list a message shows in its text; the whole list goes to the details.
    constexpr int kShownLines = 12;
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    details->clear();
    if (lines.size() > kShownLines) {
        const qsizetype more = lines.size() - kShownLines;
        *details = text;
        lines = lines.mid(0, kShownLines);
        lines.append(QObject::tr("... and %1 more").arg(more));
    }
    if (!heading.isEmpty())
        lines.prepend(heading);
    return lines.join(QLatin1Char('\n'));
}
