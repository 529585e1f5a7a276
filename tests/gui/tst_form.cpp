#include <QtTest>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <memory>

#include "car/equipment.h"
#include "common/testrom.h"
#include "windowprobe.h"
#include "palette/palettenames.h"
#include "ui_skmcareditor.h"   // the form itself, as Designer made it

namespace {

// Plain text of a label or tooltip text, rich or not; paragraphs become lines.
QString plainText(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

QStringList itemTexts(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString romPath;
    ScriptedPrompts prompts;   // outlives the window
    std::unique_ptr<SKMcarEditor> window;

    template <typename T = QWidget>
    T *child(const QString &name) const
    {
        return window->findChild<T *>(name);
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window_hints();
    void spinBoxes_data();
    void spinBoxes();
    void stepping_data();
    void stepping();
    void zoom();
    void slider();
    void texts_data();
    void texts();
    void editCharacteristicsLabel();
    void tooltips_data();
    void tooltips();
    void noOtherTooltips();
    void shortcuts_data();
    void shortcuts();
    void noOtherShortcuts();
    void buddies_data();
    void buddies();
    void tabOrder_data();
    void tabOrder();
    void arrowsWithinGroups_data();
    void arrowsWithinGroups();
    void frames_data();
    void frames();
    void alignment_data();
    void alignment();
    void characteristicBoxesHiddenAtStart();
    void comboItems_data();
    void comboItems();
    void scopeButtons();
    void exchangeBoxBothWays_data();
    void exchangeBoxBothWays();
};

void TestForm::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QVERIFY(dir.isValid());
    // The quick export writes "sprite.bmp" into the working folder.
    QVERIFY(QDir::setCurrent(dir.path()));
    romPath = dir.filePath(QStringLiteral("blank.bin"));
    QVERIFY(WriteBytes(romPath, QByteArray(kSpritesAreaEnd, '\0')));
}

void TestForm::init()
{
    window = std::make_unique<SKMcarEditor>(romPath, &prompts);
}

void TestForm::cleanup()
{
    window.reset();   // destroyed without the exit question
}

void TestForm::window_hints()
{
    QCOMPARE(window->objectName(), QStringLiteral("SKMcarEditor"));
    QCOMPARE(window->windowTitle(), QStringLiteral("blank.bin[*] - SKM [SMD] Car Editor"));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->windowIcon().availableSizes().value(0), QSize(32, 32));
    QVERIFY(!window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint));   // resizable

    // The form's own size; the window then fits itself to the sprite shown.
    QWidget bare;
    Ui::SKMcarEditor form;
    form.setupUi(&bare);
    QCOMPARE(bare.size(), QSize(464, 612));
    QCOMPARE(bare.windowTitle(), QStringLiteral("SKM [SMD] Car Editor"));
}

void TestForm::spinBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("wrapping");
    QTest::addColumn<bool>("accelerated");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("car number") << "spinBoxCarNumber" << 1 << 5 << 1 << true << false << "/5";
    QTest::newRow("sprite number") << "spinBoxSpriteNumber" << 1 << 45 << 1 << true << true << "/45";
    QTest::newRow("rotation") << "spinBoxRotation" << 0 << 23 << 0 << true << true << "";
    QTest::newRow("tilt") << "spinBoxTilt" << -4 << 4 << 0 << false << false << "";
    QTest::newRow("move up") << "spinBoxMoveSpriteUp" << -48 << 48 << 0 << false << false << "";
    QTest::newRow("move right") << "spinBoxMoveSpriteRight" << -48 << 48 << 0 << false << false << "";
    for (const char *name : {"spinBoxTopSpeed", "spinBoxAcceleration", "spinBoxAdhesion", "spinBoxCornering",
                             "spinBoxJumping"})
        QTest::newRow(name) << name << 0 << 255 << 0 << false << true << "";
}

