#include <QtTest>

#include <memory>

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>

#include "editor/state/animationfollower.h"
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

    // What the animation has on show (the form follows it within a fifth of a
    // second; formFollowsSteps checks that).
    static View Shown(WindowProbe &probe)
    {
        return {probe.selection().sprite() + 1, probe.selection().mirrored()};
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
            sprites.append(Shown(probe).sprite);
            mirrored.append(Shown(probe).mirrored);
        }
        QCOMPARE(sprites, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 2}));
        for (int tick = 0; tick < 25; ++tick)
            QCOMPARE(mirrored.at(tick), tick >= 12 && tick <= 22);
        QCOMPARE(probe.selection().rotation(), 1);
        QTRY_COMPARE(probe.ui()->spinBoxRotation->value(), 1);
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
            tilts.append(probe.selection().tilt());
        }
        QCOMPARE(tilts, (QList<int>{1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -3}));
        QCOMPARE(Shown(probe).sprite, 35);   // column 3, tilt -3

        // Switching auto-tilt off and on keeps the direction (still rising).
        ui->checkBoxTilt->setChecked(false);
        probe.animation().tick();
        QCOMPARE(probe.selection().tilt(), -3);
        ui->checkBoxTilt->setChecked(true);
        probe.animation().tick();
        QCOMPARE(probe.selection().tilt(), -2);

        // A new window does not reset it either: from 4 the next step goes down.
        ui->spinBoxTilt->setValue(4);
        probe.animation().tick();
        QCOMPARE(probe.selection().tilt(), 3);
        SKMcarEditor other(romPath);
        WindowProbe otherProbe(other);
        otherProbe.animation().stop();
        otherProbe.ui()->checkBoxTilt->setChecked(true);
        otherProbe.animation().tick();
        QCOMPARE(otherProbe.selection().tilt(), -1);
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
            QCOMPARE(probe.selection().wheelsTurned(), turned);
            QCOMPARE(PixmapPixel(ui->labelSprite->picture(), 4, 12), turned ? five : four);
        }
        ui->checkBoxWheelAnimation->setChecked(false);
        probe.animation().tick();
        QVERIFY(probe.selection().wheelsTurned());
        QTRY_VERIFY(ui->checkBoxRotateWheels->isChecked());
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
            parameters.append(QPoint(probe.selection().rotation(), probe.selection().tilt()));
        }
        QCOMPARE(parameters, (QList<QPoint>{QPoint(1, 3), QPoint(2, 2), QPoint(3, 1), QPoint(4, 0), QPoint(5, -1)}));
        // (1, 4) and (1, 3) have none: sprite 1 stays; (2, 3) none, (2, 2) -> 32;
        // (3, 2) -> 39, (3, 1) -> 38; (4, 1) none, (4, 0) -> 5; (5, 0) -> 6, (5, -1) none.
        QCOMPARE(shown, (QList<View>{{1, false}, {32, false}, {38, false}, {5, false}, {6, false}}));
    }

    void formFollowsSteps()
    {
        // The view shows every step; the form's controls show the first step
        // after a quiet span at once, later ones at the end of that span, and
        // a change by the user at once.
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        QTest::qWait(AnimationFollower::kIntervalMs + 50);
        const FormControls *ui = probe.ui();
        ui->checkBoxRotation->setChecked(true);
        ui->checkBoxWheelAnimation->setChecked(true);

        probe.animation().tick();
        QCOMPARE(ui->spinBoxRotation->value(), 1);
        QVERIFY(ui->checkBoxRotateWheels->isChecked());
        for (int tick = 0; tick < 3; ++tick)   // no event handled between them: within the span
            probe.animation().tick();
        QCOMPARE(probe.selection().rotation(), 4);
        QCOMPARE(ui->spinBoxRotation->value(), 1);
        QTRY_COMPARE(ui->spinBoxRotation->value(), 4);
        QCOMPARE(ui->spinBoxSpriteNumber->value(), probe.selection().sprite() + 1);
        QCOMPARE(ui->checkBoxRotateWheels->isChecked(), probe.selection().wheelsTurned());

        probe.animation().tick();
        probe.selection().setSprite(0);
        QCOMPARE(ui->spinBoxSpriteNumber->value(), 1);
        QCOMPARE(ui->spinBoxRotation->value(), probe.selection().rotation());
    }

    void stepPaintsBeforeTheTickReturns()
    {
        // A step is painted at once, in one paint with what the followers
        // marked in the same step: nothing is left waiting in the event queue
        // for the view, and the form's numbers show the step they follow.
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QTest::qWait(AnimationFollower::kIntervalMs + 50);   // a quiet span: the next step is followed at once
        const FormControls *ui = probe.ui();
        ui->checkBoxRotation->setChecked(true);
        QCoreApplication::processEvents();

        struct PaintCounter : QObject
        {
            int view = 0, rotation = 0;
            QObject *viewWidget = nullptr;
            bool eventFilter(QObject *watched, QEvent *event) override
            {
                if (event->type() == QEvent::Paint)
                    ++(watched == viewWidget ? view : rotation);
                return false;
            }
        } counter;
        counter.viewWidget = ui->labelSprite;
        ui->labelSprite->installEventFilter(&counter);
        ui->spinBoxRotation->findChild<QLineEdit *>()->installEventFilter(&counter);

        const int before = probe.selection().rotation();
        probe.animation().tick();   // no event handled from here on
        QCOMPARE_NE(probe.selection().rotation(), before);
        QCOMPARE(counter.view, 1);
        QCOMPARE(ui->spinBoxRotation->value(), probe.selection().rotation());
        QCOMPARE(counter.rotation, 1);   // the number painted in the same paint
        ui->labelSprite->removeEventFilter(&counter);
        ui->spinBoxRotation->findChild<QLineEdit *>()->removeEventFilter(&counter);
    }

    void keptPicturesLookAsTheStyleDraws_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("checked");
        QTest::newRow("wheels, ticked") << QStringLiteral("checkBoxRotateWheels") << true;
        QTest::newRow("wheels, clear") << QStringLiteral("checkBoxRotateWheels") << false;
        QTest::newRow("sprite selection box") << QStringLiteral("groupBox") << false;
        QTest::newRow("animation box") << QStringLiteral("groupBox_2") << false;
    }
    void keptPicturesLookAsTheStyleDraws()
    {
        // The animated check boxes and the group boxes behind them draw from
        // kept pictures: they must look as the application's style draws the
        // same control in the same state (without children: the box alone).
        QFETCH(QString, control);
        QFETCH(bool, checked);
        SKMcarEditor editor(romPath);
        WindowProbe probe(editor);
        probe.animation().stop();
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto *kept = editor.findChild<QWidget *>(control);
        QVERIFY(kept);
        auto *check = qobject_cast<QCheckBox *>(kept);
        auto *box = qobject_cast<QGroupBox *>(kept);
        QVERIFY(check || box);
        QVERIFY(kept->style() != QApplication::style());   // its own, keeping pictures
        std::unique_ptr<QWidget> plain;
        if (check)
            plain = std::make_unique<QCheckBox>(check->text());
        else
            plain = std::make_unique<QGroupBox>(box->title());
        plain->setFont(kept->font());
        plain->setFixedSize(kept->size());
        const auto picture = [](QWidget *widget) {
            QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
            return image;
        };
        for (int round = 0; round < 2; ++round) {   // drawn once, then from the kept picture
            if (check) {
                check->setChecked(checked);
                static_cast<QCheckBox *>(plain.get())->setChecked(checked);
            }
            const QImage fromKept = picture(kept);
            const QImage styled = picture(plain.get());
            QCOMPARE(fromKept.size(), styled.size());
            int differing = 0;
            for (int y = 0; y < styled.height(); ++y)
                for (int x = 0; x < styled.width(); ++x) {
                    const QRgb a = fromKept.pixel(x, y), b = styled.pixel(x, y);
                    if (qAbs(qRed(a) - qRed(b)) > 2 || qAbs(qGreen(a) - qGreen(b)) > 2 || qAbs(qBlue(a) - qBlue(b)) > 2
                        || qAbs(qAlpha(a) - qAlpha(b)) > 2)
                        ++differing;
                }
            QCOMPARE(differing, 0);
            if (check) {
                check->setChecked(!checked);
                picture(kept);
            }
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
