#include <QtTest>

#include <QTemporaryDir>

#include "editor/spriteview.h"
#include "editorprobe.h"
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

    static View Shown(EditorProbe &probe)
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
        EditorProbe probe(editor);
        QVERIFY(probe.animationTimer().isActive());
        QCOMPARE(probe.animationTimer().interval(), 60);
        // Ticks redraw even with nothing animated, and leave the guard on:
        // a picture put in by hand is replaced by the sprite again.
        for (QCheckBox *animated : {probe.ui()->checkBoxRotation, probe.ui()->checkBoxTilt, probe.ui()->checkBoxWheelAnimation})
            animated->setChecked(false);
        SpriteView *view = probe.ui()->labelSprite;
        QImage blank(48, 48, QImage::Format_ARGB32);
        blank.fill(Qt::magenta);
        view->setSprite(blank, view->mapping());
        QCOMPARE(view->sprite().pixel(0, 0), blank.pixel(0, 0));
        QVERIFY(QTest::qWaitFor([&] { return view->sprite().pixel(0, 0) != blank.pixel(0, 0); }));
        QVERIFY(probe.reactToControls());
    }

    void autoRotate()
    {
        SKMcarEditor editor(romPath);
        EditorProbe probe(editor);
        probe.animationTimer().stop();
        probe.ui()->checkBoxRotation->setChecked(true);

        QList<int> sprites;
        QList<bool> mirrored;
        for (int tick = 0; tick < 25; ++tick) {
            QVERIFY(probe.invoke("Animate"));
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
        EditorProbe probe(editor);
        probe.animationTimer().stop();
        Ui::SKMcarEditor *ui = probe.ui();
        ui->spinBoxRotation->setValue(3);   // every tilt has a sprite in this column
        ui->checkBoxTilt->setChecked(true);

        QList<int> tilts;
        for (int tick = 0; tick < 13; ++tick) {
            QVERIFY(probe.invoke("Animate"));
            tilts.append(ui->spinBoxTilt->value());
        }
        QCOMPARE(tilts, (QList<int>{1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -3}));
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 35);   // column 3, tilt -3

        // Switching auto-tilt off and on keeps the direction (still rising).
        ui->checkBoxTilt->setChecked(false);
        QVERIFY(probe.invoke("Animate"));
        QCOMPARE(ui->spinBoxTilt->value(), -3);
        ui->checkBoxTilt->setChecked(true);
        QVERIFY(probe.invoke("Animate"));
        QCOMPARE(ui->spinBoxTilt->value(), -2);

        // A new window does not reset it either: from 4 the next step goes down.
        ui->spinBoxTilt->setValue(4);
        QVERIFY(probe.invoke("Animate"));
        QCOMPARE(ui->spinBoxTilt->value(), 3);
        SKMcarEditor other(romPath);
        EditorProbe otherProbe(other);
        otherProbe.animationTimer().stop();
        otherProbe.ui()->checkBoxTilt->setChecked(true);
        QVERIFY(otherProbe.invoke("Animate"));
        QCOMPARE(otherProbe.ui()->spinBoxTilt->value(), -1);
    }

    void autoWheels()
    {
        SKMcarEditor editor(romPath);
        EditorProbe probe(editor);
        probe.animationTimer().stop();
        Ui::SKMcarEditor *ui = probe.ui();
        ui->doubleSpinBoxSpriteZoom->setValue(1.0);
        ui->spinBoxSpriteNumber->setValue(4);   // index 4 at columns 3..5
        const QRgb four = probe.palettes().at(0).at(4).rgb();
        const QRgb five = probe.palettes().at(0).at(5).rgb();

        ui->checkBoxWheelAnimation->setChecked(true);
        for (int tick = 1; tick <= 5; ++tick) {
            QVERIFY(probe.invoke("Animate"));
            const bool turned = tick % 2 == 1;
            QCOMPARE(ui->checkBoxRotateWheels->isChecked(), turned);
            QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 4, 12), turned ? five : four);
        }
        ui->checkBoxWheelAnimation->setChecked(false);
        QVERIFY(probe.invoke("Animate"));
        QVERIFY(ui->checkBoxRotateWheels->isChecked());
        QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 4, 12), five);
    }

    void cellsWithoutSpriteKeepPrevious()
    {
        // Rotation steps first (looked up with the old tilt), then the tilt.
        SKMcarEditor editor(romPath);
        EditorProbe probe(editor);
        probe.animationTimer().stop();
        Ui::SKMcarEditor *ui = probe.ui();
        ui->checkBoxRotation->setChecked(true);
        ui->checkBoxTilt->setChecked(true);
        // From tilt 4 the next step goes down whichever way the process-wide
        // direction pointed, and it points down afterwards.
        ui->spinBoxTilt->setValue(4);
        QCOMPARE(Shown(probe), (View{1, false}));   // (0, 4) has no sprite

        QList<View> shown;
        QList<QPoint> parameters;
        for (int tick = 0; tick < 5; ++tick) {
            QVERIFY(probe.invoke("Animate"));
            shown.append(Shown(probe));
            parameters.append(QPoint(ui->spinBoxRotation->value(), ui->spinBoxTilt->value()));
        }
        QCOMPARE(parameters, (QList<QPoint>{QPoint(1, 3), QPoint(2, 2), QPoint(3, 1), QPoint(4, 0), QPoint(5, -1)}));
        // (1, 4) and (1, 3) have none: sprite 1 stays; (2, 3) none, (2, 2) -> 32;
        // (3, 2) -> 39, (3, 1) -> 38; (4, 1) none, (4, 0) -> 5; (5, 0) -> 6, (5, -1) none.
        QCOMPARE(shown, (QList<View>{{1, false}, {32, false}, {38, false}, {5, false}, {6, false}}));
    }

    void nestedGuardStaysCleared()
    {
        SKMcarEditor editor(romPath);
        EditorProbe probe(editor);
        probe.animationTimer().stop();
        const QImage before = probe.ui()->labelSprite->picture().toImage();
        probe.ui()->checkBoxRotation->setChecked(true);
        probe.reactToControls() = false;
        QVERIFY(probe.invoke("Animate"));
        QVERIFY(!probe.reactToControls());
        QCOMPARE(probe.ui()->spinBoxSpriteNumber->value(), 2);
        QCOMPARE(probe.ui()->labelSprite->picture().toImage(), before);
    }

    void sliderDragSetsInterval()
    {
        SKMcarEditor editor(romPath);
        EditorProbe probe(editor);
        QSlider *slider = probe.ui()->horizontalSlider;

        slider->setSliderDown(true);
        slider->setSliderPosition(slider->minimum());
        slider->setSliderDown(false);
        QCOMPARE(probe.animationTimer().interval(), 20);
        slider->setSliderDown(true);
        slider->setSliderPosition(slider->maximum());
        slider->setSliderDown(false);
        QCOMPARE(probe.animationTimer().interval(), 200);

        // Without a drag the position moves but the interval does not.
        slider->setValue(100);
        QCOMPARE(probe.animationTimer().interval(), 200);
        QVERIFY(probe.animationTimer().isActive());

        QVERIFY(QMetaObject::invokeMethod(editor.findChild<QObject *>(QStringLiteral("spriteViewController")), "SetAnimationInterval", Qt::DirectConnection, Q_ARG(int, 0)));
        QVERIFY(probe.animationTimer().interval() >= 1);
    }
};

QTEST_MAIN(TestAnimation)
#include "tst_animation.moc"
