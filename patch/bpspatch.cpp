#include "patch/bpspatch.h"

#include <cstring>

#include "patch/crc32.h"

namespace {

enum Action : quint64 { SourceRead = 0, TargetRead = 1 };

// A run of equal bytes shorter than this between changes is sent along with
// them: a SourceRead and the TargetRead header after it would cost as much.
constexpr qsizetype kShortestSourceRead = 4;

void AppendLittleEndian32(QByteArray &out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
}

void AppendAction(QByteArray &out, Action action, qsizetype length)
{
    AppendBpsNumber(out, (quint64(length - 1) << 2) | action);
}

// The end of the run of equal bytes from at (both arrays at least `common` long).
qsizetype EqualRunEnd(const char *source, const char *target, qsizetype at, qsizetype common)
{
    // Eight bytes at a time where they are all equal.
    while (at + 8 <= common) {
        quint64 a, b;
        std::memcpy(&a, source + at, 8);
        std::memcpy(&b, target + at, 8);
        if (a != b)
            break;
        at += 8;
    }
    while (at < common && source[at] == target[at])
        ++at;
    return at;
}

}  // namespace

void AppendBpsNumber(QByteArray &out, quint64 value)
{
    for (;;) {
        const quint64 low = value & 0x7F;
        value >>= 7;
        if (value == 0) {
            out.append(static_cast<char>(0x80 | low));
            return;
        }
        out.append(static_cast<char>(low));
        --value;
    }
}

QByteArray MakeBpsPatch(const QByteArray &source, const QByteArray &target)
{
    QByteArray patch("BPS1");
    AppendBpsNumber(patch, static_cast<quint64>(source.size()));
    AppendBpsNumber(patch, static_cast<quint64>(target.size()));
    AppendBpsNumber(patch, 0);

    const char *s = source.constData();
    const char *t = target.constData();
    const qsizetype size = target.size();
    const qsizetype common = std::min(source.size(), size);
    qsizetype at = 0;
    qsizetype changeStart = -1;   // start of the pending TargetRead, -1 when none
    while (at < size) {
        const qsizetype equalEnd = EqualRunEnd(s, t, at, common);
        const qsizetype equal = equalEnd - at;
        // A short equal run inside changes is sent as part of them.
        const bool keep = equal >= kShortestSourceRead || equalEnd == size || changeStart < 0;
        if (equal > 0 && keep) {
            if (changeStart >= 0) {
                AppendAction(patch, TargetRead, at - changeStart);
                patch.append(t + changeStart, at - changeStart);
                changeStart = -1;
            }
            AppendAction(patch, SourceRead, equal);
            at = equalEnd;
            continue;
        }
        if (changeStart < 0)
            changeStart = at;
        at = equalEnd;
        // Then the changed bytes (every byte past the source's end is one).
        while (at < size && (at >= common || s[at] != t[at]))
            ++at;
    }
    if (changeStart >= 0) {
        AppendAction(patch, TargetRead, size - changeStart);
        patch.append(t + changeStart, size - changeStart);
    }

    AppendLittleEndian32(patch, Crc32(source));
    AppendLittleEndian32(patch, Crc32(target));
    AppendLittleEndian32(patch, Crc32(patch));
    return patch;
}
