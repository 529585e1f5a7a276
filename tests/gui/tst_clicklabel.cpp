#include <QtTest>

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "editor/widgets/qclicklabel.h"

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
    void keysClickLikeAButton_data();
    void keysClickLikeAButton();
    void tabStopWithAFocusFrame();
    void screenReadersSeeAButton_data();
    void screenReadersSeeAButton();
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

void TestClickLabel::keysClickLikeAButton_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<int>("clicked");

    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << false << 1;
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << false << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << 1;
    QTest::newRow("Space held") << int(Qt::Key_Space) << int(Qt::NoModifier) << true << 0;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false << 0;
    QTest::newRow("letter") << int(Qt::Key_A) << int(Qt::NoModifier) << false << 0;
}

void TestClickLabel::keysClickLikeAButton()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(int, clicked);

    QClickLabel label(nullptr);
    QSignalSpy leftSpy(&label, &QClickLabel::Clicked);
    QSignalSpy rightSpy(&label, &QClickLabel::ClickedRight);
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), autoRepeat);
    QApplication::sendEvent(&label, &press);

    QCOMPARE(leftSpy.count(), clicked);
    QCOMPARE(rightSpy.count(), 0);
    // The keys a click stands for are the label's, also when held.
    QCOMPARE(press.isAccepted(), clicked == 1 || autoRepeat);
}

void TestClickLabel::tabStopWithAFocusFrame()
{
    QWidget window;
    auto *field = new QLineEdit(&window);
    auto *label = new QClickLabel(&window);
    label->setFrameShape(QFrame::StyledPanel);
    label->setText(QStringLiteral("Save Changes"));
    label->setGeometry(0, 40, 120, 24);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();

    // A click does what it says without taking the focus; Tab comes to it.
    QTest::mouseClick(label, Qt::LeftButton);
    QVERIFY(field->hasFocus());
    const QColor highlight = label->palette().color(QPalette::Highlight);
    QVERIFY(label->grab().toImage().pixelColor(1, 12) != highlight);
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(label->hasFocus());
    // With the focus, a frame in the highlight colour.
    QCOMPARE(label->grab().toImage().pixelColor(1, 12), highlight);
}

void TestClickLabel::screenReadersSeeAButton_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("heard");
    QTest::newRow("text") << "Save Changes" << QString() << "Save Changes";
    QTest::newRow("rich text") << "<html><body><p><span style=\"text-decoration:underline;\">Edit car characteristics</span></p></body></html>"
                               << QString() << "Edit car characteristics";
    QTest::newRow("accessible name") << "?" << "About" << "About";
}

void TestClickLabel::screenReadersSeeAButton()
{
    QFETCH(QString, text);
    QFETCH(QString, accessibleName);
    QFETCH(QString, heard);
    QClickLabel label(nullptr);
    label.setText(text);
    label.setAccessibleName(accessibleName);
    QSignalSpy leftSpy(&label, &QClickLabel::Clicked);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Button);
    QCOMPARE(accessible->text(QAccessible::Name), heard);
    QAccessibleActionInterface *actions = accessible->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(leftSpy.count(), 1);
}

QTEST_MAIN(TestClickLabel)
#include "tst_clicklabel.moc"
