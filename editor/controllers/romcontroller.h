#pragma once

#include <QObject>

class CarDocument;
class ActionRegistry;
class Prompts;
class StatusSink;

// Saving into the ROM file and the two whole-data restores. A failure is
// shown through the prompts and changes nothing.
class RomController : public QObject
{
    Q_OBJECT

public:
    // Registers File > Save (actionSave), Car > Restore All Rom
    // (actionRestoreRom) and Car > Restore Defaults (actionRestoreDefaults).
    RomController(CarDocument &document, Prompts &prompts, StatusSink &status, ActionRegistry &actions,
                  QObject *parent);

    // Writes the tables, offsets baked in, into the ROM file. On success the
    // baking becomes a step of its own ("Apply sprite offsets", only when an
    // offset was pending) and the document is clean. On failure shows a warning
    // naming the file and the reason and changes nothing.
    bool SaveToRom();

signals:
    // The ROM file was written: its header (checksum) is the saved one now.
    void saved();

public slots:
    void Save();
    void RestoreRom();
    void RestoreDefaults();

private:
    CarDocument &document;
    Prompts &prompts;
    StatusSink &status;
};
