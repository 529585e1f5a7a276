#include "exchange/spriteimport.h"

#include <QFile>

#include "exchange/numberednames.h"
#include "exchange/rawsprites.h"
#include "exchange/sheetlayout.h"
#include "exchange/spriteconversion.h"
#include "exchange/spritefiles.h"
#include "rom/romreader.h"
#include "view/offsetediting.h"

namespace {

bool HasSprite(const ExchangeData &data, int car, int sprite)
{
    return car >= 0 && car < data.sprites.size() && sprite >= 0 && sprite < data.sprites[car].size();
}

// The largest picture the scope can use, so that bigger ones are refused
// before they are decoded. All cars: one view sheet per car plus the rows
// that a height not divisible by the number of cars leaves over.
QSize LargestPicture(ExchangeScope scope, int cars)
{
    switch (scope) {
    case ExchangeScope::Sprite:
        return QSize(kSpriteSide, kSpriteSide);
    case ExchangeScope::Car:
        return kViewSheetSize;
    case ExchangeScope::AllCars:
        return QSize(kViewSheetSize.width(), kViewSheetSize.height() * cars + qMax(0, cars - 1));
    }
    return {};
}

bool IsSheetSize(QSize size)
{
    return size == kViewSheetSize || size == kCompactSheetSize;
}

QString WrongSizeReason(QSize found, ExchangeScope scope, int cars)
{
    const QString takes = scope == ExchangeScope::Sprite ? QStringLiteral("a sprite takes")
                          : scope == ExchangeScope::Car  ? QStringLiteral("a car takes")
                                                         : QStringLiteral("all cars take");
    return QStringLiteral("the picture is %1 x %2 pixels; %3 %4")
        .arg(found.width()).arg(found.height()).arg(takes, AcceptedPictureSizes(scope, cars));
}

const QString kNotConverted = QStringLiteral("the picture cannot be converted");

// The picture of a file (or of the bytes read from it, where given), or a
// null image with *reason saying why (a picture too big for the scope gets the
// scope's sizes).
QImage LoadPicture(const QString &name, ExchangeScope scope, const ExchangeData &data, QString *reason,
                   ImportNotes *notes, const QByteArray *bytes = nullptr)
{
    const int cars = static_cast<int>(data.sprites.size());
    QSize tooLarge;
    const QSize largest = LargestPicture(scope, cars);
    const Result<QImage> picture =
        bytes ? DecodePicture(name, *bytes, largest, &tooLarge) : ReadPictureFile(name, largest, &tooLarge);
    if (!picture) {
        *reason = tooLarge.isValid() ? WrongSizeReason(tooLarge, scope, cars) : picture.failure().reason;
        return QImage();
    }
    if (notes)
        notes->Add(name, *picture, data.palette, data.background);
    return *picture;
}

// Why a raw file cannot give what it must: empty when it is a readable regular
// file of at least `least` bytes (and exactly `exact` where that is not 0).
QString RawFileReason(const QString &name, qint64 least, qint64 exact, const QString &needs)
{
    const QString notRegular = NotRegularFileReason(name);
    if (!notRegular.isEmpty())
        return notRegular;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    const qint64 size = file.size();
    if (size < least || (exact > 0 && size != exact))
        return QStringLiteral("the file holds %1 bytes; %2").arg(size).arg(needs);
    return {};
}

QString ImportPictureSprite(const QImage &picture, int car, int sprite, ExchangeData &data,
                            const MatchOptions &options)
{
    if (!HasSprite(data, car, sprite))
        return QStringLiteral("the car has no sprite %1").arg(sprite + 1);
    if (picture.size() != QSize(kSpriteSide, kSpriteSide))
        return WrongSizeReason(picture.size(), ExchangeScope::Sprite, int(data.sprites.size()));
    std::optional<SpritePixels> pixels = ConvertSpritePicture(picture, data.palette, data.background, options);
    if (!pixels)
        return kNotConverted;
    data.sprites[car][sprite] = *pixels;
    ClearOffset(data.offsets, car, sprite);
    return {};
}

bool ImportPictureCar(const QImage &picture, int car, ExchangeData &data, const MatchOptions &options)
{
    if (car < 0 || car >= data.sprites.size())
        return false;
    if (!ConvertCarSheet(picture, data.palette, data.background, options, data.sprites[car]))
        return false;
    ResetCarOffsets(data.offsets, car);
    return true;
}

QList<Failure> ReadSeparateFiles(const QString &picked, const ExchangeSelection &selection, ExchangeData &data,
                                 const MatchOptions &options, ImportNotes *notes)
{
    const bool raw = IsRawSpriteFile(picked);
    QList<Failure> errors;
    for (int c = 0; c < data.sprites.size(); ++c) {
        for (int s = 0; s < data.sprites[c].size(); ++s) {
            if (!selection.Covers(c, s))
                continue;
            const QString name = ImportFileName(picked, selection.scope, c, s);
            QString reason;
            if (raw) {
                reason = RawFileReason(name, kBytesPerSprite, 0,
                                       QStringLiteral("a sprite takes %1").arg(kBytesPerSprite));
                if (reason.isEmpty()) {
                    const SpriteTable table = ReadSprites(name, 0);
                    if (RawTableHasFirstSprite(table)) {
                        data.sprites[c][s] = table[0][0];
                        ClearOffset(data.offsets, c, s);
                    } else {
                        reason = QStringLiteral("the file cannot be read");
                    }
                }
            } else {
                const QImage picture = LoadPicture(name, ExchangeScope::Sprite, data, &reason, notes);
                if (reason.isEmpty())
                    reason = ImportPictureSprite(picture, c, s, data, options);
            }
            if (!reason.isEmpty())
                errors << CannotLoad(name, reason);
        }
    }
    return errors;
}

QString ReadOneRawFile(const QString &picked, const ExchangeSelection &selection, ExchangeData &data)
{
    const qint64 carBytes = qint64(kBytesPerSprite) * kSpritesPerCar;
    QString reason;
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        reason = RawFileReason(picked, kBytesPerSprite, kBytesPerSprite,
                               QStringLiteral("one sprite takes exactly %1").arg(kBytesPerSprite));
        break;
    case ExchangeScope::Car:
        reason = RawFileReason(picked, carBytes, carBytes, QStringLiteral("a car takes exactly %1").arg(carBytes));
        break;
    case ExchangeScope::AllCars:
        reason = RawFileReason(picked, carBytes * kCarCount, 0,
                               QStringLiteral("all cars take %1").arg(carBytes * kCarCount));
        break;
    }
    if (!reason.isEmpty())
        return reason;
    const SpriteTable table = ReadSprites(picked, 0);
    if (!RawTableFits(table, selection.scope))
        return QStringLiteral("the file cannot be read");
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        if (!HasSprite(data, selection.car, selection.sprite))
            return QStringLiteral("the car has no sprite %1").arg(selection.sprite + 1);
        data.sprites[selection.car][selection.sprite] = table[0][0];
        ClearOffset(data.offsets, selection.car, selection.sprite);
        return {};
    case ExchangeScope::Car:
        if (selection.car < 0 || selection.car >= data.sprites.size())
            return QStringLiteral("there is no car %1").arg(selection.car + 1);
        data.sprites[selection.car] = table[0];
        if (selection.car < data.offsets.size())
            data.offsets[selection.car] = QList<QPoint>(table[0].size(), QPoint(0, 0));
        return {};
    case ExchangeScope::AllCars:
        data.sprites = table;
        data.offsets = ZeroOffsetsFor(data.sprites);
        return {};
    }
    return {};
}

