#include <QtTest>

#include "exchangetestrom.h"
#include "rom/romreader.h"
#include "testwindow.h"

// Writing sprites, cars and all cars as pictures and raw data.
class TestExportSprites : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void separateFiles_data();
    void separateFiles();
    void oneFile_data();
    void oneFile();
    void allCarsRawEqualsTheSavedRom();
    void offsetIsInTheExportOnly();
    void carSheetLayout();
    void unwritableFolder_data();
    void unwritableFolder();
    void saveSpriteSlot();
    void quickSpriteOut();

private:
    QString Path(const QString &name) const { return window->path(name); }
    QStringList Files() const { return QDir(window->dir.path()).entryList(QDir::Files, QDir::Name); }

    std::unique_ptr<TestWindow> window;
    WindowProbe *probe = nullptr;
};

void TestExportSprites::init()
{
    window = std::make_unique<TestWindow>(ExchangeTestData());
    QVERIFY(window->romWritten);
    probe = &window->probe;
}

void TestExportSprites::cleanup()
{
    probe = nullptr;
    window.reset();
}

void TestExportSprites::separateFiles_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("all cars, raw") << int(ExchangeScope::AllCars) << "car.bin" << 225 << "car-01-01.bin"
                                   << "car-05-45.bin";
    QTest::newRow("car 2, png") << int(ExchangeScope::Car) << "x.png" << 45 << "x-01.png" << "x-45.png";
    QTest::newRow("one sprite: the chosen name") << int(ExchangeScope::Sprite) << "one.bmp" << 1 << "one.bmp"
                                                 << "one.bmp";
}

void TestExportSprites::separateFiles()
{
    QFETCH(int, scope);
    QFETCH(QString, chosen);
    QFETCH(int, count);
    QFETCH(QString, first);
    QFETCH(QString, last);
    SelectScope(*probe, ExchangeScope(scope), true, 2, 7);
    QVERIFY(probe->exportSprites(Path(chosen)));

    QStringList files = Files();
    files.removeOne(QStringLiteral("game.rom"));
    QCOMPARE(files.size(), count);
    QCOMPARE(files.first(), first);
    QCOMPARE(files.last(), last);
    for (const QString &name : files) {
        if (name.endsWith(QLatin1String(".bin"))) {
            QCOMPARE(QFileInfo(Path(name)).size(), 1152);
        } else {
            QCOMPARE(QImage(Path(name)).size(), QSize(48, 48));
        }
    }
    if (ExchangeScope(scope) == ExchangeScope::Car) {
        const QImage seventh = QImage(Path(QStringLiteral("x-07.png"))).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(seventh, probe->composeSprite(1, 6, false, false, true));
    }
    if (ExchangeScope(scope) == ExchangeScope::Sprite) {
        const QImage one = QImage(Path(chosen)).convertToFormat(QImage::Format_RGB888);
        QCOMPARE(one, probe->composeSprite(1, 6, false, false, true));
    }
}

void TestExportSprites::oneFile_data()
{
    QTest::addColumn<int>("scope");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<qint64>("bytes");   // raw files
    QTest::addColumn<QSize>("size");     // pictures
    QTest::newRow("all cars raw") << int(ExchangeScope::AllCars) << "all.bin" << qint64(259200) << QSize();
    QTest::newRow("one car raw, upper-case suffix") << int(ExchangeScope::Car) << "Car.BIN" << qint64(51840)
                                                    << QSize();
    QTest::newRow("one sprite raw") << int(ExchangeScope::Sprite) << "s.bin" << qint64(1152) << QSize();
    QTest::newRow("car sheet bmp") << int(ExchangeScope::Car) << "car.bmp" << qint64(0) << QSize(624, 432);
    QTest::newRow("all-cars sheet png") << int(ExchangeScope::AllCars) << "all.png" << qint64(0)
                                        << QSize(624, 2160);
    QTest::newRow("one sprite png") << int(ExchangeScope::Sprite) << "s.png" << qint64(0) << QSize(48, 48);
}

void TestExportSprites::oneFile()
{
    QFETCH(int, scope);
    QFETCH(QString, chosen);
    QFETCH(qint64, bytes);
    QFETCH(QSize, size);
    SelectScope(*probe, ExchangeScope(scope), false, 3, 4);
    QVERIFY(probe->exportSprites(Path(chosen)));
    if (bytes > 0) {
        QFile file(Path(chosen));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        QCOMPARE(raw.size(), bytes);
        // The first sprite of the file is the first of the scope.
        const int car = ExchangeScope(scope) == ExchangeScope::AllCars ? 0 : 2;
        const int sprite = ExchangeScope(scope) == ExchangeScope::Sprite ? 3 : 0;
        QCOMPARE(UnpackPixels(raw.left(1152)), probe->sprites()[car][sprite]);
    } else {
        QCOMPARE(QImage(Path(chosen)).size(), size);
    }
}

void TestExportSprites::allCarsRawEqualsTheSavedRom()
{
    probe->edit([&](DocumentTables &t) { t.offsets[0][0] = QPoint(3, 2); });
    probe->edit([&](DocumentTables &t) { t.offsets[4][44] = QPoint(-5, -1); });
    probe->edit([&](DocumentTables &t) { t.offsets[2][10] = QPoint(60, 0); });
    SelectScope(*probe, ExchangeScope::AllCars, false);
    QVERIFY(probe->exportSprites(Path(QStringLiteral("all.bin"))));
    QVERIFY(probe->saveToRom());

    QFile exported(Path(QStringLiteral("all.bin")));
    QFile rom(Path(QStringLiteral("game.rom")));
    QVERIFY(exported.open(QIODevice::ReadOnly));
    QVERIFY(rom.open(QIODevice::ReadOnly));
    QVERIFY(rom.seek(kSpritesOffset));
    QCOMPARE(exported.readAll(), rom.read(kSpritesAreaSize));
}

