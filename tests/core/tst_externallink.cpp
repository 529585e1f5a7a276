// The live link to a pixel editor: saves made in the other program come back
// once each, however the program writes them; the picture it saves replaces
// the linked scope. What is put where the picture or its folder was is read
// as the picture reader reads, or ends the link, and never loses a file of
// someone else.
#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "common/testrom.h"
#include "exchange/indexedpicture.h"
#include "exchange/sheetlayout.h"
#include "exchangetestdata.h"
#include "external/externaleditlink.h"
#include "exchange/scopetext.h"
#include "external/linkimport.h"

namespace {

// Saves bytes at path the way an editor does.
void Save(const QString &how, const QString &path, const QByteArray &bytes)
{
    if (how == QLatin1String("in place")) {
        WriteTestFile(path, bytes);
    } else if (how == QLatin1String("renamed")) {
        WriteTestFile(path + QStringLiteral(".tmp~"), bytes);
        QCOMPARE(std::rename(qPrintable(path + QStringLiteral(".tmp~")), qPrintable(path)), 0);
    } else {   // deleted, then written anew 300 ms later
        QVERIFY(QFile::remove(path));
        QTimer::singleShot(300, [path, bytes] { WriteTestFile(path, bytes); });
    }
}

}  // namespace

class TestExternalLink : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    ExternalEditLink link;

    // Links a picture to a stand-in editor that notes the path it was given.
    void StartLink()
    {
        const QString noted = dir.filePath(QStringLiteral("editor-got.txt"));
        QFile::remove(noted);
        const Result<void> started = link.Start("original", QStringLiteral("car-3.png"),
                                                QStringLiteral("/bin/sh -c 'printf %s \"$0\" > \"%1\"' %f").arg(noted));
        QVERIFY2(started, qPrintable(started.message()));
        QCOMPARE(link.fileName(), QStringLiteral("car-3.png"));
        QTRY_COMPARE_WITH_TIMEOUT(ReadBytes(noted), link.filePath().toUtf8(), 10000);
        QCOMPARE(ReadBytes(link.filePath()), QByteArray("original"));
    }

