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
}
