// Unsaved changes survive kill -9 of the window. A child process (this test
// run with "--child") opens the window on a ROM, makes one kind of change
// through the window's controls, waits until its recovery file is on disk,
// writes down the tables it holds and waits to be killed. A new window on the
// same ROM then asks, recovers them as one step, and undo takes it back to the
// ROM as on disk. The recovery folder (XDG_DATA_HOME) is the test's own.
// Told to stop (SIGTERM, SIGINT, SIGHUP) instead, the window keeps even the
// edit of its last fraction of a second.

#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include <csignal>

#include "app/stopsignals.h"
#include "common/testrom.h"
#include "recovery/recoveryfile.h"
#include "windowprobe.h"

namespace {

using Kind = ScriptedPrompts::Kind;
using RecoveryChoice = Prompts::RecoveryChoice;

const QColor kNewColour(36, 146, 218);

void WriteTables(const QString &path, const DocumentTables &t)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QDataStream out(&file);
    out << t.sprites << t.palettes << t.characteristics << t.weapons << t.offsets;
}

DocumentTables ReadTables(const QString &path)
{
    QFile file(path);
    DocumentTables t;
    if (file.open(QIODevice::ReadOnly)) {
        QDataStream in(&file);
        in >> t.sprites >> t.palettes >> t.characteristics >> t.weapons >> t.offsets;
    }
    return t;
}

// A drag of the pencil over the sprite on show, as the mouse makes it.
void Stroke(SpriteView *view)
{
    const auto send = [view](QEvent::Type type, QPoint pixel, Qt::MouseButtons buttons) {
        const double zoom = view->mapping().zoom;
        const QPointF at = QPointF(view->spriteRect().topLeft()) + QPointF((pixel.x() + 0.5) * zoom, (pixel.y() + 0.5) * zoom);
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    send(QEvent::MouseMove, {30, 20}, Qt::LeftButton);
    send(QEvent::MouseMove, {12, 40}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {12, 40}, Qt::NoButton);
}

// One kind of change, made through the window as the user makes it.
void MakeChange(const QString &change, SKMcarEditor &editor, WindowProbe &probe, ScriptedPrompts &prompts,
                const QString &picture)
{
    if (change == QLatin1String("stroke")) {
        editor.Shown().setTool(Selection::Tool::Pencil);
        editor.Shown().setDrawingIndex(13);
        Stroke(probe.ui()->labelSprite);
    } else if (change == QLatin1String("palette colour")) {
        prompts.colorAnswers = {kNewColour};
        probe.click("labelColor1");
    } else if (change == QLatin1String("characteristic")) {
        probe.ui()->spinBoxTopSpeed->setValue((probe.ui()->spinBoxTopSpeed->value() + 77) % 256);
    } else if (change == QLatin1String("all-cars import")) {
        probe.ui()->radioButtonSaveAll->setChecked(true);
        probe.ui()->checkBoxMultipleFiles->setChecked(false);
        if (const QString errors = probe.importSprites(picture); !errors.isEmpty())
            qFatal("import failed: %s", qPrintable(errors));
    } else if (change == QLatin1String("offsets")) {
        probe.ui()->spinBoxMoveSpriteUp->setValue(3);
        probe.ui()->spinBoxMoveSpriteRight->setValue(-2);
    }
}

// "--child ROM CHANGE TABLES PICTURE [save]": makes the change, waits for the
// recovery file (saves first with "save"), writes the tables to TABLES, says
// "ready" and waits to be killed.
int RunChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    ScriptedPrompts prompts;
    SKMcarEditor editor(args.at(2), &prompts);
    WindowProbe probe(editor);
    probe.animation().stop();
    editor.show();
    QCoreApplication::processEvents();
    QSignalSpy written(&editor.Recovery(), &RecoveryKeeper::written);
    MakeChange(args.at(3), editor, probe, prompts, args.at(5));
    if (!editor.Document().isModified())
        qFatal("%s changed nothing", qPrintable(args.at(3)));
    if (!written.wait(10000) || !editor.Recovery().Flush())
        qFatal("no recovery file was written");
    if (args.size() > 6 && !probe.saveToRom())
        qFatal("the save failed");
    WriteTables(args.at(4), editor.Document().tables());
    fputs("ready\n", stdout);
    fflush(stdout);
    return app.exec();
}

