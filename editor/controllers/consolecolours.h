#pragma once

#include <QObject>

class ActionRegistry;
class QAction;
class QLabel;
class Selection;

// View > Console Colours: a checkable action, remembered between runs and off
// at first, that switches the selection's colour model between the editor's
// linear ramp and the console's levels, and a status bar label that says
// "console colours" while it is on.
class ConsoleColours : public QObject
{
    Q_OBJECT

public:
    static inline const char *const kSettingsKey = "view/consoleColours";

    // Registers the action (actionConsoleColours); the label is parented to
    // parentWidget; the remembered choice is applied to the selection at once.
    ConsoleColours(Selection &selection, ActionRegistry &actions, QWidget *parentWidget);

    QLabel *statusLabel() const { return label; }

private:
    void apply(bool on);

    Selection &selection;
    QAction *toggle = nullptr;
    QLabel *label = nullptr;
};
