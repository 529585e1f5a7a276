#include "editor/controllers/viewcopycontroller.h"

#include <QAction>

#include "document/cardocument.h"
#include "document/shownsprite.h"
#include "editor/state/selection.h"
#include "editor/window/actionregistry.h"
#include "editor/window/statussink.h"

ViewCopyController::ViewCopyController(CarDocument &document, Selection &selection, StatusSink &status,
                                       ActionRegistry &actions, QObject *parent)
    : QObject(parent), document(document), selection(selection), status(status)
{
    setObjectName(QStringLiteral("viewCopyController"));
    connect(actions.add({QStringLiteral("actionCopyToNextRotation"), tr("Copy to &Next Rotation"), {},
                         tr("Copy the view on show to the next rotation, as a start for drawing it")}),
            &QAction::triggered, this, &ViewCopyController::CopyToNextRotation);
    connect(actions.add({QStringLiteral("actionCopyToPreviousRotation"), tr("Copy to &Previous Rotation"), {},
                         tr("Copy the view on show to the previous rotation, as a start for drawing it")}),
            &QAction::triggered, this, &ViewCopyController::CopyToPreviousRotation);
    connect(actions.add({QStringLiteral("actionCopyToMirroredPartner"), tr("Copy to Mirrored Par&tner"), {},
                         tr("Copy the view on show upside down to the view across the side view "
                            "(rotation 12 - r, tilt -t)")}),
            &QAction::triggered, this, &ViewCopyController::CopyToMirroredPartner);
}

void ViewCopyController::CopyToNextRotation()
{
    CopyTo(Target::Next);
}

void ViewCopyController::CopyToPreviousRotation()
{
    CopyTo(Target::Previous);
}

void ViewCopyController::CopyToMirroredPartner()
{
    CopyTo(Target::Partner);
}

void ViewCopyController::CopyTo(Target target)
{
    const int car = selection.car();
    const int sprite = selection.sprite();
    const SpriteTable &sprites = document.sprites();
    if (car < 0 || car >= sprites.size() || sprite < 0 || sprite >= sprites.at(car).size())
        return;
    const std::optional<ViewStep> to = target == Target::Partner
        ? MirroredPartnerView(selection.rotation(), selection.tilt(), sprite)
        : NeighbourView(selection.rotation(), selection.tilt(), sprite, target == Target::Next ? 1 : -1);
    if (!to || to->sprite >= sprites.at(car).size()) {
        status.showStatus(target == Target::Partner
                              ? tr("Rotation %1, tilt %2 has no mirrored partner: nothing copied")
                                    .arg(selection.rotation())
                                    .arg(selection.tilt())
                              : tr("No other sprite shows tilt %1: nothing copied").arg(selection.tilt()));
        return;
    }

    SpriteViewMapping from;
    from.mirrored = selection.mirrored();
    from.offset = PendingOffset(document, car, sprite);
    SpriteViewMapping onto;
    onto.mirrored = to->mirrored;
    onto.offset = PendingOffset(document, car, to->sprite);
    DocumentTables after = document.tables();
    SpritePixels &pixels = after.sprites[car][to->sprite];
    ApplyPixelChanges(pixels, CopiedViewChanges(sprites.at(car).at(sprite), from, pixels, onto,
                                                target == Target::Partner));

    const QString text = tr("Copy sprite %1 to sprite %2 of car %3").arg(sprite + 1).arg(to->sprite + 1).arg(car + 1);
    document.Change(text, {car, to->sprite, -1}, after);
    // The view copied to comes on show, to go on drawing there.
    selection.setRotation(to->rotation);
    selection.setTilt(to->tilt);
    status.showStatus(tr("Copied to rotation %1, tilt %2 (sprite %3%4)")
                          .arg(to->rotation)
                          .arg(to->tilt)
                          .arg(to->sprite + 1)
                          .arg(to->mirrored ? tr(", mirrored") : QString()));
}