void TestForm::spinBoxes()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(int, value);
    QFETCH(bool, wrapping);
    QFETCH(bool, accelerated);
    QFETCH(QString, suffix);

    auto *box = child<QSpinBox>(name);
    QVERIFY(box);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(box->text(), QString::number(value) + suffix);

    // Typed as a user types it: both ends are taken, a number past either is not.
    const auto type = [&](const QString &text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        return box->value();
    };
    QCOMPARE(type(QString::number(maximum)), maximum);
    QCOMPARE(type(QString::number(minimum)), minimum);
    QVERIFY(type(QString::number(maximum + 1)) <= maximum);
    QVERIFY(type(QString::number(minimum - 1)) >= minimum);

    // One step past an end wraps round or stays, as the box is made to.
    box->setValue(maximum);
    QTest::keyClick(box, Qt::Key_Up);
    QCOMPARE(box->value(), wrapping ? minimum : maximum);
    box->setValue(minimum);
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(box->value(), wrapping ? maximum : minimum);
    QCOMPARE(box->isAccelerated(), accelerated);
}

void TestForm::stepping_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("expected");

    QTest::newRow("car 5 up wraps to 1") << "spinBoxCarNumber" << 5 << 1 << 1;
    QTest::newRow("car 1 down wraps to 5") << "spinBoxCarNumber" << 1 << -1 << 5;
    QTest::newRow("sprite 45 up wraps to 1") << "spinBoxSpriteNumber" << 45 << 1 << 1;
    QTest::newRow("sprite 1 down wraps to 45") << "spinBoxSpriteNumber" << 1 << -1 << 45;
    QTest::newRow("rotation 23 up wraps to 0") << "spinBoxRotation" << 23 << 1 << 0;
    QTest::newRow("rotation 0 down wraps to 23") << "spinBoxRotation" << 0 << -1 << 23;
    QTest::newRow("tilt stops at 4") << "spinBoxTilt" << 4 << 1 << 4;
    QTest::newRow("tilt stops at -4") << "spinBoxTilt" << -4 << -1 << -4;
    QTest::newRow("move up stops at 48") << "spinBoxMoveSpriteUp" << 48 << 1 << 48;
    QTest::newRow("top speed stops at 255") << "spinBoxTopSpeed" << 255 << 1 << 255;
}

void TestForm::stepping()
{
    QFETCH(QString, name);
    QFETCH(int, start);
    QFETCH(int, steps);
    QFETCH(int, expected);

    auto *box = child<QSpinBox>(name);
    QVERIFY(box);
    box->setValue(start);
    box->stepBy(steps);
    QCOMPARE(box->value(), expected);
}

void TestForm::zoom()
{
    auto *zoom = window->findChild<QDoubleSpinBox *>(QStringLiteral("doubleSpinBoxSpriteZoom"));
    QVERIFY(zoom);
    QCOMPARE(zoom->decimals(), 1);
    QCOMPARE(zoom->minimum(), 0.1);
    QCOMPARE(zoom->maximum(), 10.0);
    QCOMPARE(zoom->singleStep(), 0.1);
    QCOMPARE(zoom->value(), 3.0);
    QCOMPARE(zoom->text(), QStringLiteral("3.0x"));

    zoom->stepBy(1);
    QCOMPARE(zoom->text(), QStringLiteral("3.1x"));
    zoom->setValue(10.0);
    zoom->stepBy(1);
    QCOMPARE(zoom->value(), 10.0);
    zoom->setValue(0.1);
    zoom->stepBy(-1);
    QCOMPARE(zoom->value(), 0.1);
}

void TestForm::slider()
{
    auto *slider = child<QSlider>(QStringLiteral("horizontalSlider"));
    QVERIFY(slider);
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->minimum(), 20);
    QCOMPARE(slider->maximum(), 200);
    QCOMPARE(slider->value(), 60);
    QVERIFY(slider->invertedAppearance());
    QVERIFY(slider->invertedControls());

    // Its start position is the timer's start interval.
    WindowProbe probe(*window);
    QVERIFY(probe.animation().isActive());
    QCOMPARE(probe.animation().interval(), 60);
}

