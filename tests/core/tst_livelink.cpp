#include <QtTest>

#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

#include "external/livelink.h"
#include "external/ownfolder.h"
#include "external/startpoint.h"

// The live link's own parts: which ranges go to the emulator, how the change
// file holds them, and the coalescing of transfers.

namespace {

QByteArray Changed(QByteArray bytes, const QList<qsizetype> &offsets)
{
    for (const qsizetype offset : offsets)
        bytes[offset] = char(bytes[offset] ^ 0x5A);
    return bytes;
}

// The ranges a change file holds, read back as the script reads it.
QList<ByteRange> ReadRanges(const QByteArray &file, quint32 *sequence, QByteArray *image)
{
    QList<ByteRange> ranges;
    if (file.left(8) != "SKMLIVE1")
        return ranges;
    *sequence = qFromBigEndian<quint32>(file.constData() + 8);
    const quint32 count = qFromBigEndian<quint32>(file.constData() + 12);
    qsizetype at = 16;
    for (quint32 i = 0; i < count; ++i) {
        const ByteRange range{qFromBigEndian<quint32>(file.constData() + at),
                              qFromBigEndian<quint32>(file.constData() + at + 4)};
        image->replace(range.offset, range.length, file.mid(at + 8, range.length));
        at += 8 + range.length;
        ranges << range;
    }
    return ranges;
}

}  // namespace

using Ranges = QList<ByteRange>;
Q_DECLARE_METATYPE(ByteRange)

class TestLiveLink : public QObject
{
    Q_OBJECT

private slots:
    void differingRanges_data()
    {
        QTest::addColumn<QList<qsizetype>>("offsets");
        QTest::addColumn<Ranges>("expected");
        QTest::newRow("none") << QList<qsizetype>{} << Ranges{};
        QTest::newRow("the first byte") << QList<qsizetype>{0} << Ranges{{0, 1}};
        QTest::newRow("the last byte") << QList<qsizetype>{255} << Ranges{{255, 1}};
        QTest::newRow("near ones joined") << QList<qsizetype>{10, 12, 25} << Ranges{{10, 16}};
        QTest::newRow("far ones apart") << QList<qsizetype>{10, 100} << Ranges{{10, 1}, {100, 1}};
        QTest::newRow("a gap of 16 apart, of 15 joined") << QList<qsizetype>{10, 27, 28, 44} << Ranges{{10, 1}, {27, 18}};
    }
    void differingRanges()
    {
        QFETCH(QList<qsizetype>, offsets);
        QFETCH(Ranges, expected);
        QByteArray a(256, '\0');
        for (int i = 0; i < a.size(); ++i)
            a[i] = char(i * 7);
        QCOMPARE(DifferingRanges(a, Changed(a, offsets), 16), expected);
    }

    void joinRanges_data()
    {
        QTest::addColumn<Ranges>("first");
        QTest::addColumn<Ranges>("more");
        QTest::addColumn<Ranges>("expected");
        QTest::newRow("into nothing") << Ranges{} << Ranges{{4, 2}} << Ranges{{4, 2}};
        QTest::newRow("apart, sorted") << Ranges{{40, 2}} << Ranges{{4, 2}} << Ranges{{4, 2}, {40, 2}};
        QTest::newRow("touching") << Ranges{{4, 2}} << Ranges{{6, 3}} << Ranges{{4, 5}};
        QTest::newRow("inside") << Ranges{{4, 20}} << Ranges{{6, 3}} << Ranges{{4, 20}};
        QTest::newRow("bridging") << Ranges{{0, 2}, {10, 2}} << Ranges{{1, 10}} << Ranges{{0, 12}};
    }
    void joinRanges()
    {
        QFETCH(Ranges, first);
        QFETCH(Ranges, more);
        QFETCH(Ranges, expected);
        QCOMPARE(JoinRanges(first, more), expected);
    }

    // Each transfer holds every range changed since the start with its bytes
    // now, so that the newest file alone makes the emulator's copy whole,
    // also one changed back to what the emulator started with.
    void newestFileAloneIsWhole()
    {
        QTemporaryDir dir;
        QByteArray start(4096, '\x11');
        LiveLink link;
        QByteArray image = start;
        int wanted = 0;
        connect(&link, &LiveLink::imageWanted, &link, [&] {
            ++wanted;
            link.Send(image);
        });
        const QString changes = dir.filePath(QString::fromLatin1(kLiveChangeName));
        link.Start(QStringLiteral("mame"), changes, start);

        image[100] = 'a';
        image[3000] = 'b';
        link.Changed();
        QTRY_COMPARE(link.transfers(), 1u);
        image[100] = '\x11';   // back as it started
        image[2000] = 'c';
        link.Changed();
        link.Changed();
        QTRY_COMPARE(link.transfers(), 2u);
        QCOMPARE(wanted, 2);

        QFile file(changes);
        QVERIFY(file.open(QIODevice::ReadOnly));
        quint32 sequence = 0;
        QByteArray emulator = start;
        const Ranges ranges = ReadRanges(file.readAll(), &sequence, &emulator);
        QCOMPARE(sequence, 2u);
        QCOMPARE(ranges, (Ranges{{100, 1}, {2000, 1}, {3000, 1}}));
        QCOMPARE(emulator, image);

        // Nothing changed: nothing written.
        link.Changed();
        QTest::qWait(LiveLink::kIntervalMs + 50);
        QCOMPARE(link.transfers(), 2u);
        QVERIFY(IsOwnFileName(OwnFolderKind::PlayTest, QString::fromLatin1(kLiveChangeName)));
        QVERIFY(IsOwnFileName(OwnFolderKind::PlayTest, QString::fromLatin1(kLiveScriptName)));
    }

