#include "editor/state/shownnames.h"

#include <QCoreApplication>

namespace {

// Listed for the translation tools: the names the layers below use.
[[maybe_unused]] const char *const kNames[] = {
    QT_TRANSLATE_NOOP("ShownNames", "Blue"),
    QT_TRANSLATE_NOOP("ShownNames", "Opponent 3"),
    QT_TRANSLATE_NOOP("ShownNames", "Black"),
    QT_TRANSLATE_NOOP("ShownNames", "Yellow"),
    QT_TRANSLATE_NOOP("ShownNames", "Red"),
    QT_TRANSLATE_NOOP("ShownNames", "Green"),
    QT_TRANSLATE_NOOP("ShownNames", "Opponent 2"),
    QT_TRANSLATE_NOOP("ShownNames", "Opponent 1"),
    QT_TRANSLATE_NOOP("ShownNames", "Import/Export"),
    QT_TRANSLATE_NOOP("ShownNames", "Exploding mine"),
    QT_TRANSLATE_NOOP("ShownNames", "Tracking bullet"),
    QT_TRANSLATE_NOOP("ShownNames", "Rocket"),
    QT_TRANSLATE_NOOP("ShownNames", "Bullet"),
    QT_TRANSLATE_NOOP("ShownNames", "Oil"),
    QT_TRANSLATE_NOOP("ShownNames", "Mine"),
    QT_TRANSLATE_NOOP("ShownNames", "Jump"),
    QT_TRANSLATE_NOOP("ShownNames", "Turbo"),
};

} // namespace

QString ShownName(const QString &name)
{
    return QCoreApplication::translate("ShownNames", name.toUtf8().constData());
}

QStringList ShownNames(const QStringList &names)
{
    QStringList shown;
    shown.reserve(names.size());
    for (const QString &name : names)
        shown << ShownName(name);
    return shown;
}