void TestForm::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    const QList<QPair<const char *, const char *>> texts = {
        {"groupBox", "Sprite selection"},
        {"groupBox_2", "Animation"},
        {"groupBox_3", "Save/Load sprites"},
        {"groupBox_4", ""},
        {"groupBox_6", "Move Sprite"},
        {"groupBox_8", "Quick sprite import"},
        {"groupBox_9", "Palette"},
        {"groupBoxParameters", "Parameters"},
        {"groupBoxWeapons", "Weapons"},
        {"labelarNumber", "car"},
        {"labelSpriteNumber", "sprite"},
        {"checkBoxMirrorSprite", "mirrored"},
        {"checkBoxRotateWheels", "rotate wheels"},
        {"labelSpriteZoom", "zoom"},
        {"labelRotation", "rotation"},
        {"checkBoxRotation", "auto-rotate"},
        {"labelTilt", "tilt"},
        {"checkBoxTilt", "auto-tilt"},
        {"checkBoxWheelAnimation", "auto-wheels"},
        {"radioButtonSaveSprite", "sprite"},
        {"radioButtonSaveCar", "car"},
        {"radioButtonSaveAll", "all"},
        {"pushButtonLoad", "Load"},
        {"pushButtonSave", "Save As..."},
        {"checkBoxMultipleFiles", "separate sprites"},
        {"checkBoxDither", "dithering"},
        {"classicMatching", "classic matching"},
        {"checkBoxConsoleExport", "console colours"},
        {"checkBoxConsoleMatch", "match as the console shows"},
        {"pushButtonQuickIn", "In"},
        {"pushButtonQuickOut", "Out"},
        {"labelMoveSpriteUp", "up/down"},
        {"labelMoveSpriteRight", "left/right"},
        {"pushButtonAutocenterSprite", "Auto-center sprite"},
        {"pushButtonAutocenterCar", "Auto-center car"},
        {"checkBoxMoveCar", "move all sprites"},
        {"pushButtonResetCarMovings", "Reset all car"},
        {"labelPaletteREstore", "restore"},
        {"labelPaletteSwap", "><"},
        {"labelPalettShift", ">>"},
        {"labelTopSpeed", "Top Speed"},
        {"labelAdhesion", "Suspension"},
        {"labelJumping", "Jumping"},
        {"labelAcceleration", "Acceleration"},
        {"labelCornering", "Cornering"},
        {"labelRestoreParamaters", "restore"},
        {"labelWeaponA", "Weapon 1"},
        {"labelWeaponC", "Weapon 2"},
        {"labelWeaponJT", "Jump/Turbo"},
        {"labelRestoreWeapons", "restore"},
        {"labelSaveChanges", "Save Changes"},
        {"labelRestoreRom", "Restore All Rom"},
        {"labelRestoreDefaults", "Restore Defaults"},
        {"labelShowCharacteristics", "Edit car characteristics"},
        {"label", "?"},
        {"labelColor1", ""},
        {"labelColor2", ""},
        {"labelColor3", ""},
        {"labelColorBg", ""},
    };
    for (const auto &[name, text] : texts)
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
}

void TestForm::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    QWidget *widget = child(name);
    QVERIFY2(widget, qPrintable(name));
    const char *property = qobject_cast<QGroupBox *>(widget) ? "title" : "text";
    QCOMPARE(plainText(widget->property(property).toString()), text);
}

void TestForm::editCharacteristicsLabel()
{
    auto *label = child<QLabel>(QStringLiteral("labelShowCharacteristics"));
    QVERIFY(label);
    QTextDocument document;
    document.setHtml(label->text());
    QCOMPARE(document.blockCount(), 1);
    const QTextCharFormat format = document.begin().begin().fragment().charFormat();
    QVERIFY(format.fontUnderline());
    QCOMPARE(format.fontPointSize(), 8.0);
}

void TestForm::tooltips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("rich");

    QTest::newRow("speed slider") << "horizontalSlider" << QStringList{"animation speed"} << false;
    QTest::newRow("dithering") << "checkBoxDither"
                               << QStringList{"may be useful for", "importing images with", "incorrect palette"}
                               << true;
    // The quick exchange names the working folder it uses.
    const QString folder = QDir::toNativeSeparators(QDir::currentPath());
    QTest::newRow("quick in")
        << "pushButtonQuickIn"
        << QStringList{QStringLiteral("Ctrl+Q: reads \"sprite.bmp\" from the working folder %1 into the sprite on show").arg(folder)}
        << false;
    QTest::newRow("quick out")
        << "pushButtonQuickOut"
        << QStringList{QStringLiteral("Ctrl+W: writes the sprite on show to \"sprite.bmp\" in the working folder %1 (replacing it)").arg(folder)}
        << false;
}

