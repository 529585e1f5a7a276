// The temporary folders of play-tests and live links: what a killed run left
// behind is removed at the next start, and only that; nothing of a run still
// going and nothing anyone else put there.
#include <csignal>
#include <ctime>

#include <fcntl.h>

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/testrom.h"
#include "external/ownfolder.h"

namespace {

// Makes a folder of kind in root in a child process that puts files in it
// and is then killed (as kill -9 would end the program); its path.
QString FolderOfAKilledRun(OwnFolderKind kind, const QString &root, const QStringList &files)
{
    int report[2];
    if (::pipe(report) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        Result<std::unique_ptr<OwnFolder>> made = OwnFolder::Make(kind, root);
        if (!made)
            ::_exit(1);
        const QByteArray path = QFile::encodeName((*made)->path());
        for (const QString &file : files)
            WriteBytes((*made)->filePath(file), "ours");
        (void)!::write(report[1], path.constData(), size_t(path.size()));
        ::close(report[1]);
        ::kill(::getpid(), SIGKILL);
    }
    ::close(report[1]);
    QByteArray path(4096, '\0');
    const ssize_t n = ::read(report[0], path.data(), size_t(path.size()));
    ::close(report[0]);
    ::waitpid(child, nullptr, 0);
    return n > 0 ? QFile::decodeName(path.left(n)) : QString();
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

}  // namespace

class TestOwnFolder : public QObject
{
    Q_OBJECT

private slots:
    void ownNames_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("own");
        const int play = int(OwnFolderKind::PlayTest);
        const int link = int(OwnFolderKind::Link);
        QTest::newRow("copy") << play << "my game-play-12.bin" << true;
        QTest::newRow("writer's temporary of a copy") << play << ".game-play-1.bin.skm-a1B2c3" << true;
        QTest::newRow("another picture in a play folder") << play << "car-3.png" << false;
        QTest::newRow("car sheet") << link << "car-3.png" << true;
        QTest::newRow("sprite") << link << "sprite-3-14.png" << true;
        QTest::newRow("all cars") << link << "cars.png" << true;
        QTest::newRow("the editor's backup") << link << "car-3.png~" << false;
        QTest::newRow("the editor's own temporary") << link << ".car-3.png.kra-tmp" << false;
        QTest::newRow("a copy in a link folder") << link << "game-play-1.bin" << false;
        QTest::newRow("lock") << link << ".skm-owner.lock" << true;
        QTest::newRow("a path") << link << "../car-3.png" << false;
    }

