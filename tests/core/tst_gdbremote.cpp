#include <QtTest>

#include "external/gdbremote.h"
#include "external/stubchannel.h"

// The debugger stub's protocol against canned bytes: framing, checksums,
// acknowledgements, replies in pieces; and the live channel against a
// stand-in stub that keeps a memory of its own.

namespace {

using Kind = GdbReader::Event::Kind;
using Events = QList<GdbReader::Event>;

// A stub as blastem's behaves: answers each packet with '+' and a reply;
// "c" stops again only when stopAgain is set (the next frame's breakpoint).
struct FakeStub
{
    QByteArray memory = QByteArray(0x4000, '\0');
    QByteArray writeAnswer = "OK";   // to every M
    QByteArrayList commands;
    GdbReader reader;
    int stopsWaiting = 0;            // a "c" waits for one of these

    QByteArray Answer(const QByteArray &command)
    {
        commands << command;
        if (command == "?")
            return "S05";
        if (command.startsWith('Z') || command.startsWith('z'))
            return "OK";
        if (command.startsWith('M')) {
            const qsizetype comma = command.indexOf(','), colon = command.indexOf(':');
            const int at = command.mid(1, comma - 1).toInt(nullptr, 16);
            const int length = command.mid(comma + 1, colon - comma - 1).toInt(nullptr, 16);
            const std::optional<QByteArray> bytes = GdbUnhex(command.mid(colon + 1));
            if (writeAnswer == "OK" && bytes && bytes->size() == length)
                memory.replace(at, length, *bytes);
            return writeAnswer;
        }
        if (command.startsWith('m')) {
            const qsizetype comma = command.indexOf(',');
            return GdbHex(memory.mid(command.mid(1, comma - 1).toInt(nullptr, 16),
                                     command.mid(comma + 1).toInt(nullptr, 16)));
        }
        return {};
    }

    // What the stub sends back for bytes from the channel; a "c" answered
    // only while stops wait.
    QByteArray Take(const QByteArray &bytes)
    {
        QByteArray out;
        for (const GdbReader::Event &event : reader.Feed(bytes)) {
            if (event.kind != Kind::Packet)
                continue;
            out += '+';
            if (event.payload == "c") {
                commands << "c";
                if (stopsWaiting > 0) {
                    --stopsWaiting;
                    out += GdbPacket("S05");
                }
                continue;
            }
            out += GdbPacket(Answer(event.payload));
        }
        return out;
    }
};

// The channel wired to the stub: what one sends the other takes, at once.
struct Wired
{
    FakeStub stub;
    StubChannel channel{QStringLiteral("blastem"), 0x2ae};
    QStringList failures;
    int written = 0;
    Wired()
    {
        QObject::connect(&channel, &StubChannel::output, &channel,
                         [this](const QByteArray &bytes) {
                             const QByteArray back = stub.Take(bytes);
                             if (!back.isEmpty())
                                 QMetaObject::invokeMethod(&channel, [this, back] { channel.Received(back); },
                                                           Qt::QueuedConnection);
                         });
        QObject::connect(&channel, &StubChannel::failed, &channel, [this](const QString &m) { failures << m; });
        QObject::connect(&channel, &StubChannel::written, &channel, [this] { ++written; });
    }
    // Lets the machine stop once more at the breakpoint.
    void Stop()
    {
        ++stub.stopsWaiting;
        channel.Received(GdbPacket("S05"));
        --stub.stopsWaiting;
    }
};

}  // namespace

Q_DECLARE_METATYPE(GdbReader::Event)

