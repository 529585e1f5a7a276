#include "exchange/importnotes.h"

#include <QFileInfo>
#include <QSet>

#include "exchange/indexedpicture.h"
#include "exchange/spriteconversion.h"

void ImportNotes::Add(const QString &fileName, const QImage &picture, const Palette &palette,
                      const QColor &background)
{
    // Colours of entries 6-10 that no candidate also has: those pixels change.
    QSet<QRgb> candidates;
    for (const QColor &color : ImportCandidates(palette, background))
        candidates.insert(color.rgb());
    QSet<QRgb> fixed;
    for (int i = 6; i <= 10 && i < palette.size(); ++i)
        if (!candidates.contains(palette.at(i).rgb()))
            fixed.insert(palette.at(i).rgb());

    if (picture.format() == QImage::Format_Indexed8) {
        // Taken as indices when its table is the palette's and every pixel
        // names one of the 16 entries; matched by colour otherwise.
        QString reason;
        if (!IsIndexedExchangePicture(picture, palette, background)) {
            reason = QStringLiteral("its colour table is not the palette in use");
        } else {
            for (int y = 0; y < picture.height() && reason.isEmpty(); ++y) {
                const uchar *line = picture.constScanLine(y);
                for (int x = 0; x < picture.width(); ++x)
                    if (line[x] >= kColorsPerPalette) {
                        reason = QStringLiteral("it uses colour table entries past 15");
                        break;
                    }
            }
        }
        if (reason.isEmpty())
            return;   // the indices come through as they are
        if (indexedMatched++ == 0) {
            firstIndexedName = QFileInfo(fileName).fileName();
            firstIndexedReason = reason;
        }
    }
    if (fixed.isEmpty())
        return;
    const QImage pixels = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            fixedPixels += qAlpha(line[x]) >= 128 && fixed.contains(line[x] | 0xFF000000u);
    }
}

QStringList ImportNotes::Lines() const
{
    QStringList lines;
    if (fixedPixels > 0)
        lines << QStringLiteral("%1 pixels have exactly the colour of palette entries 6-10, which a picture import "
                                "never gives; they took the nearest of entries 1-5 and 11-15")
                     .arg(fixedPixels);
    if (indexedMatched > 0)
        lines << QStringLiteral("%1 indexed picture(s) were matched by colour, not taken as indices (%2: %3)")
                     .arg(indexedMatched)
                     .arg(firstIndexedName, firstIndexedReason);
    return lines;
}
