#include "editor/controllers/loaderrortext.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// "624 x 432 or 432 x 240", with the "or" in the window's language.
QString ShownSizes(const QString &sizes)
{
    static const QRegularExpression either(QStringLiteral("^(\\d+ x \\d+) or (\\d+ x \\d+)$"));
    const QRegularExpressionMatch match = either.match(sizes);
    return match.hasMatch() ? LoadErrorText::tr("%1 or %2").arg(match.captured(1), match.captured(2)) : sizes;
}

} // namespace

QString LoadErrorText::ShownReason(const QString &reason)
{
    if (reason == QLatin1String("the picture cannot be converted"))
        return tr("the picture cannot be converted");
    if (reason == QLatin1String("the file cannot be read"))
        return tr("the file cannot be read");
    static const QRegularExpression carNotConverted(QStringLiteral("^car (\\d+) cannot be converted$"));
    static const QRegularExpression noSprite(QStringLiteral("^the car has no sprite (\\d+)$"));
    static const QRegularExpression noCar(QStringLiteral("^there is no car (\\d+)$"));
    static const QRegularExpression wrongSize(
        QStringLiteral("^the picture is (\\d+) x (\\d+) pixels; (a sprite takes|a car takes|all cars take) (.+)$"));
    static const QRegularExpression wrongBytes(QStringLiteral(
        "^the file holds (\\d+) bytes; (a sprite takes|one sprite takes exactly|a car takes exactly|all cars take) (\\d+)$"));
    QRegularExpressionMatch match;
    if ((match = carNotConverted.match(reason)).hasMatch())
        return tr("car %1 cannot be converted").arg(match.captured(1));
    if ((match = noSprite.match(reason)).hasMatch())
        return tr("the car has no sprite %1").arg(match.captured(1));
    if ((match = noCar.match(reason)).hasMatch())
        return tr("there is no car %1").arg(match.captured(1));
    if ((match = wrongSize.match(reason)).hasMatch()) {
        const QString takes = match.captured(3);
        const QString sizes = ShownSizes(match.captured(4));
        const QString width = match.captured(1);
        const QString height = match.captured(2);
        if (takes == QLatin1String("a sprite takes"))
            return tr("the picture is %1 x %2 pixels; a sprite takes %3").arg(width, height, sizes);
        if (takes == QLatin1String("a car takes"))
            return tr("the picture is %1 x %2 pixels; a car takes %3").arg(width, height, sizes);
        return tr("the picture is %1 x %2 pixels; all cars take %3").arg(width, height, sizes);
    }
    if ((match = wrongBytes.match(reason)).hasMatch()) {
        const QString takes = match.captured(2);
        const QString size = match.captured(1);
        const QString needed = match.captured(3);
        if (takes == QLatin1String("a sprite takes"))
            return tr("the file holds %1 bytes; a sprite takes %2").arg(size, needed);
        if (takes == QLatin1String("one sprite takes exactly"))
            return tr("the file holds %1 bytes; one sprite takes exactly %2").arg(size, needed);
        if (takes == QLatin1String("a car takes exactly"))
            return tr("the file holds %1 bytes; a car takes exactly %2").arg(size, needed);
        return tr("the file holds %1 bytes; all cars take %2").arg(size, needed);
    }
    return reason;
}

QString LoadErrorText::Shown(const QString &lines)
{
    static const QRegularExpression line(QStringLiteral("^Cannot load file \"(.*)\": (.*)$"));
    QStringList shown;
    for (const QString &text : lines.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = line.match(text);
        shown << (match.hasMatch() ? tr("Cannot load file \"%1\": %2").arg(match.captured(1), ShownReason(match.captured(2)))
                                   : text);
    }
    return shown.join(QLatin1Char('\n'));
}

QString LoadErrorText::Shown(const Failure &failure)
{
    Failure shown = failure;
    shown.reason = ShownReason(failure.reason);
    return shown.message();
}
