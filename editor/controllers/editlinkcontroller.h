#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include "exchange/exchangescope.h"
#include "rom/cardata.h"

class CarDocument;
class ExternalEditLink;
class Prompts;
class Selection;

class ActionRegistry;
class QAction;
class StatusSink;

// File > "Edit Externally" (Ctrl+E): the scope of the Save/Load box goes to
// the user's pixel editor as an indexed PNG, and every save made there comes
// back as one step ("Update car 3 from car-3.png"). The link keeps the scope,
// the palette and the background it started with, so that the picture's
// indices come back as they went; it ends with "Stop Editing Externally",
// another link, or another ROM (opened or reverted), and by itself when its
// folder goes away for good (the status bar says why). A save that cannot be
// used is told in the status bar and the link goes on.
class EditLinkController : public QObject
{
    Q_OBJECT

public:
    EditLinkController(CarDocument &document, const Selection &selection, Prompts &prompts, StatusSink &status,
                       ActionRegistry &actions, QObject *parent);
    // Registers "Edit Externally" (actionEditExternally, Ctrl+E) and "Stop
    // Editing Externally" (actionStopEditingExternally).

    bool isLinked() const;
    // The linked file (empty when not linked).
    QString linkedFile() const;

signals:
    // "Linked: car-3.png" while a link runs, empty when none does.
    void linkChanged(const QString &text);

public slots:
    void EditExternally();
    void StopEditing();

private:
    // The pixels and pending offsets of the linked scope, to tell whether the
    // window changed it since the last save came in.
    struct ScopeContent
    {
        QList<SpritePixels> pixels;
        QList<QPoint> offsets;
        friend bool operator==(const ScopeContent &, const ScopeContent &) = default;
    };
    ScopeContent ContentNow() const;

    void PictureSaved(const QString &path, const QByteArray &bytes);
    // Ends the link; fileName names the file of a link that ended by itself.
    void End(const QString &why, QString fileName = {});

    CarDocument &document;
    const Selection &selection;
    Prompts &prompts;
    StatusSink &status;
    ExternalEditLink *link = nullptr;
    QAction *stopAction = nullptr;

    QString romPath;   // of the document the link started on
    ExchangeSelection scope;
    Palette palette;
    QColor background;
    ScopeContent synced;   // the scope as the picture last showed it
};
