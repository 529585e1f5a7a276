// Recovery of unsaved changes: what the keeper writes comes back whole in a
// new document as one step, bad files are refused and put aside, a living
// owner's file is never offered, and the file goes when nothing is unsaved.
#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QMutex>
#include <QProcess>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "common/testrom.h"
#include "document/cardocument.h"
#include "document/documentdelta.h"
#include "recovery/recoverykeeper.h"
#include "recovery/recoveryoffer.h"

namespace {

// The change the helper process makes before it is killed.
DocumentTables HelperChange(DocumentTables tables)
{
    tables.characteristics[2][0] = char(tables.characteristics[2][0] ^ 0x55);
    return tables;
}

// Run as "--recovery-helper ROM FOLDER": opens the ROM, changes it, says
// "written" once the recovery file is there and waits to be killed.
int RunHelper(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CarDocument document;
    document.Open(QString::fromLocal8Bit(argv[2]));
    RecoveryKeeper keeper(&document, QString::fromLocal8Bit(argv[3]));
    QObject::connect(&keeper, &RecoveryKeeper::written, [] {
        fputs("written\n", stdout);
        fflush(stdout);
    });
    document.Change(QStringLiteral("Change"), {}, HelperChange(document.tables()));
    return app.exec();
}

// The changes part of a recovery file with one offset and one palette (as
// the file holds them), for values no editor writes.
QByteArray CraftedChanges(qint32 car, qint32 sprite, qint32 x, qint32 y, const QColor &color)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << quint32(0) << quint32(1) << car << sprite << x << y;
    out << quint32(1) << qint32(2) << quint32(kColorsPerPalette);
    for (int i = 0; i < kColorsPerPalette; ++i)
        out << (i == 3 ? color : QColor(0, 0, 0));
    out << quint32(0) << quint32(0);
    return bytes;
}

// Entries of folder, sorted.
QStringList Entries(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

} // namespace

class TestRecovery : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString rom;
    QString folder;

    QStringList RecoveryFiles(const QString &pattern = QStringLiteral("*.skmrecovery")) const
    {
        return QDir(folder).entryList({pattern}, QDir::Files);
    }
    // A document on the ROM and its keeper, as one window holds them.
    struct Window
    {
        std::unique_ptr<CarDocument> document = std::make_unique<CarDocument>();
        std::unique_ptr<RecoveryKeeper> keeper;
    };
    Window Open() const
    {
        Window window;
        window.document->Open(rom);
        window.keeper = std::make_unique<RecoveryKeeper>(window.document.get(), folder);
        return window;
    }
    static bool Written(Window &window)
    {
        QSignalSpy spy(window.keeper.get(), &RecoveryKeeper::written);
        return spy.wait(5000);
    }
    // A window on the ROM whose changes were written and whose owner is gone.
    DocumentTables LeaveChanges(const std::function<void(CarDocument &)> &change) const
    {
        Window window = Open();
        change(*window.document);
        if (!Written(window))
            qFatal("no recovery file was written");
        return window.document->tables();
    }

