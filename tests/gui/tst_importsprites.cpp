#include <QBuffer>
#include <QtTest>
#include <QRegularExpression>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "exchange/spriteexport.h"
#include "exchangetestrom.h"
#include "rom/romreader.h"
#include "testwindow.h"

namespace {

// The error line of a file that could not be used, and why.
QString Line(const QString &name, const QString &reason)
{
    return QStringLiteral("Cannot load file \"%1\": %2\n").arg(name, reason);
}

const QString kMissing = QStringLiteral("No such file or directory");

} // namespace

// Reading sprites back from pictures and raw data.
class TestImportSprites : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rawOneFile_data();
    void rawOneFile();
    void rawSeparateFileUsesItsFirstSprite();
    void allCarsRawRoundTrip();
    void pictureRoundTrip_data();
    void pictureRoundTrip();
    void missingNumberedFile();
    void allCarsPictureSizes_data();
    void allCarsPictureSizes();
    void badPictures_data();
    void badPictures();
    void indicesOutOfRangeAreRefused();
    void ditherSwitch();
    void loadSpriteSlot();
    void quickSpriteIn();
    void quickExchangeFailures_data();
    void quickExchangeFailures();

private:
    QString Path(const QString &name) const { return window->path(name); }
    QString WriteBytes(const QString &name, const QByteArray &bytes) const { return WriteTestFile(Path(name), bytes); }
    void UseImportExportPalette() { probe->ui()->comboBoxPalette->setCurrentIndex(kImportExportPalette); }

    std::unique_ptr<TestWindow> window;
    WindowProbe *probe = nullptr;
};

void TestImportSprites::init()
{
    window = std::make_unique<TestWindow>(ExchangeTestData());
    QVERIFY(window->romWritten);
    probe = &window->probe;
}

void TestImportSprites::cleanup()
{
    probe = nullptr;
    window.reset();
}

void TestImportSprites::rawOneFile_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("scope");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("takes");   // what the message says the scope takes
    const int one = int(ExchangeScope::Sprite);
    const int car = int(ExchangeScope::Car);
    const int all = int(ExchangeScope::AllCars);
    const QString sprite = QStringLiteral("one sprite takes exactly 1152");
    const QString aCar = QStringLiteral("a car takes exactly 51840");
    const QString cars = QStringLiteral("all cars take 259200");
    QTest::newRow("1152, sprite") << 1152 << one << true << QString();
    QTest::newRow("1153, sprite: two sprites") << 1153 << one << false << sprite;
    QTest::newRow("empty, sprite") << 0 << one << false << sprite;
    QTest::newRow("51 840, sprite") << 51840 << one << false << sprite;
    QTest::newRow("51 840, car") << 51840 << car << true << QString();
    QTest::newRow("1152, car") << 1152 << car << false << aCar;
    QTest::newRow("empty, car") << 0 << car << false << aCar;
    QTest::newRow("200 000, all") << 200000 << all << false << cars;
    QTest::newRow("259 200, all") << 259200 << all << true << QString();
    QTest::newRow("300 000, all: the first 259 200 bytes") << 300000 << all << true << QString();
    QTest::newRow("empty, all") << 0 << all << false << cars;
}