void TestForm::tooltips()
{
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    QFETCH(bool, rich);

    QWidget *widget = child(name);
    QVERIFY(widget);
    const QString tip = widget->toolTip();
    QCOMPARE(Qt::mightBeRichText(tip), rich);
    QCOMPARE(plainText(tip), lines.join(QLatin1Char('\n')));
    if (!rich)
        return;
    // One 8 pt paragraph per line.
    QTextDocument document;
    document.setHtml(tip);
    QCOMPARE(document.blockCount(), lines.size());
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        QCOMPARE(block.begin().fragment().charFormat().fontPointSize(), 8.0);
}

void TestForm::noOtherTooltips()
{
    // Every control of the form says what it does.
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QAbstractSpinBox *>(widget)
            || qobject_cast<QComboBox *>(widget) || qobject_cast<QClickLabel *>(widget);
        if (control && !widget->objectName().startsWith(QLatin1String("qt_")) && widget->window() == window.get())
            QVERIFY2(!widget->toolTip().isEmpty(), qPrintable(widget->objectName()));
    }
}

void TestForm::shortcuts_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("button");

    const char *focusPlaces[] = {"spinBoxCarNumber", "comboBoxPalette", "horizontalSlider", "spinBoxMoveSpriteUp",
                                 "pushButtonLoad"};
    for (const char *focus : focusPlaces) {
        QTest::addRow("Ctrl+Q from %s", focus) << focus << int(Qt::Key_Q) << "actionQuickImport";
        QTest::addRow("Ctrl+W from %s", focus) << focus << int(Qt::Key_W) << "actionQuickExport";
    }
}

void TestForm::shortcuts()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, button);

    // The keys belong to the Sprite menu's items, which do what the buttons do.
    auto *target = window->findChild<QAction *>(button);
    QVERIFY(target);
    QCOMPARE(target->shortcut(), QKeySequence(Qt::CTRL | Qt::Key(key)));

    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget *focused = child(focus);
    QVERIFY(focused);
    focused->setFocus();
    QTRY_VERIFY(focused->hasFocus() || focused->isAncestorOf(QApplication::focusWidget()));

    QSignalSpy clicks(target, &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
    QTRY_COMPARE(clicks.count(), 1);
}

void TestForm::noOtherShortcuts()
{
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        const QString name = button->objectName();
        if (name != QLatin1String("pushButtonQuickIn") && name != QLatin1String("pushButtonQuickOut"))
            QVERIFY2(button->shortcut().isEmpty(), qPrintable(name));
    }
}

void TestForm::buddies_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("buddy");

    const QList<QPair<const char *, const char *>> pairs = {
        {"labelarNumber", "spinBoxCarNumber"},
        {"labelSpriteNumber", "spinBoxSpriteNumber"},
        {"labelSpriteZoom", "doubleSpinBoxSpriteZoom"},
        {"labelRotation", "spinBoxRotation"},
        {"labelTilt", "spinBoxTilt"},
        {"labelMoveSpriteUp", "spinBoxMoveSpriteUp"},
        {"labelMoveSpriteRight", "spinBoxMoveSpriteRight"},
        {"labelTopSpeed", "spinBoxTopSpeed"},
        {"labelAdhesion", "spinBoxAdhesion"},
        {"labelJumping", "spinBoxJumping"},
        {"labelAcceleration", "spinBoxAcceleration"},
        {"labelCornering", "spinBoxCornering"},
        {"labelWeaponA", "comboBoxWeaponA"},
        {"labelWeaponC", "comboBoxWeaponC"},
        {"labelWeaponJT", "comboBoxWeaponJT"},
    };
    for (const auto &[label, buddy] : pairs)
        QTest::newRow(label) << QString::fromLatin1(label) << QString::fromLatin1(buddy);
}

void TestForm::buddies()
{
    QFETCH(QString, label);
    QFETCH(QString, buddy);

    auto *widget = child<QLabel>(label);
    QVERIFY(widget);
    QVERIFY(widget->buddy());
    QCOMPARE(widget->buddy()->objectName(), buddy);
}

