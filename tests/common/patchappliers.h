#pragma once

// IPS and BPS appliers written from the two format definitions alone, to check
// the patches the program writes.

#include <optional>

#include <QByteArray>
#include <QList>

namespace patchtest {

inline quint32 BitwiseCrc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

struct Reader
{
    const QByteArray &bytes;
    qsizetype at = 0;
    bool ok = true;

    quint32 Take(int count, bool bigEndian)
    {
        if (at + count > bytes.size()) {
            ok = false;
            return 0;
        }
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            const quint32 byte = static_cast<unsigned char>(bytes.at(at + i));
            value |= bigEndian ? byte << (8 * (count - 1 - i)) : byte << (8 * i);
        }
        at += count;
        return value;
    }

    quint64 Number()
    {
        quint64 data = 0, shift = 1;
        for (;;) {
            const quint32 x = Take(1, true);
            if (!ok)
                return 0;
            data += (x & 0x7F) * shift;
            if (x & 0x80)
                return data;
            shift <<= 7;
            data += shift;
        }
    }
};

// IPS, with RLE records and the truncation extension. The record offsets go to *starts.
inline std::optional<QByteArray> ApplyIps(const QByteArray &patch, QByteArray file, QList<qint64> *starts = nullptr)
{
    if (!patch.startsWith("PATCH"))
        return std::nullopt;
    Reader in{patch, 5};
    for (;;) {
        if (patch.mid(in.at, 3) == "EOF") {
            in.at += 3;
            if (in.at + 3 == patch.size())
                file.truncate(in.Take(3, true));
            return in.at == patch.size() ? std::optional(file) : std::nullopt;
        }
        const qint64 offset = in.Take(3, true);
        quint32 size = in.Take(2, true);
        QByteArray data;
        if (size == 0) {
            size = in.Take(2, true);
            data = QByteArray(size, static_cast<char>(in.Take(1, true)));
        } else {
            data = patch.mid(in.at, size);
            in.at += size;
        }
        if (!in.ok || data.size() != qsizetype(size))
            return std::nullopt;
        if (starts)
            starts->append(offset);
        if (file.size() < offset + size)
            file.resize(offset + size, '\0');
        file.replace(offset, size, data);
    }
}

inline std::optional<QByteArray> ApplyBps(const QByteArray &patch, const QByteArray &source)
{
    if (patch.size() < 16 || !patch.startsWith("BPS1"))
        return std::nullopt;
    const QByteArray body = patch.left(patch.size() - 12);
    Reader in{body, 4};
    const quint64 sourceSize = in.Number();
    const quint64 targetSize = in.Number();
    in.at += in.Number();   // metadata
    if (!in.ok || sourceSize != quint64(source.size()))
        return std::nullopt;
    QByteArray target;
    while (in.ok && in.at < body.size()) {
        const quint64 data = in.Number();
        const qint64 length = qint64(data >> 2) + 1;
        if ((data & 3) == 0) {   // SourceRead
            target += source.mid(target.size(), length);
        } else if ((data & 3) == 1) {   // TargetRead
            target += body.mid(in.at, length);
            in.at += length;
        } else {
            return std::nullopt;   // the copies are never written
        }
    }
    Reader footer{patch, patch.size() - 12};
    if (!in.ok || in.at != body.size() || quint64(target.size()) != targetSize
        || footer.Take(4, false) != BitwiseCrc32(source) || footer.Take(4, false) != BitwiseCrc32(target)
        || footer.Take(4, false) != BitwiseCrc32(patch.left(patch.size() - 4)))
        return std::nullopt;
    return target;
}

} // namespace patchtest

using patchtest::ApplyBps;
using patchtest::ApplyIps;
using patchtest::BitwiseCrc32;
