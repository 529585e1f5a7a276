#include <QtTest>

#include "view/tiltstepper.h"
#include "view/viewtable.h"

// Choosing the sprite of a view and the automatic tilt.
class TestViewParameters : public QObject
{
    Q_OBJECT

private slots:
    void findSprite_data();
    void findSprite();
    void everySpriteOnce();
    void spriteToView_data();
    void spriteToView();
    void rotationWrapsBothWays();
    void tiltSequence();
    void tiltTurnsAtBounds_data();
    void tiltTurnsAtBounds();
};

void TestViewParameters::findSprite_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("tilt");
    QTest::addColumn<int>("sprite");
    QTest::addColumn<bool>("mirrored");

    QTest::newRow("front") << 0 << 0 << 1 << false;
    QTest::newRow("last own column") << 12 << 0 << 13 << false;
    QTest::newRow("first mirrored step") << 13 << 0 << 12 << true;
    QTest::newRow("last step") << 23 << 0 << 2 << true;
    QTest::newRow("mirrored, tilted down") << 22 << -4 << 30 << true;
    QTest::newRow("mirrored column 3, tilted down") << 21 << -4 << 34 << true;
    QTest::newRow("tilt clamped to 4") << 3 << 5 << 41 << false;
    QTest::newRow("tilt clamped to -4") << 9 << -7 << 18 << false;
    QTest::newRow("no sprite for view") << 1 << 2 << -1 << false;
    QTest::newRow("no sprite, mirrored as computed") << 23 << 2 << -1 << true;
    QTest::newRow("rotation 24 is 0") << 24 << 0 << 1 << false;
    QTest::newRow("rotation -1 is 23") << -1 << 0 << 2 << true;
    QTest::newRow("rotation -24 is 0") << -24 << 0 << 1 << false;
    QTest::newRow("rotation -11 is 13") << -11 << 0 << 12 << true;
}

void TestViewParameters::findSprite()
{
    QFETCH(int, rotation);
    QFETCH(int, tilt);
    QFETCH(int, sprite);
    QFETCH(bool, mirrored);

    const ViewLookup found = FindSpriteByParameters(rotation, tilt);
    QCOMPARE(found.spriteNumber, sprite);
    QCOMPARE(found.mirrored, mirrored);
}

void TestViewParameters::everySpriteOnce()
{
    QList<int> count(46, 0);
    for (int row = 0; row < kTiltRows; ++row) {
        for (int column = 0; column < kRotationColumns; ++column) {
            const int n = ViewSpriteTable[row][column];
            if (n == -1)
                continue;
            QVERIFY2(n >= 1 && n <= 45, qPrintable(QString::number(n)));
            ++count[n];
        }
    }
    for (int n = 1; n <= 45; ++n)
        QVERIFY2(count.at(n) == 1, qPrintable(QStringLiteral("sprite %1 occurs %2 times").arg(n).arg(count.at(n))));
    // The untilted row is sprites 1..13 in order.
    for (int column = 0; column < kRotationColumns; ++column)
        QCOMPARE(ViewSpriteTable[-kMinTilt][column], column + 1);
}

void TestViewParameters::rotationWrapsBothWays()
{
    for (int tilt = kMinTilt; tilt <= kMaxTilt; ++tilt) {
        for (int step = 0; step < kRotationSteps; ++step) {
            const ViewLookup expected = FindSpriteByParameters(step, tilt);
            QCOMPARE(FindSpriteByParameters(step + kRotationSteps, tilt), expected);
            QCOMPARE(FindSpriteByParameters(step - kRotationSteps, tilt), expected);
            QCOMPARE(FindSpriteByParameters(step - 10 * kRotationSteps, tilt), expected);
        }
    }
    QCOMPARE(FindSpriteByParameters(INT_MIN, 0).spriteNumber, FindSpriteByParameters(INT_MIN % 24 + 24, 0).spriteNumber);
}

void TestViewParameters::tiltSequence()
{
    bool rising = true;
    int tilt = 0;
    QList<int> seen;
    for (int i = 0; i < 17; ++i) {
        tilt = StepTiltValue(tilt, -4, 4, rising);
        seen.append(tilt);
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 4, 3, 2, 1, 0, -1, -2, -3, -4, -3, -2, -1, 0, 1}));
    QVERIFY(rising);
}

void TestViewParameters::tiltTurnsAtBounds_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("rising");
    QTest::addColumn<int>("expectedValue");
    QTest::addColumn<bool>("expectedRising");

    QTest::newRow("rising at the top turns") << 4 << true << 3 << false;
    QTest::newRow("falling at the bottom turns") << -4 << false << -3 << true;
    QTest::newRow("rising at the bottom goes up") << -4 << true << -3 << true;
    QTest::newRow("falling at the top goes down") << 4 << false << 3 << false;
    QTest::newRow("rising in the middle") << 0 << true << 1 << true;
    QTest::newRow("falling in the middle") << 0 << false << -1 << false;
}

void TestViewParameters::tiltTurnsAtBounds()
{
    QFETCH(int, value);
    QFETCH(bool, rising);
    QFETCH(int, expectedValue);
    QFETCH(bool, expectedRising);

    QCOMPARE(StepTiltValue(value, -4, 4, rising), expectedValue);
    QCOMPARE(rising, expectedRising);
}

void TestViewParameters::spriteToView_data()
{
    QTest::addColumn<int>("sprite");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("tilt");
    QTest::addColumn<bool>("found");

    QTest::newRow("first") << 1 << 0 << 0 << true;
    QTest::newRow("last of the level row") << 13 << 12 << 0 << true;
    QTest::newRow("tilted down, right half") << 14 << 8 << -4 << true;
    QTest::newRow("odd tilt") << 35 << 3 << -3 << true;
    QTest::newRow("tilted up, column 4") << 45 << 4 << 4 << true;
    QTest::newRow("zero") << 0 << 0 << 0 << false;
    QTest::newRow("past the last") << 46 << 0 << 0 << false;
    QTest::newRow("the table's empty mark") << -1 << 0 << 0 << false;
}

void TestViewParameters::spriteToView()
{
    QFETCH(int, sprite);
    QFETCH(int, rotation);
    QFETCH(int, tilt);
    QFETCH(bool, found);

    const ViewParameters view = FindParametersBySprite(sprite);
    QCOMPARE(view.found, found);
    if (!found)
        return;
    QCOMPARE(view.rotation, rotation);
    QCOMPARE(view.tilt, tilt);
    // Every sprite read back through the table is itself, unmirrored.
    for (int number = 1; number <= 45; ++number) {
        const ViewParameters back = FindParametersBySprite(number);
        QVERIFY(back.found);
        QCOMPARE(FindSpriteByParameters(back.rotation, back.tilt), (ViewLookup{number, false}));
    }
}

QTEST_GUILESS_MAIN(TestViewParameters)
#include "tst_viewparameters.moc"
