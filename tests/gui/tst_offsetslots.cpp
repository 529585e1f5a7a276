#include <QtTest>

#include <QTemporaryDir>

#include "windowprobe.h"
#include "rom/romreader.h"
#include "viewtestrom.h"

// The move boxes, the centring buttons, the resets and baking on save.
class TestOffsetSlots : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath));
    }

    void offsetsStartAtZero()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        QCOMPARE(probe.spriteOffsets(), ZeroOffsetsFor(probe.sprites()));
        QCOMPARE(probe.spriteOffsets().size(), kCarCount);
    }

    void moveBoxesStoreAndShow()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        ui->doubleSpinBoxSpriteZoom->setValue(1.0);
        ui->spinBoxCarNumber->setValue(2);
        ui->spinBoxSpriteNumber->setValue(5);

        ui->spinBoxMoveSpriteUp->setValue(3);
        ui->spinBoxMoveSpriteRight->setValue(-2);
        QCOMPARE(probe.spriteOffsets().at(1).at(4), QPoint(-2, 3));
        QCOMPARE(probe.spriteOffsets().at(1).at(3), QPoint(0, 0));
        // Sprite 5 of car 2: index 6 at columns 4..6, rows 10..19; shown 2 left, 3 up.
        const QRgb six = probe.palettes().at(0).at(6).rgb();
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 2, 7), six);
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 4, 16), six);
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 5, 17), probe.backgroundColor().rgb());

        // Another sprite loads its own offset, and coming back shows this one again.
        ui->spinBoxSpriteNumber->setValue(6);
        QCOMPARE(ui->spinBoxMoveSpriteUp->value(), 0);
        QCOMPARE(ui->spinBoxMoveSpriteRight->value(), 0);
        QCOMPARE(probe.spriteOffsets().at(1).at(5), QPoint(0, 0));
        ui->spinBoxSpriteNumber->setValue(5);
        QCOMPARE(ui->spinBoxMoveSpriteUp->value(), 3);
        QCOMPARE(ui->spinBoxMoveSpriteRight->value(), -2);
    }

    void boxesNeverWriteBackClamped()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        probe.edit([&](DocumentTables &t) { t.offsets[0][0] = QPoint(60, -70); });
        QCOMPARE(probe.ui()->spinBoxMoveSpriteRight->value(), 48);
        QCOMPARE(probe.ui()->spinBoxMoveSpriteUp->value(), -48);
        QCOMPARE(probe.spriteOffsets().at(0).at(0), QPoint(60, -70));
        // A tick redraws too and still writes nothing back.
        probe.animation().tick();
        QCOMPARE(probe.spriteOffsets().at(0).at(0), QPoint(60, -70));
    }

    void moveAllSprites_data()
    {
        QTest::addColumn<QPoint>("current");
        QTest::addColumn<int>("up");
        QTest::addColumn<QPoint>("expectedCurrent");
        QTest::addColumn<QPoint>("expectedOther");
        QTest::addColumn<QPoint>("expectedThird");

        // Others start at (0, 0) and (5, -3).
        QTest::newRow("within the box range") << QPoint(2, 0) << 4 << QPoint(2, 4) << QPoint(0, 4) << QPoint(5, 1);
        QTest::newRow("stored x beyond the box range") << QPoint(60, 0) << 1 << QPoint(48, 1) << QPoint(-12, 1)
                                                       << QPoint(-7, -2);
    }

    void moveAllSprites()
    {
        QFETCH(QPoint, current);
        QFETCH(int, up);
        QFETCH(QPoint, expectedCurrent);
        QFETCH(QPoint, expectedOther);
        QFETCH(QPoint, expectedThird);

        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        probe.edit([&](DocumentTables &t) { t.offsets[0][0] = current; });
        probe.edit([&](DocumentTables &t) { t.offsets[0][2] = QPoint(5, -3); });
        probe.edit([&](DocumentTables &t) { t.offsets[1][0] = QPoint(7, 7); });

        ui->checkBoxMoveCar->setChecked(true);
        ui->spinBoxMoveSpriteUp->setValue(up);
        QCOMPARE(probe.spriteOffsets().at(0).at(0), expectedCurrent);
        QCOMPARE(probe.spriteOffsets().at(0).at(1), expectedOther);
        QCOMPARE(probe.spriteOffsets().at(0).at(2), expectedThird);
        QCOMPARE(probe.spriteOffsets().at(0).at(44), expectedOther);
        QCOMPARE(probe.spriteOffsets().at(1).at(0), QPoint(7, 7));   // other cars stay
    }

    void resets_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::newRow("Reset all car") << QByteArray("pushButtonResetCarMovings");
    }

    void resets()
    {
        QFETCH(QByteArray, control);
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        probe.ui()->spinBoxCarNumber->setValue(3);
        probe.edit([&](DocumentTables &t) { t.offsets[2][0] = QPoint(4, 4); });
        probe.edit([&](DocumentTables &t) { t.offsets[2][44] = QPoint(-1, 9); });
        probe.edit([&](DocumentTables &t) { t.offsets[3][1] = QPoint(2, 2); });
        QCOMPARE(probe.ui()->spinBoxMoveSpriteUp->value(), 4);

        probe.click(control.constData());
        QCOMPARE(probe.spriteOffsets().at(2), QList<QPoint>(kSpritesPerCar, QPoint(0, 0)));
        QCOMPARE(probe.spriteOffsets().at(3).at(1), QPoint(2, 2));
        QCOMPARE(probe.ui()->spinBoxMoveSpriteUp->value(), 0);
    }

    void autoCenter()
    {
        CarData data = ViewTestData();
        // Car 1 sprite 1: rows 10..39, columns 5..44 -> (-1, 1); sprite 2: rows
        // 10..38 -> vertical 0; sprite 3 empty.
        SpritePixels &first = data.sprites[0][0];
        SpritePixels &second = data.sprites[0][1];
        first.fill(0);
        second.fill(0);
        data.sprites[0][2].fill(0);
        for (int y = 10; y <= 39; ++y) {
            for (int x = 5; x <= 44; ++x) {
                first[SpritePixelIndex(x, y)] = 2;
                if (y <= 38)
                    second[SpritePixelIndex(x, y)] = 2;
            }
        }
        QVERIFY(WriteViewTestRom(romPath, data));

        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        probe.edit([&](DocumentTables &t) { t.offsets[0][0] = QPoint(30, 30); });   // replaced, not added to
        probe.ui()->pushButtonAutocenterSprite->click();
        QCOMPARE(probe.spriteOffsets().at(0).at(0), QPoint(-1, 1));
        QCOMPARE(probe.ui()->spinBoxMoveSpriteRight->value(), -1);
        QCOMPARE(probe.ui()->spinBoxMoveSpriteUp->value(), 1);
        QCOMPARE(probe.spriteOffsets().at(0).at(1), QPoint(0, 0));

        probe.edit([&](DocumentTables &t) { t.offsets[0][2] = QPoint(5, 5); });
        probe.ui()->pushButtonAutocenterCar->click();
        QCOMPARE(probe.spriteOffsets().at(0).at(0), QPoint(-1, 1));
        QCOMPARE(probe.spriteOffsets().at(0).at(1), QPoint(-1, 0));
        QCOMPARE(probe.spriteOffsets().at(0).at(2), QPoint(0, 0));
        // Sprite 4 of the test data: columns 3..5, rows 10..19 -> columns 22..24, rows 19..28.
        QCOMPARE(probe.spriteOffsets().at(0).at(3), QPoint(19, -9));
        QCOMPARE(probe.spriteOffsets().at(1).at(0), QPoint(0, 0));   // other cars stay

        // A palette whose index 2 has the background colour leaves nothing to measure.
        probe.edit([&](DocumentTables &t) { t.palettes[0][2] = probe.backgroundColor(); });
        probe.ui()->pushButtonAutocenterSprite->click();
        QCOMPARE(probe.spriteOffsets().at(0).at(0), QPoint(0, 0));
    }

    void saveBakesOffsets()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        probe.edit([&](DocumentTables &t) { t.offsets[0][0] = QPoint(0, 1); });
        probe.edit([&](DocumentTables &t) { t.offsets[4][44] = QPoint(-3, -2); });
        probe.edit([&](DocumentTables &t) { t.offsets[2][7] = QPoint(48, 0); });
        const QImage shown = ui->labelSprite->picture().toImage();
        const SpriteTable before = probe.sprites();

        QVERIFY(probe.saveToRom());

        QCOMPARE(probe.spriteOffsets(), ZeroOffsetsFor(probe.sprites()));
        QCOMPARE(ui->spinBoxMoveSpriteUp->value(), 0);
        QCOMPARE(ui->labelSprite->picture().toImage(), shown);   // the picture does not move

        const CarData written = ReadRom(romPath);
        QCOMPARE(written.sprites, probe.sprites());
        QCOMPARE(written.sprites.at(0).at(0), ShiftSpritePixels(before.at(0).at(0), 0, -1));
        QCOMPARE(written.sprites.at(4).at(44), ShiftSpritePixels(before.at(4).at(44), -3, 2));
        QCOMPARE(written.sprites.at(2).at(7), SpritePixels(kPixelsPerSprite, 0));
        QCOMPARE(written.sprites.at(1).at(1), before.at(1).at(1));
    }
};

QTEST_MAIN(TestOffsetSlots)
#include "tst_offsetslots.moc"