void TestForm::tabOrder_data()
{
    QTest::addColumn<bool>("characteristics");
    QTest::newRow("characteristics hidden") << false;
    QTest::newRow("characteristics shown") << true;
}

void TestForm::tabOrder()
{
    QFETCH(bool, characteristics);
    // The form's own order (its <tabstops>), with the drawing tools, the
    // drawing index strip and the view in a row after the quick import, and
    // the clickable labels each beside their group. The radio buttons and the
    // drawing index strip are one stop each, the checked button (the arrow
    // keys move within them; see arrowsWithinGroups).
    QStringList chain = {
        "spinBoxCarNumber",      "spinBoxSpriteNumber",        "checkBoxMirrorSprite",    "checkBoxRotateWheels",
        "doubleSpinBoxSpriteZoom", "spinBoxRotation",          "checkBoxRotation",        "spinBoxTilt",
        "checkBoxTilt",          "checkBoxWheelAnimation",     "horizontalSlider",        "radioButtonSaveSprite",
        "pushButtonLoad",          "pushButtonSave",
        "checkBoxMultipleFiles", "checkBoxDither", "classicMatching", "checkBoxConsoleExport", "checkBoxConsoleMatch", "pushButtonQuickIn",       "pushButtonQuickOut",
        "toolPencil",            "toolFill",                   "toolPicker",
        "toolLine",              "toolRectangle",              "toolEllipse",             "toolSelect",
        "toolFilled",            "toolMirrorSymmetry",         "swatchIndex1",
        "labelSprite",
        "spinBoxMoveSpriteUp",   "spinBoxMoveSpriteRight",     "checkBoxMoveCar",         "pushButtonAutocenterSprite",
        "pushButtonAutocenterCar", "pushButtonResetCarMovings", "comboBoxPalette",
        "labelColor1",           "labelColor2",                "labelColor3",             "labelColorBg",
        "labelPaletteREstore",   "labelPaletteSwap",           "labelPalettShift"};
    if (characteristics)
        chain << QStringList{"spinBoxTopSpeed", "spinBoxAdhesion", "spinBoxJumping", "spinBoxAcceleration",
                             "spinBoxCornering", "labelRestoreParamaters", "comboBoxWeaponA", "comboBoxWeaponC",
                             "comboBoxWeaponJT", "labelRestoreWeapons"};
    chain << QStringList{"labelSaveChanges", "labelRestoreRom", "labelRestoreDefaults", "labelShowCharacteristics",
                         "label"};
    // Round to the start.
    chain << chain.first();

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    if (characteristics)
        QTest::mouseClick(child("labelShowCharacteristics"), Qt::LeftButton);
    QApplication::setActiveWindow(window.get());
    child(chain.first())->setFocus(Qt::TabFocusReason);
    // Tab as the user presses it: each control in turn (a spin box through its
    // own line edit), every one of the window's Tab stops, and round again.
    QStringList visited;
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QWidget *from = child(chain[i]);
        QVERIFY2(from, qPrintable(chain[i]));
        QVERIFY2(from == QApplication::focusWidget() || from->isAncestorOf(QApplication::focusWidget()),
                 qPrintable(chain[i]));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *next = QApplication::focusWidget();
        QVERIFY(next);
        if (auto *spinBox = qobject_cast<QAbstractSpinBox *>(next->parentWidget()))
            next = spinBox;   // from its line edit
        QCOMPARE(next->objectName(), chain[i + 1]);
    }
}

void TestForm::arrowsWithinGroups_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("checked");   // the arrow checks what it moves to
    QTest::newRow("radio down") << "radioButtonSaveSprite" << int(Qt::Key_Down) << "radioButtonSaveCar" << true;
    QTest::newRow("tool right") << "toolPencil" << int(Qt::Key_Right) << "toolFill" << false;
    QTest::newRow("swatch right") << "swatchIndex1" << int(Qt::Key_Right) << "swatchIndex2" << true;
    QTest::newRow("swatch down") << "swatchIndex1" << int(Qt::Key_Down) << "swatchIndex9" << true;
}

