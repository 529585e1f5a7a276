#pragma once

#include <QColor>
#include <QRandomGenerator>

// The editor's one pseudo-random generator, seeded at start-up from the
// milliseconds of the current time.
QRandomGenerator &EditorRandom();
void SeedEditorRandom(quint32 seed);

// Three draws (blue, then green, then red), each modulo 256, snapped to the
// cartridge colour grid.
QColor RandomColor(QRandomGenerator &generator);
