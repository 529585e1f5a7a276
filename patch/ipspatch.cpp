#include "patch/ipspatch.h"

#include <algorithm>

namespace {

// Equal bytes between two changes are written along when they cost no more
// than the 5-byte header of a new record.
constexpr qsizetype kLargestBridgedGap = 5;

void AppendBigEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

// Bytes at or past the end of the source always count as changed: the file
// has to grow there.
bool Differs(const QByteArray &source, const QByteArray &target, qsizetype at)
{
    return at >= source.size() || source.at(at) != target.at(at);
}

void AppendRecords(QByteArray &patch, const QByteArray &target, qsizetype start, qsizetype end)
{
    qsizetype at = start;
    while (at < end) {
        const qsizetype recordStart = at == kIpsEofOffset ? at - 1 : at;
        const qsizetype length = std::min<qsizetype>(end - recordStart, kIpsLargestRecord);
        AppendBigEndian(patch, static_cast<quint32>(recordStart), 3);
        AppendBigEndian(patch, static_cast<quint32>(length), 2);
        patch.append(target.constData() + recordStart, length);
        at = recordStart + length;
    }
}

QString Hex(qsizetype offset)
{
    return QStringLiteral("0x") + QString::number(offset, 16).toUpper();
}

}  // namespace

std::optional<QByteArray> MakeIpsPatch(const QByteArray &source, const QByteArray &target, QString *error)
{
    QByteArray patch("PATCH");
    const qsizetype size = target.size();
    qsizetype at = 0;
    while (at < size) {
        if (!Differs(source, target, at)) {
            ++at;
            continue;
        }
        if (at >= kIpsOffsetLimit) {
            if (error)
                *error = QStringLiteral("a change at offset %1 lies past 16 MiB, which IPS cannot express").arg(Hex(at));
            return std::nullopt;
        }
        // One stretch of changes, bridging short runs of equal bytes.
        qsizetype end = at + 1;
        for (;;) {
            while (end < size && Differs(source, target, end))
                ++end;
            qsizetype next = end;
            while (next < size && next - end <= kLargestBridgedGap && !Differs(source, target, next))
                ++next;
            if (next < size && next - end <= kLargestBridgedGap && next < kIpsOffsetLimit)
                end = next;
            else
                break;
        }
        AppendRecords(patch, target, at, end);
        at = end;
    }
    patch.append("EOF");
    if (size < source.size()) {
        if (size >= kIpsOffsetLimit) {
            if (error)
                *error = QStringLiteral("the new size %1 lies past 16 MiB, which IPS cannot express").arg(Hex(size));
            return std::nullopt;
        }
        AppendBigEndian(patch, static_cast<quint32>(size), 3);
    }
    return patch;
}