private slots:
    void init()
    {
        QVERIFY(dir.isValid());
        rom = WriteTestFile(dir.filePath(QStringLiteral("game.bin")), RandomRomImage(7));
        folder = dir.filePath(QStringLiteral("recovery"));
        QDir(folder).removeRecursively();
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("pixel stroke") << 0;
        QTest::newRow("palette colour") << 1;
        QTest::newRow("characteristic") << 2;
        QTest::newRow("all-cars import") << 3;
        QTest::newRow("offsets") << 4;
    }
    void roundTrip()
    {
        QFETCH(int, kind);
        const DocumentTables expected = LeaveChanges([kind, this](CarDocument &document) {
            DocumentTables after = document.tables();
            switch (kind) {
            case 0: {
                const int old = after.sprites[1][4][100];
                after.sprites[1][4][100] = (old + 1) % 16;
                TableChanges changes;
                changes.sprites.append({1, 4});
                document.SetLive(after, changes);
                // The live update alone writes nothing.
                QCoreApplication::processEvents();
                QVERIFY(RecoveryFiles().isEmpty());
                document.RecordPixels(QStringLiteral("Draw"), {1, 4, -1}, 1, 4, {{100, old, (old + 1) % 16}});
                return;
            }
            case 1: after.palettes[3][5] = QColor(0x22, 0x44, 0xEE); break;
            case 2: after.characteristics[4][1] = char(after.characteristics[4][1] + 1); break;
            case 3:
                for (QList<SpritePixels> &car : after.sprites)
                    for (SpritePixels &sprite : car)
                        for (int &index : sprite)
                            index = (index + 3) % 16;
                break;
            case 4: after.offsets[0][7] = QPoint(-3, 5); break;
            }
            document.Change(QStringLiteral("Change"), {}, after);
        });

        Window next = Open();
        const DocumentTables onDisk = next.document->tables();
        RecoveryScan scan = ScanForRecovery(*next.document, folder);
        QCOMPARE(scan.offers.size(), 1);
        QVERIFY(scan.refused.isEmpty());
        QVERIFY(!scan.offers[0].romChanged);
        QVERIFY(ApplyRecovery(*next.document, scan.offers[0], next.keeper.get()));
        QVERIFY(next.document->tables() == expected);
        QVERIFY(next.document->isModified());
        QCOMPARE(next.document->undoStack()->undoText(), QStringLiteral("Recover unsaved changes"));
        // Only the new window's own file is left.
        QCOMPARE(RecoveryFiles(), QStringList{QFileInfo(next.keeper->filePath()).fileName()});
        next.document->undoStack()->undo();
        QVERIFY(next.document->tables() == onDisk);
        QVERIFY(RecoveryFiles().isEmpty());
    }

    void refused_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("truncated") << 0 << "truncated";
        QTest::newRow("other format version") << 1 << "format version 3";
        QTest::newRow("ROM of another size") << 2 << "ROM of";
        QTest::newRow("damaged changes") << 3 << "saved changes are damaged";
    }
    void refused()
    {
        QFETCH(int, damage);
        QFETCH(QString, reason);
        LeaveChanges([](CarDocument &document) {
            document.Change(QStringLiteral("Change"), {}, HelperChange(document.tables()));
        });
        const QString path = QDir(folder).filePath(RecoveryFiles().value(0));
        QByteArray bytes = ReadBytes(path);
        Result<RecoveryRecord> record = DecodeRecoveryFile(path, bytes);
        QVERIFY(record);
        if (damage == 0)
            bytes.chop(40);
        if (damage == 1)
            bytes[11] = 3;
        if (damage == 2)
            record->rom.size += 1;
        if (damage == 3)
            record->changes = QByteArray::fromHex("00000001000000000000002d");   // sprite 45 of car 1
        if (damage >= 2)
            bytes = EncodeRecoveryFile(*record);
        WriteTestFile(path, bytes);

        Window next = Open();
        const RecoveryScan scan = ScanForRecovery(*next.document, folder);
        QVERIFY(scan.offers.isEmpty());
        QCOMPARE(scan.refused.size(), 1);
        QVERIFY2(scan.refused[0].message().contains(QDir::toNativeSeparators(path)), qPrintable(scan.refused[0].message()));
        QVERIFY2(scan.refused[0].reason.contains(reason), qPrintable(scan.refused[0].reason));
        QCOMPARE(ReadBytes(path + QStringLiteral(".bad")), bytes);
        QVERIFY(RecoveryFiles().isEmpty());
        QVERIFY(!next.document->isModified());
        QVERIFY(ScanForRecovery(*next.document, folder).refused.isEmpty());
    }

    // Files of the format before the ROM's device and inode are still read.
    void formatVersion1Read()
    {
        const DocumentTables expected = LeaveChanges([](CarDocument &document) {
            document.Change(QStringLiteral("Change"), {}, HelperChange(document.tables()));
        });
        const QString path = QDir(folder).filePath(RecoveryFiles().value(0));
        const Result<RecoveryRecord> record = DecodeRecoveryFile(path, ReadBytes(path));
        QVERIFY(record);
        QByteArray contents;
        QDataStream out(&contents, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << record->romPath << qint64(record->rom.size) << qint64(record->rom.modifiedNs) << record->rom.hash
            << qint64(record->written.toMSecsSinceEpoch()) << qint64(record->ownerPid) << record->ownerId
            << record->changes;
        QByteArray bytes = QByteArrayLiteral("SKMRECOV");
        bytes += QByteArray::fromHex("00000001") + QByteArray::fromHex(QByteArray::number(contents.size(), 16).rightJustified(16, '0'));
        bytes += contents + QCryptographicHash::hash(contents, QCryptographicHash::Sha256);
        WriteTestFile(path, bytes);
        Window next = Open();
        const RecoveryScan scan = ScanForRecovery(*next.document, folder);
        QCOMPARE(scan.offers.size(), 1);
        QVERIFY(scan.offers[0].recovered == expected);
    }

    void livingOwnerNotOffered()
    {
        Window living = Open();
        living.document->Change(QStringLiteral("Change"), {}, HelperChange(living.document->tables()));
        QVERIFY(Written(living));
        Window reader = Open();
        QVERIFY(ScanForRecovery(*reader.document, folder).offers.isEmpty());

        // A second window on the ROM keeps a file of its own; once gone, only it is offered.
        const DocumentTables other = LeaveChanges([](CarDocument &document) {
            DocumentTables after = document.tables();
            after.weapons[0][0] = char(after.weapons[0][0] ^ 1);
            document.Change(QStringLiteral("Weapon"), {}, after);
        });
        QCOMPARE(RecoveryFiles().size(), 2);
        RecoveryScan scan = ScanForRecovery(*reader.document, folder);
        QCOMPARE(scan.offers.size(), 1);
        QVERIFY(scan.offers[0].recovered == other);
        // Meanwhile the ROM changed on disk (same size): recovery still applies, and says so.
        QByteArray image = ReadBytes(rom);
        image[0x300] = char(image[0x300] ^ 0xFF);
        WriteTestFile(rom, image);
        scan.offers.clear();   // decide later: the file stays
        Window changed = Open();
        scan = ScanForRecovery(*changed.document, folder);
        QCOMPARE(scan.offers.size(), 1);
        QVERIFY(scan.offers[0].romChanged);
        const QDateTime at(QDate(2026, 5, 4), QTime(14, 32));
        scan.offers[0].written = at.toUTC();
        QCOMPARE(RecoveryQuestion(scan.offers[0], at.addSecs(3600)),
                 QStringLiteral("Unsaved changes to game.bin from 14:32 were found (the editor did not close "
                                "normally). game.bin has changed on disk since then: recovering puts the recovered "
                                "data in place of the car data the file holds now."));
        DiscardRecovery(scan.offers[0]);
        QCOMPARE(RecoveryFiles().size(), 1);   // the living window's
    }

    void removedWhenNothingIsUnsaved_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("save") << 0;
        QTest::newRow("undo to clean") << 1;
        QTest::newRow("discard") << 2;
        QTest::newRow("revert") << 3;
    }
    void removedWhenNothingIsUnsaved()
    {
        QFETCH(int, how);
        Window window = Open();
        window.document->Change(QStringLiteral("Change"), {}, HelperChange(window.document->tables()));
        QVERIFY(Written(window));
        QCOMPARE(RecoveryFiles().size(), 1);
        if (how == 0) {
            QVERIFY(window.document->SaveToFile().ok());
            window.document->MarkSaved();
        }
        if (how == 1)
            window.document->undoStack()->undo();
        if (how == 2)
            window.keeper->Discard();
        if (how == 3)
            window.document->Open(rom);
        QVERIFY(RecoveryFiles().isEmpty());
        QVERIFY(RecoveryFiles(QStringLiteral("*.lock")).isEmpty());
        window.keeper.reset();
        QVERIFY(RecoveryFiles().isEmpty());
    }

    // A crafted file is refused whole with the reason, never half applied.
    void craftedValuesRefused_data()
    {
        QTest::addColumn<int>("field");   // 0 changes, 1 ROM path, 2 size, 3 hash, 4 time, 5 process id
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QString>("reason");   // empty: accepted
        const QPoint inside(3, -4);
        QTest::newRow("offset x 2^31-1") << 0 << qint64(0) << QPoint(INT_MAX, 0) << "lies outside -48..48";
        QTest::newRow("offset y -2^31") << 0 << qint64(0) << QPoint(0, INT_MIN) << "lies outside -48..48";
        QTest::newRow("offset 49") << 0 << qint64(0) << QPoint(49, 0) << "(49, 0) lies outside";
        QTest::newRow("offset -48, 48: the frame's edges") << 0 << qint64(0) << QPoint(-48, 48) << "";
        QTest::newRow("car 6") << 0 << qint64(5) << inside << "offset 1";
        QTest::newRow("car -1") << 0 << qint64(-1) << inside << "offset 1";
        QTest::newRow("sprite 46") << 0 << qint64(100 + 45) << inside << "offset 1";
        QTest::newRow("invalid colour") << 0 << qint64(200) << inside << "palette 3";
        QTest::newRow("floating-point colour") << 0 << qint64(201) << inside << "palette 3";
        QTest::newRow("colour model 255") << 0 << qint64(202) << inside << "palette 3";
        QTest::newRow("relative ROM path") << 1 << qint64(0) << inside << "not absolute";
        QTest::newRow("ROM of -1 bytes") << 2 << qint64(-1) << inside << "ROM size of -1";
        QTest::newRow("ROM of 2^40 bytes") << 2 << (qint64(1) << 40) << inside << "ROM size of";
        QTest::newRow("hash of 5 bytes") << 3 << qint64(5) << inside << "checksum of 5 bytes";
        QTest::newRow("written before 1970") << 4 << qint64(-1) << inside << "time of writing";
        QTest::newRow("written in the year 300000") << 4 << (qint64(1) << 53) << inside << "time of writing";
        QTest::newRow("process id -5") << 5 << qint64(-5) << inside << "process id of -5";
    }
    void craftedValuesRefused()
    {
        QFETCH(int, field);
        QFETCH(qint64, value);
        QFETCH(QPoint, offset);
        QFETCH(QString, reason);
        LeaveChanges([](CarDocument &document) {
            document.Change(QStringLiteral("Change"), {}, HelperChange(document.tables()));
        });
        const QString path = QDir(folder).filePath(RecoveryFiles().value(0));
        Result<RecoveryRecord> record = DecodeRecoveryFile(path, ReadBytes(path));
        QVERIFY(record);
        qint32 car = 1, sprite = 7;
        QColor color(0x24, 0x48, 0x6C);
        if (field == 0 && value >= 100 && value < 200)
            sprite = qint32(value - 100);
        else if (field == 0 && value == 200)
            color = QColor();
        else if (field == 0 && value == 201)
            color = color.convertTo(QColor::ExtendedRgb);
        else if (field == 0 && value != 0 && value < 100)
            car = qint32(value);
        record->changes = CraftedChanges(car, sprite, offset.x(), offset.y(), color);
        if (field == 0 && value == 202)
            record->changes[69] = char(0xFF);   // the model byte of colour 4
        if (field == 1)
            record->romPath = QStringLiteral("game.bin");
        if (field == 2)
            record->rom.size = value;
        if (field == 3)
            record->rom.hash = QByteArray(int(value), 'h');
        if (field == 4)
            record->written = QDateTime::fromMSecsSinceEpoch(value, Qt::UTC);
        if (field == 5)
            record->ownerPid = value;
        const QByteArray bytes = EncodeRecoveryFile(*record);
        WriteTestFile(path, bytes);

        Window next = Open();
        RecoveryScan scan = ScanForRecovery(*next.document, folder);
        if (reason.isEmpty()) {
            QCOMPARE(scan.offers.size(), 1);
            QCOMPARE(scan.offers[0].recovered.offsets[car][sprite], offset);
            QVERIFY(ApplyRecovery(*next.document, scan.offers[0]));
            return;
        }
        QVERIFY(scan.offers.isEmpty());
        QCOMPARE(scan.refused.size(), 1);
        QVERIFY2(scan.refused[0].reason.contains(reason), qPrintable(scan.refused[0].reason));
        QCOMPARE(ReadBytes(path + QStringLiteral(".bad")), bytes);
        QVERIFY(!next.document->isModified());
    }

    // A sprite moved farther than its frame ("move all sprites" can do that)
    // is kept at the frame's edge: the same picture and the same save.
    void offsetsBeyondTheFrame()
    {
        DocumentTables moved;
        const DocumentTables expected = LeaveChanges([&moved](CarDocument &document) {
            DocumentTables after = document.tables();
            after.offsets[2][4] = QPoint(-126, 5);
            after.offsets[2][5] = QPoint(7, 300);
            document.Change(QStringLiteral("Move"), {}, after);
            moved = after;
        });
        Window next = Open();
        RecoveryScan scan = ScanForRecovery(*next.document, folder);
        QCOMPARE(scan.offers.size(), 1);
        QCOMPARE(scan.offers[0].recovered.offsets[2][4], QPoint(-48, 5));
        QCOMPARE(scan.offers[0].recovered.offsets[2][5], QPoint(7, 48));
        SpriteTable a = expected.sprites, b = scan.offers[0].recovered.sprites;
        SpriteOffsets offsetsA = moved.offsets, offsetsB = scan.offers[0].recovered.offsets;
        ApplySpriteOffsets(a, offsetsA);
        ApplySpriteOffsets(b, offsetsB);
        QVERIFY(a == b);
    }

    // On a slow disk the states asked for while a write is on the disk are
    // merged: the next write is the latest state, never a stale one.
    void slowDiskMerged()
    {
        Window window = Open();
        QSemaphore entered, gate;
        QMutex mutex;
        QList<QByteArray> writes;
        window.keeper->setFileWriter([&](const QString &path, const QByteArray &bytes) {
            entered.release();
            gate.acquire();
            {
                const QMutexLocker locked(&mutex);
                writes.append(bytes);
            }
            return WriteBytes(path, bytes) ? Result<void>() : Result<void>(Failure{path, "cannot write", 0, Failure::Action::Write});
        });
        CarDocument &document = *window.document;
        const auto step = [&document](int value) {
            DocumentTables after = document.tables();
            after.characteristics[0][0] = char(value);
            document.Change(QStringLiteral("Step"), {}, after);
        };
        step(1);
        QVERIFY(QTest::qWaitFor([&] { return entered.available() == 1; }, 5000));
        // Three more steps, each after the keeper's interval: each asks for a write.
        for (int value = 2; value <= 4; ++value) {
            QTest::qWait(1100);
            step(value);
        }
        QTest::qWait(1100);
        gate.release(100);
        QVERIFY(window.keeper->Flush());
        QCOMPARE(writes.size(), 2);   // the first and the latest; 2 and 3 were merged away
        QCOMPARE(DecodeRecoveryFile({}, writes.last())->changes,
                 DocumentDelta::Between(window.document->original(), document.tables()).afterBytes());
    }

    // Opened through a linked folder, renamed in the real one while the
    // editor ran, renamed back: the changes are offered. A file made for
    // another ROM is told once, with that ROM's name, and put aside.
    void romIdentity_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<bool>("offered");
        QTest::newRow("renamed in the real folder and back") << 0 << true;
        QTest::newRow("path written through the link (older files)") << 1 << true;
        QTest::newRow("the same file under another name") << 2 << true;
        QTest::newRow("another ROM") << 3 << false;
    }
    void romIdentity()
    {
        QFETCH(int, how);
        QFETCH(bool, offered);
        const QString real = dir.filePath(QStringLiteral("realdir"));
        const QString linked = dir.filePath(QStringLiteral("sldir"));
        QDir(real).removeRecursively();
        QFile::remove(linked);
        QVERIFY(QDir().mkpath(real));
        QVERIFY(QFile::link(real, linked));
        const QString game = WriteTestFile(real + QStringLiteral("/g.bin"), RandomRomImage(11));
        const QString opened = linked + QStringLiteral("/g.bin");

        DocumentTables expected;
        {
            CarDocument document;
            document.Open(opened);
            RecoveryKeeper keeper(&document, folder);
            QSignalSpy written(&keeper, &RecoveryKeeper::written);
            document.Change(QStringLiteral("One"), {}, HelperChange(document.tables()));
            QVERIFY(written.wait(5000));
            QVERIFY(QFile::rename(game, real + QStringLiteral("/h.bin")));
            DocumentTables after = document.tables();
            after.weapons[1][1] = char(after.weapons[1][1] ^ 3);
            document.Change(QStringLiteral("Two"), {}, after);
            QVERIFY(keeper.Flush());
            expected = document.tables();
        }   // gone without a Discard, as in a kill: the file stays
        QVERIFY(QFile::rename(real + QStringLiteral("/h.bin"), game));
        const QString path = QDir(folder).filePath(RecoveryFiles().value(0));
        Result<RecoveryRecord> record = DecodeRecoveryFile(path, ReadBytes(path));
        QVERIFY(record);
        QCOMPARE(record->romPath, QFileInfo(game).canonicalFilePath());
        if (how == 1) {
            record->romPath = QDir::cleanPath(opened);
            record->rom.device = record->rom.inode = 0;
        }
        if (how >= 2)
            record->romPath = dir.filePath(QStringLiteral("elsewhere/x.bin"));
        if (how == 3)
            record->rom.inode += 1;
        WriteTestFile(path, EncodeRecoveryFile(*record));

        for (int open = 0; open < 2; ++open) {
            CarDocument document;
            document.Open(opened);
            RecoveryScan scan = ScanForRecovery(document, folder);
            if (offered) {
                QCOMPARE(scan.offers.size(), 1);
                QVERIFY(scan.offers[0].recovered == expected);
                QVERIFY(scan.refused.isEmpty());
                scan.offers.clear();   // decide later: offered again
                continue;
            }
            QVERIFY(scan.offers.isEmpty());
            if (open == 1) {
                QVERIFY(scan.refused.isEmpty());   // told once
                continue;
            }
            QCOMPARE(scan.refused.size(), 1);
            QVERIFY2(scan.refused[0].reason.contains(QStringLiteral("another ROM (%1)").arg(record->romPath)),
                     qPrintable(scan.refused[0].reason));
            QVERIFY(QFile::exists(path + QStringLiteral(".bad")));
        }
    }

    // What killed editors leave besides their files goes at the next start:
    // only our own names, only regular files no one holds, never through a link.
    void leftoversRemoved_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");   // 0 file, 1 file held locked, 2 link to a file outside, 3 folder
        QTest::addColumn<bool>("removed");
        const QString file = QStringLiteral("game.bin-0123456789abcdef-4711.1-89abcdef.skmrecovery");
        QTest::newRow("temporary") << "." + file + ".skm-Ab3xYz" << 0 << true;
        QTest::newRow("temporary being written") << "." + file + ".skm-Ab3xYz" << 1 << false;
        QTest::newRow("temporary that is a link") << "." + file + ".skm-Ab3xYz" << 2 << false;
        QTest::newRow("temporary that is a folder") << "." + file + ".skm-Ab3xYz" << 3 << false;
        QTest::newRow("lone lock") << file + ".lock" << 0 << true;
        QTest::newRow("lone lock held") << file + ".lock" << 1 << false;
        QTest::newRow("lone lock that is a link") << file + ".lock" << 2 << false;
        QTest::newRow("another program's temporary") << ".notes.txt.skm-Ab3xYz" << 0 << false;
        QTest::newRow("another program's lock") << "notes.txt.lock" << 0 << false;
        QTest::newRow("temporary with a longer tail") << "." + file + ".skm-Ab3xYz1" << 0 << false;
    }
    void leftoversRemoved()
    {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(bool, removed);
        QVERIFY(QDir().mkpath(folder));
        // A dead editor's file with its lock: offered later, so it stays.
        const QString kept = QStringLiteral("game.bin-0123456789abcdef-4711.2-01234567.skmrecovery");
        WriteTestFile(QDir(folder).filePath(kept), "kept");
        WriteTestFile(QDir(folder).filePath(kept + ".lock"), "");
        const QString outside = WriteTestFile(dir.filePath(QStringLiteral("outside.bin")), "outside");
        const QString path = QDir(folder).filePath(name);
        int held = -1;
        if (kind == 0 || kind == 1)
            WriteTestFile(path, "left");
        if (kind == 1) {
            held = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
            QVERIFY(held >= 0 && ::flock(held, LOCK_EX | LOCK_NB) == 0);
        }
        if (kind == 2)
            QVERIFY(QFile::link(outside, path));
        if (kind == 3)
            QVERIFY(QDir().mkpath(path));
        const QStringList before = Entries(folder);

        Window window = Open();   // a keeper starts
        if (held >= 0)
            ::close(held);
        QStringList expected = before;
        if (removed)
            expected.removeOne(name);
        QCOMPARE(Entries(folder), expected);
        QCOMPARE(ReadBytes(outside), QByteArray("outside"));
        QVERIFY(QFile::exists(QDir(folder).filePath(kept + ".lock")));
        QDir(folder).removeRecursively();
    }

    // A discarded recovery file goes by its name in our folder, and only
    // when it is still the regular file we wrote.
    void removalOnlyOfOwnFiles_data()
    {
        QTest::addColumn<int>("kind");   // 0 our file, 1 the folder is a link, 2 the file became a link
        QTest::addColumn<bool>("removed");
        QTest::newRow("our file") << 0 << true;
        QTest::newRow("folder replaced by a link") << 1 << false;
        QTest::newRow("file replaced by a link") << 2 << false;
    }
    void removalOnlyOfOwnFiles()
    {
        QFETCH(int, kind);
        QFETCH(bool, removed);
        const QString name = QStringLiteral("game.bin-0123456789abcdef-4711.1-89abcdef.skmrecovery");
        const QString elsewhere = dir.filePath(QStringLiteral("elsewhere"));
        QVERIFY(QDir().mkpath(elsewhere));
        const QString outside = WriteTestFile(QDir(elsewhere).filePath(name), "outside");
        WriteTestFile(outside + ".lock", "");
        if (kind == 1) {
            QVERIFY(QFile::link(elsewhere, folder));
        } else {
            QVERIFY(QDir().mkpath(folder));
            if (kind == 0)
                WriteTestFile(QDir(folder).filePath(name), "ours");
            else
                QVERIFY(QFile::link(outside, QDir(folder).filePath(name)));
        }
        const QString path = QDir(folder).filePath(name);

        RemoveRecoveryFile(path);

        QCOMPARE(QFileInfo(path).isSymLink() || QFileInfo::exists(path), !removed);
        QCOMPARE(ReadBytes(outside), QByteArray("outside"));
        QVERIFY(QFileInfo::exists(outside + ".lock"));
        QFile::remove(folder);
        QDir(folder).removeRecursively();
        QDir(elsewhere).removeRecursively();
    }

    void killedHelperRecovered()
    {
        QProcess helper;
        helper.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--recovery-helper"), rom, folder});
        QVERIFY(helper.waitForReadyRead(30000));
        QCOMPARE(helper.readLine().trimmed(), QByteArray("written"));
        Window window = Open();
        QVERIFY(ScanForRecovery(*window.document, folder).offers.isEmpty());   // it still runs
        helper.kill();   // SIGKILL
        QVERIFY(helper.waitForFinished(30000));
        RecoveryScan scan = ScanForRecovery(*window.document, folder);
        QCOMPARE(scan.offers.size(), 1);
        const DocumentTables expected = HelperChange(window.document->tables());
        QVERIFY(ApplyRecovery(*window.document, scan.offers[0]));
        QVERIFY(window.document->tables() == expected);
    }
};

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--recovery-helper") == 0)
        return RunHelper(argc, argv);
    QCoreApplication app(argc, argv);
    TestRecovery test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
