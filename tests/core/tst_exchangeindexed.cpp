// Indexed pictures: written with the shown colours as their table and the
// stored indices as pixels, read back index for index.
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include "common/testrom.h"
#include "exchange/indexedpicture.h"
#include "exchange/numberednames.h"
#include "exchange/sheetlayout.h"
#include "exchange/spriteconversion.h"
#include "exchange/spriteexport.h"
#include "exchange/spriteimport.h"
#include "exchangetestdata.h"
#include "view/spriteoffsets.h"

Q_DECLARE_METATYPE(ExchangeScope)

namespace {

// Entries 1, 2 and 9 alike, entry 5 the background colour: colour matching
// could not tell them apart.
Palette DuplicatePalette()
{
    Palette palette = LevelGridPalettes().at(2);
    palette[2] = palette[1];
    palette[9] = palette[1];
    palette[5] = kExchangeBackground;
    return palette;
}

ExchangeData IndexedData()
{
    QList<int> all;
    for (int i = 0; i < kColorsPerPalette; ++i)
        all.append(i);
    ExchangeData data{RandomTable(31, all), {}, DuplicatePalette(), kExchangeBackground};
    data.offsets = ZeroOffsetsFor(data.sprites);
    data.offsets[0][0] = QPoint(3, -2);
    data.offsets[1][5] = QPoint(-5, 7);
    return data;
}

}  // namespace

class TestExchangeIndexed : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void directOrMatched_data();
    void directOrMatched();
};

void TestExchangeIndexed::roundTrip_data()
{
    QTest::addColumn<ExchangeScope>("scope");
    QTest::addColumn<bool>("separate");
    QTest::addColumn<QString>("name");

    QTest::newRow("sprite") << ExchangeScope::Sprite << false << "s.png";
    QTest::newRow("car") << ExchangeScope::Car << false << "car.png";
    QTest::newRow("car, BMP") << ExchangeScope::Car << false << "car.bmp";
    QTest::newRow("all cars") << ExchangeScope::AllCars << false << "all.PNG";
    QTest::newRow("car, separate") << ExchangeScope::Car << true << "car.png";
    QTest::newRow("JPEG refused") << ExchangeScope::Sprite << false << "s.jpg";
}

void TestExchangeIndexed::roundTrip()
{
    QFETCH(ExchangeScope, scope);
    QFETCH(bool, separate);
    QFETCH(QString, name);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const ExchangeData data = IndexedData();
    const ExchangeSelection selection{scope, 1, 5, separate};
    const bool accepted = !name.endsWith(QLatin1String(".jpg"));
    QCOMPARE(WriteSpriteFiles(path, selection, data, SpriteFileType::IndexedPicture).ok(), accepted);
    if (!accepted) {
        QVERIFY(QDir(dir.path()).isEmpty());
        return;
    }

    // Every file: 8 bits a pixel, the shown colours as its table.
    QStringList files;
    for (int c = 0; c < kCarCount; ++c)
        for (int s = 0; s < kSpritesPerCar; ++s)
            if (selection.Covers(c, s))
                files.append(separate ? ExportFileName(path, scope, c, s) : path);
    files.removeDuplicates();
    for (const QString &file : files) {
        const QImage image(file);
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QCOMPARE(image.colorTable(), IndexedColorTable(data.palette, data.background));
        const QByteArray bytes = ReadBytes(file);
        if (bytes.startsWith("\x89PNG"))
            QCOMPARE(bytes.mid(24, 2), QByteArray("\x08\x03"));   // 8-bit, palette
    }

    // Read back into blank sprites (a numbered set through one of its files),
    // dithering asked for: every index exact, the offsets baked in and cleared.
    ExchangeData back = data;
    for (QList<SpritePixels> &car : back.sprites)
        car.fill(SpritePixels(kPixelsPerSprite, 0));
    QCOMPARE(ProblemLines(ReadSpriteFiles(files.first(), selection, back, MatchOptions{true})), QStringList());
    for (int c = 0; c < kCarCount; ++c) {
        for (int s = 0; s < kSpritesPerCar; ++s) {
            const QPoint offset = data.offsets[c][s];
            const bool covered = selection.Covers(c, s);
            const SpritePixels expected = covered ? ShiftSpritePixels(data.sprites[c][s], offset.x(), -offset.y())
                                                  : SpritePixels(kPixelsPerSprite, 0);
            QVERIFY2(back.sprites[c][s] == expected, qPrintable(QStringLiteral("car %1 sprite %2").arg(c).arg(s)));
            QCOMPARE(back.offsets[c][s], covered ? QPoint() : offset);
        }
    }
}

void TestExchangeIndexed::directOrMatched_data()
{
    QTest::addColumn<int>("swapWith");   // entry exchanged with entry 1 in the table, 0: none
    QTest::addColumn<int>("extraEntry"); // palette entry copied to a 17th table entry, 0: none
    QTest::addColumn<int>("pixel");
    QTest::addColumn<int>("index");

    QTest::newRow("exact table: never a candidate") << 0 << 0 << 6 << 6;
    QTest::newRow("exact table: duplicate entry") << 0 << 0 << 9 << 9;
    QTest::newRow("exact table, 17 entries") << 0 << 11 << 2 << 2;
    QTest::newRow("entry past 15: matched") << 0 << 11 << 16 << 11;
    QTest::newRow("other table: matched") << 3 << 0 << 1 << 3;
}

void TestExchangeIndexed::directOrMatched()
{
    QFETCH(int, swapWith);
    QFETCH(int, extraEntry);
    QFETCH(int, pixel);
    QFETCH(int, index);

    const Palette palette = DuplicatePalette();
    QList<QRgb> table = IndexedColorTable(palette, kExchangeBackground);
    if (swapWith)
        table.swapItemsAt(1, swapWith);
    if (extraEntry)
        table.append(palette[extraEntry].rgb());
    QImage picture(kSpriteSide, kSpriteSide, QImage::Format_Indexed8);
    picture.setColorTable(table);
    picture.fill(pixel);

    const std::optional<SpritePixels> sprite = ConvertSpritePicture(picture, palette, kExchangeBackground, MatchOptions{});
    QVERIFY(sprite);
    QCOMPARE(sprite->at(100), index);
    // A sheet keeps the indices the same way.
    QImage sheet(kViewSheetSize, QImage::Format_Indexed8);
    sheet.setColorTable(table);
    sheet.fill(pixel);
    QList<SpritePixels> car(kSpritesPerCar, SpritePixels(kPixelsPerSprite, 0));
    QVERIFY(ConvertCarSheet(sheet, palette, kExchangeBackground, MatchOptions{true}, car));
    QCOMPARE(car[44].at(100), index);
}

QTEST_GUILESS_MAIN(TestExchangeIndexed)
#include "tst_exchangeindexed.moc"
