#include "editor/window/formbinder.h"

#include <QApplication>
#include <QGroupBox>
#include <QSignalBlocker>

#include "editor/state/animator.h"
#include "editor/widgets/cachedpicturestyle.h"
#include "editor/state/shownnames.h"
#include "palette/palettenames.h"
#include "rom/cardata.h"
#include "ui_skmcareditor.h"

namespace {

// Sets a control quietly, and only when it shows something else, so that an
// unchanged control is not repainted.
template <typename Control, typename Value>
void Load(Control *control, Value (Control::*get)() const, void (Control::*set)(Value), Value value)
{
    if ((control->*get)() == value)
        return;
    const QSignalBlocker quiet(control);
    (control->*set)(value);
}

} // namespace

FormBinder::FormBinder(Ui::SKMcarEditor &form, Selection &selection, Animator &animator, QObject *parent)
    : QObject(parent), form(form), selection(selection), animator(animator)
{
    setObjectName(QStringLiteral("formBinder"));
    form.spinBoxCarNumber->setMaximum(kCarCount);
    form.spinBoxCarNumber->setSuffix(QStringLiteral("/%1").arg(kCarCount));
    form.spinBoxSpriteNumber->setMaximum(kSpritesPerCar);
    form.spinBoxSpriteNumber->setSuffix(QStringLiteral("/%1").arg(kSpritesPerCar));
    {
        const QSignalBlocker quiet(form.comboBoxPalette);
        form.comboBoxPalette->addItems(ShownNames(PaletteNames()));
    }

    // The animation changes these many times a second. Their texts are
    // numbers and plain words, which need no text shaping: laying them out
    // without it makes each change several times cheaper. The check boxes
    // draw their box, and the group boxes behind them (which repaint with
    // them) their frame and title, from kept pictures.
    // One style for the program, living as long as the application (a widget
    // does not own its style, and outliving it is safe).
    static CachedPictureStyle *const kept = [] {
        auto *style = new CachedPictureStyle;
        style->setParent(qApp);
        return style;
    }();
    for (QWidget *control :
         std::initializer_list<QWidget *>{form.spinBoxRotation, form.spinBoxTilt, form.spinBoxSpriteNumber,
                                          form.checkBoxRotateWheels, form.checkBoxMirrorSprite}) {
        QFont font = control->font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        control->setFont(font);
        if (auto *box = qobject_cast<QGroupBox *>(control->parentWidget()))
            box->setStyle(kept);
    }
    // The drawing strip's unused-index marks follow the animation too.
    form.groupBox_4->setStyle(kept);
    form.checkBoxRotateWheels->setStyle(kept);
    form.checkBoxMirrorSprite->setStyle(kept);

    ShowSelection();
    animator.setRotating(form.checkBoxRotation->isChecked());
    animator.setTilting(form.checkBoxTilt->isChecked());
    animator.setRollingWheels(form.checkBoxWheelAnimation->isChecked());
    ConnectControls();
}

