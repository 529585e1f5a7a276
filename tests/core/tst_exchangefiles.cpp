#include <QBuffer>
#include <QRandomGenerator>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

#include "common/testrom.h"
#include "exchange/numberednames.h"
#include "exchange/picturecheck.h"
#include "exchange/rawsprites.h"
#include "exchange/spritefiles.h"
#include "rom/outputfile.h"
#include "rom/romreader.h"
#include "view/spriteoffsets.h"

namespace {

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        qFatal("cannot encode %s", format);
    return bytes;
}

QImage Gradient(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(5 * x, 5 * y, 100));
    return image;
}

quint32 Crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : data) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The signature and a valid header chunk of a PNG of any announced size, no pixels.
QByteArray PngHeaderOnly(quint32 width, quint32 height)
{
    QByteArray chunk("IHDR");
    for (quint32 v : {width, height})
        for (int shift : {24, 16, 8, 0})
            chunk.append(char((v >> shift) & 0xFF));
    chunk.append(QByteArray::fromHex("0802000000"));   // 8-bit RGB
    QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d") + chunk;
    const quint32 crc = Crc32(chunk);
    for (int shift : {24, 16, 8, 0})
        png.append(char((crc >> shift) & 0xFF));
    return png;
}

// A 2 x 2 run-length-encoded 8-bit BMP with two colours: a run of two index-1
// pixels, end of line, a run of two index-0 pixels, end of bitmap.
QByteArray RunLengthBmp()
{
    auto le = [](quint32 v, int bytes) {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
        return out;
    };
    const QByteArray pixels = QByteArray::fromHex("0201000002000001");
    const QByteArray colors = QByteArray::fromHex("00000000ffffff00");
    const quint32 offset = 14 + 40 + colors.size();
    QByteArray bmp = "BM" + le(offset + pixels.size(), 4) + le(0, 4) + le(offset, 4);
    bmp += le(40, 4) + le(2, 4) + le(2, 4) + le(1, 2) + le(8, 2) + le(1, 4) + le(pixels.size(), 4);
    bmp += le(2835, 4) + le(2835, 4) + le(2, 4) + le(2, 4);
    return bmp + colors + pixels;
}

// A 1 x 1 two-colour GIF.
const QByteArray kTinyGif = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b");

} // namespace

// Names of numbered file sets, raw sprite files and reading and writing pictures.
class TestExchangeFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exportNames_data();
    void exportNames();
    void importNames_data();
    void importNames();
    void rawSizeRules_data();
    void rawSizeRules();
    void rawBytesCarryTheOffset();
    void rawSuffix_data();
    void rawSuffix();
    void goodPictures_data();
    void goodPictures();
    void brokenPictures_data();
    void brokenPictures();
    void mutatedPicturesNeverCrash();
    void writeFailuresLeaveNothing_data();
    void writeFailuresLeaveNothing();
    void failedWriteKeepsTheOldFile();

private:
    QTemporaryDir dir;
    QString Path(const QString &name) const { return dir.filePath(name); }
    QString WriteBytes(const QString &name, const QByteArray &bytes) const { return WriteTestFile(Path(name), bytes); }
};

void TestExchangeFiles::initTestCase()
{
    QVERIFY(dir.isValid());
}

void TestExchangeFiles::exportNames_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("scope");
    QTest::addColumn<int>("car");
    QTest::addColumn<int>("sprite");
    QTest::addColumn<QString>("expected");
    const int all = int(ExchangeScope::AllCars);
    const int car = int(ExchangeScope::Car);
    const int one = int(ExchangeScope::Sprite);
    QTest::newRow("all cars") << "/d/car.png" << all << 2 << 6 << "/d/car-03-07.png";
    QTest::newRow("all cars, raw") << "/d/car.bin" << all << 4 << 44 << "/d/car-05-45.bin";
    QTest::newRow("one car") << "/d/x.png" << car << 1 << 0 << "/d/x-01.png";
    QTest::newRow("one sprite") << "/d/x.png" << one << 1 << 3 << "/d/x.png";
    QTest::newRow("dots in the name") << "/d/my.car.png" << car << 0 << 9 << "/d/my.car-10.png";
    QTest::newRow("no suffix") << "/d/car" << car << 0 << 0 << "/d/car-01.";
    QTest::newRow("relative") << "car.bmp" << all << 0 << 0 << "./car-01-01.bmp";
}

