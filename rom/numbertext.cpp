#include "rom/numbertext.h"

#include <QLocale>

QString GroupedNumber(qint64 value)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(value);
}

QString ByteCountText(qint64 bytes)
{
    return bytes == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(GroupedNumber(bytes));
}