void FormBinder::ConnectControls()
{
    Selection *s = &selection;
    connect(form.spinBoxCarNumber, &QSpinBox::valueChanged, s, [s](int number) { s->setCar(number - 1); });
    connect(form.spinBoxSpriteNumber, &QSpinBox::valueChanged, s, [s](int number) { s->setSprite(number - 1); });
    connect(form.comboBoxPalette, &QComboBox::currentIndexChanged, s, &Selection::setPalette);
    connect(form.spinBoxRotation, &QSpinBox::valueChanged, s, &Selection::setRotation);
    connect(form.spinBoxTilt, &QSpinBox::valueChanged, s, &Selection::setTilt);
    connect(form.checkBoxMirrorSprite, &QCheckBox::toggled, s, &Selection::setMirrored);
    connect(form.checkBoxRotateWheels, &QCheckBox::toggled, s, &Selection::setWheelsTurned);
    connect(form.doubleSpinBoxSpriteZoom, &QDoubleSpinBox::valueChanged, s, &Selection::setZoom);
    connect(s, &Selection::changed, this, [this](Selection::Parts parts) { following.follow(parts); });

    // The Save/Load box. A scope button tells when it comes on (the one going
    // off is no choice of its own).
    const std::pair<QAbstractButton *, ExchangeScope> scopes[] = {{form.radioButtonSaveSprite, ExchangeScope::Sprite},
                                                                  {form.radioButtonSaveCar, ExchangeScope::Car},
                                                                  {form.radioButtonSaveAll, ExchangeScope::AllCars}};
    for (const auto &[button, scope] : scopes)
        connect(button, &QAbstractButton::toggled, s, [s, scope](bool on) {
            if (!on)
                return;
            Selection::ExchangeBox box = s->exchangeBox();
            box.scope = scope;
            s->setExchangeBox(box);
        });
    const std::pair<QAbstractButton *, bool Selection::ExchangeBox::*> switches[] = {
        {form.checkBoxMultipleFiles, &Selection::ExchangeBox::separateFiles},
        {form.checkBoxDither, &Selection::ExchangeBox::dither},
        {form.classicMatching, &Selection::ExchangeBox::classicMatching},
        {form.checkBoxConsoleExport, &Selection::ExchangeBox::consoleExport},
        {form.checkBoxConsoleMatch, &Selection::ExchangeBox::consoleMatch}};
    for (const auto &[button, choice] : switches)
        connect(button, &QAbstractButton::toggled, s, [s, choice](bool on) {
            Selection::ExchangeBox box = s->exchangeBox();
            box.*choice = on;
            s->setExchangeBox(box);
        });

    Animator *a = &animator;
    connect(form.checkBoxRotation, &QCheckBox::toggled, a, &Animator::setRotating);
    connect(form.checkBoxTilt, &QCheckBox::toggled, a, &Animator::setTilting);
    connect(form.checkBoxWheelAnimation, &QCheckBox::toggled, a, &Animator::setRollingWheels);
    connect(form.horizontalSlider, &QSlider::sliderMoved, a, &Animator::setInterval);
}

void FormBinder::ShowSelection()
{
    Load(form.spinBoxCarNumber, &QSpinBox::value, &QSpinBox::setValue, selection.car() + 1);
    Load(form.spinBoxSpriteNumber, &QSpinBox::value, &QSpinBox::setValue, selection.sprite() + 1);
    Load(form.comboBoxPalette, &QComboBox::currentIndex, &QComboBox::setCurrentIndex, selection.palette());
    Load(form.spinBoxRotation, &QSpinBox::value, &QSpinBox::setValue, selection.rotation());
    Load(form.spinBoxTilt, &QSpinBox::value, &QSpinBox::setValue, selection.tilt());
    Load<QAbstractButton, bool>(form.checkBoxMirrorSprite, &QAbstractButton::isChecked, &QAbstractButton::setChecked,
                                selection.mirrored());
    Load<QAbstractButton, bool>(form.checkBoxRotateWheels, &QAbstractButton::isChecked, &QAbstractButton::setChecked,
                                selection.wheelsTurned());
    Load(form.doubleSpinBoxSpriteZoom, &QDoubleSpinBox::value, &QDoubleSpinBox::setValue, selection.zoom());

    const Selection::ExchangeBox &box = selection.exchangeBox();
    const auto check = [](QAbstractButton *button, bool on) {
        Load<QAbstractButton, bool>(button, &QAbstractButton::isChecked, &QAbstractButton::setChecked, on);
    };
    check(box.scope == ExchangeScope::AllCars  ? form.radioButtonSaveAll
          : box.scope == ExchangeScope::Car    ? form.radioButtonSaveCar
                                               : form.radioButtonSaveSprite,
          true);
    check(form.checkBoxMultipleFiles, box.separateFiles);
    check(form.checkBoxDither, box.dither);
    check(form.classicMatching, box.classicMatching);
    check(form.checkBoxConsoleExport, box.consoleExport);
    check(form.checkBoxConsoleMatch, box.consoleMatch);
}