void TestExportSprites::offsetIsInTheExportOnly()
{
    const SpriteTable before = probe->sprites();
    probe->edit([&](DocumentTables &t) { t.offsets[1][6] = QPoint(3, 2); });
    SelectScope(*probe, ExchangeScope::Sprite, false, 2, 7);
    QVERIFY(probe->exportSprites(Path(QStringLiteral("moved.bmp"))));
    QVERIFY(probe->exportSprites(Path(QStringLiteral("moved.bin"))));
    QCOMPARE(probe->sprites(), before);
    QCOMPARE(probe->spriteOffsets()[1][6], QPoint(3, 2));

    // 3 right and 2 up: the picture's (x, y) shows the stored (x - 3, y + 2).
    const QImage moved = QImage(Path(QStringLiteral("moved.bmp"))).convertToFormat(QImage::Format_RGB888);
    const QImage still = probe->composeSprite(1, 6, false, false, false);
    const QRgb background = probe->backgroundColor().rgb();
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const QRgb expected = (x < 3 || y >= 46) ? background : still.pixel(x - 3, y + 2);
            QCOMPARE(moved.pixel(x, y), expected);
        }
    }
    QFile raw(Path(QStringLiteral("moved.bin")));
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QCOMPARE(UnpackPixels(raw.readAll()), ShiftSpritePixels(before[1][6], 3, -2));
}

void TestExportSprites::carSheetLayout()
{
    const QImage sheet = probe->renderCarSheet(3).convertToFormat(QImage::Format_RGB888);
    QCOMPARE(sheet.size(), QSize(624, 432));
    const QImage empty = sheet.copy(0, 0, 48, 48);   // column 0, tilt -4: no sprite
    QImage background(48, 48, QImage::Format_RGB888);
    background.fill(probe->backgroundColor());
    QCOMPARE(empty, background);
    QCOMPARE(sheet.copy(96, 0, 48, 48), probe->composeSprite(3, 29, false, false, true));      // sprite 30
    QCOMPARE(sheet.copy(576, 192, 48, 48), probe->composeSprite(3, 12, false, false, true));   // sprite 13
    QCOMPARE(sheet.copy(192, 384, 48, 48), probe->composeSprite(3, 44, false, false, true));   // sprite 45
}

void TestExportSprites::unwritableFolder_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("separate");
    QTest::newRow("separate pictures under a file") << "game.rom/x.png" << true;
    QTest::newRow("one raw file in a missing folder") << "gone/all.bin" << false;
    QTest::newRow("unknown picture suffix") << "all.xyz" << false;
}

void TestExportSprites::unwritableFolder()
{
    QFETCH(QString, chosen);
    QFETCH(bool, separate);
    SelectScope(*probe, ExchangeScope::AllCars, separate);
    const QStringList before = QDir(window->dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QVERIFY(!probe->exportSprites(Path(chosen)));
    QCOMPARE(QDir(window->dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
}

void TestExportSprites::saveSpriteSlot()
{
    SelectScope(*probe, ExchangeScope::Car, true);
    {
        DialogScript answer(window->prompts, Path(QStringLiteral("game.rom/x.png")));
        probe->click("pushButtonSave");
        QCOMPARE(answer.dialogTitles(), QStringList{QStringLiteral("Export car 1")});
        QCOMPARE(answer.dialogFilters(),
                 QStringList{QStringLiteral("Images (*.png *.bmp);;PNG, indexed (*.png);;Binary files (*.bin)")});
        // One box for the set, written all or nothing: the file that failed and why.
        QCOMPARE(answer.messages().size(), 1);
        const QStringList lines = answer.messages().first().split(QLatin1Char('\n'));
        QCOMPARE(lines.first(), QStringLiteral("File write error"));
        QVERIFY2(lines.at(1).startsWith(QStringLiteral("Cannot write file \"%1\": ").arg(Path(QStringLiteral("game.rom/x-01.png"))))
                     && lines.at(1).size() > 20 + Path(QStringLiteral("game.rom/x-01.png")).size(),
                 qPrintable(lines.at(1)));
        QCOMPARE(lines.size(), 2);
    }
    {
        DialogScript answer(window->prompts, Path(QStringLiteral("ok.png")));
        probe->click("pushButtonSave");
        QVERIFY(answer.messages().isEmpty());
        QVERIFY(QFile::exists(Path(QStringLiteral("ok-45.png"))));
    }
    {
        DialogScript cancel(window->prompts, QString());
        probe->click("pushButtonSave");
        QVERIFY(cancel.messages().isEmpty());
    }
}

void TestExportSprites::quickSpriteOut()
{
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(window->dir.path()));
    SelectScope(*probe, ExchangeScope::AllCars, true, 4, 20);
    probe->edit([&](DocumentTables &t) { t.offsets[3][19] = QPoint(-2, 5); });
    probe->click("pushButtonQuickOut");
    const QImage written(QStringLiteral("sprite.bmp"), "BMP");
    QDir::setCurrent(previous);
    QCOMPARE(written.convertToFormat(QImage::Format_RGB888), probe->composeSprite(3, 19, false, false, true));
    QCOMPARE(Files(), (QStringList{QStringLiteral("game.rom"), QStringLiteral("sprite.bmp")}));
}

QTEST_MAIN(TestExportSprites)
#include "tst_exportsprites.moc"
