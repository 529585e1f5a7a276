#pragma once

#include <QByteArray>
#include <QString>

#include "exchange/exchangedata.h"
#include "exchange/exchangescope.h"
#include "exchange/importnotes.h"
#include "exchange/matchoptions.h"

// Reads the selection from the picked file (or from the numbered set it
// belongs to) into data.sprites: raw data (suffix "bin", any case) taken as it
// is, pictures matched to data.palette with data.background for index 0.
// Every replaced sprite gets offset (0, 0), since an export carries the offset
// in its pixels. A failing file never stops the rest; each adds one line
// "Cannot load file \"name\": reason\n" to the returned text (empty when all
// loaded): the picture size found and the sizes the scope takes, the size of a
// raw file that does not fit, or why the file cannot be read. A one-file raw
// import is checked whole before anything changes. Only regular files are read.
// *notes (if given) gathers what each picture read may surprise with (see
// importnotes.h).
QString ReadSpriteFiles(const QString &picked, const ExchangeSelection &selection, ExchangeData &data,
                        const MatchOptions &options, ImportNotes *notes = nullptr);

// Reads one picture of the selection's scope from bytes already read from the
// file fileName, as ReadSpriteFiles reads a one-file picture import: the
// picture is decoded from exactly these bytes and the file is not opened
// again. The error lines name fileName as given.
QString ReadSpritePicture(const QString &fileName, const QByteArray &bytes, const ExchangeSelection &selection,
                          ExchangeData &data, const MatchOptions &options);

// The one error line of a file that could not be used.
QString CannotLoadLine(const QString &fileName, const QString &reason);

// The picture sizes a one-file import of the scope takes, as messages give
// them: "48 x 48", "624 x 432 or 432 x 240", "624 x 2160 or 432 x 1200".
QString AcceptedPictureSizes(ExchangeScope scope, int cars);