// The cars of an all-cars sheet that could not be converted (the others
// were read), or the failure of a picture that could not be used at all.
Result<QList<Failure>> ReadOnePicture(const QString &picked, const ExchangeSelection &selection, ExchangeData &data,
                                      const MatchOptions &options, ImportNotes *notes, const QByteArray *bytes = nullptr)
{
    const int cars = static_cast<int>(data.sprites.size());
    QString reason;
    const QImage picture = LoadPicture(picked, selection.scope, data, &reason, notes, bytes);
    if (!reason.isEmpty())
        return CannotLoad(picked, reason);
    switch (selection.scope) {
    case ExchangeScope::Sprite:
        reason = ImportPictureSprite(picture, selection.car, selection.sprite, data, options);
        if (!reason.isEmpty())
            return CannotLoad(picked, reason);
        return QList<Failure>();
    case ExchangeScope::Car:
        if (!IsSheetSize(picture.size()))
            return CannotLoad(picked, WrongSizeReason(picture.size(), selection.scope, cars));
        if (!ImportPictureCar(picture, selection.car, data, options))
            return CannotLoad(picked, kNotConverted);
        return QList<Failure>();
    case ExchangeScope::AllCars: {
        // The picture is cut into one full-width strip per car; rows left
        // over at the bottom are ignored.
        const int stripHeight = cars > 0 ? picture.height() / cars : 0;
        if (!IsSheetSize(QSize(picture.width(), stripHeight)))
            return CannotLoad(picked, WrongSizeReason(picture.size(), selection.scope, cars));
        QList<Failure> errors;
        for (int c = 0; c < cars; ++c) {
            const QImage strip = picture.copy(0, c * stripHeight, picture.width(), stripHeight);
            // A car whose strip is refused keeps its sprites and its offsets.
            if (!ImportPictureCar(strip, c, data, options))
                errors << CannotLoad(picked, QStringLiteral("car %1 cannot be converted").arg(c + 1));
        }
        return errors;
    }
    }
    return QList<Failure>();
}

}  // namespace

