#pragma once

#include <QByteArray>

// Qt's JPEG, GIF and BMP readers fill in what a cut-off file lacks and report
// success; these checks walk the file structure so that such a file is
// refused like any other broken picture. Data of other formats (PNG and the
// rest, whose readers do fail) passes.
bool PictureDataComplete(const QByteArray &data);

bool JpegDataComplete(const QByteArray &data);
bool GifDataComplete(const QByteArray &data);
bool BmpDataComplete(const QByteArray &data);