// "--stop-child ROM TABLES MODE": stops on SIGTERM, SIGINT and SIGHUP as the
// program does. Makes one edit and waits for its recovery file, then makes
// another edit (MODE "edit") or starts a stroke and holds the button
// ("stroke"), writes the tables to TABLES, says "ready" and runs until told
// to stop.
int RunStopChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    ScriptedPrompts prompts;
    auto editor = std::make_unique<SKMcarEditor>(args.at(2), &prompts);
    // As started from a terminal, whatever the test run was started from.
    for (const int number : {SIGINT, SIGHUP})
        std::signal(number, SIG_DFL);
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::stopRequested, editor.get(), [&editor] {
        editor->EndSession();
        QCoreApplication::exit(0);
    });
    WindowProbe probe(*editor);
    probe.animation().stop();
    editor->show();
    QCoreApplication::processEvents();
    QSignalSpy written(&editor->Recovery(), &RecoveryKeeper::written);
    QSpinBox *topSpeed = probe.ui()->spinBoxTopSpeed;
    topSpeed->setValue((topSpeed->value() + 77) % 256);
    if (!written.wait(10000))
        qFatal("no recovery file was written");
    if (args.at(4) == QLatin1String("edit")) {
        topSpeed->setValue((topSpeed->value() + 1) % 256);
    } else {
        editor->Shown().setTool(Selection::Tool::Pencil);
        editor->Shown().setDrawingIndex(13);
        SpriteView *view = probe.ui()->labelSprite;
        const double zoom = view->mapping().zoom;
        for (const auto &[type, pixel] : {std::pair{QEvent::MouseButtonPress, QPoint(5, 5)},
                                          std::pair{QEvent::MouseMove, QPoint(40, 30)}}) {
            const QPointF at = QPointF(view->spriteRect().topLeft()) + QPointF((pixel.x() + 0.5) * zoom, (pixel.y() + 0.5) * zoom);
            QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view, &event);
        }
    }
    WriteTables(args.at(3), editor->Document().tables());
    fputs("ready\n", stdout);
    fflush(stdout);
    const int status = app.exec();
    editor.reset();
    stop.EndByReceivedSignal();
    return status;
}

} // namespace

