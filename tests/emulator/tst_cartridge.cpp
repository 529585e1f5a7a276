#include <QtTest>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "cartridge/cartridgeprogram.h"
#include "common/testrom.h"
#include "demorom.h"
#include "exchange/indexedpicture.h"
#include "external/commandline.h"
#include "factorytables.h"
#include "rom/cardata.h"
#include "rom/colorword.h"
#include "rom/romreader.h"
#include "rom/romwriter.h"
#include "view/spritecomposer.h"
#include "view/viewtable.h"

// The demo cartridge run by an emulator nobody here wrote: MAME shows the car
// viewer on the demo ROM and on ROMs the command line changed, a script presses
// the pad's buttons and keeps the frames, and every frame is held against what
// the editor reads from the same file: the sprite's colour indices pixel for
// pixel (mirroring and wheel colours included), the numbers under the car, the
// checksum. blastem runs the cartridge as well.

namespace {

enum class Button { Up, Down, Left, Right, B, C, A };

QString PadField(Button button)
{
    switch (button) {
    case Button::Up: return QStringLiteral("P1 Up");
    case Button::Down: return QStringLiteral("P1 Down");
    case Button::Left: return QStringLiteral("P1 Left");
    case Button::Right: return QStringLiteral("P1 Right");
    case Button::B: return QStringLiteral("P1 B");
    case Button::C: return QStringLiteral("P1 C");
    case Button::A: return QStringLiteral("P1 A");
    }
    return {};
}

// What the viewer shows after a sequence of presses, worked out from the
// editor's own view table: the viewer must agree with it.
struct ViewerState
{
    int car = 0;        // 0..4
    int rotation = 0;   // 0..23
    int tilt = 0;       // -4..4
    int palette = 0;    // 0..9
    bool wheels = false;
    int sprite = 0;     // 0..44, kept where a view has no sprite of its own
    bool mirrored = false;

    void press(Button button)
    {
        switch (button) {
        case Button::Right: rotation = (rotation + 1) % kRotationSteps; break;
        case Button::Left: rotation = (rotation + kRotationSteps - 1) % kRotationSteps; break;
        case Button::Up: tilt = std::min(tilt + 1, kMaxTilt); break;
        case Button::Down: tilt = std::max(tilt - 1, kMinTilt); break;
        case Button::B: car = (car + 1) % kCarCount; break;
        case Button::C: palette = (palette + 1) % kRomPaletteCount; break;
        case Button::A: wheels = !wheels; break;
        }
        const ViewLookup view = FindSpriteByParameters(rotation, tilt);
        if (view.spriteNumber > 0) {
            sprite = view.spriteNumber - 1;
            mirrored = view.mirrored;
        }
    }
};

struct View
{
    int car;        // 1..5
    int rotation;
    int tilt;
    int palette;    // 0..9
    bool wheels = false;
};

// One frame the script keeps, and what it must show.
struct Planned
{
    QString run;         // "demo"
    QString id;          // "demo-12"
    QString label;       // the data row's name
    QString image;       // which cartridge image the frame shows (after pokes)
    ViewerState expected;
    bool checksumSettled = true;   // a full checksum pass ran over the image as it is
};

// The commands for the script and the frames it will keep.
class Plan
{
public:
    explicit Plan(const QString &run) : run(run) {}

    void go(const View &view)
    {
        pressUntil(Button::B, [&] { return state.car == view.car - 1; });
        pressUntil(Button::C, [&] { return state.palette == view.palette; });
        pressUntil(Button::A, [&] { return state.wheels == view.wheels; });
        while (state.tilt != view.tilt)
            press(state.tilt < view.tilt ? Button::Up : Button::Down);
        const int right = (view.rotation - state.rotation + kRotationSteps) % kRotationSteps;
        while (state.rotation != view.rotation)
            press(right <= kRotationSteps / 2 ? Button::Right : Button::Left);
    }

