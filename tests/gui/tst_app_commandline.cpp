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

    Run run(const QStringList &arguments, int timeoutMs = 30000)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
    void version();
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

    QTest::newRow("missing file") << QStringList{"no-such-rom.bin"} << QByteArray("no-such-rom.bin");
    QTest::newRow("folder") << QStringList{"folder.bin"} << QByteArray("folder.bin");
    QTest::newRow("two files") << QStringList{"a.bin", "b.bin"} << QByteArray("one ROM file");
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << QByteArray("frobnicate");
}

void TestAppCommandLine::refusedArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, mentions);

    const Run result = run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 2);
    QCOMPARE(result.out, QByteArray());
    const QList<QByteArray> lines = errorLines(result.err);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains(mentions), lines.first().constData());
}

void TestAppCommandLine::version()
{
    const Run result = run({QStringLiteral("--version")});
    QVERIFY(result.finished);
    QCOMPARE(result.exitCode, 0);
    // "<name> <version>", the version as the project states it.
    QVERIFY2(result.out.endsWith(" " SKM_VERSION "\n"), result.out.constData());
    QCOMPARE(result.out.count('\n'), 1);
}

void TestAppCommandLine::help()
{
    const Run result = run({QStringLiteral("--help")});
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
