#pragma once

#include <QImage>
#include <QObject>
#include <QPointF>
#include <QString>

#include "editor/state/sessionoption.h"
#include "view/referencepicture.h"

class ActionRegistry;
class CarDocument;
class Prompts;
class QAction;
class QSlider;
class QWheelEvent;
class Selection;
class SpriteView;
class StatusSink;

// View > Reference Picture: a picture shown with the sprite in the view to
// draw by, over the sprite or behind it at an opacity the user sets (the
// status bar's slider, Alt+Page Up / Page Down), moved with Alt and the left
// mouse button or Alt and the arrow keys, scaled with Alt and the mouse
// wheel or Alt+Plus / Alt+Minus. It is remembered per ROM and per car, or per
// view when "Reference for Each View" is on (a view's own picture goes before
// its car's), in the settings (the book of the view options); the picture
// file itself is read again at each start. It is never part of the document:
// the ROM, the exports and Ctrl+W never hold it.
class ReferenceController : public QObject
{
    Q_OBJECT

public:
    ReferenceController(const CarDocument &document, const Selection &selection, SpriteView &view,
                        SessionOption<QString> &book, SessionOption<bool> &perView, Prompts &prompts,
                        StatusSink &status, ActionRegistry &actions, QObject *parent);

    // Shows the picture at path for what is on show (the car, or the view
    // when per view is on), fitted into the frame; false (and the failure
    // shown, naming the file and the reason) when it cannot be read.
    bool ShowPicture(const QString &path);
    // Forgets the picture in effect for what is on show.
    void HidePicture();
    bool isShown() const { return !picture.isNull(); }
    ReferencePlacement placement() const { return current; }
    // Moves by (dx, dy) frame pixels, scales by factor about a frame point,
    // sets the opacity (percent); each is remembered at once.
    void MoveBy(QPointF delta);
    void ScaleBy(double factor, QPointF about);
    void SetOpacity(int percent);
    void SetOver(bool over);
    // The status bar's opacity slider; shown while a picture is.
    QSlider *opacitySlider() const { return slider; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ChoosePicture();
    // Looks up what is in effect for the selection and shows it.
    void Follow();
    void Show();
    void Remember();
    // The ROM's path as the book knows it (canonical), worked out again only
    // when the document's path changes: Follow runs on every animation step.
    QString RomKey() const;
    // The book as its text reads, parsed again only when the text changed.
    const ReferenceBook &Pages() const;
    // The frame point under a widget position of the view.
    QPointF FramePoint(QPointF position) const;

    const CarDocument &document;
    const Selection &selection;
    SpriteView &view;
    SessionOption<QString> &book;
    SessionOption<bool> &perView;
    Prompts &prompts;
    StatusSink &status;
    QSlider *slider;
    QAction *hideAction;
    QAction *overAction;

    ReferencePlacement current;
    bool currentPerView = false;   // the placement in effect is the view's own
    QImage picture;                // the file of current, read; null when none is shown
    QString pictureFile;           // the file picture was read from (or failed to read)
    QSize readSize;                // the file's picture size, which the placement's scale is for
    bool dragging = false;
    QPointF dragFrom;              // frame point of the last mouse position in a drag
    mutable QString keyPath;       // the document path romKey was worked out for
    mutable QString romKey;
    mutable QString pagesText;     // the book text parsedPages was parsed from
    mutable bool pagesParsed = false;
    mutable ReferenceBook parsedPages;
};
