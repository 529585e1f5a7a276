#include "rom/romcheck.h"

#include <QFileInfo>

#include "rom/cardata.h"
#include "rom/numbertext.h"
#include "rom/romwriter.h"
#include "rom/smdformat.h"

namespace {

constexpr qsizetype kDomesticNameOffset = 0x120;
constexpr qsizetype kOverseasNameOffset = 0x150;
constexpr qsizetype kNameLength = 0x30;

QString NameAt(const QByteArray &plain, qsizetype offset)
{
    QString name;
    for (const char byte : plain.mid(offset, kNameLength)) {
        const auto code = static_cast<unsigned char>(byte);
        name.append(code >= 0x20 && code < 0x7F ? QChar(code) : QChar(u' '));
    }
    return name.simplified();
}

} // namespace

RomHeaderInfo ReadRomHeader(const QByteArray &plain)
{
    RomHeaderInfo info;
    info.hasMegaDriveHeader = HasMegaDriveMark(plain);
    info.title = NameAt(plain, kOverseasNameOffset);
    if (info.title.isEmpty())
        info.title = NameAt(plain, kDomesticNameOffset);
    info.hasStoredChecksum = plain.size() >= kChecksumOffset + 2;
    if (info.hasStoredChecksum)
        info.storedChecksum = static_cast<quint16>(static_cast<unsigned char>(plain.at(kChecksumOffset)) << 8 |
                                                   static_cast<unsigned char>(plain.at(kChecksumOffset + 1)));
    info.computedChecksum = RomChecksum(plain);
    return info;
}

QStringList RomProblems(const QString &path, const QByteArray &plain)
{
    const QString name = QFileInfo(path).fileName();
    QStringList problems;
    if (plain.size() < kSpritesAreaEnd)
        problems << QStringLiteral("%1 is %2; the car data needs at least %3")
                        .arg(name, ByteCountText(plain.size()), GroupedNumber(kSpritesAreaEnd));
    if (!ReadRomHeader(plain).hasMegaDriveHeader)
        problems << QStringLiteral("%1 has no Mega Drive cartridge header (the word SEGA at 0x100 or 0x101), so it may "
                                   "not be a game image")
                        .arg(name);
    return problems;
}

RomContents RomContentsFromFile(const QString &path, const QByteArray &fileBytes)
{
    RomContents image;
    if (LooksLikeSmd(fileBytes)) {
        QString reason;
        if (DeinterleaveSmd(fileBytes, &image.plain, &reason)) {
            image.smdHeader = fileBytes.left(kSmdHeaderSize);
        } else {
            image.plain = fileBytes;
            image.problems << QStringLiteral("%1 looks like an interleaved (.smd) image, but %2; it is read as "
                                             "plain data")
                                  .arg(QFileInfo(path).fileName(), reason);
        }
    } else {
        image.plain = fileBytes;
    }
    image.problems << RomProblems(path, image.plain);
    return image;
}
