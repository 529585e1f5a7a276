#include "external/gdbremote.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The payload as sent, escapes and run lengths undone.
QByteArray Decoded(const QByteArray &raw)
{
    QByteArray payload;
    payload.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '}' && i + 1 < raw.size()) {
            payload.append(char(raw[++i] ^ 0x20));
        } else if (c == '*' && i + 1 < raw.size() && !payload.isEmpty()) {
            const int repeat = quint8(raw[++i]) - 29;
            if (repeat > 0)
                payload.append(QByteArray(repeat, payload.back()));
        } else {
            payload.append(c);
        }
    }
    return payload;
}

}  // namespace

QByteArray GdbChecksum(const QByteArray &payload)
{
    quint8 sum = 0;
    for (const char c : payload)
        sum = quint8(sum + quint8(c));
    const char digits[2] = {kHexDigits[sum >> 4], kHexDigits[sum & 15]};
    return QByteArray(digits, 2);
}

QByteArray GdbPacket(const QByteArray &payload)
{
    QByteArray escaped;
    escaped.reserve(payload.size());
    for (const char c : payload) {
        if (c == '$' || c == '#' || c == '}' || c == '*') {
            escaped.append('}');
            escaped.append(char(c ^ 0x20));
        } else {
            escaped.append(c);
        }
    }
    return '$' + escaped + '#' + GdbChecksum(escaped);
}

QByteArray GdbHex(const QByteArray &bytes)
{
    QByteArray hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        hex.append(kHexDigits[quint8(c) >> 4]);
        hex.append(kHexDigits[quint8(c) & 15]);
    }
    return hex;
}

std::optional<QByteArray> GdbUnhex(const QByteArray &hex)
{
    if (hex.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes(hex.size() / 2, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int high = HexValue(hex[2 * i]);
        const int low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes[i] = char(high << 4 | low);
    }
    return bytes;
}

QList<GdbReader::Event> GdbReader::Feed(const QByteArray &bytes)
{
    QList<Event> events;
    for (const char c : bytes) {
        switch (state) {
        case State::Between:
            if (c == '+')
                events.append({Event::Kind::Ack, {}});
            else if (c == '-')
                events.append({Event::Kind::Nak, {}});
            else if (c == '$') {
                state = State::Payload;
                raw.clear();
            }
            break;
        case State::Payload:
            if (c == '#') {
                state = State::Checksum;
                checksum.clear();
            } else if (c == '$') {
                raw.clear();   // a packet begun anew: the one before was cut off
            } else {
                raw.append(c);
            }
            break;
        case State::Checksum:
            checksum.append(c);
            if (checksum.size() == 2) {
                state = State::Between;
                const bool good = checksum.toLower() == GdbChecksum(raw);
                events.append(good ? Event{Event::Kind::Packet, Decoded(raw)} : Event{Event::Kind::BadPacket, {}});
                raw.clear();
            }
            break;
        }
    }
    return events;
}

GdbRemote::GdbRemote(const QString &name, QObject *parent) : QObject(parent), name(name)
{
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, this, [this] {
        if (queue.isEmpty())
            return;
        Fail(tr("%1 did not answer \"%2\" within %3 seconds.")
                 .arg(this->name, Shown(queue.first().command))
                 .arg(queue.first().timeoutMs / 1000.0, 0, 'g', 3));
    });
}

QString GdbRemote::Shown(const QByteArray &command) const
{
    // A memory write is long: its address and length say enough.
    const qsizetype colon = command.indexOf(':');
    return QString::fromLatin1(colon > 0 && command.startsWith('M') ? command.left(colon) + ":..." : command.left(40));
}

void GdbRemote::Send(const QByteArray &command, int timeoutMs)
{
    if (isBroken)
        return;
    queue.append({command, timeoutMs});
    if (queue.size() == 1)
        SendFirst();
}

void GdbRemote::Drop()
{
    if (queue.size() > 1)
        queue.resize(sent ? 1 : 0);
    else if (!sent)
        queue.clear();
}

void GdbRemote::SendFirst()
{
    sent = !queue.isEmpty();
    acknowledged = false;
    timeout.stop();
    if (!sent)
        return;
    if (queue.first().timeoutMs > 0)
        timeout.start(queue.first().timeoutMs);
    emit output(GdbPacket(queue.first().command));
}

void GdbRemote::Fail(const QString &reason)
{
    if (isBroken)
        return;
    isBroken = true;
    timeout.stop();
    queue.clear();
    sent = false;
    emit failed(reason);
}

void GdbRemote::Closed()
{
    Fail(tr("%1 closed its end of the conversation.").arg(name));
}

void GdbRemote::Received(const QByteArray &bytes)
{
    for (const GdbReader::Event &event : reader.Feed(bytes)) {
        if (isBroken)
            return;
        switch (event.kind) {
        case GdbReader::Event::Kind::Ack:
            acknowledged = true;
            refusals = 0;
            break;
        case GdbReader::Event::Kind::Nak:
            if (!sent || acknowledged)
                break;
            if (++refusals > kRetries) {
                Fail(tr("%1 refused \"%2\" %3 times.").arg(name, Shown(queue.first().command)).arg(refusals));
                return;
            }
            emit output(GdbPacket(queue.first().command));
            break;
        case GdbReader::Event::Kind::BadPacket:
            if (++badReplies > kRetries) {
                Fail(tr("%1 sent %2 packets with a wrong checksum.").arg(name).arg(badReplies));
                return;
            }
            emit output(QByteArrayLiteral("-"));
            break;
        case GdbReader::Event::Kind::Packet: {
            badReplies = 0;
            emit output(QByteArrayLiteral("+"));
            if (!sent)
                break;   // nothing was asked: a stray packet
            const QByteArray command = queue.takeFirst().command;
            SendFirst();
            emit replied(command, event.payload);
            break;
        }
        }
    }
}
