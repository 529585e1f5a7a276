#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "exchange/spriteexport.h"
#include "exchange/spriteimport.h"
#include "rom/colorword.h"
#include "rom/factorydata.h"
#include "view/spriteoffsets.h"

// The editor's own cars come back from a plain picture exactly, in every
// palette of the ROM: what an export draws, an import reads as the same indices.
class TestFactoryRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void pictureRoundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("png") << QStringLiteral("cars.png");
        QTest::newRow("bmp") << QStringLiteral("cars.bmp");
    }

    void pictureRoundTrip()
    {
        QFETCH(QString, name);
        QFile resource(QStringLiteral(SKM_SOURCE_DIR "/resources/defaults.bin"));
        QVERIFY(resource.open(QIODevice::ReadOnly));
        const std::optional<CarData> factory = ParseFactoryData(resource.readAll());
        QVERIFY(factory);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(name);
        ExchangeSelection all;
        all.scope = ExchangeScope::AllCars;

        for (int p = 0; p < kRomPaletteCount; ++p) {
            ExchangeData out{factory->sprites, ZeroOffsetsFor(factory->sprites), factory->palettes.at(p),
                             DefaultBackgroundColor()};
            QVERIFY(WriteSpriteFiles(file, all, out));
            ExchangeData in = out;
            for (QList<SpritePixels> &car : in.sprites)
                for (SpritePixels &sprite : car)
                    sprite.fill(0);
            QCOMPARE(ProblemLines(ReadSpriteFiles(file, all, in, MatchOptions{})), QStringList());
            QVERIFY2(in.sprites == factory->sprites, qPrintable(QStringLiteral("palette %1 changes pixels").arg(p + 1)));
        }
    }
};

QTEST_GUILESS_MAIN(TestFactoryRoundTrip)
#include "tst_factoryroundtrip.moc"