    // A change file that cannot be written ends the link with one message.
    void failureEndsLink()
    {
        QTemporaryDir dir;
        const QString changes = dir.filePath(QString::fromLatin1(kLiveChangeName));
        QVERIFY(QDir().mkdir(changes));   // a folder where the file goes
        LiveLink link;
        QStringList messages;
        connect(&link, &LiveLink::failed, &link, [&](const QString &message) { messages << message; });
        const QByteArray start(64, '\0');
        link.Start(QStringLiteral("mame"), changes, start);
        link.Send(Changed(start, {3}));
        QVERIFY(!link.running());
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().contains(changes), qPrintable(messages.first()));
        link.Send(Changed(start, {4}));   // ended: nothing more
        QCOMPARE(messages.size(), 1);

        link.Start(QStringLiteral("mame"), dir.filePath(QStringLiteral("other.bin")), start);
        link.Send(QByteArray(65, '\0'));
        QVERIFY(!link.running());
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages.last().contains(QLatin1String("size")), qPrintable(messages.last()));
    }

    void emulatorFamily_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("family");
        QTest::newRow("mame") << QStringLiteral("/usr/games/mame genesis -cart %f") << QStringLiteral("mame");
        QTest::newRow("MAME64") << QStringLiteral("MAME64 %f") << QStringLiteral("mame");
        QTest::newRow("blastem") << QStringLiteral("blastem -m gen %f") << QStringLiteral("blastem");
        QTest::newRow("another") << QStringLiteral("mednafen %f") << QString();
        QTest::newRow("a folder named mame") << QStringLiteral("/opt/mame/run %f") << QString();
    }
    void emulatorFamily()
    {
        QFETCH(QString, command);
        QFETCH(QString, family);
        QCOMPARE(EmulatorFamily(command), family);
    }

    // One start point per ROM, of the emulator that saved it last; a link
    // put in its place is neither offered nor removed.
    void blastemQuickSave_data()
    {
        QTest::addColumn<QByteArray>("settings");   // blastem.cfg, or none
        QTest::addColumn<QString>("expected");      // under the home folder
        QTest::newRow("no settings") << QByteArray() << QStringLiteral(".local/share/blastem/game-play-1/quicksave.state");
        QTest::newRow("settings without a save path")
            << QByteArray("ui {\n\tstate_format native\n}\n") << QStringLiteral(".local/share/blastem/game-play-1/quicksave.state");
        QTest::newRow("own save path and gst")
            << QByteArray("ui {\n\t#save_path /nowhere\n\tsave_path $HOME/saves/$ROMNAME\n\tstate_format gst\n}\n")
            << QStringLiteral("saves/game-play-1/quicksave.gst");
        // A FIFO in the settings' place is passed by, not opened (that would wait for a writer).
        QTest::newRow("settings are a FIFO") << QByteArray("fifo") << QStringLiteral(".local/share/blastem/game-play-1/quicksave.state");
    }
    void blastemQuickSave()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, expected);
        QTemporaryDir home, config;
        if (settings == "fifo") {
            QVERIFY(QDir(config.path()).mkpath(QStringLiteral("blastem")));
            QCOMPARE(::mkfifo(QFile::encodeName(config.filePath(QStringLiteral("blastem/blastem.cfg"))).constData(), 0600), 0);
        } else if (!settings.isEmpty()) {
            QVERIFY(QDir(config.path()).mkpath(QStringLiteral("blastem")));
            QFile file(config.filePath(QStringLiteral("blastem/blastem.cfg")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(settings);
        }
        QCOMPARE(BlastemQuickSavePath(QStringLiteral("/tmp/x/game-play-1.bin"), home.path(), config.path()),
                 home.filePath(expected));
    }

    void startPoints()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        const QString rom = data.filePath(QStringLiteral("game.bin"));
        QVERIFY(!FindStartPoint(rom));
        const Result<StartPoint> mame = KeepStartPoint(rom, QStringLiteral("mame"), "one");
        QVERIFY(mame);
        QVERIFY(mame->path.startsWith(data.path()));
        QCOMPARE(FindStartPoint(rom)->family, QStringLiteral("mame"));
        QVERIFY(!FindStartPoint(data.filePath(QStringLiteral("other.bin"))));
        const Result<StartPoint> blastem = KeepStartPoint(rom, QStringLiteral("blastem"), "two");
        QVERIFY(blastem);
        QCOMPARE(FindStartPoint(rom)->family, QStringLiteral("blastem"));
        QVERIFY(!QFileInfo::exists(mame->path));
        QCOMPARE(StartPointArguments(QStringLiteral("blastem"), blastem->path),
                 QStringList({QStringLiteral("-s"), blastem->path}));
        QVERIFY(ForgetStartPoint(rom));
        QVERIFY(!FindStartPoint(rom));
        QVERIFY(!ForgetStartPoint(rom));

        const QString target = data.filePath(QStringLiteral("kept"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::link(target, mame->path));
        QVERIFY(!FindStartPoint(rom));
        QVERIFY(!ForgetStartPoint(rom));
        QVERIFY(QFileInfo(mame->path).isSymLink());
        QVERIFY(QFileInfo::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestLiveLink)
#include "tst_livelink.moc"
