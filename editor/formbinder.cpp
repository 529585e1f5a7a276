#include "editor/formbinder.h"

#include <QApplication>
#include <QSignalBlocker>

#include "editor/animator.h"
#include "editor/cachedindicatorstyle.h"
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
        form.comboBoxPalette->addItems(PaletteNames());
    }

    // The animation changes these on every tick. Filling their own background
    // makes them opaque, so their repaint does not repaint the group box
    // behind them (whose frame is the costly part) each time.
    // Their texts are numbers and plain words, which need no text shaping:
    // laying them out without it makes each change several times cheaper.
    for (QWidget *control : std::initializer_list<QWidget *>{form.spinBoxRotation, form.spinBoxTilt,
                                                             form.spinBoxSpriteNumber, form.checkBoxRotateWheels,
                                                             form.checkBoxMirrorSprite}) {
        control->setAutoFillBackground(true);
        QFont font = control->font();
        font.setStyleStrategy(QFont::PreferNoShaping);
        control->setFont(font);
    }
    // The wheels' box changes its tick on every tick of the animation.
    // One style for the program, living as long as the application (a widget
    // does not own its style, and outliving it is safe).
    static CachedIndicatorStyle *const indicators = [] {
        auto *style = new CachedIndicatorStyle;
        style->setParent(qApp);
        return style;
    }();
    form.checkBoxRotateWheels->setStyle(indicators);
    form.checkBoxMirrorSprite->setStyle(indicators);

    ShowSelection(Selection::Parts(0xFFFF));
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
    connect(s, &Selection::changed, this, &FormBinder::ShowSelection);

    Animator *a = &animator;
    connect(form.checkBoxRotation, &QCheckBox::toggled, a, &Animator::setRotating);
    connect(form.checkBoxTilt, &QCheckBox::toggled, a, &Animator::setTilting);
    connect(form.checkBoxWheelAnimation, &QCheckBox::toggled, a, &Animator::setRollingWheels);
    connect(form.horizontalSlider, &QSlider::sliderMoved, a, &Animator::setInterval);
}

void FormBinder::ShowSelection(Selection::Parts parts)
{
    if (parts & Selection::Car)
        Load(form.spinBoxCarNumber, &QSpinBox::value, &QSpinBox::setValue, selection.car() + 1);
    if (parts & Selection::Sprite)
        Load(form.spinBoxSpriteNumber, &QSpinBox::value, &QSpinBox::setValue, selection.sprite() + 1);
    if (parts & Selection::Palette)
        Load(form.comboBoxPalette, &QComboBox::currentIndex, &QComboBox::setCurrentIndex, selection.palette());
    if (parts & Selection::Rotation)
        Load(form.spinBoxRotation, &QSpinBox::value, &QSpinBox::setValue, selection.rotation());
    if (parts & Selection::Tilt)
        Load(form.spinBoxTilt, &QSpinBox::value, &QSpinBox::setValue, selection.tilt());
    if (parts & Selection::Mirrored)
        Load<QAbstractButton, bool>(form.checkBoxMirrorSprite, &QAbstractButton::isChecked,
                                    &QAbstractButton::setChecked, selection.mirrored());
    if (parts & Selection::WheelsTurned)
        Load<QAbstractButton, bool>(form.checkBoxRotateWheels, &QAbstractButton::isChecked,
                                    &QAbstractButton::setChecked, selection.wheelsTurned());
    if (parts & Selection::Zoom)
        Load(form.doubleSpinBoxSpriteZoom, &QDoubleSpinBox::value, &QDoubleSpinBox::setValue, selection.zoom());
}