    void ownNames()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(bool, own);
        QCOMPARE(IsOwnFileName(OwnFolderKind(kind), name), own);
    }

    void leftovers_data()
    {
        QTest::addColumn<QString>("maker");    // "killed", "running", "no lock", "old, no lock"
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("files");   // put in by the maker (or by hand without a lock)
        QTest::addColumn<QStringList>("foreign"); // put in by someone else
        QTest::addColumn<QStringList>("left");    // what stays in the folder; "(gone)": the folder goes

        const int play = int(OwnFolderKind::PlayTest);
        const int link = int(OwnFolderKind::Link);
        const QStringList gone{"(gone)"};
        QTest::newRow("killed play-test") << "killed" << play
                                          << QStringList{"game-play-1.bin", ".game-play-2.bin.skm-Ab12Cd"}
                                          << QStringList{} << gone;
        QTest::newRow("killed link") << "killed" << link << QStringList{"car-3.png"} << QStringList{} << gone;
        QTest::newRow("killed link, the editor's backup beside") << "killed" << link << QStringList{"car-3.png"}
                                                                << QStringList{"car-3.png~"}
                                                                << QStringList{"car-3.png~"};
        QTest::newRow("killed play-test, its copy a link elsewhere") << "killed" << play << QStringList{}
                                                                    << QStringList{"->game-play-1.bin"} << gone;
        QTest::newRow("killed link, a folder under an own name") << "killed" << link << QStringList{}
                                                                << QStringList{"/cars.png"}
                                                                << QStringList{"cars.png"};
        QTest::newRow("running") << "running" << play << QStringList{"game-play-1.bin"} << QStringList{}
                                 << QStringList{".skm-owner.lock", "game-play-1.bin"};
        QTest::newRow("no lock, made just now") << "no lock" << link << QStringList{"cars.png"} << QStringList{}
                                                << QStringList{"cars.png"};
        QTest::newRow("no lock, two minutes old") << "old, no lock" << link << QStringList{"cars.png"}
                                                  << QStringList{} << gone;
    }

    void leftovers()
    {
        QFETCH(QString, maker);
        QFETCH(int, kind);
        QFETCH(QStringList, files);
        QFETCH(QStringList, foreign);
        QFETCH(QStringList, left);
        QTemporaryDir root;
        QTemporaryDir elsewhere;
        const QString victim = WriteTestFile(elsewhere.filePath(QStringLiteral("game-play-1.bin")), "theirs");
        const QString prefix = kind == int(OwnFolderKind::PlayTest) ? QStringLiteral("skm-play-") : QStringLiteral("skm-link-");

        std::unique_ptr<OwnFolder> running;
        QString folder;
        if (maker == QLatin1String("killed")) {
            folder = FolderOfAKilledRun(OwnFolderKind(kind), root.path(), files);
        } else if (maker == QLatin1String("running")) {
            Result<std::unique_ptr<OwnFolder>> made = OwnFolder::Make(OwnFolderKind(kind), root.path());
            QVERIFY2(made, qPrintable(made.message()));
            running = std::move(*made);
            folder = running->path();
            for (const QString &file : files)
                WriteTestFile(running->filePath(file), "ours");
        } else {
            folder = root.filePath(prefix + QStringLiteral("Xy12Zw"));
            QVERIFY(QDir().mkdir(folder));
            for (const QString &file : files)
                WriteTestFile(folder + '/' + file, "ours");
        }
        QVERIFY(!folder.isEmpty());
        QVERIFY(QFileInfo(folder).fileName().startsWith(prefix));
        for (const QString &file : foreign) {
            if (file.startsWith(QLatin1String("->")))
                QCOMPARE(QFile::link(victim, folder + '/' + file.mid(2)), true);
            else if (file.startsWith('/'))
                QVERIFY(QDir().mkdir(folder + file));
            else
                WriteTestFile(folder + '/' + file, "theirs");
        }
        if (maker == QLatin1String("old, no lock")) {
            const struct timespec old[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
            QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), old, 0), 0);
        }
        // A link named as a folder of ours, to a folder holding own names: never entered.
        const QString planted = root.filePath(prefix + QStringLiteral("Link00"));
        WriteTestFile(elsewhere.filePath(QStringLiteral("cars.png")), "theirs");
        QVERIFY(QFile::link(elsewhere.path(), planted));
        WriteTestFile(root.filePath(QStringLiteral("unrelated.txt")), "theirs");

        const int removed = RemoveLeftoverFolders(root.path());
        if (left == QStringList{"(gone)"}) {
            QVERIFY2(!QFileInfo::exists(folder), qPrintable(Entries(folder).join(' ')));
            QCOMPARE(removed, 1);
        } else {
            QCOMPARE(Entries(folder), left);
            QCOMPARE(removed, 0);
        }
        QCOMPARE(ReadBytes(victim), QByteArray("theirs"));
        QCOMPARE(ReadBytes(elsewhere.filePath(QStringLiteral("cars.png"))), QByteArray("theirs"));
        QVERIFY(QFileInfo(planted).isSymLink());
        QVERIFY(QFile::exists(root.filePath(QStringLiteral("unrelated.txt"))));
        // The folder of a run still going is removed by its owner.
        if (running) {
            running.reset();
            QVERIFY(!QFileInfo::exists(folder));
        }
    }
};

QTEST_GUILESS_MAIN(TestOwnFolder)
#include "tst_ownfolder.moc"