private slots:
    void savesComeBack_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("in place") << "in place";
        QTest::newRow("temporary file renamed over it") << "renamed";
        QTest::newRow("deleted and written again 300 ms later") << "recreated";
    }

    // Two saves in a row: the watch goes on after the first.
    void savesComeBack()
    {
        QFETCH(QString, how);
        StartLink();
        QSignalSpy saved(&link, &ExternalEditLink::pictureSaved);
        for (int n = 1; n <= 2; ++n) {
            const QByteArray bytes = "save " + QByteArray::number(n);
            Save(how, link.filePath(), bytes);
            QTRY_COMPARE_WITH_TIMEOUT(saved.count(), n, 10000);
            QCOMPARE(saved.last().at(0).toString(), link.filePath());
            QCOMPARE(saved.last().at(1).toByteArray(), bytes);
        }
    }

    void unchangedSaveIsQuiet()
    {
        StartLink();
        QSignalSpy saved(&link, &ExternalEditLink::pictureSaved);
        Save(QStringLiteral("in place"), link.filePath(), "original");
        Save(QStringLiteral("renamed"), link.filePath(), "original");
        QTest::qWait(4 * ExternalEditLink::kSettleMs);
        QCOMPARE(saved.count(), 0);
    }

    void burstOfSaves()
    {
        StartLink();
        QSignalSpy saved(&link, &ExternalEditLink::pictureSaved);
        for (int n = 1; n <= 10; ++n)
            QTimer::singleShot(50 * n, this, [this, n] { WriteTestFile(link.filePath(), "save " + QByteArray::number(n)); });
        QTRY_VERIFY_WITH_TIMEOUT(!saved.isEmpty() && saved.last().at(1).toByteArray() == "save 10", 10000);
        QTest::qWait(2 * ExternalEditLink::kSettleMs);
        QVERIFY2(saved.count() <= 2, qPrintable(QString::number(saved.count())));
    }

    void folderReplaced_data()
    {
        QTest::addColumn<QString>("replacement");   // "link", "folder", "file", "nothing"
        QTest::addColumn<bool>("waits");            // the link notices before it is stopped
        QTest::addColumn<QString>("ended");         // the reason the link ended by itself; empty: it goes on

        QTest::newRow("a link to another folder, stopped at once") << "link" << false << "";
        QTest::newRow("a link to another folder") << "link" << true << "was replaced by a link";
        QTest::newRow("a file") << "file" << true << "was replaced by a file";
        QTest::newRow("deleted for good") << "nothing" << true << "was removed";
        QTest::newRow("deleted and made anew") << "folder" << true << "";
    }

    // The folder of the link deleted and something else put under its name.
    void folderReplaced()
    {
        QFETCH(QString, replacement);
        QFETCH(bool, waits);
        QFETCH(QString, ended);
        StartLink();
        QSignalSpy saved(&link, &ExternalEditLink::pictureSaved);
        QSignalSpy lost(&link, &ExternalEditLink::lost);
        const QString folder = QFileInfo(link.filePath()).absolutePath();
        QTemporaryDir other;
        const QByteArray theirs = "a picture that is not ours";
        WriteTestFile(other.filePath(QStringLiteral("car-3.png")), theirs);
        WriteTestFile(other.filePath(QStringLiteral("notes.txt")), "notes");

        QVERIFY(QDir(folder).removeRecursively());
        if (replacement == QLatin1String("link"))
            QCOMPARE(::symlink(QFile::encodeName(other.path()).constData(), QFile::encodeName(folder).constData()), 0);
        if (replacement == QLatin1String("file"))
            WriteTestFile(folder, "x");
        if (replacement == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(folder));
            WriteTestFile(folder + QStringLiteral("/car-3.png"), "save 1");
        }
        if (waits && !ended.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, ExternalEditLink::kFolderReturnMs + 5000);
            QCOMPARE(lost.at(0).at(0).toString(), QStringLiteral("car-3.png"));
            QVERIFY2(lost.at(0).at(1).toString().contains(ended), qPrintable(lost.at(0).at(1).toString()));
            QVERIFY(!link.isActive());
        }
        if (ended.isEmpty() && waits) {
            // Watched again: this save and the next come back.
            QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, 10000);
            QCOMPARE(saved.last().at(1).toByteArray(), QByteArray("save 1"));
            Save(QStringLiteral("renamed"), link.filePath(), "save 2");
            QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 2, 10000);
            QCOMPARE(saved.last().at(1).toByteArray(), QByteArray("save 2"));
            QVERIFY(link.isActive());
            QCOMPARE(lost.count(), 0);
        }
        link.Stop();
        // Nothing of the other folder was read or removed.
        QCOMPARE(ReadBytes(other.filePath(QStringLiteral("car-3.png"))), theirs);
        QCOMPARE(ReadBytes(other.filePath(QStringLiteral("notes.txt"))), QByteArray("notes"));
        for (const QList<QVariant> &each : saved)
            QVERIFY(each.at(1).toByteArray() != theirs);
        QFile::remove(folder);
        QDir(folder).removeRecursively();
    }

    void refusedUnread_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a FIFO") << "fifo" << "not a regular file";
        QTest::newRow("a link to /dev/zero") << "zero" << "not a regular file";
        QTest::newRow("a 3 GiB sparse file") << "huge" << "too large for a picture";
    }

    // Put where the picture was: told without blocking or reading it all, and
    // the link goes on.
    void refusedUnread()
    {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        StartLink();
        QSignalSpy saved(&link, &ExternalEditLink::pictureSaved);
        QSignalSpy refused(&link, &ExternalEditLink::pictureRefused);
        const QByteArray path = QFile::encodeName(link.filePath());
        const QByteArray aside = path + ".new";
        if (what == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(aside.constData(), 0600), 0);
        if (what == QLatin1String("zero"))
            QCOMPARE(::symlink("/dev/zero", aside.constData()), 0);
        if (what == QLatin1String("huge")) {
            WriteTestFile(QFile::decodeName(aside), "\x89PNG");
            QCOMPARE(::truncate(aside.constData(), off_t(3) << 30), 0);
        }
        QCOMPARE(std::rename(aside.constData(), path.constData()), 0);
        QTRY_COMPARE_WITH_TIMEOUT(refused.count(), 1, 10000);
        QCOMPARE(refused.at(0).at(1).toString(), reason);
        QCOMPARE(saved.count(), 0);
        QVERIFY(link.isActive());
        Save(QStringLiteral("renamed"), link.filePath(), "save 1");
        QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, 10000);
        QCOMPARE(saved.last().at(1).toByteArray(), QByteArray("save 1"));
    }

    void stopRemovesTheFolder()
    {
        StartLink();
        const QString folder = QFileInfo(link.filePath()).absolutePath();
        // A file the program did not write stays, and so does its folder.
        WriteTestFile(folder + QStringLiteral("/car-3.png~"), "the editor's backup");
        link.Stop();
        QVERIFY(!link.isActive());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"car-3.png~"});
        QVERIFY(QDir(folder).removeRecursively());
        StartLink();
        const QString second = QFileInfo(link.filePath()).absolutePath();
        link.Stop();
        QVERIFY(!QFileInfo::exists(second));
        QVERIFY(!link.Start("x", "cars.png", QStringLiteral("no-such-pixel-editor-xyz %f")));
        QVERIFY(!link.isActive());
    }

    void import_data()
    {
        QTest::addColumn<QString>("picture");   // "indexed", "RGB", "small", "garbage"
        QTest::addColumn<QString>("problem");
        QTest::newRow("indexed, three pixels changed") << "indexed" << "";
        QTest::newRow("RGB, three pixels changed") << "RGB" << "";
        QTest::newRow("wrong size") << "small" << "Cannot load file \"car-3.png\": the picture is 10 x 10 pixels; a car takes 624 x 432";
        QTest::newRow("not a picture") << "garbage" << "Cannot load file \"car-3.png\": not a";
    }

    // The picture replaces car 3 and nothing else: exactly the changed pixels differ.
    void import()
    {
        QFETCH(QString, picture);
        QFETCH(QString, problem);
        DocumentTables tables;
        tables.sprites = RandomTable(5, CandidateIndices());
        tables.palettes = LevelGridPalettes();
        tables.offsets = ZeroOffsetsFor(tables.sprites);
        tables.offsets[0][1] = QPoint(1, 1);
        const Palette palette = tables.palettes.at(3);
        const ExchangeSelection car3{ExchangeScope::Car, 2, 0, true};
        QCOMPARE(UpdateStepText(car3, QStringLiteral("/tmp/x/car-3.png")), QStringLiteral("Update car 3 from car-3.png"));

        const ExchangeData data{tables.sprites, tables.offsets, palette, kExchangeBackground};
        QImage image = QImage::fromData(*LinkPictureBytes(car3, data), "png");
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QCOMPARE(image, IndexedScopePicture(car3, data));
        for (int cell : {0, 17, 44}) {
            const QPoint at = ViewSheetCells().at(cell).topLeft + QPoint(20, 30);
            image.setPixel(at, image.pixelIndex(at) == 1 ? 2 : 1);
        }
        const QString path = dir.filePath(QStringLiteral("car-3.png"));
        if (picture == QLatin1String("small"))
            image = image.copy(0, 0, 10, 10);
        if (picture == QLatin1String("garbage"))
            WriteTestFile(path, "\x89PNG not really");
        else
            QVERIFY(image.convertToFormat(picture == QLatin1String("RGB") ? QImage::Format_RGB888 : image.format())
                        .save(path));

        // The bytes given are decoded, not the file: it holds something else by now.
        const QByteArray bytes = ReadBytes(path);
        WriteTestFile(path, "\x89PNG a newer save");
        const Result<DocumentTables> after =
            ImportLinkedPicture(tables, car3, palette, kExchangeBackground, path, bytes, MatchOptions{});
        if (!problem.isEmpty()) {
            QVERIFY2(after.message().startsWith(problem), qPrintable(after.message()));
            return;
        }
        QVERIFY2(after, qPrintable(after.message()));
        QCOMPARE(IndexedScopePicture(car3, {after->sprites, after->offsets, palette, kExchangeBackground}), image);
        int changed = 0;
        for (int c = 0; c < kCarCount; ++c)
            for (int s = 0; s < kSpritesPerCar; ++s)
                for (int p = 0; p < kPixelsPerSprite; ++p)
                    changed += after->sprites[c][s][p] != tables.sprites[c][s][p] ? 1 : 0;
        QCOMPARE(changed, 3);
        QCOMPARE(after->offsets, tables.offsets);
    }
};

QTEST_GUILESS_MAIN(TestExternalLink)
#include "tst_externallink.moc"