    void capture(const QString &what, const QString &image, bool checksumSettled = true)
    {
        Planned planned;
        planned.run = run;
        planned.id = QStringLiteral("%1-%2").arg(run).arg(views.size());
        planned.label = QStringLiteral("%1: %2 (car %3, rotation %4, tilt %5, palette %6%7)")
                            .arg(run, what)
                            .arg(state.car + 1)
                            .arg(state.rotation)
                            .arg(state.tilt)
                            .arg(state.palette)
                            .arg(state.wheels ? QStringLiteral(", wheels turning") : QString());
        planned.image = image;
        planned.expected = state;
        planned.checksumSettled = checksumSettled;
        views << planned;
        commands << QStringLiteral("capture ") + planned.id;
    }

    void poke(quint32 offset, quint16 word)
    {
        commands << QStringLiteral("poke %1 %2").arg(offset, 0, 16).arg(word, 0, 16);
    }
    void wait(int frames) { commands << QStringLiteral("wait %1").arg(frames); }

    QString run;
    ViewerState state;
    QStringList commands;
    QList<Planned> views;

private:
    void press(Button button)
    {
        state.press(button);
        commands << QStringLiteral("press ") + PadField(button);
    }
    template <typename Done>
    void pressUntil(Button button, Done done)
    {
        for (int i = 0; i < 24 && !done(); ++i)
            press(button);
    }
};

// What the script wrote for one frame.
struct Capture
{
    bool settled = false;
    QHash<QString, int> words;   // the viewer's work-RAM words, tilt signed
    QImage frame;
};

quint16 WordAt(const QByteArray &image, qint64 offset)
{
    return qFromBigEndian<quint16>(image.constData() + offset);
}

// A colour word as a frame shows it, through the emulator's levels.
QRgb FrameColor(quint16 word, const std::array<int, 8> &levels)
{
    return qRgb(levels[(word >> 1) & 7], levels[(word >> 5) & 7], levels[(word >> 9) & 7]);
}

quint16 Word(const QColor &color)
{
    const ColorWord word = WordFromColor(color);
    return quint16(word.first << 8 | word.second);
}

} // namespace