class TestRecoveryKill : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString picture;   // an all-cars sheet to import
    int made = 0;

    // A ROM of its own in a folder of its own.
    QString NewRom()
    {
        const QString folder = dir.filePath(QStringLiteral("rom%1").arg(++made));
        QDir().mkpath(folder);
        return WriteTestFile(folder + QStringLiteral("/game.bin"), RandomRomImage(made));
    }
    // Starts a child that changes rom and waits for its "ready"; the tables it
    // holds are in *tables.
    bool StartChild(QProcess &child, const QString &rom, const QString &change, const QString &tables,
                    bool save = false)
    {
        QStringList args{QStringLiteral("--child"), rom, change, tables, picture};
        if (save)
            args << QStringLiteral("save");
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), args);
        return child.waitForReadyRead(60000) && child.readLine().trimmed() == "ready";
    }
    static void Kill(QProcess &child)
    {
        child.kill();   // SIGKILL
        child.waitForFinished(30000);
    }
    static QStringList RecoveryFiles() { return QDir(RecoveryFolder()).entryList({QStringLiteral("*.skmrecovery")}); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(RecoveryFolder().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        // A sheet of colour bands: every sprite of every car changes.
        QImage sheet(624, 2160, QImage::Format_RGB32);
        for (int y = 0; y < sheet.height(); ++y)
            for (int x = 0; x < sheet.width(); ++x)
                sheet.setPixelColor(x, y, QColor::fromHsv((x * 3 + y) % 360, 200, 60 + (x + y) % 190));
        picture = dir.filePath(QStringLiteral("cars.png"));
        QVERIFY(sheet.save(picture));
    }

    void killAndRecover_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("saved");
        for (const char *change : {"stroke", "palette colour", "characteristic", "all-cars import", "offsets"})
            QTest::newRow(change) << QString::fromLatin1(change) << false;
        QTest::newRow("saved before the kill: no question") << QStringLiteral("characteristic") << true;
    }

    void killAndRecover()
    {
        QFETCH(QString, change);
        QFETCH(bool, saved);
        const QString rom = NewRom();
        const QByteArray onDisk = ReadBytes(rom);
        const QString tablesFile = rom + QStringLiteral(".tables");
        QProcess child;
        QVERIFY(StartChild(child, rom, change, tablesFile, saved));
        Kill(child);
        const DocumentTables killed = ReadTables(tablesFile);

        ScriptedPrompts prompts;
        prompts.recoveryAnswers = {RecoveryChoice::Recover};
        SKMcarEditor editor(rom, &prompts);
        QCoreApplication::processEvents();   // the question comes once the window is up
        CarDocument &document = editor.Document();
        if (saved) {
            QVERIFY(prompts.asked.isEmpty());
            QVERIFY(!document.isModified());
            QVERIFY(document.tables() == killed);
            QVERIFY(RecoveryFiles().isEmpty());
            return;
        }
        QCOMPARE(prompts.texts(Kind::Recovery).size(), 1);
        QVERIFY(prompts.texts(Kind::Recovery).first().startsWith(QStringLiteral("Unsaved changes to game.bin from ")));
        QVERIFY(document.tables() != document.original());
        QVERIFY(document.tables() == killed);
        QVERIFY(document.isModified());
        QCOMPARE(document.undoStack()->count(), 1);
        QCOMPARE(document.undoStack()->undoText(), QStringLiteral("Recover unsaved changes"));

        editor.show();
        QApplication::setActiveWindow(&editor);
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(document.tables() == document.original());
        QVERIFY(!document.isModified());
        QCOMPARE(ReadBytes(rom), onDisk);
        QVERIFY(RecoveryFiles().isEmpty());
    }

    // Stopped 0.3 s after an edit (before the keeper's next write is due) or
    // while a stroke is drawn: the next start offers all of it, and the
    // folder holds no temporary or lock without its file.
    void stopSignalKeepsLastEdit_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("mode");
        QTest::newRow("SIGTERM 0.3 s after an edit") << int(SIGTERM) << "edit";
        QTest::newRow("SIGINT 0.3 s after an edit") << int(SIGINT) << "edit";
        QTest::newRow("SIGHUP 0.3 s after an edit") << int(SIGHUP) << "edit";
        QTest::newRow("SIGTERM while a stroke is drawn") << int(SIGTERM) << "stroke";
    }
    void stopSignalKeepsLastEdit()
    {
        QFETCH(int, signal);
        QFETCH(QString, mode);
        const QString rom = NewRom();
        const QString tablesFile = rom + QStringLiteral(".tables");
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--stop-child"), rom, tablesFile, mode});
        QVERIFY(child.waitForReadyRead(60000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));
        QTest::qWait(300);
        QCOMPARE(::kill(pid_t(child.processId()), signal), 0);
        QVERIFY(child.waitForFinished(30000));
        // Ended by the signal, as without the handler.
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const DocumentTables stopped = ReadTables(tablesFile);
        QCOMPARE(RecoveryFiles().size(), 1);

        ScriptedPrompts prompts;
        prompts.recoveryAnswers = {RecoveryChoice::Recover};
        SKMcarEditor editor(rom, &prompts);
        QCoreApplication::processEvents();
        QCOMPARE(prompts.texts(Kind::Recovery).size(), 1);
        QVERIFY(editor.Document().tables() == stopped);
        const QStringList left = QDir(RecoveryFolder()).entryList(QDir::Files | QDir::Hidden);
        const QString own = QFileInfo(editor.Recovery().filePath()).fileName();
        QCOMPARE(left, (QStringList{own, own + QStringLiteral(".lock")}));
        editor.Recovery().Discard();
    }

    void twoWindowsOneKilled()
    {
        const QString rom = NewRom();
        QProcess killed, living;
        QVERIFY(StartChild(killed, rom, QStringLiteral("characteristic"), rom + QStringLiteral(".killed")));
        QVERIFY(StartChild(living, rom, QStringLiteral("palette colour"), rom + QStringLiteral(".living")));
        QCOMPARE(RecoveryFiles().size(), 2);
        Kill(killed);

        ScriptedPrompts prompts;
        prompts.recoveryAnswers = {RecoveryChoice::Recover, RecoveryChoice::Recover};
        SKMcarEditor editor(rom, &prompts);
        QCoreApplication::processEvents();
        QCOMPARE(prompts.texts(Kind::Recovery).size(), 1);
        QVERIFY(editor.Document().tables() == ReadTables(rom + QStringLiteral(".killed")));
        // The living window's file stays, beside this window's own.
        QCOMPARE(RecoveryFiles().size(), 2);
        editor.Recovery().Discard();
        Kill(living);
    }

    void badFileReported()
    {
        const QString rom = NewRom();
        const QString bad = NewRecoveryFilePath(RecoveryFolder(), RecoveryRomPath(rom), QStringLiteral("1.1"));
        QVERIFY(QDir().mkpath(RecoveryFolder()));
        WriteTestFile(bad, QByteArray("SKMRECOV\0\0\0", 11));

        ScriptedPrompts prompts;
        SKMcarEditor editor(rom, &prompts);
        QCoreApplication::processEvents();
        QCOMPARE(prompts.messages().size(), 1);
        QVERIFY(prompts.messages().first().contains(QDir::toNativeSeparators(bad)));
        QVERIFY(prompts.messages().first().contains(QStringLiteral("truncated")));
        QVERIFY(prompts.texts(Kind::Recovery).isEmpty());
        QVERIFY(QFile::exists(bad + QStringLiteral(".bad")));
        QVERIFY(!QFile::exists(bad));
        QVERIFY(!editor.Document().isModified());
    }
};

int main(int argc, char **argv)
{
    if (argc >= 6 && qstrcmp(argv[1], "--child") == 0)
        return RunChild(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--stop-child") == 0)
        return RunStopChild(argc, argv);
    // The recovery folder and the settings in a folder of this run's own; the
    // children inherit it.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    TestRecoveryKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recoverykill.moc"
