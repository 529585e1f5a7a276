#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRgb>

#include "base/result.h"
#include "exchange/matchoptions.h"
#include "rom/cardata.h"
#include "view/pixelselection.h"

class QMimeData;

// A piece of a sprite on the clipboard, without widgets. Two forms go there
// together: the program's own (kPixelPieceMimeType), which carries the
// colour indices exactly between sprites, cars and windows of this program,
// and an indexed PNG ("image/png") for other programs, whose colour table is
// the 16 colours the piece is shown in plus a transparent entry for pixels
// that are not part of it.
//
// The own form is "SKMP", a version byte (1), the origin's x and y, width
// and height (16 bits each, big-endian) and one byte a pixel row by row: the index 0..15, or 255 where
// the piece has no pixel. Bytes from elsewhere are checked before use: a
// wrong header, an origin outside the frame, a size of 0 or past the 48 x 48 frame, too few or too many
// bytes, or an index past 15 is refused with a reason, never read.

inline constexpr char kPixelPieceMimeType[] = "application/x-skm-car-editor-pixels";

QByteArray EncodePixelPiece(const PixelPiece &piece);
Result<PixelPiece> DecodePixelPiece(const QByteArray &bytes);

// The 8-bit picture of a piece: pixel values are the indices, table the 16
// colours given (as IndexedColorTable makes them) and entry 16 transparent.
QImage PixelPiecePicture(const PixelPiece &piece, const QList<QRgb> &table);

// A picture of another program as a piece: an indexed picture in the 16
// colours given keeps its pixel values as indices; any other is matched to
// the palette as an import matches (spriteconversion.h). Pixels with alpha
// below 128 are not part of the piece. Refused: a null picture and one larger
// than the 48 x 48 frame.
Result<PixelPiece> PixelPieceFromPicture(const QImage &image, const Palette &palette, const QColor &background,
                                         const MatchOptions &options);

// Puts both forms of the piece into data.
void WritePixelPiece(QMimeData &data, const PixelPiece &piece, const QList<QRgb> &table);
// Whether data holds something a paste can use: the own form or a picture.
bool HoldsPixelPiece(const QMimeData &data);
// The piece data holds: the own form when it is there (refused when damaged,
// the picture beside it is not used then), else a picture through
// PixelPieceFromPicture.
Result<PixelPiece> ReadPixelPiece(const QMimeData &data, const Palette &palette, const QColor &background,
                                  const MatchOptions &options);
