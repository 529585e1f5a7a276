#include "external/stubchannel.h"

#include <QtEndian>

namespace {

// The 68000's level-6 autovector: the vertical blanking interrupt.
constexpr qsizetype kVblankVector = 0x78;

QByteArray Hex(quint32 value)
{
    return QByteArray::number(value, 16);
}

}  // namespace

Result<quint32> StubChannel::StopAddress(const QByteArray &image)
{
    if (image.size() < kVblankVector + 4)
        return Failure{{}, tr("the ROM is too short to hold the vertical blanking vector at 0x78.")};
    // The 68000 has 24 address lines.
    const quint32 address = qFromBigEndian<quint32>(image.constData() + kVblankVector) & 0xFFFFFF;
    if (address % 2 != 0)
        return Failure{{}, tr("the vertical blanking vector at 0x78 points to the odd address 0x%1.")
                               .arg(address, 0, 16)};
    return address;
}

StubChannel::StubChannel(const QString &name, quint32 stopAddress, QObject *parent)
    : QObject(parent), name(name), address(stopAddress), remote(name)
{
    connect(&remote, &GdbRemote::output, this, &StubChannel::output);
    connect(&remote, &GdbRemote::replied, this, &StubChannel::Replied);
    connect(&remote, &GdbRemote::failed, this, [this](const QString &reason) { Fail(reason, false); });
}

void StubChannel::Begin()
{
    remote.Send(QByteArrayLiteral("?"), kStartWaitMs);
    remote.Send("Z0," + Hex(address) + ",2", kAnswerWaitMs);
}

void StubChannel::Write(const QByteArray &image, const QList<ByteRange> &ranges)
{
    if (closing() || ranges.isEmpty())
        return;
    pendingImage = image;
    pending = JoinRanges(pending, ranges);
}

void StubChannel::Read(quint32 at, int length)
{
    if (!closing() && length > 0)
        reads.append({at, length});
}

void StubChannel::Close()
{
    if (state == State::Closing || state == State::Closed)
        return;
    // What this stop still writes goes; the next stop takes the breakpoint away.
    pending.clear();
    reads.clear();
    state = State::Closing;
}

void StubChannel::AtStop()
{
    if (state == State::Closing) {
        remote.Send("z0," + Hex(address) + ",2", kAnswerWaitMs);
        remote.Send(QByteArrayLiteral("c"), 0);
        state = State::Closed;
        return;
    }
    state = State::Running;
    for (const ByteRange &range : std::as_const(pending))
        for (qsizetype at = range.offset; at < range.offset + range.length; at += kWriteChunk) {
            const qsizetype length = qMin(kWriteChunk, range.offset + range.length - at);
            remote.Send("M" + Hex(quint32(at)) + ',' + Hex(quint32(length)) + ':' + GdbHex(pendingImage.mid(at, length)),
                        kAnswerWaitMs);
            ++writesOut;
        }
    pending.clear();
    for (const auto &[at, length] : std::as_const(reads))
        remote.Send("m" + Hex(at) + ',' + Hex(quint32(length)), kAnswerWaitMs);
    reads.clear();
    remote.Send(QByteArrayLiteral("c"), 0);
}

void StubChannel::Replied(const QByteArray &command, const QByteArray &reply)
{
    if (state == State::Closed)
        return;
    const auto refused = [&](const QString &what) {
        Fail(tr("%1 answered \"%2\" to %3.").arg(name, QString::fromLatin1(reply.left(40)), what), true);
    };
    switch (command.isEmpty() ? '\0' : command[0]) {
    case '?':
        if (!reply.startsWith('S') && !reply.startsWith('T'))
            refused(tr("the question whether it is stopped"));
        return;
    case 'Z':
        if (reply != "OK") {
            refused(tr("the breakpoint at 0x%1").arg(address, 0, 16));
            return;
        }
        AtStop();
        return;
    case 'M':
        if (reply != "OK") {
            refused(tr("a write of its memory at 0x%1")
                        .arg(QString::fromLatin1(command.mid(1, command.indexOf(',') - 1))));
            return;
        }
        if (--writesOut == 0)
            emit written();
        return;
    case 'm': {
        const std::optional<QByteArray> bytes = GdbUnhex(reply);
        const qsizetype comma = command.indexOf(',');
        const quint32 at = command.mid(1, comma - 1).toUInt(nullptr, 16);
        const int length = command.mid(comma + 1).toInt(nullptr, 16);
        if (!bytes || bytes->size() != length) {
            refused(tr("a read of its memory at 0x%1").arg(at, 0, 16));
            return;
        }
        emit read(at, *bytes);
        return;
    }
    case 'c':
        if (reply.startsWith('W') || reply.startsWith('X')) {
            // The machine ended: the emulator's end follows.
            state = State::Closed;
            return;
        }
        if (!reply.startsWith('S') && !reply.startsWith('T')) {
            refused(tr("\"continue\""));
            return;
        }
        ++stopCount;
        AtStop();
        return;
    default:
        return;
    }
}

void StubChannel::Fail(const QString &reason, bool answering)
{
    if (state == State::Closed)
        return;
    // An answer came, so the machine is stopped and hears: it goes on
    // without the breakpoint.
    if (answering) {
        remote.Drop();
        remote.Send("z0," + Hex(address) + ",2", kAnswerWaitMs);
        remote.Send(QByteArrayLiteral("c"), 0);
    }
    state = State::Closed;
    pending.clear();
    reads.clear();
    emit failed(reason);
}
