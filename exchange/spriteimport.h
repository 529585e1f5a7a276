#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "base/result.h"

#include "exchange/exchangedata.h"
#include "exchange/exchangescope.h"
#include "exchange/importnotes.h"
#include "exchange/matchoptions.h"

// What an import read besides the sprites: the notes of its pictures (see
// importnotes.h), and what it could not use while it read the rest: the
// files of a numbered set, the cars of an all-cars sheet.
struct ImportReport
{
    ImportNotes notes;
    QList<Failure> skipped;
};

// Reads the selection from the picked file (or from the numbered set it
// belongs to) into data.sprites: raw data (suffix "bin", any case) taken as it
// is, pictures matched to data.palette with data.background for index 0.
// Every replaced sprite gets offset (0, 0), since an export carries the offset
// in its pixels. A one-file import that cannot be used fails and changes
// nothing (a raw file is checked whole first); in a numbered set a failing
// file never stops the rest, and a car of a sheet that cannot be converted
// keeps its sprites: each such is a Failure in ImportReport::skipped. Every
// failure names its file, action "load file", and the reason: the picture
// size found and the sizes the scope takes, the size of a raw file that does
// not fit, or why the file cannot be read. Only regular files are read.
Result<ImportReport> ReadSpriteFiles(const QString &picked, const ExchangeSelection &selection, ExchangeData &data,
                                     const MatchOptions &options);

// Reads one picture of the selection's scope from bytes already read from the
// file fileName, as ReadSpriteFiles reads a one-file picture import: the
// picture is decoded from exactly these bytes and the file is not opened
// again. The failures name fileName as given.
Result<ImportReport> ReadSpritePicture(const QString &fileName, const QByteArray &bytes,
                                       const ExchangeSelection &selection, ExchangeData &data,
                                       const MatchOptions &options);

// The failure of a file that could not be used: "Cannot load file "x": reason".
Failure CannotLoad(const QString &fileName, const QString &reason);

// Every failure of an import as its one line of text (empty when it read
// everything), for the command line and for tests.
QStringList ProblemLines(const Result<ImportReport> &read);

// The picture sizes a one-file import of the scope takes, as messages give
// them: "48 x 48", "624 x 432 or 432 x 240", "624 x 2160 or 432 x 1200".
QString AcceptedPictureSizes(ExchangeScope scope, int cars);