void TestForm::arrowsWithinGroups()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    QFETCH(bool, checked);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QApplication::setActiveWindow(window.get());
    child(from)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(child(from), Qt::Key(key));
    auto *target = child<QAbstractButton>(to);
    QVERIFY(target->hasFocus());
    QCOMPARE(target->isChecked(), checked);
    // The button the arrow went to is the group's Tab stop now.
    QVERIFY(target->focusPolicy() & Qt::TabFocus);
}

void TestForm::frames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("shadow");

    for (const char *name : {"labelColor1", "labelColor2", "labelColor3", "labelColorBg"})
        QTest::newRow(name) << name << int(QFrame::Box) << -1;
    for (const char *name : {"labelPaletteREstore", "labelPaletteSwap", "labelPalettShift", "labelRestoreParamaters",
                             "labelRestoreWeapons", "labelSaveChanges", "labelRestoreRom", "labelRestoreDefaults",
                             "labelShowCharacteristics", "label"})
        QTest::newRow(name) << name << int(QFrame::StyledPanel) << -1;
    for (const char *name : {"line_2", "line_4"})
        QTest::newRow(name) << name << int(QFrame::HLine) << int(QFrame::Sunken);
    for (const char *name : {"line", "line_3", "line_5", "line_9"})
        QTest::newRow(name) << name << int(QFrame::VLine) << int(QFrame::Sunken);
}

void TestForm::frames()
{
    QFETCH(QString, name);
    QFETCH(int, shape);
    QFETCH(int, shadow);

    auto *frame = child<QFrame>(name);
    QVERIFY(frame);
    QCOMPARE(int(frame->frameShape()), shape);
    if (shadow >= 0)
        QCOMPARE(int(frame->frameShadow()), shadow);
    if (name.startsWith(QLatin1String("label")) && name != QLatin1String("labelSprite"))
        QCOMPARE(frame->metaObject()->className(), "QClickLabel");
}

void TestForm::alignment_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("alignment");

    const int right = Qt::AlignRight | Qt::AlignVCenter;
    for (const char *name : {"labelarNumber", "labelSpriteNumber", "labelSpriteZoom", "labelRotation", "labelTilt",
                             "labelMoveSpriteUp", "labelMoveSpriteRight"})
        QTest::newRow(name) << name << right;
    for (const char *name : {"labelPaletteREstore", "labelPaletteSwap", "labelPalettShift", "labelRestoreParamaters",
                             "labelRestoreWeapons"})
        QTest::newRow(name) << name << int(Qt::AlignCenter);
    QTest::newRow("labelSprite") << "labelSprite" << int(Qt::AlignCenter);   // extra room centres the sprite
    for (const char *name : {"labelTopSpeed", "labelSaveChanges", "label"})
        QTest::newRow(name) << name << int(Qt::AlignLeft | Qt::AlignVCenter);
}

void TestForm::alignment()
{
    QFETCH(QString, name);
    QFETCH(int, alignment);

    auto *label = child<QLabel>(name);
    QVERIFY(label);
    // Leading and trailing are the same as left and right here.
    int actual = int(label->alignment());
    if (actual & Qt::AlignTrailing)
        actual = (actual & ~Qt::AlignTrailing) | Qt::AlignRight;
    if (actual & Qt::AlignLeading)
        actual = (actual & ~Qt::AlignLeading) | Qt::AlignLeft;
    QCOMPARE(actual, alignment);
}

void TestForm::characteristicBoxesHiddenAtStart()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QVERIFY(child(QStringLiteral("groupBoxParameters"))->isHidden());
    QVERIFY(child(QStringLiteral("groupBoxWeapons"))->isHidden());
    for (const char *name : {"groupBox", "groupBox_2", "groupBox_3", "groupBox_4", "groupBox_6", "groupBox_9"})
        QVERIFY2(child(QString::fromLatin1(name))->isVisible(), name);
}

void TestForm::comboItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("palette") << "comboBoxPalette"
                             << QStringList{"Blue", "Opponent 3", "Black", "Yellow", "Red", "Green", "-",
                                            "Opponent 2", "Opponent 1", "-", "Import/Export"};
    const QStringList weapons = {"Exploding mine", "Tracking bullet", "Rocket", "Bullet", "Oil", "Mine"};
    QTest::newRow("weapon A") << "comboBoxWeaponA" << weapons;
    QTest::newRow("weapon C") << "comboBoxWeaponC" << weapons;
    QTest::newRow("jump/turbo") << "comboBoxWeaponJT" << QStringList{"Jump", "Turbo"};
}

