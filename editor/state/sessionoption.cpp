#include "editor/state/sessionoption.h"

#include <QSettings>

QVariant SessionOptionBase::stored(const QVariant &fallback) const
{
    return QSettings().value(settingsKey, fallback);
}

void SessionOptionBase::store(const QVariant &value) const
{
    QSettings().setValue(settingsKey, value);
}
