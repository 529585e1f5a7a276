#include "external/linkimport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>

#include "exchange/indexedpicture.h"
#include "exchange/spriteimport.h"

namespace {

ExchangeSelection OneFile(ExchangeSelection selection)
{
    selection.separateFiles = false;
    return selection;
}

}  // namespace

QString LinkFileName(const ExchangeSelection &selection)
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

QString ScopeName(const ExchangeSelection &selection)
{
    switch (selection.scope) {
    case ExchangeScope::AllCars:
        return QCoreApplication::translate("QObject", "all cars");
    case ExchangeScope::Car:
        return QCoreApplication::translate("QObject", "car %1").arg(selection.car + 1);
    case ExchangeScope::Sprite:
        break;
    }
    return QCoreApplication::translate("QObject", "sprite %1 of car %2")
        .arg(selection.sprite + 1)
        .arg(selection.car + 1);
}

QString LinkStepText(const ExchangeSelection &selection, const QString &fileName)
{
    return QCoreApplication::translate("QObject", "Update %1 from %2")
        .arg(ScopeName(selection), QFileInfo(fileName).fileName());
}

Result<QByteArray> LinkPictureBytes(const ExchangeSelection &selection, const ExchangeData &data)
{
    const QImage picture = IndexedScopePicture(OneFile(selection), data);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (picture.isNull() || !writer.write(picture))
        return Failure{LinkFileName(selection),
                       picture.isNull() ? QStringLiteral("nothing to draw") : writer.errorString(), 0,
                       QStringLiteral("write")};
    return bytes;
}

Result<DocumentTables> ImportLinkedPicture(const DocumentTables &tables, const ExchangeSelection &selection,
                                           const Palette &palette, const QColor &background, const QString &fileName,
                                           const QByteArray &bytes, const MatchOptions &options)
{
    ExchangeData data{tables.sprites, tables.offsets, palette, background};
    const QString errors = ReadSpritePicture(QFileInfo(fileName).fileName(), bytes, selection, data, options);
    if (!errors.isEmpty()) {
        // One line for the status bar.
        return Failure{{}, errors.trimmed().replace(QLatin1Char('\n'), QLatin1String("; ")), 0, QStringLiteral("load")};
    }
    DocumentTables after = tables;
    after.sprites = data.sprites;
    after.offsets = data.offsets;
    return after;
}
