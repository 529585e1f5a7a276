#include "external/linkimport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include "exchange/indexedpicture.h"
#include "exchange/scopetext.h"
#include "exchange/spriteimport.h"

namespace {

ExchangeSelection OneFile(ExchangeSelection selection)
{
    selection.separateFiles = false;
    return selection;
}

}  // namespace

Result<QByteArray> LinkPictureBytes(const ExchangeSelection &selection, const ExchangeData &data)
{
    const QImage picture = IndexedScopePicture(OneFile(selection), data);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (picture.isNull() || !writer.write(picture))
        return Failure{ScopeFileName(selection),
                       picture.isNull() ? QStringLiteral("nothing to draw") : writer.errorString(), 0,
                       Failure::Action::Write};
    return bytes;
}

Result<DocumentTables> ImportLinkedPicture(const DocumentTables &tables, const ExchangeSelection &selection,
                                           const Palette &palette, const QColor &background, const QString &fileName,
                                           const QByteArray &bytes, const MatchOptions &options)
{
    ExchangeData data{tables.sprites, tables.offsets, palette, background};
    const QString name = QFileInfo(fileName).fileName();
    const Result<ImportReport> read = ReadSpritePicture(name, bytes, selection, data, options);
    if (!read)
        return read.failure();
    if (!read->skipped.isEmpty()) {
        // A save is taken whole or not at all: every reason in one line for the status bar.
        QStringList reasons;
        for (const Failure &failure : read->skipped)
            reasons << failure.reason;
        return CannotLoad(name, reasons.join(QLatin1String("; ")));
    }
    DocumentTables after = tables;
    after.sprites = data.sprites;
    after.offsets = data.offsets;
    return after;
}
