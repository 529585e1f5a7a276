#include <QtTest>

#include "rom/cardata.h"

// Shapes of the car data after normalisation.
class TestRomCarData : public QObject
{
    Q_OBJECT

private:
    static void verifyShape(const CarData &data)
    {
        QCOMPARE(data.sprites.size(), kCarCount);
        for (const auto &car : data.sprites) {
            QCOMPARE(car.size(), kSpritesPerCar);
            for (const SpritePixels &sprite : car)
                QCOMPARE(sprite.size(), kPixelsPerSprite);
        }
        QCOMPARE(data.palettes.size(), kRomPaletteCount);
        for (const Palette &palette : data.palettes)
            QCOMPARE(palette.size(), kColorsPerPalette);
        QCOMPARE(data.characteristics.size(), kCarCount);
        for (const QByteArray &row : data.characteristics)
            QCOMPARE(row.size(), kCharacteristicCount);
        QCOMPARE(data.weapons.size(), kCarCount);
        for (const QByteArray &row : data.weapons)
            QCOMPARE(row.size(), kWeaponSlotCount);
    }

private slots:
    void emptyDataBecomesBlank()
    {
        const CarData data = NormalizeCarData(CarData());
        verifyShape(data);
        for (const auto &car : data.sprites)
            for (const SpritePixels &sprite : car)
                QVERIFY(std::all_of(sprite.begin(), sprite.end(), [](int p) { return p == 0; }));
        for (const Palette &palette : data.palettes)
            for (const QColor &color : palette) {
                QCOMPARE(color, QColor(0, 0, 0));
                QCOMPARE(color.alpha(), 255);
            }
        for (const QByteArray &row : data.characteristics)
            QCOMPARE(row, QByteArray(5, '\0'));
        for (const QByteArray &row : data.weapons)
            QCOMPARE(row, QByteArray(3, '\0'));
    }

    void surplusIsCutAtTheEnd()
    {
        CarData data = NormalizeCarData(CarData());
        data.sprites[1][2].append(9);                        // 2305 pixels
        data.sprites[1][2][2303] = 7;
        data.sprites[2].append(SpritePixels(2304, 4));       // sprite 46
        data.sprites.append(data.sprites.at(0));             // car 6
        data.palettes[3][1] = QColor(36, 72, 109);
        data.palettes.append(Palette(16, QColor(255, 255, 255)));   // "Import/Export"
        data.characteristics[4] = QByteArray("\x01\x02\x03\x04\x05\x06\x07", 7);
        data.weapons[0] = QByteArray("\x05", 1);

        const CarData normal = NormalizeCarData(data);
        verifyShape(normal);
        QCOMPARE(normal.sprites[1][2].last(), 7);
        QCOMPARE(normal.sprites[2].last(), SpritePixels(2304, 0));
        QCOMPARE(normal.palettes[3][1], QColor(36, 72, 109));
        QCOMPARE(normal.palettes.last(), Palette(16, QColor(0, 0, 0)));
        QCOMPARE(normal.characteristics[4], QByteArray("\x01\x02\x03\x04\x05", 5));
        QCOMPARE(normal.weapons[0], QByteArray("\x05\x00\x00", 3));
    }

    void missingEntriesArePadded()
    {
        CarData data;
        data.sprites = {{SpritePixels{1, 2, 3}}};
        data.palettes = {Palette{QColor(255, 0, 0)}};
        const CarData normal = NormalizeCarData(data);
        verifyShape(normal);
        QCOMPARE(normal.sprites[0][0].mid(0, 4), SpritePixels({1, 2, 3, 0}));
        QCOMPARE(normal.palettes[0][0], QColor(255, 0, 0));
        QCOMPARE(normal.palettes[0][1], QColor(0, 0, 0));
    }

    void normalDataIsUnchanged()
    {
        CarData data = NormalizeCarData(CarData());
        data.sprites[4][44][2303] = 15;
        data.characteristics[2][3] = char(200);
        QCOMPARE(NormalizeCarData(data), data);
    }
};

QTEST_GUILESS_MAIN(TestRomCarData)
#include "tst_romcardata.moc"
