#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "demorom.h"
#include "factorytables.h"
#include "rasterizer.h"
#include "rom/colorword.h"
#include "rom/factorydata.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "vehicles.h"
#include "view/spriteoffsets.h"
#include "view/viewtable.h"

namespace {

const CarData &generated()
{
    static const CarData data = GenerateFactoryData();
    return data;
}

int differingPixels(const SpriteTable &a, const SpriteTable &b)
{
    int count = 0;
    for (int car = 0; car < kCarCount; ++car)
        for (int sprite = 0; sprite < kSpritesPerCar; ++sprite)
            for (int n = 0; n < kPixelsPerSprite; ++n)
                count += a[car][sprite][n] != b[car][sprite][n];
    return count;
}

Frame mirrored(const Frame &frame)
{
    Frame result(frame.size());
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = 0; x < kSpriteSide; ++x)
            result[y * kSpriteSide + x] = frame[y * kSpriteSide + kSpriteSide - 1 - x];
    return result;
}

} // namespace

class TestFactoryTools : public QObject
{
    Q_OBJECT

private slots:
    void committedFileIsWhatTheGeneratorMakes()
    {
        QFile file(QStringLiteral(SKM_SOURCE_DIR "/resources/defaults.bin"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
        const std::optional<CarData> committed = ParseFactoryData(file.readAll());
        QVERIFY2(committed.has_value(), "resources/defaults.bin does not parse");
        const CarData &made = generated();
        QVERIFY2(committed->sprites == made.sprites,
                 qPrintable(QString("%1 sprite pixels differ; run makedefaults resources/defaults.bin")
                                .arg(differingPixels(committed->sprites, made.sprites))));
        QCOMPARE(committed->palettes, made.palettes);
        QCOMPARE(committed->characteristics, made.characteristics);
        QCOMPARE(committed->weapons, made.weapons);
    }

    void palettesFollowTheirRoles()
    {
        const PaletteTable &palettes = generated().palettes;
        QCOMPARE(palettes.size(), kEditorPaletteCount);
        QCOMPARE(palettes.last(), ImportExportPalette());
        QSet<QRgb> bodies;
        for (const Palette &palette : palettes) {
            QCOMPARE(palette.size(), kColorsPerPalette);
            for (const QColor &colour : palette)
                QCOMPARE(QuantizeColor(colour), colour);
            bodies.insert(palette[2].rgb());
        }
        QCOMPARE(bodies.size(), kEditorPaletteCount);   // every palette its own body colour

        // The colours a sprite uses (1-5, 11-15) tell their indices apart, and
        // none is the background or one of 6-10, which an import never picks.
        const QList<int> painted = {1, 2, 3, 4, 5, 11, 12, 13, 14, 15};
        for (int p = 0; p < kRomPaletteCount; ++p) {
            QSet<QRgb> others = {DefaultBackgroundColor().rgb()};
            for (int i = 6; i <= 10; ++i)
                others.insert(palettes[p][i].rgb());
            for (int i : painted) {
                QVERIFY2(!others.contains(palettes[p][i].rgb()),
                         qPrintable(QString("palette %1: entry %2 repeats a colour").arg(p + 1).arg(i)));
                others.insert(palettes[p][i].rgb());
            }
        }
    }

    void carsDifferAndFitTheirFrames()
    {
        const SpriteTable &sprites = generated().sprites;
        QCOMPARE(sprites.size(), kCarCount);
        QSet<SpritePixels> seen;
        for (int car = 0; car < kCarCount; ++car) {
            QCOMPARE(sprites[car].size(), kSpritesPerCar);
            QSet<int> used;
            for (int s = 0; s < kSpritesPerCar; ++s) {
                const SpritePixels &pixels = sprites[car][s];
                QVERIFY2(!seen.contains(pixels), qPrintable(QString("car %1 sprite %2 repeats").arg(car + 1).arg(s + 1)));
                seen.insert(pixels);
                for (int n = 0; n < kPixelsPerSprite; ++n) {
                    used.insert(pixels[n]);
                    const QPoint p = SpritePixelPosition(n);
                    const bool border = p.x() == 0 || p.y() == 0 || p.x() == 47 || p.y() == 47;
                    QVERIFY2(!border || pixels[n] == 0,
                             qPrintable(QString("car %1 sprite %2 is cut off").arg(car + 1).arg(s + 1)));
                }
            }
            // Body shades to recolour and both stripe colours to roll.
            for (int role : {1, 2, 3, 4, 5})
                QVERIFY2(used.contains(role), qPrintable(QString("car %1 lacks colour %2").arg(car + 1).arg(role)));
            // Nothing a picture import cannot give back.
            for (int role : {6, 7, 8, 9, 10})
                QVERIFY2(!used.contains(role), qPrintable(QString("car %1 uses colour %2").arg(car + 1).arg(role)));
        }
    }

    void mirroredTurnsMatch()
    {
        // Driving straight away and straight towards the viewer the picture is
        // its own mirror image, so the editor's mirrored turns join seamlessly.
        const Camera camera;
        for (const Mesh &vehicle : FactoryVehicles()) {
            for (int column : {0, kRotationColumns - 1}) {
                const Frame frame = RenderView(vehicle, camera, YawForColumn(column), 0);
                QCOMPARE(mirrored(frame), frame);
            }
        }
    }

    void characteristicsAndWeaponsArePlausible()
    {
        const CarData &data = generated();
        QCOMPARE(QSet<QByteArray>(data.characteristics.begin(), data.characteristics.end()).size(), kCarCount);
        QCOMPARE(QSet<QByteArray>(data.weapons.begin(), data.weapons.end()).size(), kCarCount);
        for (const QByteArray &w : data.weapons) {
            QCOMPARE(w.size(), kWeaponSlotCount);
            QVERIFY(quint8(w[0]) <= 5 && quint8(w[1]) <= 5 && quint8(w[2]) <= 1);
        }
    }

    void demoRomHoldsHeaderAndCars()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath("demo.bin");
        QString error;
        QVERIFY2(WriteDemoRom(path, generated(), &error), qPrintable(error));

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray image = file.readAll();
        QCOMPARE(image.size(), kDemoRomSize);
        QCOMPARE(image.mid(0x100, 16), QByteArray("SEGA MEGA DRIVE "));
        QCOMPARE(image.mid(0x120, 48), QByteArray("SKIDMARCH DEMO").leftJustified(48, ' '));
        QCOMPARE(image.mid(0x150, 48), QByteArray("SKIDMARCH DEMO").leftJustified(48, ' '));
        QCOMPARE(qFromBigEndian<quint32>(image.constData() + 0x1A0), quint32(0));
        QCOMPARE(qFromBigEndian<quint32>(image.constData() + 0x1A4), quint32(0xFFFFF));
        QCOMPARE(qFromBigEndian<quint16>(image.constData() + 0x18E), RomChecksum(image));
        QVERIFY(RomChecksum(image) != 0);

        CarData expected = generated();
        expected.palettes.removeLast();   // "Import/Export" never goes to the ROM
        QCOMPARE(ReadRom(path), expected);
    }
};

QTEST_GUILESS_MAIN(TestFactoryTools)
#include "tst_factorytools.moc"
