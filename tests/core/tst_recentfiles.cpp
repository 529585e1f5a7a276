#include <QtTest>

#include <QTemporaryDir>

#include <sys/stat.h>

#include "editor/window/recentfiles.h"
#include "common/testrom.h"

class TestRecentFiles : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void order_data();
    void order();
    void prune();
    void unwritableStoreKeepsTheSession();
};

void TestRecentFiles::order_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("most recent first") << QStringList{"a", "b", "c"} << QStringList{"c", "b", "a"};
    QTest::newRow("a duplicate moves to the front") << QStringList{"a", "b", "a"} << QStringList{"a", "b"};
    QTest::newRow("the same file named two ways")
        << QStringList{"a", "sub/../a", "./b", "b"} << QStringList{"b", "a"};
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QString::number(i);
    QTest::newRow("at most ten") << twelve
                                 << QStringList{"12", "11", "10", "9", "8", "7", "6", "5", "4", "3"};
}

// Kept in the store: a second list on the same settings reads the same.
void TestRecentFiles::order()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, expected);

    QDir::setCurrent(dir.path());
    QSettings settings(path(QStringLiteral("order.ini")), QSettings::IniFormat);
    settings.clear();
    RecentFiles recent(settings);
    for (const QString &name : added)
        QVERIFY(recent.add(name));

    QStringList paths;
    for (const QString &name : expected)
        paths << path(name);
    QCOMPARE(recent.files(), paths);
    QCOMPARE(RecentFiles(settings).files(), paths);
    QCOMPARE(recent.lastFolder(), dir.path());
}

void TestRecentFiles::prune()
{
    QSettings settings(path(QStringLiteral("prune.ini")), QSettings::IniFormat);
    RecentFiles recent(settings);
    const QString rom = WriteTestFile(path(QStringLiteral("game.bin")), "rom");
    const QString folder = path(QStringLiteral("folder.bin"));
    QVERIFY(QDir().mkpath(folder));
    const QString fifo = path(QStringLiteral("fifo.bin"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString gone = path(QStringLiteral("gone.bin"));

    for (const QString &entry : {gone, rom, fifo, folder})
        QVERIFY(recent.add(entry));
    bool written = false;
    QCOMPARE(recent.prune(&written), (QStringList{folder, fifo, gone}));
    QVERIFY(written);
    QCOMPARE(recent.files(), QStringList{rom});
    QCOMPARE(RecentFiles(settings).files(), QStringList{rom});
}

void TestRecentFiles::unwritableStoreKeepsTheSession()
{
    // A store below a regular file can never be created.
    const QString blocker = WriteTestFile(path(QStringLiteral("blocker")), "x");
    QSettings settings(blocker + QStringLiteral("/settings.ini"), QSettings::IniFormat);
    RecentFiles recent(settings);
    QVERIFY(!recent.add(path(QStringLiteral("game.bin"))));
    QCOMPARE(recent.files(), QStringList{path(QStringLiteral("game.bin"))});
    QCOMPARE(ReadBytes(blocker), QByteArray("x"));
}

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
