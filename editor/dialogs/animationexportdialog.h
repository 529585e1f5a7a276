#pragma once

#include <QDialog>

#include "editor/dialogs/animationexportoptions.h"

class QCheckBox;
class QRadioButton;
class QSpinBox;

// The small dialog of File > Export Animation: "turn", "tilt" or "both",
// "wheel roll", "zoom" 1..10, index 0 "as grey" or "transparent", "console
// colours"; "Export..." goes on to the file name.
class AnimationExportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AnimationExportDialog(const AnimationExportOptions &initial, QWidget *parent = nullptr);

    AnimationExportOptions options() const;

private:
    QRadioButton *turn = nullptr;
    QRadioButton *tilt = nullptr;
    QRadioButton *both = nullptr;
    QCheckBox *wheels = nullptr;
    QSpinBox *zoom = nullptr;
    QRadioButton *grey = nullptr;
    QRadioButton *transparent = nullptr;
    QCheckBox *console = nullptr;
};
