#include <QtTest>

#include <QMouseEvent>

#include "editor/qclicklabel.h"

namespace {

// A parent that counts the presses that reach it.
class PressCounter : public QWidget
{
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        ++presses;
        event->accept();
    }
};

} // namespace

class TestClickLabel : public QObject
{
    Q_OBJECT

private slots:
    void pressEmitsByButton_data();
    void pressEmitsByButton();
    void doubleClickEmitsTwice();
    void leftPressWhileRightHeld();
    void releaseEmitsNothing();
};

void TestClickLabel::pressEmitsByButton_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<int>("clickedRight");

    QTest::newRow("left") << int(Qt::LeftButton) << 1 << 0;
    QTest::newRow("right") << int(Qt::RightButton) << 0 << 1;
    QTest::newRow("middle") << int(Qt::MiddleButton) << 0 << 0;
    QTest::newRow("back") << int(Qt::BackButton) << 0 << 0;
}

void TestClickLabel::pressEmitsByButton()
{
    QFETCH(int, button);
    QFETCH(int, clicked);
    QFETCH(int, clickedRight);

    PressCounter parent;
    auto *label = new QClickLabel(&parent);
    label->resize(40, 20);
    QSignalSpy leftSpy(label, &QClickLabel::Clicked);
    QSignalSpy rightSpy(label, &QClickLabel::ClickedRight);

    QTest::mousePress(label, Qt::MouseButton(button), Qt::NoModifier, QPoint(5, 5));

    QCOMPARE(leftSpy.count(), clicked);
    QCOMPARE(rightSpy.count(), clickedRight);
    // Whatever the button, the press stays with the label.
    QCOMPARE(parent.presses, 0);
}

void TestClickLabel::doubleClickEmitsTwice()
{
    PressCounter parent;
    auto *label = new QClickLabel(&parent);
    label->resize(40, 20);
    QSignalSpy leftSpy(label, &QClickLabel::Clicked);

    // What the window system delivers for a double click.
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseDClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));

    QCOMPARE(leftSpy.count(), 2);
    QCOMPARE(parent.presses, 0);
}

void TestClickLabel::leftPressWhileRightHeld()
{
    QClickLabel label(nullptr);
    label.resize(40, 20);
    QSignalSpy leftSpy(&label, &QClickLabel::Clicked);
    QSignalSpy rightSpy(&label, &QClickLabel::ClickedRight);

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), label.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &press);

    QCOMPARE(leftSpy.count(), 1);
    QCOMPARE(rightSpy.count(), 0);
    QVERIFY(press.isAccepted());
}

void TestClickLabel::releaseEmitsNothing()
{
    QClickLabel label(nullptr);
    label.resize(40, 20);
    QSignalSpy leftSpy(&label, &QClickLabel::Clicked);
    QSignalSpy rightSpy(&label, &QClickLabel::ClickedRight);

    QTest::mouseRelease(&label, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(&label, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));

    QCOMPARE(leftSpy.count(), 0);
    QCOMPARE(rightSpy.count(), 0);
}

QTEST_MAIN(TestClickLabel)
#include "tst_clicklabel.moc"
