#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// The debugger's remote serial protocol, the side that gives the commands:
// packets "$<payload>#<two hex digits>", the digits the sum of the payload's
// bytes modulo 256; the other side acknowledges each packet with '+' (or asks
// for it again with '-'). Widget-free; the bytes come and go through
// Received() and output(), so that any pipe (or a test) can carry them.

// The checksum of payload as two lowercase hex digits.
QByteArray GdbChecksum(const QByteArray &payload);
// payload framed as a packet. The characters '$', '#', '}' and '*' in payload
// are escaped ('}' and the character xor 0x20).
QByteArray GdbPacket(const QByteArray &payload);
// bytes as lowercase hex digits, two a byte.
QByteArray GdbHex(const QByteArray &bytes);
// The bytes of hex digits (either case); none for an odd count or a character
// that is not a hex digit.
std::optional<QByteArray> GdbUnhex(const QByteArray &hex);

// Takes the other side's bytes as they come, in pieces of any size, and
// gives what they hold: acknowledgements and whole packets. Anything outside
// a packet other than '+' and '-' is passed over. A packet's payload comes
// with its escapes and run lengths ("x*<n>": x repeated n - 29 more times)
// undone; its checksum is over the bytes as they were sent.
class GdbReader
{
public:
    struct Event
    {
        enum class Kind { Ack, Nak, Packet, BadPacket };
        Kind kind = Kind::Ack;
        QByteArray payload;   // of a packet, empty otherwise
        bool operator==(const Event &) const = default;
    };

    QList<Event> Feed(const QByteArray &bytes);

private:
    enum class State { Between, Payload, Checksum };
    State state = State::Between;
    QByteArray raw;        // the packet's bytes as sent, between '$' and '#'
    QByteArray checksum;   // its digits so far
};

// One conversation with a remote stub: commands go in order, one at a time;
// each waits for its acknowledgement and its reply, which is acknowledged in
// turn. A packet the other side refuses is sent again, as is a reply whose
// checksum is wrong asked for again, up to kRetries times. A command that has
// no reply within its time-out, too many refusals or the other side's end of
// the conversation fail the conversation (failed(), once, naming the reason);
// after that it takes no more commands and passes over what comes.
class GdbRemote : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRetries = 3;

    // name: the other side as the messages call it.
    explicit GdbRemote(const QString &name, QObject *parent = nullptr);

    // Queues command; its reply must come within timeoutMs of its sending (0:
    // no limit, as for a "continue" whose reply is the next stop).
    void Send(const QByteArray &command, int timeoutMs);
    // The other side's bytes.
    void Received(const QByteArray &bytes);
    // The other side is gone (its output closed).
    void Closed();

    bool broken() const { return isBroken; }
    // Whether a command waits for its reply or to be sent.
    bool busy() const { return !queue.isEmpty(); }
    // Forgets the commands not sent yet (one sent still gets its reply).
    void Drop();

signals:
    // The bytes to give the other side.
    void output(const QByteArray &bytes);
    // The reply to command (an error reply "Enn" included: what it means is
    // the command's to say).
    void replied(const QByteArray &command, const QByteArray &reply);
    void failed(const QString &reason);

private:
    struct Pending
    {
        QByteArray command;
        int timeoutMs = 0;
    };
    void SendFirst();
    void Fail(const QString &reason);
    QString Shown(const QByteArray &command) const;

    QString name;
    GdbReader reader;
    QList<Pending> queue;   // the first one is sent (when sent is true)
    bool sent = false;
    bool acknowledged = false;
    int refusals = 0;
    int badReplies = 0;
    bool isBroken = false;
    QTimer timeout;
};
