#include "rom/smdformat.h"

#include "rom/numbertext.h"

namespace {

constexpr qsizetype kHalfBlock = kSmdBlockSize / 2;

bool HasSmdMark(const QByteArray &bytes)
{
    return bytes.size() >= kSmdHeaderSize && bytes.at(1) == '\x03' && bytes.at(8) == '\xAA' &&
           bytes.at(9) == '\xBB';
}

} // namespace

bool HasMegaDriveMark(const QByteArray &plain)
{
    const QByteArray mark = QByteArrayLiteral("SEGA");
    return plain.mid(0x100, 4) == mark || plain.mid(0x101, 4) == mark;
}

bool LooksLikeSmd(const QByteArray &fileBytes)
{
    return HasSmdMark(fileBytes) && fileBytes.size() > kSmdHeaderSize && !HasMegaDriveMark(fileBytes);
}

bool DeinterleaveSmd(const QByteArray &fileBytes, QByteArray *plain, QString *reason)
{
    auto refuse = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return false;
    };
    if (!LooksLikeSmd(fileBytes))
        return refuse(QStringLiteral("it has no interleaved (.smd) header"));
    const qsizetype body = fileBytes.size() - kSmdHeaderSize;
    if (body % kSmdBlockSize != 0) {
        return refuse(QStringLiteral("its interleaved data ends %1 into a block of 16,384, so the last block is "
                                     "incomplete")
                          .arg(ByteCountText(body % kSmdBlockSize)));
    }

    QByteArray out(body, Qt::Uninitialized);
    const char *in = fileBytes.constData() + kSmdHeaderSize;
    char *to = out.data();
    for (qsizetype block = 0; block < body; block += kSmdBlockSize) {
        const char *source = in + block;
        char *target = to + block;
        for (qsizetype i = 0; i < kHalfBlock; ++i) {
            target[2 * i] = source[kHalfBlock + i];
            target[2 * i + 1] = source[i];
        }
    }
    *plain = out;
    return true;
}

QByteArray InterleaveSmd(const QByteArray &header, const QByteArray &plain)
{
    const qsizetype blocks = (plain.size() + kSmdBlockSize - 1) / kSmdBlockSize;
    QByteArray padded = plain;
    padded.append(QByteArray(blocks * kSmdBlockSize - plain.size(), '\0'));

    QByteArray out = header.left(kSmdHeaderSize);
    out.append(QByteArray(kSmdHeaderSize - out.size(), '\0'));
    // Byte 0 counts the 16 KiB blocks: an image grown past the count it
    // names (a short file saved with the car data) gets the new count. A
    // header that names none (0) is left as it is.
    const auto named = static_cast<unsigned char>(out.at(0));
    if (named != 0 && blocks <= 0xFF && blocks > named)
        out[0] = static_cast<char>(blocks);
    out.resize(kSmdHeaderSize + padded.size());
    const char *source = padded.constData();
    char *target = out.data() + kSmdHeaderSize;
    for (qsizetype block = 0; block < padded.size(); block += kSmdBlockSize) {
        for (qsizetype i = 0; i < kHalfBlock; ++i) {
            target[block + kHalfBlock + i] = source[block + 2 * i];
            target[block + i] = source[block + 2 * i + 1];
        }
    }
    return out;
}