void TestImportSprites::rawOneFile()
{
    QFETCH(int, bytes);
    QFETCH(int, scope);
    QFETCH(bool, accepted);
    QFETCH(QString, takes);
    QByteArray raw(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        raw[i] = char((i * 7 + i / 1152) & 0xFF);
    const QString name = WriteBytes(QStringLiteral("in.BIN"), raw);

    SelectScope(*probe, ExchangeScope(scope), false, 3, 9);
    probe->edit([](DocumentTables &t) {
        for (QList<QPoint> &car : t.offsets)
            for (QPoint &offset : car)
                offset = QPoint(1, 1);
    });
    const SpriteTable before = probe->sprites();
    const SpriteOffsets offsetsBefore = probe->spriteOffsets();

    const QString errors = probe->importSprites(name);
    if (!accepted) {
        QCOMPARE(errors, Line(name, QStringLiteral("the file holds %1 bytes; %2").arg(bytes).arg(takes)));
        QCOMPARE(probe->sprites(), before);
        QCOMPARE(probe->spriteOffsets(), offsetsBefore);
        return;
    }
    QCOMPARE(errors, QString());
    const SpriteTable read = ReadSprites(name, 0);
    switch (ExchangeScope(scope)) {
    case ExchangeScope::Sprite:
        QCOMPARE(probe->sprites()[2][8], read[0][0]);
        QCOMPARE(probe->spriteOffsets()[2][8], QPoint(0, 0));
        QCOMPARE(probe->spriteOffsets()[2][7], QPoint(1, 1));
        break;
    case ExchangeScope::Car:
        QCOMPARE(probe->sprites()[2], read[0]);
        QCOMPARE(probe->sprites()[1], before[1]);
        QCOMPARE(probe->spriteOffsets()[2], QList<QPoint>(45, QPoint(0, 0)));
        QCOMPARE(probe->spriteOffsets()[1], offsetsBefore[1]);
        break;
    case ExchangeScope::AllCars:
        QCOMPARE(probe->sprites(), read);
        QCOMPARE(probe->spriteOffsets(), ZeroOffsetsFor(read));
        break;
    }
}

void TestImportSprites::rawSeparateFileUsesItsFirstSprite()
{
    // Separate files, one car: x-01.bin holds 1153 bytes, x-02.bin only 1151.
    QByteArray first(1153, '\x12');
    first[0] = '\x34';
    WriteBytes(QStringLiteral("x-01.bin"), first);
    WriteBytes(QStringLiteral("x-02.bin"), QByteArray(1151, '\x56'));
    SelectScope(*probe, ExchangeScope::Car, true, 2);
    const SpriteTable before = probe->sprites();

    const QString errors = probe->importSprites(Path(QStringLiteral("x-30.bin")));
    QCOMPARE(probe->sprites()[1][0], UnpackPixels(first.left(1152)));
    QCOMPARE(probe->sprites()[1][1], before[1][1]);
    QString expected = Line(Path(QStringLiteral("x-02.bin")), QStringLiteral("the file holds 1151 bytes; a sprite takes 1152"));
    for (int s = 3; s <= 45; ++s)
        expected += Line(Path(QStringLiteral("x-%1.bin").arg(s, 2, 10, QLatin1Char('0'))), kMissing);
    QCOMPARE(errors, expected);
}

void TestImportSprites::allCarsRawRoundTrip()
{
    probe->edit([&](DocumentTables &t) { t.offsets[0][0] = QPoint(3, 2); });
    probe->edit([&](DocumentTables &t) { t.offsets[3][17] = QPoint(-4, 7); });
    SpriteTable shifted = probe->sprites();
    for (int c = 0; c < kCarCount; ++c)
        for (int s = 0; s < kSpritesPerCar; ++s)
            shifted[c][s] = ShiftSpritePixels(shifted[c][s], probe->spriteOffsets()[c][s].x(),
                                              -probe->spriteOffsets()[c][s].y());
    SelectScope(*probe, ExchangeScope::AllCars, false);
    QVERIFY(probe->exportSprites(Path(QStringLiteral("all.bin"))));

    probe->edit([&](DocumentTables &t) { t.sprites = ExchangeTestData(99).sprites; });
    QCOMPARE(probe->importSprites(Path(QStringLiteral("all.bin"))), QString());
    QCOMPARE(probe->sprites(), shifted);
    QCOMPARE(probe->spriteOffsets(), ZeroOffsetsFor(shifted));
}

void TestImportSprites::pictureRoundTrip_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<bool>("separate");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("picked");
    QTest::newRow("one sprite png") << int(ExchangeScope::Sprite) << false << "s.png" << "s.png";
    QTest::newRow("car sheet bmp") << int(ExchangeScope::Car) << false << "car.bmp" << "car.bmp";
    QTest::newRow("all-cars sheet png") << int(ExchangeScope::AllCars) << false << "all.png" << "all.png";
    QTest::newRow("car set, any file picked") << int(ExchangeScope::Car) << true << "x.png" << "x-17.png";
    QTest::newRow("all-cars set, any file picked") << int(ExchangeScope::AllCars) << true << "car.png"
                                                   << "car-03-07.png";
}

