#include "framelesshelper.h"

#include <QHoverEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QtTest>

namespace {

// A frameless window that counts the presses it is given.
class Window : public QWidget
{
public:
    Window() { setWindowFlags(Qt::FramelessWindowHint); }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

const QRect startGeometry(100, 100, 300, 200);

void send(QWidget *widget, QEvent::Type type, const QPoint &global, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(global - widget->pos()), QPointF(global), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void drag(QWidget *widget, const QPoint &from, const QPoint &to)
{
    send(widget, QEvent::MouseButtonPress, from);
    send(widget, QEvent::MouseMove, to, Qt::NoButton);
    send(widget, QEvent::MouseButtonRelease, to);
}

void hover(QWidget *widget, const QPoint &global)
{
    const QPoint local = global - widget->pos();
    QHoverEvent event(QEvent::HoverMove, local, local);
    QCoreApplication::sendEvent(widget, &event);
}

} // namespace

class tst_FramelessHelper : public QObject
{
    Q_OBJECT

private slots:
    void moveOnlyFromTheTitleBand_data();
    void moveOnlyFromTheTitleBand();
    void resizeFromEdgesAndCorners_data();
    void resizeFromEdgesAndCorners();
    void sidesNeverShrinkTo38OrLess_data();
    void sidesNeverShrinkTo38OrLess();
    void rubberBandAppliesOnRelease();
    void cursorFollowsTheEdgesUnlessMaximised();
    void removalLeavesTheWindowShownAndUsable();
};

void tst_FramelessHelper::moveOnlyFromTheTitleBand_data()
{
    QTest::addColumn<QPoint>("pressLocal");
    QTest::addColumn<bool>("moves");
    QTest::newRow("inside the title band") << QPoint(150, 12) << true;
    QTest::newRow("last row of the band") << QPoint(150, 29) << true;
    QTest::newRow("just below the band") << QPoint(150, 30) << false;
    QTest::newRow("in the body") << QPoint(150, 120) << false;
}

void tst_FramelessHelper::moveOnlyFromTheTitleBand()
{
    QFETCH(QPoint, pressLocal);
    QFETCH(bool, moves);
    Window window;
    window.setGeometry(startGeometry);
    FramelessHelper helper;
    helper.activateOn(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint from = window.pos() + pressLocal;
    drag(&window, from, from + QPoint(40, 25));
    QCOMPARE(window.geometry(), moves ? startGeometry.translated(40, 25) : startGeometry);
    QCOMPARE(window.presses, 0); // the helper consumes the presses
}

void tst_FramelessHelper::resizeFromEdgesAndCorners_data()
{
    QTest::addColumn<QPoint>("pressLocal");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("expected");
    // The window spans x 100..399 and y 100..299; an edge takes the pointer's coordinate.
    QTest::newRow("left") << QPoint(2, 100) << QPoint(80, 150) << QRect(QPoint(80, 100), QPoint(399, 299));
    QTest::newRow("right") << QPoint(298, 100) << QPoint(450, 150) << QRect(QPoint(100, 100), QPoint(450, 299));
    QTest::newRow("top") << QPoint(150, 2) << QPoint(200, 70) << QRect(QPoint(100, 70), QPoint(399, 299));
    QTest::newRow("bottom") << QPoint(150, 198) << QPoint(200, 360) << QRect(QPoint(100, 100), QPoint(399, 360));
    QTest::newRow("top left") << QPoint(1, 1) << QPoint(60, 50) << QRect(QPoint(60, 50), QPoint(399, 299));
    QTest::newRow("top right") << QPoint(298, 1) << QPoint(420, 60) << QRect(QPoint(100, 60), QPoint(420, 299));
    QTest::newRow("bottom left") << QPoint(1, 198) << QPoint(90, 330) << QRect(QPoint(90, 100), QPoint(399, 330));
    QTest::newRow("bottom right") << QPoint(298, 198) << QPoint(500, 380) << QRect(QPoint(100, 100), QPoint(500, 380));
}

void tst_FramelessHelper::resizeFromEdgesAndCorners()
{
    QFETCH(QPoint, pressLocal);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    Window window;
    window.setGeometry(startGeometry);
    FramelessHelper helper;
    helper.activateOn(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    drag(&window, window.pos() + pressLocal, to);
    QCOMPARE(window.geometry(), expected);
}

void tst_FramelessHelper::sidesNeverShrinkTo38OrLess_data()
{
    QTest::addColumn<QPoint>("pressLocal");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("expected");
    // Measured as right - left (and bottom - top): 38 is refused, 39 taken.
    QTest::newRow("right edge to 38") << QPoint(298, 100) << QPoint(138, 150) << startGeometry;
    QTest::newRow("right edge to 39") << QPoint(298, 100) << QPoint(139, 150) << QRect(QPoint(100, 100), QPoint(139, 299));
    QTest::newRow("left edge to 38") << QPoint(2, 100) << QPoint(361, 150) << startGeometry;
    QTest::newRow("left edge to 39") << QPoint(2, 100) << QPoint(360, 150) << QRect(QPoint(360, 100), QPoint(399, 299));
    QTest::newRow("bottom edge to 38") << QPoint(150, 198) << QPoint(150, 138) << startGeometry;
    QTest::newRow("top edge to 39") << QPoint(150, 2) << QPoint(150, 260) << QRect(QPoint(100, 260), QPoint(399, 299));
    QTest::newRow("corner, width refused, height taken")
        << QPoint(298, 198) << QPoint(130, 250) << QRect(QPoint(100, 100), QPoint(399, 250));
}

void tst_FramelessHelper::sidesNeverShrinkTo38OrLess()
{
    QFETCH(QPoint, pressLocal);
    QFETCH(QPoint, to);
    QFETCH(QRect, expected);
    Window window;
    window.setGeometry(startGeometry);
    FramelessHelper helper;
    helper.activateOn(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    drag(&window, window.pos() + pressLocal, to);
    QCOMPARE(window.geometry(), expected);
}

void tst_FramelessHelper::rubberBandAppliesOnRelease()
{
    Window window;
    window.setGeometry(startGeometry);
    FramelessHelper helper;
    helper.setRubberBandOnResize(true);
    helper.activateOn(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    send(&window, QEvent::MouseButtonPress, QPoint(398, 200));
    send(&window, QEvent::MouseMove, QPoint(460, 200), Qt::NoButton);
    QCOMPARE(window.geometry(), startGeometry);
    send(&window, QEvent::MouseMove, QPoint(480, 200), Qt::NoButton);
    QCOMPARE(window.geometry(), startGeometry);
    send(&window, QEvent::MouseButtonRelease, QPoint(480, 200));
    QCOMPARE(window.geometry(), QRect(QPoint(100, 100), QPoint(480, 299)));

    // Turned off again, a drag acts at once.
    helper.setRubberBandOnResize(false);
    send(&window, QEvent::MouseButtonPress, QPoint(479, 200));
    send(&window, QEvent::MouseMove, QPoint(500, 200), Qt::NoButton);
    QCOMPARE(window.geometry(), QRect(QPoint(100, 100), QPoint(500, 299)));
    send(&window, QEvent::MouseButtonRelease, QPoint(500, 200));
}

void tst_FramelessHelper::cursorFollowsTheEdgesUnlessMaximised()
{
    Window window;
    window.setGeometry(startGeometry);
    FramelessHelper helper;
    helper.activateOn(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    hover(&window, QPoint(398, 200));
    QCOMPARE(window.cursor().shape(), Qt::SizeHorCursor);
    hover(&window, QPoint(101, 101));
    QCOMPARE(window.cursor().shape(), Qt::SizeFDiagCursor);
    hover(&window, QPoint(250, 200));
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

    window.showMaximized();
    QTRY_VERIFY(window.isMaximized());
    const QRect frame = window.frameGeometry();
    hover(&window, QPoint(frame.right() - 1, frame.center().y()));
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    hover(&window, frame.topLeft() + QPoint(1, 1));
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
}

void tst_FramelessHelper::removalLeavesTheWindowShownAndUsable()
{
    Window window;
    window.setGeometry(startGeometry);
    const Qt::WindowFlags flags = window.windowFlags();
    FramelessHelper helper;
    helper.setRubberBandOnMove(true);
    helper.activateOn(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.hasMouseTracking());
    QVERIFY(window.testAttribute(Qt::WA_Hover));
    hover(&window, QPoint(398, 200));
    QCOMPARE(window.cursor().shape(), Qt::SizeHorCursor);

    helper.removeFrom(&window);
    QVERIFY(window.isVisible());
    QCOMPARE(window.windowFlags(), flags);
    QVERIFY(!window.hasMouseTracking());
    QVERIFY(!window.testAttribute(Qt::WA_Hover));
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    // The window has its presses again and no longer moves by its title.
    drag(&window, QPoint(250, 110), QPoint(300, 150));
    QCOMPARE(window.presses, 1);
    QCOMPARE(window.geometry(), startGeometry);
    // Removing twice, or a window never managed, does nothing.
    helper.removeFrom(&window);
    QWidget other;
    helper.removeFrom(&other);
    QVERIFY(window.isVisible());
}

QTEST_MAIN(tst_FramelessHelper)
#include "tst_framelesshelper.moc"