void TestExchangeFiles::exportNames()
{
    QFETCH(QString, chosen);
    QFETCH(int, scope);
    QFETCH(int, car);
    QFETCH(int, sprite);
    QFETCH(QString, expected);
    QCOMPARE(ExportFileName(chosen, ExchangeScope(scope), car, sprite), expected);
}

void TestExchangeFiles::importNames_data()
{
    QTest::addColumn<QString>("picked");
    QTest::addColumn<int>("scope");
    QTest::addColumn<int>("car");
    QTest::addColumn<int>("sprite");
    QTest::addColumn<QString>("expected");
    const int all = int(ExchangeScope::AllCars);
    const int car = int(ExchangeScope::Car);
    const int one = int(ExchangeScope::Sprite);
    QTest::newRow("any file of an all-cars set") << "/d/car-03-07.png" << all << 0 << 0 << "/d/car-01-01.png";
    QTest::newRow("last of an all-cars set") << "/d/car-03-07.png" << all << 4 << 44 << "/d/car-05-45.png";
    QTest::newRow("any file of a car set") << "/d/x-17.bin" << car << 3 << 1 << "/d/x-02.bin";
    QTest::newRow("one sprite reads the picked file") << "/d/x-17.bin" << one << 3 << 1 << "/d/x-17.bin";
    QTest::newRow("a name without numbers loses its end") << "/d/sprites.png" << car << 0 << 0 << "/d/spri-01.png";
}

void TestExchangeFiles::importNames()
{
    QFETCH(QString, picked);
    QFETCH(int, scope);
    QFETCH(int, car);
    QFETCH(int, sprite);
    QFETCH(QString, expected);
    QCOMPARE(ImportFileName(picked, ExchangeScope(scope), car, sprite), expected);
}

void TestExchangeFiles::rawSizeRules_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<bool>("sprite");
    QTest::addColumn<bool>("car");
    QTest::addColumn<bool>("allCars");
    QTest::addColumn<bool>("firstSprite");
    QTest::newRow("empty") << 0 << false << false << false << false;
    QTest::newRow("1151") << 1151 << false << false << false << false;
    QTest::newRow("1152") << 1152 << true << false << false << true;
    QTest::newRow("1153") << 1153 << false << false << false << true;
    QTest::newRow("51 840") << 51840 << false << true << false << true;
    QTest::newRow("51 841") << 51841 << false << false << false << true;
    QTest::newRow("200 000") << 200000 << false << false << false << true;
    QTest::newRow("259 200") << 259200 << false << false << true << true;
    QTest::newRow("300 000") << 300000 << false << false << true << true;
}

void TestExchangeFiles::rawSizeRules()
{
    QFETCH(int, bytes);
    QFETCH(bool, sprite);
    QFETCH(bool, car);
    QFETCH(bool, allCars);
    QFETCH(bool, firstSprite);
    const SpriteTable table = ReadSprites(WriteBytes(QStringLiteral("raw.bin"), QByteArray(bytes, '\x5a')), 0);
    QCOMPARE(RawTableFits(table, ExchangeScope::Sprite), sprite);
    QCOMPARE(RawTableFits(table, ExchangeScope::Car), car);
    QCOMPARE(RawTableFits(table, ExchangeScope::AllCars), allCars);
    QCOMPARE(RawTableHasFirstSprite(table), firstSprite);
    QVERIFY(!RawTableHasFirstSprite(ReadSprites(Path(QStringLiteral("missing.bin")), 0)));
}

