#pragma once

#include <QObject>

#include "editor/state/selection.h"
#include "exchange/exchangescope.h"
#include "exchange/matchoptions.h"
#include "exchange/spriteexport.h"

class QAbstractButton;
class CarDocument;
class ActionRegistry;
class Prompts;
class StatusSink;

// The window's sprite exchange: the questions and messages around the
// exchange core, which does the converting, the file naming and the size
// checks. Every import that changes something is one step.
class ExchangeController : public QObject
{
    Q_OBJECT

public:
    // The Save/Load box: its scope, "separate sprites", "dithering", the
    // console colour options of Save As ("console colours") and Load ("match
    // as the console shows"; both may be missing) and "classic matching"
    // (may be missing: perceptual matching).
    struct Controls
    {
        QAbstractButton *allCars = nullptr;
        QAbstractButton *oneCar = nullptr;
        QAbstractButton *separateFiles = nullptr;
        QAbstractButton *dither = nullptr;
        QAbstractButton *consoleExport = nullptr;
        QAbstractButton *consoleMatch = nullptr;
        QAbstractButton *classicMatching = nullptr;
    };

    // Registers File > Import... (actionImport) and Export... (actionExport),
    // Sprite > Quick Export (actionQuickExport, Ctrl+W) and Quick Import
    // (actionQuickImport, Ctrl+Q).
    ExchangeController(CarDocument &document, const Selection &selection, Prompts &prompts, StatusSink &status,
                       ActionRegistry &actions, const Controls &controls, QObject *parent);

    // Writes the current scope to fileName; false if any file failed, each
    // failure a line of *errors (if given); *written counts the files written.
    bool ExportSprites(const QString &fileName, SpriteFileType type = SpriteFileType::BySuffix,
                       QString *errors = nullptr, int *written = nullptr);
    // Reads the current scope from fileName as one step; returns the
    // accumulated error text, one line a failed file; *changed (if given)
    // tells whether a step was made; *notes (if given) what the pictures
    // may surprise with.
    QString ImportSprites(const QString &fileName, bool *changed = nullptr, QStringList *notes = nullptr);

    // What the file dialogs of the current scope say and propose:
    // "Export car 3" and "car-3.png", "Import all cars" and "cars.png".
    QString ExportTitle() const;
    QString ImportTitle() const;
    QString DefaultFileName() const;

public slots:
    void SaveSprite();
    void LoadSprite();
    void QuickSpriteOut();
    void QuickSpriteIn();
    // Imports a picture or raw file into the current scope as Load does: one
    // step, one message listing every failure, the same status message.
    void ImportDroppedFile(const QString &path);

private:
    ExchangeSelection Scope() const;
    void ExportTo(const QString &fileName, SpriteFileType type);
    void ImportFrom(const QString &fileName);
    void ShowList(const QString &title, const QString &lines, const QString &heading = {});

    CarDocument &document;
    const Selection &selection;
    Prompts &prompts;
    StatusSink &status;   // what an action did: "Imported car 3 from car.png"
    Controls controls;
};

// What the Save/Load box covers now: its scope buttons, the car and sprite on
// show, "separate sprites".
ExchangeSelection BoxScope(const ExchangeController::Controls &controls, const Selection &selection);

// How the Save/Load box has pictures matched: "dithering", "classic matching".
MatchOptions BoxMatchOptions(const ExchangeController::Controls &controls);
