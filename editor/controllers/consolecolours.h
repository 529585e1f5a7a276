#pragma once

#include <QObject>

class QLabel;
class Selection;
template <typename T>
class SessionOption;

// View > Console Colours: the remembered switch (off at first) turns the
// selection's colour model between the editor's linear ramp and the
// console's levels, and shows a status bar label that says "console
// colours" while it is on.
class ConsoleColours : public QObject
{
    Q_OBJECT

public:
    // The label is parented to parentWidget; the switch's value is applied
    // to the selection at once and at each change.
    ConsoleColours(Selection &selection, const SessionOption<bool> &option, QWidget *parentWidget);

    QLabel *statusLabel() const { return label; }

private:
    void apply(bool on);

    Selection &selection;
    QLabel *label = nullptr;
};
