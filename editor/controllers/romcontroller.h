#pragma once

#include <QObject>

class CarDocument;
class Prompts;

// Saving into the ROM file and the two whole-data restores. A failure is
// shown through the prompts and changes nothing.
class RomController : public QObject
{
    Q_OBJECT

public:
    RomController(CarDocument &document, Prompts &prompts, QObject *parent);

    // Writes the tables, offsets baked in, into the ROM file. On success the
    // baking becomes a step of its own ("Apply sprite offsets", only when an
    // offset was pending) and the document is clean. On failure shows a warning
    // naming the file and the reason and changes nothing.
    bool SaveToRom();

signals:
    void statusMessage(const QString &text);
    // The ROM file was written: its header (checksum) is the saved one now.
    void saved();

public slots:
    void Save();
    void RestoreRom();
    void RestoreDefaults();

private:
    CarDocument &document;
    Prompts &prompts;
};