void TestExchangeFiles::rawBytesCarryTheOffset()
{
    // Index 1 at (0, 2) and at (47, 47); offset (3, 2) moves right and up.
    SpritePixels pixels(kPixelsPerSprite, 0);
    pixels[SpritePixelIndex(0, 2)] = 1;
    pixels[SpritePixelIndex(47, 47)] = 2;
    const SpritePixels moved = UnpackPixels(RawSpriteBytes(pixels, QPoint(3, 2)));
    SpritePixels expected(kPixelsPerSprite, 0);
    expected[SpritePixelIndex(3, 0)] = 1;
    QCOMPARE(moved, expected);
    QCOMPARE(UnpackPixels(RawSpriteBytes(pixels, QPoint())), pixels);
}

void TestExchangeFiles::rawSuffix_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("raw");
    QTest::newRow("bin") << "a.bin" << true;
    QTest::newRow("BIN") << "Car.BIN" << true;
    QTest::newRow("png") << "a.png" << false;
    QTest::newRow("bin inside the name") << "a.bin.png" << false;
    QTest::newRow("no suffix") << "bin" << false;
}

void TestExchangeFiles::rawSuffix()
{
    QFETCH(QString, name);
    QFETCH(bool, raw);
    QCOMPARE(IsRawSpriteFile(name), raw);
}

void TestExchangeFiles::goodPictures_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");
    const QImage gradient = Gradient(48, 48);
    QTest::newRow("png") << Encoded(gradient, "png") << QSize(48, 48);
    QTest::newRow("bmp") << Encoded(gradient, "bmp") << QSize(48, 48);
    QTest::newRow("jpeg") << Encoded(gradient, "jpeg") << QSize(48, 48);
    QTest::newRow("gif") << kTinyGif << QSize(1, 1);
    QTest::newRow("run-length bmp") << RunLengthBmp() << QSize(2, 2);
    QTest::newRow("1-bit png") << Encoded(gradient.convertToFormat(QImage::Format_Mono), "png") << QSize(48, 48);
    QTest::newRow("indexed png")
        << Encoded(gradient.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), "png") << QSize(48, 48);
    QTest::newRow("grey png") << Encoded(gradient.convertToFormat(QImage::Format_Grayscale8), "png") << QSize(48, 48);
    QTest::newRow("16-bit grey png") << Encoded(gradient.convertToFormat(QImage::Format_Grayscale16), "png")
                                     << QSize(48, 48);
    QTest::newRow("png with alpha") << Encoded(gradient.convertToFormat(QImage::Format_ARGB32), "png")
                                    << QSize(48, 48);
    QTest::newRow("1-bit bmp") << Encoded(gradient.convertToFormat(QImage::Format_Mono), "bmp") << QSize(48, 48);
}

void TestExchangeFiles::goodPictures()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    QVERIFY(PictureDataComplete(data));
    const Result<QImage> image = ReadPictureFile(WriteBytes(QStringLiteral("good.pic"), data), QSize(48, 48));
    QVERIFY2(image, qPrintable(image.message()));
    QCOMPARE(image->size(), size);
}

