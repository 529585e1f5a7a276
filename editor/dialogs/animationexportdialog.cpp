#include "editor/dialogs/animationexportdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "animation/animationexport.h"

namespace {

template <typename Control>
Control *Named(Control *control, const QString &name, const char *objectName)
{
    control->setAccessibleName(name);
    control->setObjectName(QString::fromLatin1(objectName));
    return control;
}

} // namespace

AnimationExportDialog::AnimationExportDialog(const AnimationExportOptions &initial, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("animationExportDialog"));
    setWindowTitle(tr("Export Animation"));
    auto *form = new QFormLayout;

    auto *motionRow = new QHBoxLayout;
    turn = Named(new QRadioButton(tr("turn")), tr("turn"), "radioAnimationTurn");
    tilt = Named(new QRadioButton(tr("tilt")), tr("tilt"), "radioAnimationTilt");
    both = Named(new QRadioButton(tr("both")), tr("both"), "radioAnimationBoth");
    for (QRadioButton *button : {turn, tilt, both})
        motionRow->addWidget(button);
    turn->setToolTip(tr("Rotation 0 to 23 at the tilt on show (24 frames)"));
    tilt->setToolTip(tr("Tilt -4 to 4 and back at the rotation on show (16 frames)"));
    both->setToolTip(tr("Turning and tilting together, as the window's animation plays them (48 frames)"));
    form->addRow(tr("Motion:"), motionRow);

    wheels = Named(new QCheckBox(tr("wheel roll")), tr("wheel roll"), "checkAnimationWheels");
    form->addRow(QString(), wheels);

    zoom = Named(new QSpinBox, tr("zoom"), "spinAnimationZoom");
    zoom->setRange(kMinAnimationZoom, kMaxAnimationZoom);
    zoom->setSuffix(QStringLiteral(" x"));
    form->addRow(tr("&Zoom:"), zoom);

    auto *backgroundRow = new QHBoxLayout;
    grey = Named(new QRadioButton(tr("as grey")), tr("as grey"), "radioAnimationGrey");
    transparent = Named(new QRadioButton(tr("transparent")), tr("transparent"), "radioAnimationTransparent");
    backgroundRow->addWidget(grey);
    backgroundRow->addWidget(transparent);
    form->addRow(tr("Index 0:"), backgroundRow);

    console = Named(new QCheckBox(tr("console colours")), tr("console colours"), "checkAnimationConsole");
    form->addRow(QString(), console);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("Export..."));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(tr("Export..."));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);

    switch (initial.motion) {
    case AnimationExportOptions::Motion::Tilt: tilt->setChecked(true); break;
    case AnimationExportOptions::Motion::Both: both->setChecked(true); break;
    default: turn->setChecked(true); break;
    }
    wheels->setChecked(initial.wheels);
    zoom->setValue(initial.zoom);
    (initial.transparent ? transparent : grey)->setChecked(true);
    console->setChecked(initial.consoleColours);
}

AnimationExportOptions AnimationExportDialog::options() const
{
    AnimationExportOptions chosen;
    chosen.motion = tilt->isChecked() ? AnimationExportOptions::Motion::Tilt
        : both->isChecked()           ? AnimationExportOptions::Motion::Both
                                      : AnimationExportOptions::Motion::Turn;
    chosen.wheels = wheels->isChecked();
    chosen.zoom = zoom->value();
    chosen.transparent = transparent->isChecked();
    chosen.consoleColours = console->isChecked();
    return chosen;
}
