#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

#include "base/result.h"
#include "document/documenttables.h"
#include "exchange/exchangedata.h"
#include "exchange/exchangescope.h"
#include "exchange/matchoptions.h"

// What the live link to a pixel editor exchanges: the scope of the Save/Load
// box (one sprite, one car, all cars; always one file) as an indexed PNG, and
// each save of it taken back into the tables.

// The linked file is named ScopeFileName(selection) and its saves come back
// as steps named UpdateStepText (exchange/scopetext.h).

// The scope as an 8-bit indexed PNG: the palette on show (data.palette, entry
// 0 data.background) as its colour table, the stored indices moved by their
// pending offsets as its pixels.
Result<QByteArray> LinkPictureBytes(const ExchangeSelection &selection, const ExchangeData &data);

// The tables after the picture bytes (a save of the linked file fileName)
// replaced the selection's scope: indexed pictures in palette's colours taken
// index for index, any other picture matched to palette as options say;
// the replaced sprites lose their pending offsets (the picture shows them
// moved). Exactly these bytes are decoded; the file is not read again. A
// picture of the wrong size or one that cannot be decoded fails naming the
// file by its name alone and the reason, and changes nothing.
Result<DocumentTables> ImportLinkedPicture(const DocumentTables &tables, const ExchangeSelection &selection,
                                           const Palette &palette, const QColor &background, const QString &fileName,
                                           const QByteArray &bytes, const MatchOptions &options);
