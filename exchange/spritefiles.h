#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Reading and writing the files of a sprite exchange. The format is chosen by
// the name's suffix alone: "bin" in any letter case is raw sprite data,
// anything else a picture.

bool IsRawSpriteFile(const QString &fileName);

// Writes the whole file or nothing: the bytes go to a temporary file that
// replaces fileName only once everything is written. False when the file
// cannot be created, written or committed; fileName is then unchanged.
bool WriteWholeFile(const QString &fileName, const QByteArray &bytes);

// Writes a picture in the format its suffix names, the same all-or-nothing
// way. False for a suffix no image writer knows (or none) and on any failure.
bool WritePictureFile(const QString &fileName, const QImage &image);

// Reads a picture, in any format and pixel format Qt reads. Gives a null image
// for anything that is not a complete, intact picture of at most `largest`
// pixels in each direction: missing, unreadable, not a picture, truncated,
// corrupt, or too big (the size is checked before decoding where the format
// tells it).
QImage ReadPictureFile(const QString &fileName, QSize largest);
