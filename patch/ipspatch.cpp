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

// True when a byte at or past 16 MiB has to change, or the target is cut to
// a length that three bytes cannot hold: IPS cannot say either.
bool NeedsBytesPastLimit(const QByteArray &source, const QByteArray &target)
{
    const qsizetype size = target.size();
    if (size > source.size())
        return size > kIpsOffsetLimit;   // the grown bytes up to the last one change
    if (size < source.size() && size >= kIpsOffsetLimit)
        return true;
    return size > kIpsOffsetLimit
        && QByteArrayView(source).sliced(kIpsOffsetLimit, size - kIpsOffsetLimit)
               != QByteArrayView(target).sliced(kIpsOffsetLimit);
}

}  // namespace

std::optional<QByteArray> MakeIpsPatch(const QByteArray &source, const QByteArray &target, QString *error)
{
    if (NeedsBytesPastLimit(source, target)) {
        if (error)
            *error = QStringLiteral("IPS cannot address bytes past 16 MiB; use a .bps patch");
        return std::nullopt;
    }
    // From here on every change lies below 16 MiB, so no record reaches past it.
    QByteArray patch("PATCH");
    const qsizetype size = target.size();
    qsizetype at = 0;
    while (at < size) {
        if (!Differs(source, target, at)) {
            ++at;
            continue;
        }
        // One stretch of changes, bridging short runs of equal bytes.
        qsizetype end = at + 1;
        for (;;) {
            while (end < size && Differs(source, target, end))
                ++end;
            qsizetype next = end;
            while (next < size && next - end <= kLargestBridgedGap && !Differs(source, target, next))
                ++next;
            if (next < size && next - end <= kLargestBridgedGap)
                end = next;
            else
                break;
        }
        AppendRecords(patch, target, at, end);
        at = end;
    }
    patch.append("EOF");
    if (size < source.size())
        AppendBigEndian(patch, static_cast<quint32>(size), 3);
    return patch;
}