Failure CannotLoad(const QString &fileName, const QString &reason)
{
    return Failure{fileName, reason, 0, Failure::Action::LoadFile};
}

QStringList ProblemLines(const Result<ImportReport> &read)
{
    QStringList lines;
    if (!read)
        lines << read.message();
    else
        for (const Failure &failure : read->skipped)
            lines << failure.message();
    return lines;
}

QString AcceptedPictureSizes(ExchangeScope scope, int cars)
{
    const auto size = [](QSize s) { return QStringLiteral("%1 x %2").arg(s.width()).arg(s.height()); };
    switch (scope) {
    case ExchangeScope::Sprite:
        return size(QSize(kSpriteSide, kSpriteSide));
    case ExchangeScope::Car:
        return QStringLiteral("%1 or %2").arg(size(kViewSheetSize), size(kCompactSheetSize));
    case ExchangeScope::AllCars:
        return QStringLiteral("%1 or %2").arg(size(QSize(kViewSheetSize.width(), kViewSheetSize.height() * cars)),
                                              size(QSize(kCompactSheetSize.width(), kCompactSheetSize.height() * cars)));
    }
    return {};
}

Result<ImportReport> ReadSpriteFiles(const QString &picked, const ExchangeSelection &selection, ExchangeData &data,
                                     const MatchOptions &options)
{
    if (data.colors != ColorModel::Linear) {
        // Matched against the colours as shown; only the sprites and offsets come back.
        ExchangeData shown = InShownColors(data);
        Result<ImportReport> read = ReadSpriteFiles(picked, selection, shown, options);
        data.sprites = std::move(shown.sprites);
        data.offsets = std::move(shown.offsets);
        return read;
    }
    ImportReport report;
    if (selection.separateFiles) {
        report.skipped = ReadSeparateFiles(picked, selection, data, options, &report.notes);
        return report;
    }
    if (IsRawSpriteFile(picked)) {
        const QString reason = ReadOneRawFile(picked, selection, data);
        if (!reason.isEmpty())
            return CannotLoad(picked, reason);
        return report;
    }
    Result<QList<Failure>> skipped = ReadOnePicture(picked, selection, data, options, &report.notes);
    if (!skipped)
        return skipped.failure();
    report.skipped = std::move(*skipped);
    return report;
}

Result<ImportReport> ReadSpritePicture(const QString &fileName, const QByteArray &bytes,
                                       const ExchangeSelection &selection, ExchangeData &data,
                                       const MatchOptions &options)
{
    if (data.colors != ColorModel::Linear) {
        ExchangeData shown = InShownColors(data);
        Result<ImportReport> read = ReadSpritePicture(fileName, bytes, selection, shown, options);
        data.sprites = std::move(shown.sprites);
        data.offsets = std::move(shown.offsets);
        return read;
    }
    ExchangeSelection one = selection;
    one.separateFiles = false;
    ImportReport report;
    Result<QList<Failure>> skipped = ReadOnePicture(fileName, one, data, options, &report.notes, &bytes);
    if (!skipped)
        return skipped.failure();
    report.skipped = std::move(*skipped);
    return report;
}
