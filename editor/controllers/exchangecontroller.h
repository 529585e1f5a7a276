#pragma once

#include <QObject>

#include "editor/state/selection.h"
#include "exchange/spriteexport.h"
#include "exchange/spriteimport.h"

class CarDocument;
class ActionRegistry;
class Prompts;
class StatusSink;

// The window's sprite exchange: the questions and messages around the
// exchange core, which does the converting, the file naming and the size
// checks. What it covers and how it matches is the Save/Load box, a part of
// the selection. Every import that changes something is one step.
class ExchangeController : public QObject
{
    Q_OBJECT

public:
    // Registers File > Import... (actionImport) and Export... (actionExport),
    // Sprite > Quick Export (actionQuickExport, Ctrl+W) and Quick Import
    // (actionQuickImport, Ctrl+Q).
    ExchangeController(CarDocument &document, const Selection &selection, Prompts &prompts, StatusSink &status,
                       ActionRegistry &actions, QObject *parent);

    // Writes the box's scope to fileName: the number of files written, or
    // why none was (a set is written all or nothing).
    Result<int> ExportSprites(const QString &fileName, SpriteFileType type = SpriteFileType::BySuffix);

    // What an import did: what it could not use of the rest and its notes,
    // and whether it made a step (nothing changed: none).
    struct Imported
    {
        ImportReport report;
        bool stepMade = false;
    };
    // Reads the box's scope from fileName as one step; fails, changing
    // nothing, when the file cannot be used at all.
    Result<Imported> ImportSprites(const QString &fileName);

    // What the file dialogs of the current scope say and propose:
    // "Export car 3" and "car-3.png", "Import all cars" and "cars.png".
    QString ExportTitle() const;
    QString ImportTitle() const;

public slots:
    void SaveSprite();
    void LoadSprite();
    void QuickSpriteOut();
    void QuickSpriteIn();
    // Imports a picture or raw file into the current scope as Load does: one
    // step, one message listing every failure, the same status message.
    void ImportDroppedFile(const QString &path);

private:
    void ExportTo(const QString &fileName, SpriteFileType type);
    void ImportFrom(const QString &fileName);
    void ShowList(const QString &title, const QString &lines, const QString &heading = {});

    CarDocument &document;
    const Selection &selection;
    Prompts &prompts;
    StatusSink &status;   // what an action did: "Imported car 3 from car.png"
};