void TestExchangeFiles::brokenPictures_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("largest");
    const QImage gradient = Gradient(48, 48);
    const QSize sprite(48, 48);
    const QByteArray png = Encoded(gradient, "png");
    const QByteArray bmp = Encoded(gradient, "bmp");
    const QByteArray jpeg = Encoded(gradient, "jpeg");
    QTest::newRow("empty file") << QByteArray() << sprite;
    QTest::newRow("text") << QByteArray("not a picture at all\n") << sprite;
    QTest::newRow("random bytes") << QByteArray::fromHex("00ff13a7c0de").repeated(500) << sprite;
    QTest::newRow("truncated png") << png.left(png.size() * 2 / 3) << sprite;
    QTest::newRow("corrupt png") << QByteArray(png).replace(60, 40, QByteArray(40, '\x11')) << sprite;
    QTest::newRow("truncated bmp") << bmp.left(bmp.size() - 100) << sprite;
    QTest::newRow("bmp header only") << bmp.left(54) << sprite;
    QTest::newRow("run-length bmp without its end") << RunLengthBmp().chopped(2) << sprite;
    QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() * 2 / 3) << sprite;
    QTest::newRow("jpeg without end marker") << jpeg.left(jpeg.size() - 2) << sprite;
    QTest::newRow("truncated gif") << kTinyGif.left(kTinyGif.size() - 4) << sprite;
    QTest::newRow("gif without trailer") << kTinyGif.chopped(1) << sprite;
    QTest::newRow("too big for the scope") << Encoded(Gradient(49, 48), "png") << sprite;
    QTest::newRow("absurd size announced") << PngHeaderOnly(100000, 100000) << QSize(624, 2164);
    QTest::newRow("absurd size, no size limit") << PngHeaderOnly(100000, 100000) << QSize(1 << 30, 1 << 30);
}

void TestExchangeFiles::brokenPictures()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, largest);
    QVERIFY(!ReadPictureFile(WriteBytes(QStringLiteral("broken.png"), data), largest));
}

void TestExchangeFiles::mutatedPicturesNeverCrash()
{
    // Cut and scrambled pictures of every format: each is refused or read
    // whole, within the size asked for; none may crash or hang.
    const QImage gradient = Gradient(48, 48);
    const QList<QByteArray> originals{Encoded(gradient, "png"), Encoded(gradient, "bmp"),
                                      Encoded(gradient, "jpeg"), kTinyGif, RunLengthBmp()};
    QRandomGenerator random(11);
    for (const QByteArray &original : originals) {
        for (int round = 0; round < 60; ++round) {
            QByteArray data = original.left(random.bounded(int(original.size()) + 1));
            for (int flips = random.bounded(4); flips > 0 && !data.isEmpty(); --flips)
                data[random.bounded(int(data.size()))] = char(random.bounded(256));
            const Result<QImage> image = ReadPictureFile(WriteBytes(QStringLiteral("mutated"), data), QSize(48, 48));
            QVERIFY(!image || (image->width() <= 48 && image->height() <= 48));
        }
    }
}

void TestExchangeFiles::writeFailuresLeaveNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("picture");
    QTest::newRow("raw under a file") << "plain.txt/x.bin" << false;
    QTest::newRow("picture under a file") << "plain.txt/x.png" << true;
    QTest::newRow("raw in a missing folder") << "nowhere/x.bin" << false;
    QTest::newRow("unknown picture suffix") << "x.xyz" << true;
    QTest::newRow("no suffix") << "x" << true;
    QTest::newRow("trailing dot") << "x-01." << true;
}

void TestExchangeFiles::writeFailuresLeaveNothing()
{
    QFETCH(QString, name);
    QFETCH(bool, picture);
    WriteBytes(QStringLiteral("plain.txt"), "plain");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const bool written = picture ? WritePictureFile(Path(name), Gradient(48, 48)).ok()
                                 : WriteOutputFile(Path(name), QByteArray(1152, '\1')).ok();
    QVERIFY(!written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

void TestExchangeFiles::failedWriteKeepsTheOldFile()
{
    const QString name = WriteBytes(QStringLiteral("keep.png"), "old contents");
    QVERIFY(!WritePictureFile(name, QImage()));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old contents"));
    file.close();
    QVERIFY(WritePictureFile(name, Gradient(48, 48)));
    QCOMPARE(ReadPictureFile(name, QSize(48, 48))->size(), QSize(48, 48));
}

QTEST_GUILESS_MAIN(TestExchangeFiles)
#include "tst_exchangefiles.moc"
