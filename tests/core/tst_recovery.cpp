// Recovery of unsaved changes: what the keeper writes comes back whole in a
// new document as one step, bad files are refused and put aside, a living
// owner's file is never offered, and the file goes when nothing is unsaved.
#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

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
        QTest::newRow("other format version") << 1 << "format version 2";
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
            bytes[11] = 2;
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
            QVERIFY(window.document->SaveToFile().ok);
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
