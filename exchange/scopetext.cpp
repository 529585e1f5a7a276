#include "exchange/scopetext.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ScopeName(const ExchangeSelection &selection)
{
    switch (selection.scope) {
    case ExchangeScope::AllCars:
        return QCoreApplication::translate("ExchangeScope", "all cars");
    case ExchangeScope::Car:
        return QCoreApplication::translate("ExchangeScope", "car %1").arg(selection.car + 1);
    case ExchangeScope::Sprite:
        break;
    }
    return QCoreApplication::translate("ExchangeScope", "sprite %1 of car %2")
        .arg(selection.sprite + 1)
        .arg(selection.car + 1);
}

QString ScopeFileName(const ExchangeSelection &selection)
{
    switch (selection.scope) {
    case ExchangeScope::AllCars:
        return QStringLiteral("cars.png");
    case ExchangeScope::Car:
        return QStringLiteral("car-%1.png").arg(selection.car + 1);
    case ExchangeScope::Sprite:
        break;
    }
    return QStringLiteral("sprite-%1-%2.png").arg(selection.car + 1).arg(selection.sprite + 1);
}

QString ImportStepText(const ExchangeSelection &selection, const QString &fileName)
{
    return QCoreApplication::translate("ExchangeScope", "Import %1 from %2")
        .arg(ScopeName(selection), QFileInfo(fileName).fileName());
}

QString UpdateStepText(const ExchangeSelection &selection, const QString &fileName)
{
    return QCoreApplication::translate("ExchangeScope", "Update %1 from %2")
        .arg(ScopeName(selection), QFileInfo(fileName).fileName());
}
