#include "view/viewcopy.h"

#include "view/spriteoffsets.h"
#include "view/viewtable.h"

namespace {

int WrappedRotation(int rotation)
{
    const int step = rotation % kRotationSteps;
    return step < 0 ? step + kRotationSteps : step;
}

} // namespace

std::optional<ViewStep> NeighbourView(int rotation, int tilt, int sprite, int direction)
{
    const int step = direction < 0 ? -1 : 1;
    for (int k = 1; k < kRotationSteps; ++k) {
        const int next = WrappedRotation(rotation + k * step);
        const ViewLookup view = FindSpriteByParameters(next, tilt);
        if (view.spriteNumber >= 1 && view.spriteNumber - 1 != sprite)
            return ViewStep{next, tilt, view.spriteNumber - 1, view.mirrored};
    }
    return std::nullopt;
}

std::optional<ViewStep> MirroredPartnerView(int rotation, int tilt, int sprite)
{
    const int partner = WrappedRotation(12 - rotation);
    if (partner == WrappedRotation(rotation) || tilt < kMinTilt || tilt > kMaxTilt)
        return std::nullopt;
    const ViewLookup view = FindSpriteByParameters(partner, -tilt);
    if (view.spriteNumber < 1 || view.spriteNumber - 1 == sprite)
        return std::nullopt;
    return ViewStep{partner, -tilt, view.spriteNumber - 1, view.mirrored};
}

PixelChanges CopiedViewChanges(const SpritePixels &source, const SpriteViewMapping &sourcePlacement,
                               const SpritePixels &target, const SpriteViewMapping &targetPlacement,
                               bool upsideDown)
{
    PixelChanges changes;
    for (int n = 0; n < target.size() && n < kPixelsPerSprite; ++n) {
        const std::optional<QPoint> shown = ShownPixelOf(SpritePixelPosition(n), targetPlacement.mirrored,
                                                         targetPlacement.offset);
        if (!shown)
            continue;   // moved out of sight by the target's offset
        const QPoint from = upsideDown ? QPoint(shown->x(), kSpriteSide - 1 - shown->y()) : *shown;
        const std::optional<QPoint> stored = StoredPixelOf(from, sourcePlacement.mirrored, sourcePlacement.offset);
        const int index = stored ? PixelIndexAt(source, *stored).value_or(0) : 0;
        if (target.at(n) != index)
            changes.append({n, target.at(n), index});
    }
    return changes;
}
