#pragma once

#include <QList>
#include <QPoint>

#include "rom/cardata.h"

// Pending offset of every sprite, [car][sprite]; x counts right, y counts up.
using SpriteOffsets = QList<QList<QPoint>>;

// One (0, 0) per sprite of every car of the table.
SpriteOffsets ZeroOffsetsFor(const SpriteTable &sprites);
