#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include "common/testrom.h"
#include "skm_version.h"

// Runs the built program the way a shell would and reads what it says.
class TestAppCommandLine : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString program;

    struct Run
    {
        bool finished = false;
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };

    // Without a display: no platform chosen and no display server to reach.
    Run run(const QStringList &arguments, int timeoutMs = 30000, bool display = true)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (display) {
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        } else {
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                environment.remove(QString::fromLatin1(name));
        }
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(program, arguments);
        Run result;
        if (!process.waitForStarted())
            return result;
        result.finished = process.waitForFinished(timeoutMs);
        if (!result.finished) {
            process.kill();
            process.waitForFinished();
        }
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    // Standard error without the platform's own chatter (runtime folder notes).
    static QList<QByteArray> errorLines(const QByteArray &err)
    {
        QList<QByteArray> lines;
        for (const QByteArray &line : err.split('\n')) {
            if (!line.isEmpty() && !line.startsWith("QStandardPaths:"))
                lines << line;
        }
        return lines;
    }

private slots:
    void initTestCase();
    void refusedArguments_data();
    void refusedArguments();
    void version_data();
    void version();
    void help_data();
    void help();
    void readableRomStartsTheEditor();
};

void TestAppCommandLine::initTestCase()
{
    QVERIFY(dir.isValid());
    program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/skm-car-editor"));
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program + QStringLiteral(" is not built")));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.bin")));
}

void TestAppCommandLine::refusedArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("mentions");
    QTest::addColumn<bool>("display");

    QTest::newRow("missing file") << QStringList{"no-such-rom.bin"} << QByteArray("no-such-rom.bin") << true;
    QTest::newRow("folder") << QStringList{"folder.bin"} << QByteArray("folder.bin") << true;
    QTest::newRow("two files") << QStringList{"a.bin", "b.bin"} << QByteArray("one ROM file") << true;
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QByteArray("frobnicate'. (see skm-car-editor --help)")
                                    << true;
    QTest::newRow("unknown command") << QStringList{"frob", "r.bin"} << QByteArray("unknown command 'frob'") << true;
    QTest::newRow("unknown option, no display") << QStringList{"--frobnicate"} << QByteArray("frobnicate") << false;
    QTest::newRow("missing file, no display") << QStringList{"no-such-rom.bin"} << QByteArray("no-such-rom.bin")
                                              << false;
    // Qt's own options are left to Qt, not refused as unknown.
    QTest::newRow("Qt options before the file")
        << QStringList{"-platform", "offscreen", "--style=fusion", "-reverse", "no-such-rom.bin"}
        << QByteArray("no-such-rom.bin") << false;
}

void TestAppCommandLine::refusedArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, mentions);
    QFETCH(bool, display);

    const Run result = run(arguments, 30000, display);
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    const QList<QByteArray> lines = errorLines(result.err);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(mentions), lines.first().constData());
}

void TestAppCommandLine::version_data()
{
    QTest::addColumn<bool>("display");
    QTest::newRow("offscreen") << true;
    QTest::newRow("no display") << false;
}

void TestAppCommandLine::version()
{
    QFETCH(bool, display);
    const Run result = run({QStringLiteral("--version")}, 30000, display);
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 0);
    // "<name> <version>", the version as the project states it.
    QVERIFY2(result.out.endsWith(" " SKM_VERSION "\n"), result.out.constData());
    QCOMPARE(result.out.count('\n'), 1);
}

void TestAppCommandLine::help_data()
{
    version_data();
}

void TestAppCommandLine::help()
{
    QFETCH(bool, display);
    const Run result = run({QStringLiteral("--help")}, 30000, display);
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.contains("[rom]"));
    QVERIFY(result.out.contains("--version"));
}

void TestAppCommandLine::readableRomStartsTheEditor()
{
    // A readable file is accepted: the program keeps running with its window
    // (and is stopped here) instead of refusing.
    const QString rom = dir.filePath(QStringLiteral("small.bin"));
    QVERIFY(WriteBytes(rom, QByteArray(1024, '\0')));

    const Run result = run({rom}, 1500);
    QVERIFY(!result.finished);
    QVERIFY(!result.err.contains("cannot read"));
}

QTEST_MAIN(TestAppCommandLine)
#include "tst_app_commandline.moc"