void TestImportSprites::pictureRoundTrip()
{
    QFETCH(int, scope);
    QFETCH(bool, separate);
    QFETCH(QString, name);
    QFETCH(QString, picked);
    UseImportExportPalette();
    probe->ui()->checkBoxDither->setChecked(true);
    SelectScope(*probe, ExchangeScope(scope), separate, 4, 30);
    const SpriteTable exported = probe->sprites();
    QVERIFY(probe->exportSprites(Path(name)));

    probe->edit([&](DocumentTables &t) { t.sprites = ExchangeTestData(7).sprites; });
    probe->edit([](DocumentTables &t) {
        for (QList<QPoint> &car : t.offsets)
            for (QPoint &offset : car)
                offset = QPoint(2, -2);
    });
    const SpriteTable scrambled = probe->sprites();
    QCOMPARE(probe->importSprites(Path(picked)), QString());

    for (int c = 0; c < kCarCount; ++c) {
        for (int s = 0; s < kSpritesPerCar; ++s) {
            const bool covered = ExchangeScope(scope) == ExchangeScope::AllCars
                                 || (c == 3 && (ExchangeScope(scope) == ExchangeScope::Car || s == 29));
            QCOMPARE(probe->sprites()[c][s], covered ? exported[c][s] : scrambled[c][s]);
            QCOMPARE(probe->spriteOffsets()[c][s], covered ? QPoint(0, 0) : QPoint(2, -2));
        }
    }
}

void TestImportSprites::missingNumberedFile()
{
    UseImportExportPalette();
    SelectScope(*probe, ExchangeScope::Car, true, 2);
    const SpriteTable exported = probe->sprites();
    QVERIFY(probe->exportSprites(Path(QStringLiteral("x.png"))));
    QVERIFY(QFile::remove(Path(QStringLiteral("x-07.png"))));
    probe->edit([&](DocumentTables &t) { t.sprites = ExchangeTestData(5).sprites; });
    const SpriteTable scrambled = probe->sprites();

    QCOMPARE(probe->importSprites(Path(QStringLiteral("x-01.png"))), Line(Path(QStringLiteral("x-07.png")), kMissing));
    for (int s = 0; s < kSpritesPerCar; ++s)
        QCOMPARE(probe->sprites()[1][s], s == 6 ? scrambled[1][6] : exported[1][s]);
}

void TestImportSprites::allCarsPictureSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("624 x 2161: the last row ignored") << QSize(624, 2161) << true;
    QTest::newRow("432 x 1200: five compact sheets") << QSize(432, 1200) << true;
    QTest::newRow("600 x 2160") << QSize(600, 2160) << false;
    QTest::newRow("one car sheet") << QSize(624, 432) << false;
}

void TestImportSprites::allCarsPictureSizes()
{
    QFETCH(QSize, size);
    QFETCH(bool, accepted);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 0));   // entry 2 of the fixed palette
    const QString name = Path(QStringLiteral("sheet.png"));
    QVERIFY(picture.save(name));
    UseImportExportPalette();
    SelectScope(*probe, ExchangeScope::AllCars, false);
    const SpriteTable before = probe->sprites();

    const QString errors = probe->importSprites(name);
    if (accepted) {
        QCOMPARE(errors, QString());
        QCOMPARE(probe->sprites(), SpriteTable(5, QList<SpritePixels>(45, SpritePixels(2304, 2))));
    } else {
        // One line for the file, not one for each car.
        QCOMPARE(errors, Line(name, QStringLiteral("the picture is %1 x %2 pixels; all cars take 624 x 2160 or 432 x 1200")
                                        .arg(size.width()).arg(size.height())));
        QCOMPARE(probe->sprites(), before);
    }
}

void TestImportSprites::badPictures_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    QImage sprite(48, 48, QImage::Format_RGB32);
    sprite.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    sprite.save(&buffer, "PNG");
    QImage wide(49, 48, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    QByteArray widePng;
    QBuffer wideBuffer(&widePng);
    wideBuffer.open(QIODevice::WriteOnly);
    wide.save(&wideBuffer, "PNG");

    const int one = int(ExchangeScope::Sprite);
    const int car = int(ExchangeScope::Car);
    const QString unreadable = QStringLiteral("not a picture that can be read");
    QTest::newRow("not a picture") << one << QByteArray("hello") << unreadable;
    QTest::newRow("truncated png") << one << png.left(png.size() / 2) << unreadable;
    QTest::newRow("49 x 48 sprite") << one << widePng << "the picture is 49 x 48 pixels; a sprite takes 48 x 48";
    QTest::newRow("sprite picture as a car") << car << png
                                             << "the picture is 48 x 48 pixels; a car takes 624 x 432 or 432 x 240";
    QTest::newRow("empty file as a car") << car << QByteArray() << "the file is empty";
}

