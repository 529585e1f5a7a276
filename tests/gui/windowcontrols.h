#pragma once

// The window's controls as a user or a screen reader finds them: by object
// name, with their public types.
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QWidget>

template <typename T = QWidget>
T *Control(QWidget &window, const char *name)
{
    T *control = window.findChild<T *>(QString::fromLatin1(name));
    if (!control)
        qFatal("the window has no control %s", name);
    return control;
}
