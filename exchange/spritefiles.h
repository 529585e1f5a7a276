#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "base/result.h"
#include "sys/sysfile.h"

// Reading and writing the files of a sprite exchange. The format is chosen by
// the name's suffix alone: "bin" in any letter case is raw sprite data,
// anything else a picture.

bool IsRawSpriteFile(const QString &fileName);

// The bytes of a picture in the format fileName's suffix names; a failure for
// a suffix no image writer knows (or none), a null image or a failed encoding.
Result<QByteArray> EncodePicture(const QString &fileName, const QImage &image);

// Writes a picture in the format its suffix names (EncodePicture) with the
// output writer (WriteOutputFile), whole or not at all; a failure naming the
// file and the reason.
Result<void> WritePictureFile(const QString &fileName, const QImage &image);

// Reads a picture, in any format and pixel format Qt reads. Fails
// for anything that is not a complete, intact picture of at most `largest`
// pixels in each direction: missing, unreadable, not a picture, truncated,
// corrupt, or too big (the size is checked before decoding where the format
// tells it). Only regular files are read: the file is opened without
// blocking and a FIFO, a device or a folder is refused unread. The failure
// says why; *tooLarge (if given) gets the size of a picture refused for being
// too big.
Result<QImage> ReadPictureFile(const QString &fileName, QSize largest, QSize *tooLarge = nullptr);

// No picture the exchange accepts comes near this; larger files are refused
// unread ("too large for a picture").
inline constexpr qint64 kLargestPictureFile = 64 * 1024 * 1024;

// The bytes of the file open as descriptor (opened without blocking), read
// as ReadPictureFile reads them: a regular file only, at most
// kLargestPictureFile bytes, not empty; the descriptor itself is looked at,
// not a name. The descriptor stays open. A failure names fileName.
Result<QByteArray> ReadPictureBytes(sys::Handle descriptor, const QString &fileName);

// The picture a file's bytes hold, checked and decoded as ReadPictureFile
// does; failures name fileName.
Result<QImage> DecodePicture(const QString &fileName, const QByteArray &data, QSize largest,
                             QSize *tooLarge = nullptr);

// Empty when fileName is a regular file; else why it is not one ("No such
// file or directory", "not a regular file", ...). Looks without opening.
QString NotRegularFileReason(const QString &fileName);