void TestImportSprites::badPictures()
{
    QFETCH(int, scope);
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    const QString name = WriteBytes(QStringLiteral("bad.png"), data);
    SelectScope(*probe, ExchangeScope(scope), false, 2, 2);
    probe->edit([&](DocumentTables &t) { t.offsets[1][1] = QPoint(4, 4); });
    const SpriteTable before = probe->sprites();
    const QString errors = probe->importSprites(name);
    QVERIFY2(errors.startsWith(Line(name, reason).chopped(1)) && errors.count(QLatin1Char('\n')) == 1,
             qPrintable(errors));
    QCOMPARE(probe->sprites(), before);
    QCOMPARE(probe->spriteOffsets()[1][1], QPoint(4, 4));
}

void TestImportSprites::indicesOutOfRangeAreRefused()
{
    // The window's import goes where the selection points, and the selection
    // takes no car or sprite the ROM does not have.
    QImage picture(48, 48, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString name = Path(QStringLiteral("red.png"));
    QVERIFY(picture.save(name));
    SelectScope(*probe, ExchangeScope::Sprite, false, 5, 45);
    Selection &selection = window->editor.Shown();
    selection.setCar(5);
    selection.setSprite(45);
    selection.setCar(-1);
    selection.setSprite(-1);
    QCOMPARE(selection.car(), 4);
    QCOMPARE(selection.sprite(), 44);

    const SpriteTable before = probe->sprites();
    QCOMPARE(probe->importSprites(name), QString());
    SpriteTable after = probe->sprites();
    // One flat colour in the last sprite; every other sprite as it was.
    QCOMPARE(QSet<int>(after[4][44].begin(), after[4][44].end()).size(), 1);
    QVERIFY(after[4][44] != before[4][44]);
    after[4][44] = before[4][44];
    QCOMPARE(after, before);
}

void TestImportSprites::ditherSwitch()
{
    // Grey 128 lies between the fixed palette's grey 182 and dark grey 72:
    // matched, one index; dithered, a mix. Read by the window's own import
    // with the box's switch.
    UseImportExportPalette();
    QImage grey(48, 48, QImage::Format_RGB32);
    grey.fill(QColor(128, 128, 128));
    const QString name = Path(QStringLiteral("grey.png"));
    QVERIFY(grey.save(name));
    SelectScope(*probe, ExchangeScope::Sprite, false, 1, 1);
    probe->ui()->checkBoxDither->setChecked(false);
    QCOMPARE(probe->importSprites(name), QString());
    QCOMPARE(QSet<int>(probe->sprites()[0][0].begin(), probe->sprites()[0][0].end()).size(), 1);
    probe->ui()->checkBoxDither->setChecked(true);
    QCOMPARE(probe->importSprites(name), QString());
    QVERIFY(QSet<int>(probe->sprites()[0][0].begin(), probe->sprites()[0][0].end()).size() > 1);
}

void TestImportSprites::loadSpriteSlot()
{
    SelectScope(*probe, ExchangeScope::AllCars, false);
    const QString name = WriteBytes(QStringLiteral("short.bin"), QByteArray(200000, '\1'));
    const SpriteTable before = probe->sprites();
    {
        DialogScript answer(window->prompts, name);
        probe->click("pushButtonLoad");
        QCOMPARE(answer.dialogTitles(), QStringList{QStringLiteral("Import all cars")});
        QCOMPARE(answer.dialogFilters(),
                 QStringList{QStringLiteral("Images and Binary files (*.bin *.png *.bmp *.gif *.jpg *.jpeg);;"
                                            "Binary files (*.bin);;Images (*.png *.bmp *.gif *.jpg *.jpeg);;"
                                            "All files(*.*)")});
        QCOMPARE(answer.messages(),
                 QStringList{Line(name, QStringLiteral("the file holds 200000 bytes; all cars take 259200")).chopped(1)});
    }
    QCOMPARE(probe->sprites(), before);
    {
        DialogScript cancel(window->prompts, QString());
        probe->click("pushButtonLoad");
        QVERIFY(cancel.messages().isEmpty());
    }
}

void TestImportSprites::quickSpriteIn()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(window->dir.path()));
    UseImportExportPalette();
    SelectScope(*probe, ExchangeScope::Sprite, false, 5, 45);
    const SpriteTable before = probe->sprites();

    const QString quickFile = QDir::toNativeSeparators(window->path(QStringLiteral("sprite.bmp")));
    QFile::remove(quickFile);
    {
        DialogScript answer(window->prompts, QString());
        probe->click("pushButtonQuickIn");   // no sprite.bmp: one message, nothing changes
        QCOMPARE(answer.messages(),
                 QStringList{QStringLiteral("Cannot load \"%1\": No such file or directory").arg(quickFile)});
    }
    QCOMPARE(probe->sprites(), before);

    {
        DialogScript answer(window->prompts, QString());
        probe->click("pushButtonQuickOut");
        probe->edit([&](DocumentTables &t) { t.sprites[4][44] = SpritePixels(2304, 1); });
        probe->edit([&](DocumentTables &t) { t.offsets[4][44] = QPoint(1, 0); });
        probe->click("pushButtonQuickIn");
        QVERIFY(answer.messages().isEmpty());   // success is silent
    }
    QDir::setCurrent(previous);
    // The export carried offset (0, 0), so the import restores the sprite as it was.
    QCOMPARE(probe->sprites(), before);
    QCOMPARE(probe->spriteOffsets()[4][44], QPoint(0, 0));
}

