#pragma once

#include <QDialog>

#include "external/programsettings.h"

class QLabel;
class QLineEdit;

// Edit > "Preferences...": the commands of the programs the editor starts,
// the emulator of a play-test and the pixel editor of the live link. An empty
// field shows the built-in choice in use. OK stores both in the program's
// settings; a command that does not parse keeps the dialog open and says why.
class PreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PreferencesDialog(QWidget *parent = nullptr);

    ExternalPrograms programs() const;

    void accept() override;

private:
    QLineEdit *emulator = nullptr;
    QLineEdit *pixelEditor = nullptr;
    QLabel *problem = nullptr;
};

// Opens the dialog over window (window-modal, not waiting), with the commands
// as stored; it goes when closed.
void OpenPreferences(QWidget *window);
