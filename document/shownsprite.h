#pragma once

#include <QImage>
#include <QPoint>

#include "rom/colorword.h"

class CarDocument;

// A sprite of the document as the window shows it (48 x 48, index 0 in the
// background colour) in the given palette; a null sprite pointer (numbers out
// of range) shows the background only.
struct SpriteLook
{
    int car = 0;
    int sprite = 0;
    int palette = 0;
    bool mirrored = false;
    bool wheelsTurned = false;
    bool withOffset = true;   // drawn where its pending offset moves it
    ColorModel colors = ColorModel::Linear;
};
QImage ComposeDocumentSprite(const CarDocument &document, const SpriteLook &look);
// The pending offset of a sprite; none for numbers out of range.
QPoint PendingOffset(const CarDocument &document, int car, int sprite);
