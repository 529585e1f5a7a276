#include <QtTest>

#include "view/zoom.h"

// The zoomed size of the sprite and the fast nearest-neighbour scaling.
class TestViewZoom : public QObject
{
    Q_OBJECT

private slots:
    void zoomedLength_data();
    void zoomedLength();
    void everyZoomStepTruncates();
    void scaleMatchesToolkit_data();
    void scaleMatchesToolkit();
    void scaleOtherFormats();
};

void TestViewZoom::zoomedLength_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("length");

    QTest::newRow("3.0") << 3.0 << 144;
    QTest::newRow("0.1") << 0.1 << 4;
    QTest::newRow("1.1 truncates") << 1.1 << 52;
    QTest::newRow("10.0") << 10.0 << 480;
    QTest::newRow("1.0") << 1.0 << 48;
    QTest::newRow("0.3") << 0.3 << 14;
    QTest::newRow("4.9") << 4.9 << 235;
    QTest::newRow("zero") << 0.0 << 0;
    QTest::newRow("negative") << -2.0 << 0;
    QTest::newRow("not a number") << qQNaN() << 0;
}

void TestViewZoom::zoomedLength()
{
    QFETCH(double, zoom);
    QFETCH(int, length);
    QCOMPARE(ZoomedLength(48, zoom), length);
    QCOMPARE(ZoomedSize(QSize(48, 48), zoom), QSize(length, length));
}

void TestViewZoom::everyZoomStepTruncates()
{
    // The zoom box holds one decimal; the size must be the exact 48 * k / 10
    // rounded down for every step, not one less where floating point falls short.
    for (int k = 1; k <= 100; ++k) {
        const double zoom = QString::number(k / 10.0, 'f', 1).toDouble();
        QVERIFY2(ZoomedLength(48, zoom) == 48 * k / 10, qPrintable(QString::number(zoom)));
    }
}

void TestViewZoom::scaleMatchesToolkit_data()
{
    QTest::addColumn<QSize>("source");
    QTest::addColumn<QList<QSize>>("targets");

    QList<QSize> zoomSteps;
    for (int k = 1; k <= 100; ++k) {
        const int side = ZoomedLength(48, QString::number(k / 10.0, 'f', 1).toDouble());
        zoomSteps.append(QSize(side, side));
    }
    QTest::newRow("sprite, every zoom step") << QSize(48, 48) << zoomSteps;
    QTest::newRow("uneven sizes") << QSize(13, 7) << QList<QSize>{QSize(1, 1), QSize(50, 3), QSize(7, 13), QSize(13, 7), QSize(100, 71)};
}

void TestViewZoom::scaleMatchesToolkit()
{
    QFETCH(QSize, source);
    QFETCH(QList<QSize>, targets);

    QImage picture(source, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            picture.setPixel(x, y, 0xff000000u | (state = state * 1103515245u + 12345u) >> 8);

    for (const QSize &target : targets) {
        const QImage expected = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QImage actual = ScaleNearest(picture, target);
        QVERIFY2(actual == expected, qPrintable(QStringLiteral("%1 x %2").arg(target.width()).arg(target.height())));
        QCOMPARE(ScaleNearest(picture, target), expected);   // again, from the kept maps
    }
}

void TestViewZoom::scaleOtherFormats()
{
    QImage picture(48, 48, QImage::Format_RGB888);
    picture.fill(QColor(1, 2, 3));
    picture.setPixel(5, 7, qRgb(200, 100, 50));
    QCOMPARE(ScaleNearest(picture, QSize(144, 144)), picture.scaled(144, 144, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    QVERIFY(ScaleNearest(picture, QSize(0, 0)).isNull());
    QVERIFY(ScaleNearest(QImage(), QSize(10, 10)).isNull());
}

QTEST_GUILESS_MAIN(TestViewZoom)
#include "tst_viewzoom.moc"
