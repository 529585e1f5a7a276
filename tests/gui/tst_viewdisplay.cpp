#include <QtTest>

#include <QLineEdit>
#include <QTemporaryDir>

#include "windowprobe.h"
#include "viewtestrom.h"

// What the sprite label and the colour swatches show for the controls' state.
class TestViewDisplay : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

    // The colour the window shows for palette entry i of the selected palette.
    static QRgb Entry(WindowProbe &probe, int i)
    {
        return probe.palettes().at(probe.ui()->comboBoxPalette->currentIndex()).at(i).rgb();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath));
    }

    void zoomSizes_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addColumn<int>("side");
        QTest::newRow("3.0 at start") << 3.0 << 144;
        QTest::newRow("0.1") << 0.1 << 4;
        QTest::newRow("1.1 truncates") << 1.1 << 52;
        QTest::newRow("10.0") << 10.0 << 480;
    }

    void zoomSizes()
    {
        QFETCH(double, zoom);
        QFETCH(int, side);
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();

        probe.ui()->doubleSpinBoxSpriteZoom->setValue(zoom);
        const QPixmap shown = probe.ui()->labelSprite->picture();
        QCOMPARE(shown.size(), QSize(side, side));
        // Nearest neighbour: the last pixel still shows the last sprite pixel's colour.
        QCOMPARE(PixmapPixel(shown, side - 1, side - 1), probe.backgroundColor().rgb());
        // The window follows the picture.
        QCOMPARE(editor.size(), editor.sizeHint());   // the whole picture while the screen has room
    }

    void windowFollowsZoom()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        editor.show();
        probe.ui()->doubleSpinBoxSpriteZoom->setValue(10.0);
        const QSize large = editor.size();
        probe.ui()->doubleSpinBoxSpriteZoom->setValue(1.0);
        const QSize small = editor.size();
        QVERIFY2(large.height() > 480 && large.width() > 480, qPrintable(QStringLiteral("%1 x %2").arg(large.width()).arg(large.height())));
        QVERIFY2(small.height() < large.height() && small.width() < large.width(), qPrintable(QStringLiteral("%1 x %2, %3 x %4").arg(small.width()).arg(small.height()).arg(large.width()).arg(large.height())));
        QCOMPARE(small, editor.sizeHint());
    }

    void pixelsFollowControls()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();

        // Sprite 1 of car 1: a 3 x 10 block of index 1 at columns 0..2, rows 10..19.
        ui->doubleSpinBoxSpriteZoom->setValue(1.0);
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 0, 10), Entry(probe, 1));
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 3, 10), probe.backgroundColor().rgb());

        ui->checkBoxMirrorSprite->click();
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 47, 10), Entry(probe, 1));
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 0, 10), probe.backgroundColor().rgb());
        ui->checkBoxMirrorSprite->click();

        // Sprite 4 of car 1 has index 4: the wheels box shows entry 5 instead.
        ui->spinBoxSpriteNumber->setValue(4);
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 3, 10), Entry(probe, 4));
        ui->checkBoxRotateWheels->click();
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 3, 10), Entry(probe, 5));

        // Car 2 sprite 4 has index 5, now shown as entry 4.
        ui->spinBoxCarNumber->setValue(2);
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 3, 10), Entry(probe, 4));

        // Another palette redraws at once.
        ui->comboBoxPalette->setCurrentIndex(3);
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 3, 10), Entry(probe, 4));
        QCOMPARE(Entry(probe, 4), probe.palettes().at(3).at(4).rgb());
    }

    void parametersWithoutSpriteChangeNothing()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();

        ui->spinBoxRotation->setValue(13);
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 12);
        QVERIFY(ui->checkBoxMirrorSprite->isChecked());
        const QImage shown = ui->labelSprite->picture().toImage();

        ui->spinBoxRotation->setValue(5);   // sprite 6, not mirrored
        ui->spinBoxTilt->setValue(2);       // (5, 2) has no sprite
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 6);
        QVERIFY(!ui->checkBoxMirrorSprite->isChecked());
        const QImage six = ui->labelSprite->picture().toImage();
        QVERIFY(six != shown);

        ui->spinBoxRotation->setValue(6);   // (6, 2): still none
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 6);
        QCOMPARE(ui->labelSprite->picture().toImage(), six);

        ui->spinBoxTilt->setValue(0);
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 7);
    }

    void parametersRedrawOnce()
    {
        // The sprite number and the mirroring change in one change of the
        // selection: the one redraw comes after both.
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        QSignalSpy changes(&probe.selection(), &Selection::changed);
        probe.ui()->spinBoxRotation->setValue(22);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().first().value<Selection::Parts>(),
                 Selection::Rotation | Selection::Sprite | Selection::Mirrored);
        probe.ui()->doubleSpinBoxSpriteZoom->setValue(1.0);
        // Sprite 3 (columns 2..4) mirrored: columns 43..45.
        QCOMPARE(PixmapPixel(probe.ui()->labelSprite->picture(), 44, 12), Entry(probe, 3));
    }

    void unchangedPictureIsKept()
    {
        // A tick with nothing changed hands nothing new to the label, and a
        // move box the user is typing into keeps its text.
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        const qint64 shown = ui->labelSprite->picture().cacheKey();
        probe.animation().tick();
        QCOMPARE(ui->labelSprite->picture().cacheKey(), shown);

        QLineEdit *edit = ui->spinBoxMoveSpriteUp->findChild<QLineEdit *>();
        QVERIFY(edit);
        edit->setText(QStringLiteral("-"));
        probe.animation().tick();
        QCOMPARE(edit->text(), QStringLiteral("-"));

        ui->checkBoxMirrorSprite->click();
        QVERIFY(ui->labelSprite->picture().cacheKey() != shown);
    }

    void swatches_data()
    {
        QTest::addColumn<int>("palette");
        QTest::newRow("first palette") << 0;
        QTest::newRow("another palette") << 4;
        QTest::newRow("Import/Export") << 10;
    }

    void swatches()
    {
        QFETCH(int, palette);
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();

        ui->comboBoxPalette->setCurrentIndex(palette);
        const QList<QLabel *> labels{ui->labelColor1, ui->labelColor2, ui->labelColor3, ui->labelColorBg};
        for (int i = 0; i < labels.size(); ++i) {
            const QImage swatch = labels.at(i)->pixmap().toImage();
            QCOMPARE(swatch.size(), QSize(10, 20));
            const QRgb expected = i < 3 ? probe.palettes().at(palette).at(i + 1).rgb() : probe.backgroundColor().rgb();
            QCOMPARE(swatch.pixel(0, 0) | 0xff000000u, expected);
            QCOMPARE(swatch.pixel(9, 19) | 0xff000000u, expected);
        }
        if (palette == 10)
            QCOMPARE(probe.palettes().at(10).at(6), QColor(0, 109, 72));
    }

    void invalidPaletteIndexIsHarmless()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        probe.ui()->comboBoxPalette->setCurrentIndex(-1);
        QCOMPARE(probe.ui()->labelSprite->picture().size(), QSize(144, 144));
        QCOMPARE(PixmapPixel(probe.ui()->labelSprite->picture(), 0, 0), probe.backgroundColor().rgb());
    }
};

QTEST_MAIN(TestViewDisplay)
#include "tst_viewdisplay.moc"