class TestGdbRemote : public QObject
{
    Q_OBJECT

private slots:
    void packets_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("packet");
        QTest::newRow("a question") << QByteArray("?") << QByteArray("$?#3f");
        QTest::newRow("a read") << QByteArray("m200,10") << QByteArray("$m200,10#8c");
        QTest::newRow("a sum past 255 wraps") << QByteArray("OK") << QByteArray("$OK#9a");
        QTest::newRow("empty") << QByteArray() << QByteArray("$#00");
        QTest::newRow("framing characters escaped")
            << QByteArray("a$#}*") << QByteArray("$a}\x04}\x03}]}\x0a#") + GdbChecksum("a}\x04}\x03}]}\x0a");
    }
    void packets()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, packet);
        QCOMPARE(GdbPacket(payload), packet);
        // Read back, the payload is what was framed.
        GdbReader reader;
        QCOMPARE(reader.Feed(packet), (Events{{Kind::Packet, payload}}));
    }

    void hex_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<bool>("good");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lower") << QByteArray("deadbeef") << true << QByteArray("\xde\xad\xbe\xef");
        QTest::newRow("upper") << QByteArray("00FF7A") << true << QByteArray("\x00\xff\x7a", 3);
        QTest::newRow("empty") << QByteArray() << true << QByteArray();
        QTest::newRow("odd count") << QByteArray("abc") << false << QByteArray();
        QTest::newRow("not a digit") << QByteArray("0g") << false << QByteArray();
        QTest::newRow("an error reply") << QByteArray("E01") << false << QByteArray();
    }
    void hex()
    {
        QFETCH(QByteArray, hex);
        QFETCH(bool, good);
        QFETCH(QByteArray, bytes);
        const std::optional<QByteArray> read = GdbUnhex(hex);
        QCOMPARE(read.has_value(), good);
        if (good) {
            QCOMPARE(*read, bytes);
            QCOMPARE(GdbHex(bytes), hex.toLower());
        }
    }

    // The stub's bytes in pieces of any size.
    void reader_data()
    {
        QTest::addColumn<QByteArrayList>("pieces");
        QTest::addColumn<Events>("events");
        QTest::newRow("ack and stop, as blastem sends them")
            << QByteArrayList{"+$S05#B8"} << Events{{Kind::Ack, {}}, {Kind::Packet, "S05"}};
        QTest::newRow("split everywhere")
            << QByteArrayList{"+", "$", "S0", "5", "#", "B", "8"} << Events{{Kind::Ack, {}}, {Kind::Packet, "S05"}};
        QTest::newRow("a refusal") << QByteArrayList{"-"} << Events{{Kind::Nak, {}}};
        QTest::newRow("noise between packets passed over")
            << QByteArrayList{"xx\n$OK#9a zz"} << Events{{Kind::Packet, "OK"}};
        QTest::newRow("a wrong checksum") << QByteArrayList{"$OK#9b"} << Events{{Kind::BadPacket, {}}};
        QTest::newRow("a checksum that is no number") << QByteArrayList{"$OK#zz"} << Events{{Kind::BadPacket, {}}};
        QTest::newRow("a cut-off packet begun anew")
            << QByteArrayList{"$OK", "$S05#b8"} << Events{{Kind::Packet, "S05"}};
        QTest::newRow("a run length") << QByteArrayList{QByteArray("$0*\"#") + GdbChecksum("0*\"")}
                                      << Events{{Kind::Packet, "000000"}};
        QTest::newRow("an escape") << QByteArrayList{QByteArray("$a}\x03#") + GdbChecksum("a}\x03")}
                                   << Events{{Kind::Packet, "a#"}};
        QTest::newRow("two replies at once")
            << QByteArrayList{"+$OK#9a+$E01#a6"}
            << Events{{Kind::Ack, {}}, {Kind::Packet, "OK"}, {Kind::Ack, {}}, {Kind::Packet, "E01"}};
    }
    void reader()
    {
        QFETCH(QByteArrayList, pieces);
        QFETCH(Events, events);
        GdbReader reader;
        Events got;
        for (const QByteArray &piece : pieces)
            got += reader.Feed(piece);
        QCOMPARE(got, events);
    }

    // A conversation: the commands given, the stub's bytes; what went out,
    // the replies, and a failure.
    void conversation_data()
    {
        QTest::addColumn<QByteArrayList>("commands");
        QTest::addColumn<QByteArrayList>("incoming");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QByteArrayList>("replies");
        QTest::addColumn<QString>("failure");
        QTest::newRow("answered") << QByteArrayList{"?"} << QByteArrayList{"+$S05#B8"} << QByteArray("$?#3f+")
                                  << QByteArrayList{"?=S05"} << QString();
        QTest::newRow("one at a time, in order")
            << QByteArrayList{"m0,1", "m1,1"} << QByteArrayList{"+$00#60", "+$ff#cc"}
            << QByteArray("$m0,1#fa+$m1,1#fb+") << QByteArrayList{"m0,1=00", "m1,1=ff"} << QString();
        QTest::newRow("refused, sent again") << QByteArrayList{"?"} << QByteArrayList{"-", "+$S05#B8"}
                                             << QByteArray("$?#3f$?#3f+") << QByteArrayList{"?=S05"} << QString();
        QTest::newRow("a reply with a wrong checksum asked for again")
            << QByteArrayList{"?"} << QByteArrayList{"+$S05#00", "$S05#B8"} << QByteArray("$?#3f-+")
            << QByteArrayList{"?=S05"} << QString();
        QTest::newRow("an error reply is a reply") << QByteArrayList{"M0,1:zz"} << QByteArrayList{"+$E01#a6"}
                                                   << QByteArray("$M0,1:zz#08+") << QByteArrayList{"M0,1:zz=E01"}
                                                   << QString();
        QTest::newRow("refused too often")
            << QByteArrayList{"?"} << QByteArrayList{"-", "-", "-", "-"} << QByteArray("$?#3f$?#3f$?#3f$?#3f")
            << QByteArrayList{} << QStringLiteral("blastem refused \"?\" 4 times.");
        QTest::newRow("wrong checksums too often")
            << QByteArrayList{"?"} << QByteArrayList{"+$S05#00$S05#00$S05#00$S05#00"} << QByteArray("$?#3f---")
            << QByteArrayList{} << QStringLiteral("blastem sent 4 packets with a wrong checksum.");
        QTest::newRow("a packet nobody asked for is acknowledged only")
            << QByteArrayList{} << QByteArrayList{"$OK#9a"} << QByteArray("+") << QByteArrayList{} << QString();
    }
    void conversation()
    {
        QFETCH(QByteArrayList, commands);
        QFETCH(QByteArrayList, incoming);
        QFETCH(QByteArray, sent);
        QFETCH(QByteArrayList, replies);
        QFETCH(QString, failure);
        GdbRemote remote(QStringLiteral("blastem"));
        QByteArray out;
        QByteArrayList got;
        QStringList failures;
        connect(&remote, &GdbRemote::output, &remote, [&](const QByteArray &bytes) { out += bytes; });
        connect(&remote, &GdbRemote::replied, &remote,
                [&](const QByteArray &command, const QByteArray &reply) { got << command + '=' + reply; });
        connect(&remote, &GdbRemote::failed, &remote, [&](const QString &reason) { failures << reason; });
        for (const QByteArray &command : commands)
            remote.Send(command, 1000);
        for (const QByteArray &bytes : incoming)
            remote.Received(bytes);
        QCOMPARE(out, sent);
        QCOMPARE(got, replies);
        QCOMPARE(failures, failure.isEmpty() ? QStringList{} : QStringList{failure});
        QCOMPARE(remote.broken(), !failure.isEmpty());
    }

    // No answer within the time-out: one failure naming the command; what
    // comes late is passed over.
    void timeout()
    {
        GdbRemote remote(QStringLiteral("blastem"));
        QStringList failures;
        int replies = 0;
        connect(&remote, &GdbRemote::failed, &remote, [&](const QString &reason) { failures << reason; });
        connect(&remote, &GdbRemote::replied, &remote, [&] { ++replies; });
        remote.Send("m200,4", 50);
        remote.Send("c", 0);
        QTRY_COMPARE(failures.size(), 1);
        QCOMPARE(failures.first(), QStringLiteral("blastem did not answer \"m200,4\" within 0.05 seconds."));
        remote.Received("+$00000000#80");
        remote.Send("?", 50);
        QTest::qWait(100);
        QCOMPARE(failures.size(), 1);
        QCOMPARE(replies, 0);
    }

    void stopAddress_data()
    {
        QTest::addColumn<QByteArray>("vector");
        QTest::addColumn<qint64>("address");   // -1: refused
        QTest::newRow("the demo's") << QByteArray("\x00\x00\x02\xae", 4) << qint64(0x2ae);
        QTest::newRow("the top byte ignored") << QByteArray("\xff\x01\x23\x44", 4) << qint64(0x12344);
        QTest::newRow("odd") << QByteArray("\x00\x00\x02\xaf", 4) << qint64(-1);
    }
    void stopAddress()
    {
        QFETCH(QByteArray, vector);
        QFETCH(qint64, address);
        QByteArray image(0x200, '\0');
        image.replace(0x78, 4, vector);
        const Result<quint32> found = StubChannel::StopAddress(image);
        QCOMPARE(found.ok(), address >= 0);
        if (found)
            QCOMPARE(qint64(*found), address);
        QVERIFY(!StubChannel::StopAddress(QByteArray(0x7b, '\0')));
    }

    // The channel sets its breakpoint, writes at the stops only, in pieces
    // the stub takes, and the stub's memory ends as the image.
    void channelWrites_data()
    {
        QTest::addColumn<QList<qsizetype>>("ranges");   // offset, length pairs
        QTest::addColumn<int>("writes");                // memory writes sent
        QTest::newRow("one byte") << QList<qsizetype>{0x200, 1} << 1;
        QTest::newRow("two apart") << QList<qsizetype>{0x10, 4, 0x3000, 2} << 2;
        QTest::newRow("a long one in pieces") << QList<qsizetype>{0x100, 0x1001} << 3;
        QTest::newRow("touching ones joined") << QList<qsizetype>{0x100, 4, 0x104, 4} << 1;
    }
    void channelWrites()
    {
        QFETCH(QList<qsizetype>, ranges);
        QFETCH(int, writes);
        Wired wired;
        wired.channel.Begin();
        QTRY_COMPARE(wired.stub.commands, (QByteArrayList{"?", "Z0,2ae,2", "c"}));

        QByteArray image(0x4000, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char(i * 13 + 1);
        QList<ByteRange> changed;
        for (qsizetype i = 0; i + 1 < ranges.size(); i += 2)
            changed << ByteRange{ranges[i], ranges[i + 1]};
        wired.channel.Write(image, changed);
        QTest::qWait(20);
        QCOMPARE(wired.stub.commands.size(), 3);   // nothing while it runs

        wired.Stop();
        QTRY_COMPARE(wired.written, 1);
        QTRY_COMPARE(wired.stub.commands.last(), QByteArray("c"));
        QCOMPARE(wired.stub.commands.count(), 4 + writes);
        for (const ByteRange &range : changed)
            QCOMPARE(wired.stub.memory.mid(range.offset, range.length), image.mid(range.offset, range.length));
        QCOMPARE(wired.channel.stops(), 1);

        // A stop with nothing pending goes on at once; a read comes back.
        QSignalSpy read(&wired.channel, &StubChannel::read);
        const ByteRange first = changed.first();
        wired.channel.Read(quint32(first.offset), int(first.length));
        wired.Stop();
        QTRY_COMPARE(read.size(), 1);
        QCOMPARE(read.first().at(0).toUInt(), quint32(first.offset));
        QCOMPARE(read.first().at(1).toByteArray(), image.mid(first.offset, first.length));
        QCOMPARE(wired.written, 1);

        // Closed: the next stop takes the breakpoint away and lets it run.
        wired.channel.Close();
        wired.channel.Write(image, {{0, 1}});
        const qsizetype before = wired.stub.commands.size();
        wired.Stop();
        QTRY_COMPARE(wired.stub.commands.mid(before), (QByteArrayList{"z0,2ae,2", "c"}));
        QVERIFY(wired.failures.isEmpty());
    }

    // A write the stub refuses ends the channel with the stub's answer, and
    // the machine goes on without the breakpoint.
    void channelRefused()
    {
        Wired wired;
        wired.stub.writeAnswer = "E0E";
        wired.channel.Begin();
        QTRY_COMPARE(wired.stub.commands.size(), 3);
        wired.channel.Write(QByteArray(0x100, 'x'), {{0x10, 2}, {0x80, 2}});
        wired.Stop();
        QTRY_COMPARE(wired.failures.size(), 1);
        QVERIFY2(wired.failures.first().contains(QLatin1String("\"E0E\"")), qPrintable(wired.failures.first()));
        QVERIFY2(wired.failures.first().contains(QLatin1String("0x10")), qPrintable(wired.failures.first()));
        QTRY_COMPARE(wired.stub.commands.last(), QByteArray("c"));
        QVERIFY(wired.stub.commands.contains("z0,2ae,2"));
        QCOMPARE(wired.written, 0);
        QVERIFY(wired.channel.closing());
    }
};

QTEST_GUILESS_MAIN(TestGdbRemote)
#include "tst_gdbremote.moc"
