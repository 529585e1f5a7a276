#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include "rom/cardata.h"

// What a picture import did that works but may surprise: pixels whose colour
// is exactly one of palette entries 6-10 (a picture import only ever gives
// the background and entries 1-5 and 11-15, so they take the nearest of
// those), and indexed pictures matched by colour instead of taken as indices.
// Gathered over every picture of one import, told once.
class ImportNotes
{
public:
    // Looks at one picture as read, before it is converted.
    void Add(const QString &fileName, const QImage &picture, const Palette &palette, const QColor &background);
    // One line a kind of note; empty when there is nothing to tell.
    QStringList Lines() const;

    qsizetype fixedEntryPixels() const { return fixedPixels; }
    qsizetype indexedMatchedByColour() const { return indexedMatched; }

private:
    qsizetype fixedPixels = 0;
    qsizetype indexedMatched = 0;
    QString firstIndexedName;
    QString firstIndexedReason;
};