void TestForm::comboItems()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);

    auto *combo = child<QComboBox>(name);
    QVERIFY(combo);
    QCOMPARE(itemTexts(combo), items);
}

void TestForm::scopeButtons()
{
    auto *sprite = child<QRadioButton>(QStringLiteral("radioButtonSaveSprite"));
    auto *car = child<QRadioButton>(QStringLiteral("radioButtonSaveCar"));
    auto *all = child<QRadioButton>(QStringLiteral("radioButtonSaveAll"));
    QVERIFY(sprite && car && all);
    QVERIFY(sprite->isChecked());
    QVERIFY(!car->isChecked());
    QVERIFY(!all->isChecked());

    // Mutually exclusive: choosing one clears the others.
    all->click();
    QVERIFY(all->isChecked());
    QVERIFY(!sprite->isChecked());
    QVERIFY(!car->isChecked());
}

// The Save/Load box is a part of the selection: a click changes that part
// alone (one report), and a box set in the selection shows in the controls.
void TestForm::exchangeBoxBothWays_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("choice");
    QTest::newRow("car") << "radioButtonSaveCar" << "scope car";
    QTest::newRow("all") << "radioButtonSaveAll" << "scope all";
    QTest::newRow("separate sprites") << "checkBoxMultipleFiles" << "separate";
    QTest::newRow("dithering") << "checkBoxDither" << "dither";
    QTest::newRow("classic matching") << "classicMatching" << "classic";
    QTest::newRow("console colours") << "checkBoxConsoleExport" << "console export";
    QTest::newRow("match as the console shows") << "checkBoxConsoleMatch" << "console match";
}

void TestForm::exchangeBoxBothWays()
{
    QFETCH(QString, control);
    QFETCH(QString, choice);
    Selection &selection = window->Shown();
    const auto read = [&selection, &choice]() -> bool {
        const Selection::ExchangeBox &box = selection.exchangeBox();
        if (choice == QLatin1String("scope car"))
            return box.scope == ExchangeScope::Car;
        if (choice == QLatin1String("scope all"))
            return box.scope == ExchangeScope::AllCars;
        if (choice == QLatin1String("separate"))
            return box.separateFiles;
        if (choice == QLatin1String("dither"))
            return box.dither;
        if (choice == QLatin1String("classic"))
            return box.classicMatching;
        if (choice == QLatin1String("console export"))
            return box.consoleExport;
        return box.consoleMatch;
    };
    auto *button = child<QAbstractButton>(control);
    QVERIFY(button);
    QCOMPARE(selection.exchangeBox(), Selection::ExchangeBox());
    QSignalSpy changes(&selection, &Selection::changed);

    button->click();
    QVERIFY(read());
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes.first().first().value<Selection::Parts>(), Selection::Parts(Selection::Exchange));
    // Nothing else of the box moved: one step back to the start undoes it.
    const Selection::ExchangeBox after = selection.exchangeBox();
    Selection::ExchangeBox expected = after;
    expected.scope = ExchangeScope::Sprite;
    for (bool Selection::ExchangeBox::*flag :
         {&Selection::ExchangeBox::separateFiles, &Selection::ExchangeBox::dither,
          &Selection::ExchangeBox::classicMatching, &Selection::ExchangeBox::consoleExport,
          &Selection::ExchangeBox::consoleMatch})
        if (expected.*flag && !choice.startsWith(QLatin1String("scope"))) {
            expected.*flag = false;
            break;
        }
    QCOMPARE(expected, Selection::ExchangeBox());
    QCOMPARE(selection.exchangeScope().car, selection.car());

    // And back from the selection: the control follows, quietly.
    selection.setExchangeBox(Selection::ExchangeBox());
    QCOMPARE(button->isChecked(), false);
    QVERIFY(child<QAbstractButton>(QStringLiteral("radioButtonSaveSprite"))->isChecked());
    QCOMPARE(changes.size(), 2);
    selection.setExchangeBox(after);
    QVERIFY(button->isChecked());
    QCOMPARE(changes.size(), 3);
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
