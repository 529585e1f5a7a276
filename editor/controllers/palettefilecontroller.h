#pragma once

#include <QObject>
#include <QString>

class CarDocument;
class Prompts;
class Selection;

class ActionRegistry;
class StatusSink;

// Palette files for the palette selected in the combo box: export to and
// import from GIMP (.gpl), JASC (.pal), Adobe (.act) and raw colour-word
// (.bin) files. An import is one step.
class PaletteFileController : public QObject
{
    Q_OBJECT

public:
    PaletteFileController(CarDocument &document, const Selection &selection, Prompts &prompts, StatusSink &status,
                          ActionRegistry &actions, QObject *parent);

    // Registers "Export Palette..." (actionExportPalette) and "Import
    // Palette..." (actionImportPalette).
    // Writes the selected palette; empty on success, else the message.
    QString ExportPaletteTo(const QString &fileName);
    // Reads fileName into the selected palette as one step (entries beyond
    // the file's count unchanged); empty on success, else the message.
    QString ImportPaletteFrom(const QString &fileName);

public slots:
    void ExportPalette();
    void ImportPalette();

private:
    CarDocument &document;
    const Selection &selection;
    Prompts &prompts;
    StatusSink &status;
};