class TestCartridge : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString mame;
    QHash<QString, QByteArray> images;    // cartridge images by name, as the frames show them
    QList<Planned> planned;
    QHash<QString, Capture> captures;
    QHash<QString, QString> runProblems;  // what went wrong running the emulator, by run
    std::array<int, 8> levels{};          // MAME's 8-bit value of each 3-bit level
    qint64 mameMilliseconds = 0;

    QString path(const QString &name) const { return dir.filePath(name); }

    // The program's command line on a ROM; the failure's output when it fails.
    QString runCli(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral(SKM_PROGRAM), arguments);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return arguments.join(' ') + QStringLiteral(": ") + QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }

    // The views of a run: each car at rotations 0, 5, 12, 13, 20 and tilts
    // -4, 0, 4 (rotations without tilted sprites keep the sprite before) in
    // its palette; the sprites whose bytes cross a 128 KiB boundary of the
    // cartridge (car 1 sprite 3, car 3 sprite 27), plain and mirrored; the
    // wheel colours exchanged.
    static void PlanViews(Plan &plan, const QString &image, const QList<std::pair<int, int>> &carsAndPalettes)
    {
        const QList<int> rotations = {0, 5, 12, 13, 20};
        for (const auto &[car, palette] : carsAndPalettes) {
            bool forward = plan.state.rotation < 10;   // turn on from where the car stands
            for (int tilt : {-4, 0, 4}) {
                for (int i = 0; i < rotations.size(); ++i) {
                    plan.go({car, rotations[forward ? i : rotations.size() - 1 - i], tilt, palette});
                    plan.capture(QStringLiteral("view"), image);
                }
                forward = !forward;
            }
        }
        plan.go({1, 2, 0, 9});
        plan.capture(QStringLiteral("sprite across 0xC0000"), image);
        plan.go({1, 22, 0, 9});
        plan.capture(QStringLiteral("sprite across 0xC0000, mirrored"), image);
        plan.go({3, 10, -2, 4});
        plan.capture(QStringLiteral("sprite across 0xE0000"), image);
        plan.go({3, 14, -2, 4});
        plan.capture(QStringLiteral("sprite across 0xE0000, mirrored"), image);
        plan.go({2, 5, 0, 4, true});
        for (int i = 0; i < 4; ++i)
            plan.capture(QStringLiteral("wheels %1").arg(i + 1), image);
        plan.go({2, 5, 0, 4, false});
        plan.capture(QStringLiteral("wheels stopped"), image);
    }

    // Changes to the cartridge's memory while the viewer runs: the header's
    // checksum word, then a characteristic, a colour and sprite pixels of the
    // car on show; the next frame shows each, the next checksum pass counts them.
    void PlanLiveChanges(Plan &plan, const QString &before)
    {
        const QByteArray original = images[before];
        plan.go({5, 4, 0, 0});
        const quint16 header = WordAt(original, kChecksumOffset);
        QByteArray badHeader = original;
        qToBigEndian(quint16(header ^ 0x5A5A), badHeader.data() + kChecksumOffset);
        images[before + QStringLiteral("+bad header")] = badHeader;
        plan.poke(kChecksumOffset, header ^ 0x5A5A);
        plan.capture(QStringLiteral("header checksum changed in memory"), before + QStringLiteral("+bad header"));
        plan.poke(kChecksumOffset, header);
        plan.capture(QStringLiteral("header checksum back"), before);

        QByteArray changed = original;
        const int car = plan.state.car;
        const qint64 topSpeed = kCharacteristicsOffset + car;              // even for car 5: a whole word
        const qint64 colour = kPalettesOffset + 32 * plan.state.palette + 2 * 3;
        const qint64 pixels = kSpritesOffset + qint64(kBytesPerSprite) * (kSpritesPerCar * car + plan.state.sprite);
        changed[topSpeed] = char(0xA5);
        qToBigEndian(quint16(0x0E0A), changed.data() + colour);
        qToBigEndian(quint16(0x3FF3), changed.data() + pixels + 200);
        for (qint64 offset : {topSpeed & ~1, colour, pixels + 200})
            plan.poke(quint32(offset), WordAt(changed, offset));
        images[before + QStringLiteral("+live")] = changed;
        plan.capture(QStringLiteral("characteristic, colour and pixels changed in memory"),
                     before + QStringLiteral("+live"), false);
        plan.wait(300);   // more than two checksum passes
        plan.capture(QStringLiteral("checksum passes after the change"), before + QStringLiteral("+live"));
    }

    // Runs MAME on image with the plan's commands; the captures go into
    // captures. Returns what went wrong, empty when nothing did.
    QString StartMame(QProcess &process, const Plan &plan, const QString &image)
    {
        const QString runDir = path(plan.run);
        QDir().mkpath(runDir);
        const QString romPath = runDir + QStringLiteral("/cartridge.bin");
        if (!WriteBytes(romPath, images[image]))
            return QStringLiteral("cannot write ") + romPath;
        QFile commands(runDir + QStringLiteral("/commands.txt"));
        if (!commands.open(QIODevice::WriteOnly) || commands.write(plan.commands.join('\n').toUtf8() + '\n') < 0)
            return QStringLiteral("cannot write ") + commands.fileName();
        commands.close();

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SKM_CARTRIDGE_COMMANDS"), commands.fileName());
        environment.insert(QStringLiteral("SKM_CARTRIDGE_OUT"), runDir);
        environment.insert(QStringLiteral("SDL_VIDEODRIVER"), QStringLiteral("dummy"));
        environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(runDir);
        process.setProcessChannelMode(QProcess::MergedChannels);
        // -seconds_to_run is only the watchdog: the script ends MAME when done.
        process.start(mame, {QStringLiteral("genesis"), QStringLiteral("-cart"), romPath,
                             QStringLiteral("-video"), QStringLiteral("none"), QStringLiteral("-sound"),
                             QStringLiteral("none"), QStringLiteral("-nothrottle"), QStringLiteral("-skip_gameinfo"),
                             QStringLiteral("-noreadconfig"), QStringLiteral("-seconds_to_run"), QStringLiteral("300"),
                             QStringLiteral("-autoboot_script"),
                             QStringLiteral(SKM_SOURCE_DIR "/tests/emulator/cartridge.lua"),
                             QStringLiteral("-homepath"), runDir, QStringLiteral("-cfg_directory"), runDir + "/cfg",
                             QStringLiteral("-nvram_directory"), runDir + "/nvram", QStringLiteral("-snapshot_directory"),
                             runDir + "/snap"});
        return {};
    }

    QString ReadCaptures(QProcess &process, const Plan &plan)
    {
        const QString runDir = path(plan.run);
        const QString output = QString::fromLocal8Bit(process.readAll()).right(2000);
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
            return QStringLiteral("MAME on %1 ended with status %2: %3").arg(plan.run).arg(process.exitCode()).arg(output);
        if (!QFile::exists(runDir + QStringLiteral("/done.txt")))
            return QStringLiteral("the script did not finish on %1: %2").arg(plan.run, output);
        QFile text(runDir + QStringLiteral("/captures.txt"));
        QFile raw(runDir + QStringLiteral("/captures.raw"));
        if (!text.open(QIODevice::ReadOnly) || !raw.open(QIODevice::ReadOnly))
            return QStringLiteral("no captures from ") + plan.run;
        static const QStringList names = {"car", "sprite", "palette", "mirrored", "checksum", "frames",
                                          "rotation", "tilt", "wheels", "turned", "passes"};
        while (!text.atEnd()) {
            const QStringList fields = QString::fromUtf8(text.readLine()).simplified().split(' ');
            if (fields.size() != 4 + names.size())
                return QStringLiteral("a capture line of %1 reads \"%2\"").arg(plan.run, fields.join(' '));
            Capture capture;
            capture.settled = fields[1] == QLatin1String("settled");
            for (int i = 0; i < names.size(); ++i)
                capture.words[names[i]] = fields[4 + i].toInt();
            capture.words["tilt"] = qint16(quint16(capture.words["tilt"]));
            const int width = fields[2].toInt(), height = fields[3].toInt();
            const QByteArray bytes = raw.read(qint64(width) * height * 4);
            if (width <= 0 || height <= 0 || bytes.size() != qint64(width) * height * 4)
                return QStringLiteral("the frames of %1 end early").arg(plan.run);
            capture.frame = QImage(width, height, QImage::Format_RGB32);
            for (int y = 0; y < height; ++y) {
                auto *line = reinterpret_cast<QRgb *>(capture.frame.scanLine(y));
                for (int x = 0; x < width; ++x)
                    line[x] = qFromLittleEndian<quint32>(bytes.constData() + 4 * (qint64(y) * width + x)) | 0xFF000000u;
            }
            captures.insert(fields[0], capture);
        }
        return {};
    }

    // The 8 x 8 cells of the frame's text rows, read with the cartridge's own
    // font (the bytes of the image under test): one string a row.
    QStringList ReadText(const QImage &frame, const QByteArray &image, int firstRow, int rows) const
    {
        QHash<quint64, QChar> glyphs;
        const int font = CartridgeProgramSymbols().font;
        for (int code = 0x5F; code >= 0x20; --code)   // the blank ones end up as ' '
            glyphs.insert(qFromBigEndian<quint64>(image.constData() + font + 8 * (code - 0x20)), QChar(code));
        const QRgb backdrop = FrameColor(CartridgeScreen::kBackdropWord, levels);
        QStringList text;
        for (int row = firstRow; row < firstRow + rows; ++row) {
            QString line;
            for (int column = 0; column < CartridgeScreen::kWidth / 8; ++column) {
                quint64 bits = 0;
                for (int y = 0; y < 8; ++y)
                    for (int x = 0; x < 8; ++x)
                        bits = bits << 1 | (frame.pixel(column * 8 + x, row * 8 + y) != backdrop ? 1 : 0);
                line += glyphs.value(bits, QChar('?'));
            }
            text << line.trimmed();
        }
        return text;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        if (qEnvironmentVariableIsSet("SKM_CARTRIDGE_KEEP")) {   // for a look at the frames afterwards
            dir.setAutoRemove(false);
            qInfo("the runs are kept in %s", qPrintable(dir.path()));
        }
        QString error;
        QVERIFY2(WriteDemoRom(path("demo.bin"), GenerateFactoryData(), &error), qPrintable(error));
        images["demo"] = ReadBytes(path("demo.bin"));

        // The command line changes a copy and saves it three times.
        QFile::copy(path("demo.bin"), path("edited.bin"));
        const CarData demo = CarDataFromImage(images["demo"]);
        QImage picture(kSpriteSide, kSpriteSide, QImage::Format_Indexed8);
        picture.setColorTable(IndexedColorTable(demo.palettes[0], DefaultBackgroundColor()));
        for (int y = 0; y < kSpriteSide; ++y)
            for (int x = 0; x < kSpriteSide; ++x)
                picture.setPixel(x, y, (x / 3 + 2 * (y / 4) + (x > y ? 5 : 0)) % 16);
        QVERIFY(picture.save(path("sprite.png")));
        QString palette = "GIMP Palette\nName: test\n#\n";
        for (int i = 0; i < 16; ++i)   // 16 different colours, all on the cartridge's grid
            palette += QStringLiteral("%1 %2 %3\tc%4\n").arg(ColorLevels[i % 8]).arg(ColorLevels[(i * 3) % 8])
                           .arg(ColorLevels[i / 2]).arg(i);
        QVERIFY(WriteBytes(path("mine.gpl"), palette.toUtf8()));

        const QString edited = path("edited.bin");
        QString failure = runCli({"import", edited, path("sprite.png"), "--car", "2", "--sprite", "5"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        images["after import"] = ReadBytes(edited);
        failure = runCli({"set", edited, "--car", "3", "--top-speed", "201", "--acceleration", "7", "--suspension", "0",
                          "--cornering", "255", "--jumping", "99", "--weapon1", "Rocket", "--weapon2", "5",
                          "--jump-turbo", "Turbo"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        images["after set"] = ReadBytes(edited);
        failure = runCli({"palette", edited, "import", path("mine.gpl"), "--palette", "5"});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        images["edited"] = ReadBytes(edited);
        QVERIFY(images["edited"] != images["after set"] && images["after set"] != images["after import"]
                && images["after import"] != images["demo"]);

        Plan demoRun("demo"), editedRun("edited"), importRun("import"), setRun("set");
        // The demo: every car, in palettes 0, 4 and 9. The edited ROM: the cars
        // the command line changed, in the palette it imported.
        PlanViews(demoRun, "demo", {{1, 0}, {2, 4}, {3, 9}, {4, 4}, {5, 0}});
        PlanViews(editedRun, "edited", {{2, 4}, {3, 4}, {1, 9}});
        PlanLiveChanges(editedRun, "edited");
        importRun.go({2, 4, 0, 0});
        importRun.capture("imported sprite", "after import");
        setRun.go({3, 0, 0, 0});
        setRun.capture("characteristics set", "after set");
        for (const Plan *plan : {&demoRun, &editedRun, &importRun, &setRun})
            planned << plan->views;

        const Result<QString> found = FindProgram(QStringLiteral("mame"));
        if (!found)
            return;   // the emulator tests skip; the layout test still runs
        mame = *found;
        QElapsedTimer timer;
        timer.start();
        // Two at a time: the long runs side by side, then the short ones.
        for (const auto &pair : {std::pair{&demoRun, &editedRun}, std::pair{&importRun, &setRun}}) {
            QProcess first, second;
            const QList<std::pair<QProcess *, Plan *>> runs = {{&first, pair.first}, {&second, pair.second}};
            for (const auto &[process, plan] : runs) {
                const QString image = plan->views.first().image.section('+', 0, 0);
                runProblems[plan->run] += StartMame(*process, *plan, image);
            }
            for (const auto &[process, plan] : runs) {
                if (!process->waitForFinished(120000)) {
                    process->kill();
                    process->waitForFinished();
                }
                runProblems[plan->run] += ReadCaptures(*process, *plan);
            }
        }
        mameMilliseconds = timer.elapsed();
        qInfo("MAME: %lld captures from 4 runs in %.1f s", qlonglong(captures.size()), mameMilliseconds / 1000.0);

        // The grey ramp above the car: one cell a level, 0x000 .. 0xEEE.
        if (captures.contains("demo-0")) {
            const QImage &frame = captures.value("demo-0").frame;
            for (int level = 0; level < 8; ++level) {
                const QRgb cell = frame.pixel((CartridgeScreen::kLevelColumn + level) * 8 + 4,
                                              CartridgeScreen::kLevelRow * 8 + 4);
                levels[level] = qRed(cell);
                if (qGreen(cell) != qRed(cell) || qBlue(cell) != qRed(cell))
                    runProblems["demo"] += QStringLiteral("level %1 is not grey in MAME's frame; ").arg(level);
            }
        }
    }

    // Without the emulator: where the program lies and what it carries.
    void programLayout()
    {
        const QByteArray program = CartridgeProgram();
        const CartridgeSymbols symbols = CartridgeProgramSymbols();
        const QByteArray &image = images["demo"];
        QVERIFY(program.size() > 0x200);
        QCOMPARE(symbols.programEnd, program.size());
        QVERIFY2(program.size() <= kWeaponsOffset, "the program reaches into the weapons area");
        QCOMPARE(image.left(0x18E), program.left(0x18E));   // vectors and header up to the checksum
        QCOMPARE(image.mid(0x190, program.size() - 0x190), program.mid(0x190));
        QCOMPARE(image.mid(program.size(), kWeaponsOffset - program.size()),
                 QByteArray(kWeaponsOffset - program.size(), '\0'));
        QCOMPARE(qFromBigEndian<quint32>(image.constData() + 4), quint32(0x200));   // reset vector
        QCOMPARE(qFromBigEndian<quint32>(image.constData() + 0x1A4), quint32(kDemoRomSize - 1));
        QCOMPARE(WordAt(image, kChecksumOffset), RomChecksum(image));
        // The viewer picks sprites from the editor's view table.
        for (int row = 0; row < kTiltRows; ++row)
            for (int column = 0; column < kRotationColumns; ++column)
                QCOMPARE(int(qint8(image[symbols.viewTable + row * kRotationColumns + column])),
                         ViewSpriteTable[row][column]);
        // The four car areas keep the factory cars.
        CarData expected = GenerateFactoryData();
        expected.palettes.removeLast();
        QCOMPARE(CarDataFromImage(image), expected);
    }

    void views_data()
    {
        if (mame.isEmpty())
            QSKIP("MAME is not installed (Debian package mame, which tools/install-deps.sh installs): "
                  "the cartridge is not checked in the emulator");
        QTest::addColumn<int>("index");
        for (int i = 0; i < planned.size(); ++i)
            QTest::newRow(qPrintable(planned[i].label)) << i;
    }

    // Each frame against the editor: the sprite's pixels mapped back through
    // the palette's colours, the viewer's words, the numbers and the checksum.
    void views()
    {
        QFETCH(int, index);
        const Planned &view = planned[index];
        QVERIFY2(runProblems.value(view.run).isEmpty(), qPrintable(runProblems.value(view.run)));
        QVERIFY2(captures.contains(view.id), qPrintable("no frame " + view.id));
        const Capture &capture = captures[view.id];
        QVERIFY(capture.settled);
        QCOMPARE(capture.frame.size(), QSize(CartridgeScreen::kWidth, CartridgeScreen::kHeight));
        const QByteArray &image = images[view.image];
        const CarData data = CarDataFromImage(image);
        const ViewerState &expected = view.expected;

        QCOMPARE(capture.words["car"], expected.car);
        QCOMPARE(capture.words["rotation"], expected.rotation);
        QCOMPARE(capture.words["tilt"], expected.tilt);
        QCOMPARE(capture.words["palette"], expected.palette);
        QCOMPARE(capture.words["sprite"], expected.sprite);
        QCOMPARE(capture.words["mirrored"], int(expected.mirrored));
        QCOMPARE(capture.words["wheels"], int(expected.wheels));
        if (!expected.wheels)
            QCOMPARE(capture.words["turned"], 0);
        const bool turned = capture.words["turned"] != 0;

        // The editor's sprite: the colour-table slot of every pixel as the
        // view composes it, mirrored and with the wheel colours as shown.
        const SpritePixels &pixels = data.sprites[expected.car][expected.sprite];
        const QImage editorSlots = ComposeSpriteSlots(&pixels, QPoint(0, 0), expected.mirrored, turned);
        const Palette &palette = data.palettes[expected.palette];
        QList<QRgb> slotColors;
        slotColors << FrameColor(CartridgeScreen::kBackdropWord, levels);
        for (int i = 1; i < kColorsPerPalette; ++i)
            slotColors << FrameColor(Word(palette[i]), levels);
        int wrong = 0;
        QString first;
        for (int y = -8; y < kSpriteSide + 8; ++y) {
            for (int x = -8; x < kSpriteSide + 8; ++x) {
                const QRgb shown = capture.frame.pixel(CartridgeScreen::kCarX + x, CartridgeScreen::kCarY + y);
                const bool inside = x >= 0 && y >= 0 && x < kSpriteSide && y < kSpriteSide;
                const int slot = inside ? editorSlots.pixelIndex(x, y) : 0;
                if (shown == slotColors[slot])
                    continue;
                if (++wrong == 1) {
                    QStringList meanings;   // the frame's colour mapped back through the palette
                    for (int i = 0; i < slotColors.size(); ++i)
                        if (slotColors[i] == shown)
                            meanings << QString::number(i);
                    first = QStringLiteral("pixel (%1, %2) of the sprite shows #%3 (index %4), the editor has index %5")
                                .arg(x).arg(y).arg(shown & 0xFFFFFF, 6, 16, QChar('0'))
                                .arg(meanings.isEmpty() ? QStringLiteral("none") : meanings.join('/')).arg(slot);
                }
            }
        }
        QVERIFY2(wrong == 0, qPrintable(QStringLiteral("%1 pixels differ; %2").arg(wrong).arg(first)));

        // The numbers under the car, read with the cartridge's font.
        const QStringList text = ReadText(capture.frame, image, CartridgeScreen::kFirstInfoRow,
                                          CartridgeScreen::kInfoRows);
        const QString all = text.join('\n');
        const QByteArray &values = data.characteristics[expected.car];
        const QByteArray &weapons = data.weapons[expected.car];
        const QList<std::pair<QString, int>> numbers = {
            {"CAR", expected.car + 1}, {"SPRITE", expected.sprite + 1}, {"PALETTE", expected.palette + 1},
            {"ROTATION", expected.rotation}, {"TILT", expected.tilt},
            {"TOP SPEED", quint8(values[0])}, {"ACCELERATION", quint8(values[1])}, {"ADHESION", quint8(values[2])},
            {"CORNERING", quint8(values[3])}, {"JUMPING", quint8(values[4])},
            {"WEAPON A", quint8(weapons[0])}, {"WEAPON C", quint8(weapons[1])}, {"JUMP/TURBO", quint8(weapons[2])}};
        for (const auto &[label, value] : numbers) {
            const QRegularExpressionMatch match =
                QRegularExpression(QRegularExpression::escape(label) + QStringLiteral(" +(-?\\d+)")).match(all);
            QVERIFY2(match.hasMatch(), qPrintable(label + " is not on screen:\n" + all));
            QVERIFY2(match.captured(1).toInt() == value,
                     qPrintable(QStringLiteral("%1 shows %2, the ROM holds %3").arg(label, match.captured(1)).arg(value)));
        }
        QCOMPARE(all.contains("MIRRORED"), expected.mirrored);
        QVERIFY(all.contains(expected.wheels ? "WHEELS TURNING" : "WHEELS STILL"));

        // The checksum: the viewer's own sum against the header's word.
        const bool headerMatches = WordAt(image, kChecksumOffset) == RomChecksum(image);
        if (view.checksumSettled) {
            QCOMPARE(quint16(capture.words["checksum"]), RomChecksum(image));
            QVERIFY(all.contains(headerMatches ? "CHECKSUM OK" : "CHECKSUM BAD"));
        }
        if (!view.image.contains('+')) {   // as the editor saved it
            QVERIFY(headerMatches);
            QVERIFY2(all.contains("CHECKSUM OK"), qPrintable(all));
        }
    }

    // MAME's colour levels, from the viewer's grey ramp, beside the editor's
    // measured console levels. The frames are compared through MAME's.
    void colourLevels()
    {
        if (mame.isEmpty())
            QSKIP("MAME is not installed (Debian package mame): no colour levels to record");
        QVERIFY2(runProblems.value("demo").isEmpty(), qPrintable(runProblems.value("demo")));
        QStringList shown;
        for (int level : levels)
            shown << QString::number(level);
        qInfo("MAME's levels: %s; the editor's console levels: 0, 52, 87, 116, 144, 172, 206, 255 (%s)",
              qPrintable(shown.join(", ")), levels == ConsoleLevels ? "the same" : "they differ");
        QCOMPARE(levels.front(), 0);
        QCOMPARE(levels.back(), 255);
        for (int i = 1; i < 8; ++i)
            QVERIFY(levels[i] > levels[i - 1]);

        // The rows above the car as the program writes them.
        const QStringList top = ReadText(captures.value("demo-0").frame, images["demo"], 1, 6);
        QCOMPARE(top[0], QStringLiteral("SKIDMARCH DEMO CAR VIEWER"));
        QCOMPARE(top[1], QStringLiteral("LEFT/RIGHT TURN   UP/DOWN TILT"));
        QCOMPARE(top[2], QStringLiteral("B CAR   C PALETTE   A WHEELS"));
        QCOMPARE(top[5], QStringLiteral("01234567"));
    }

    // The views with the wheels turning showed the exchanged colours at least once.
    void wheelColoursShown()
    {
        if (mame.isEmpty())
            QSKIP("MAME is not installed (Debian package mame)");
        int turnedFrames = 0, wheelFrames = 0;
        for (const Planned &view : std::as_const(planned)) {
            if (view.expected.wheels && captures.contains(view.id)) {
                ++wheelFrames;
                turnedFrames += captures[view.id].words["turned"];
            }
        }
        QVERIFY(wheelFrames > 0);
        QVERIFY2(turnedFrames > 0 && turnedFrames < wheelFrames,
                 qPrintable(QStringLiteral("%1 of %2 frames with the wheels turning had colours 4 and 5 exchanged")
                                .arg(turnedFrames).arg(wheelFrames)));
    }

    void blastemRuns_data()
    {
        QTest::addColumn<QString>("image");
        QTest::newRow("demo") << QStringLiteral("demo");
        QTest::newRow("edited") << QStringLiteral("edited");
    }

    // blastem runs the cartridge headless for 600 frames and ends with status 0.
    void blastemRuns()
    {
        QFETCH(QString, image);
        const Result<QString> blastem = FindProgram(QStringLiteral("blastem"));
        if (!blastem)
            QSKIP("blastem is not installed (Debian package blastem)");
        const QString rom = path(image + QStringLiteral("-blastem.bin"));
        QVERIFY(WriteBytes(rom, images[image]));
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(*blastem, {QStringLiteral("-b"), QStringLiteral("600"), rom});
        QVERIFY(process.waitForFinished(60000));
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                 qPrintable(QString::fromLocal8Bit(process.readAll()).right(1000)));
    }
};

QTEST_GUILESS_MAIN(TestCartridge)
#include "tst_cartridge.moc"
