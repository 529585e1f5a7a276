#pragma once

#include <QImage>
#include <QObject>

#include "editor/editorcontext.h"

class SpriteViewController;

// The window's sprite exchange: the dialogs and messages around the exchange
// core, which does the converting, the file naming and the size checks. Every
// import that changes something is one step.
class ExchangeController : public QObject
{
    Q_OBJECT

public:
    ExchangeController(EditorContext &context, const SpriteViewController &view, QObject *parent);

    // Matches a picture into one sprite or one car's sheet as one step.
    bool ImageToSprite(const QImage &image, int car, int sprite);
    bool ImageToCar(const QImage &image, int car);
    QImage RenderCarSheet(int car) const;
    // Writes the current scope to fileName; false if any file failed.
    bool ExportSprites(const QString &fileName);
    // Reads the current scope from fileName as one step; returns the
    // accumulated error text.
    QString ImportSprites(const QString &fileName);
    // Imports a file dropped on the sprite view into the current scope, as
    // Load does.
    void ImportDroppedFile(const QString &path);

public slots:
    void SaveSprite();
    void LoadSprite();
    void QuickSpriteOut();
    void QuickSpriteIn();

private:
    EditorContext &context;
    const SpriteViewController &view;
};
