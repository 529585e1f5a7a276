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
// cannot be created, written or committed; fileName is then unchanged and
// *reason (if given) holds the system's reason.
bool WriteWholeFile(const QString &fileName, const QByteArray &bytes, QString *reason = nullptr);

// Writes a picture in the format its suffix names, the same all-or-nothing
// way. False for a suffix no image writer knows (or none) and on any failure;
// then *reason (if given) says why.
bool WritePictureFile(const QString &fileName, const QImage &image, QString *reason = nullptr);

// Reads a picture, in any format and pixel format Qt reads. Gives a null image
// for anything that is not a complete, intact picture of at most `largest`
// pixels in each direction: missing, unreadable, not a picture, truncated,
// corrupt, or too big (the size is checked before decoding where the format
// tells it). Only regular files are read: the file is opened without
// blocking and a FIFO, a device or a folder is refused unread. *reason (if given) says why a null image came;
// *tooLarge (if given) gets the size of a picture refused for being too big.
QImage ReadPictureFile(const QString &fileName, QSize largest, QString *reason = nullptr,
                       QSize *tooLarge = nullptr);

// Empty when fileName is a regular file; else why it is not one ("No such
// file or directory", "not a regular file", ...). Looks without opening.
QString NotRegularFileReason(const QString &fileName);
