#include "exchange/numberednames.h"

#include <QFileInfo>

namespace {

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Directory, "/" and complete base name of a chosen file, as one string.
QString StemOf(const QFileInfo &info)
{
    return info.path() + QLatin1Char('/') + info.completeBaseName();
}

}  // namespace

QString ExportFileName(const QString &chosen, ExchangeScope scope, int car, int sprite)
{
    const QFileInfo info(chosen);
    QString number;
    if (scope == ExchangeScope::AllCars)
        number = QLatin1Char('-') + TwoDigits(car + 1) + QLatin1Char('-') + TwoDigits(sprite + 1);
    else if (scope == ExchangeScope::Car)
        number = QLatin1Char('-') + TwoDigits(sprite + 1);
    return StemOf(info) + number + QLatin1Char('.') + info.suffix();
}

QString ImportFileName(const QString &picked, ExchangeScope scope, int car, int sprite)
{
    if (scope == ExchangeScope::Sprite)
        return picked;
    const QFileInfo info(picked);
    QString stem = StemOf(info);
    if (scope == ExchangeScope::AllCars) {
        stem.chop(6);
        return stem + QLatin1Char('-') + TwoDigits(car + 1) + QLatin1Char('-') + TwoDigits(sprite + 1)
               + QLatin1Char('.') + info.suffix();
    }
    stem.chop(3);
    return stem + QLatin1Char('-') + TwoDigits(sprite + 1) + QLatin1Char('.') + info.suffix();
}