void TestImportSprites::quickExchangeFailures_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("reason");   // a pattern: the system's words may vary

    QTest::newRow("in: corrupt") << "corrupt" << "pushButtonQuickIn" << "not a complete picture";
    QTest::newRow("in: empty") << "empty" << "pushButtonQuickIn" << "the file is empty";
    QTest::newRow("in: wrong size") << "small" << "pushButtonQuickIn" << "is 40 x 48 pixels, not 48 x 48";
    QTest::newRow("in: a FIFO, refused unopened") << "fifo" << "pushButtonQuickIn" << "not a regular file";
    QTest::newRow("in: a folder") << "folder" << "pushButtonQuickIn" << "not a regular file";
    QTest::newRow("out: folder in the way") << "folder" << "pushButtonQuickOut" << "directory|folder|not a regular file";
    QTest::newRow("out: unwritable working folder") << "readonly" << "pushButtonQuickOut"
                                                    << "Permission denied|Read-only file system";
}

void TestImportSprites::quickExchangeFailures()
{
    QFETCH(QString, setup);
    QFETCH(QString, button);
    QFETCH(QString, reason);

    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString file = work.filePath(QStringLiteral("sprite.bmp"));
    if (setup == QLatin1String("corrupt")) {
        QImage picture(48, 48, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(file));
        QVERIFY(::WriteBytes(file, ReadBytes(file).left(100)));
    } else if (setup == QLatin1String("empty")) {
        QVERIFY(::WriteBytes(file, QByteArray()));
    } else if (setup == QLatin1String("small")) {
        QImage picture(40, 48, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(file));
    } else if (setup == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0644), 0);
    } else if (setup == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(file));
    } else {
        // A folder no one may write: read-only for others, and a read-only
        // mount for the superuser where one can be made.
        QVERIFY(QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (::geteuid() == 0
            && ::mount("tmpfs", QFile::encodeName(work.path()).constData(), "tmpfs", MS_RDONLY, "size=64k") != 0)
            QSKIP("the superuser writes any folder, and no read-only tmpfs can be mounted here");
    }
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    const SpriteTable before = probe->sprites();

    // A FIFO that were opened would block here until the test times out.
    DialogScript answer(window->prompts, QString());
    probe->click(button.toLatin1().constData());
    QDir::setCurrent(previous);
    if (setup == QLatin1String("readonly")) {
        ::umount2(QFile::encodeName(work.path()).constData(), MNT_DETACH);
        QFile::setPermissions(work.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QCOMPARE(answer.messages().size(), 1);
    const QString message = answer.messages().first();
    QVERIFY2(message.contains(QDir::toNativeSeparators(file)) && message.contains(QRegularExpression(reason)),
             qPrintable(message));
    QCOMPARE(probe->sprites(), before);
}

QTEST_MAIN(TestImportSprites)
#include "tst_importsprites.moc"
