#include <QtTest>

#include <QCheckBox>
#include <QTemporaryDir>

#include "windowprobe.h"
#include "viewtestrom.h"

// The timer's ticks: rotation, tilt and wheels stepping, and the redraw.
// The tilt direction lives for the whole process, so only one test here runs
// the automatic tilt.
class TestAnimation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;

    struct View
    {
        int sprite;
        bool mirrored;
        friend bool operator==(const View &, const View &) = default;
    };

    static View Shown(WindowProbe &probe)
    {
        return {probe.ui()->spinBoxSpriteNumber->value(), probe.ui()->checkBoxMirrorSprite->isChecked()};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        romPath = dir.filePath(QStringLiteral("rom.bin"));
        QVERIFY(WriteViewTestRom(romPath));
    }

    void timerStartsAt60ms()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        QVERIFY(probe.animation().isActive());
        QCOMPARE(probe.animation().interval(), 60);
        QVERIFY(QTest::qWaitFor([&] { return !probe.ui()->labelSprite->picture().isNull(); }));
    }

    void autoRotate()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        probe.ui()->checkBoxRotation->setChecked(true);

        QList<int> sprites;
        QList<bool> mirrored;
        for (int tick = 0; tick < 25; ++tick) {
            probe.animation().tick();
            sprites.append(probe.ui()->spinBoxSpriteNumber->value());
            mirrored.append(probe.ui()->checkBoxMirrorSprite->isChecked());
        }
        QCOMPARE(sprites, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 2}));
        for (int tick = 0; tick < 25; ++tick)
            QCOMPARE(mirrored.at(tick), tick >= 12 && tick <= 22);
        QCOMPARE(probe.ui()->spinBoxRotation->value(), 1);
    }

    void autoTiltBounces()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        ui->spinBoxRotation->setValue(3);   // every tilt has a sprite in this column
        ui->checkBoxTilt->setChecked(true);

        QList<int> tilts;
        for (int tick = 0; tick < 13; ++tick) {
            probe.animation().tick();
            tilts.append(ui->spinBoxTilt->value());
        }
        QCOMPARE(tilts, (QList<int>{1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -3}));
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 35);   // column 3, tilt -3

        // Switching auto-tilt off and on keeps the direction (still rising).
        ui->checkBoxTilt->setChecked(false);
        probe.animation().tick();
        QCOMPARE(ui->spinBoxTilt->value(), -3);
        ui->checkBoxTilt->setChecked(true);
        probe.animation().tick();
        QCOMPARE(ui->spinBoxTilt->value(), -2);

        // A new window does not reset it either: from 4 the next step goes down.
        ui->spinBoxTilt->setValue(4);
        probe.animation().tick();
        QCOMPARE(ui->spinBoxTilt->value(), 3);
        SKMcarEditor other(romPath);
        WindowProbe otherProbe(other);
        otherProbe.animation().stop();
        otherProbe.ui()->checkBoxTilt->setChecked(true);
        otherProbe.animation().tick();
        QCOMPARE(otherProbe.ui()->spinBoxTilt->value(), -1);
    }

    void autoWheels()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        ui->doubleSpinBoxSpriteZoom->setValue(1.0);
        ui->spinBoxSpriteNumber->setValue(4);   // index 4 at columns 3..5
        const QRgb four = probe.palettes().at(0).at(4).rgb();
        const QRgb five = probe.palettes().at(0).at(5).rgb();

        ui->checkBoxWheelAnimation->setChecked(true);
        for (int tick = 1; tick <= 5; ++tick) {
            probe.animation().tick();
            const bool turned = tick % 2 == 1;
            QCOMPARE(ui->checkBoxRotateWheels->isChecked(), turned);
            QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 4, 12), turned ? five : four);
        }
        ui->checkBoxWheelAnimation->setChecked(false);
        probe.animation().tick();
        QVERIFY(ui->checkBoxRotateWheels->isChecked());
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 4, 12), five);
    }

    void cellsWithoutSpriteKeepPrevious()
    {
        // Rotation steps first (looked up with the old tilt), then the tilt.
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        const FormControls *ui = probe.ui();
        ui->checkBoxRotation->setChecked(true);
        ui->checkBoxTilt->setChecked(true);
        // From tilt 4 the next step goes down whichever way the process-wide
        // direction pointed, and it points down afterwards.
        ui->spinBoxTilt->setValue(4);
        QCOMPARE(Shown(probe), (View{1, false}));   // (0, 4) has no sprite

        QList<View> shown;
        QList<QPoint> parameters;
        for (int tick = 0; tick < 5; ++tick) {
            probe.animation().tick();
            shown.append(Shown(probe));
            parameters.append(QPoint(ui->spinBoxRotation->value(), ui->spinBoxTilt->value()));
        }
        QCOMPARE(parameters, (QList<QPoint>{QPoint(1, 3), QPoint(2, 2), QPoint(3, 1), QPoint(4, 0), QPoint(5, -1)}));
        // (1, 4) and (1, 3) have none: sprite 1 stays; (2, 3) none, (2, 2) -> 32;
        // (3, 2) -> 39, (3, 1) -> 38; (4, 1) none, (4, 0) -> 5; (5, 0) -> 6, (5, -1) none.
        QCOMPARE(shown, (QList<View>{{1, false}, {32, false}, {38, false}, {5, false}, {6, false}}));
    }

    void ticksDrawnAsTheStyleDraws_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::newRow("ticked") << true;
        QTest::newRow("clear") << false;
    }
    void ticksDrawnAsTheStyleDraws()
    {
        // The wheels' box draws its tick from a kept picture: it must look
        // as a box of the application's style looks in the same state.
        QFETCH(bool, checked);
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        QCheckBox *wheels = probe.ui()->checkBoxRotateWheels;
        QCheckBox plain(wheels->text());
        plain.setFont(wheels->font());
        plain.setAutoFillBackground(true);
        for (int round = 0; round < 2; ++round) {   // drawn once, then from the kept picture
            wheels->setChecked(checked);
            plain.setChecked(checked);
            const QImage kept = wheels->grab().toImage().convertToFormat(QImage::Format_RGB32);
            plain.setFixedSize(wheels->size());
            const QImage styled = plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(kept.size(), styled.size());
            int differing = 0;
            for (int y = 0; y < kept.height(); ++y)
                for (int x = 0; x < kept.width(); ++x) {
                    const QRgb a = kept.pixel(x, y), b = styled.pixel(x, y);
                    if (qAbs(qRed(a) - qRed(b)) > 2 || qAbs(qGreen(a) - qGreen(b)) > 2 || qAbs(qBlue(a) - qBlue(b)) > 2)
                        ++differing;
                }
            QCOMPARE(differing, 0);
            wheels->setChecked(!checked);
            plain.setChecked(!checked);
            wheels->grab();
        }
    }

    void sliderDragSetsInterval()
    {
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        QSlider *slider = probe.ui()->horizontalSlider;

        slider->setSliderDown(true);
        slider->setSliderPosition(slider->minimum());
        slider->setSliderDown(false);
        QCOMPARE(probe.animation().interval(), 20);
        slider->setSliderDown(true);
        slider->setSliderPosition(slider->maximum());
        slider->setSliderDown(false);
        QCOMPARE(probe.animation().interval(), 200);

        // Without a drag the position moves but the interval does not.
        slider->setValue(100);
        QCOMPARE(probe.animation().interval(), 200);
        QVERIFY(probe.animation().isActive());

        probe.animation().setInterval(0);
        QVERIFY(probe.animation().interval() >= 1);
    }
};

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
