#include "appinit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QtTest>

class tst_AppInit : public QObject
{
    Q_OBJECT

private:
    static void send(QWidget *w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                     const QPoint &global)
    {
        QMouseEvent event(type, w->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w, &event);
    }

private slots:
    void initTestCase();
    void drag_data();
    void drag();
};

void tst_AppInit::initTestCase()
{
    int steps = 0;
    AppInit::Instance()->setStartStep([&steps](AppInit *) { ++steps; });
    AppInit::Instance()->start();
    QCOMPARE(steps, 1);
    QCOMPARE(AppInit::instance(), AppInit::Instance());
    AppInit::Instance()->setStartStep(nullptr);
}

void tst_AppInit::drag_data()
{
    QTest::addColumn<QVariant>("canMove");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("releaseFirst");
    QTest::addColumn<QPoint>("expectedMove");

    QTest::newRow("left drag moves") << QVariant(true) << int(Qt::LeftButton) << false << QPoint(40, 25);
    QTest::newRow("no property") << QVariant() << int(Qt::LeftButton) << false << QPoint(0, 0);
    QTest::newRow("property false") << QVariant(false) << int(Qt::LeftButton) << false << QPoint(0, 0);
    QTest::newRow("right drag") << QVariant(true) << int(Qt::RightButton) << false << QPoint(0, 0);
    QTest::newRow("move after release") << QVariant(true) << int(Qt::LeftButton) << true << QPoint(0, 0);
}

void tst_AppInit::drag()
{
    QFETCH(QVariant, canMove);
    QFETCH(int, button);
    QFETCH(bool, releaseFirst);
    QFETCH(QPoint, expectedMove);

    QWidget w;
    w.setProperty("canMove", canMove);
    w.setGeometry(100, 100, 200, 150);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();
    const QPoint grab = start + QPoint(30, 30);
    const auto b = Qt::MouseButton(button);

    send(&w, QEvent::MouseButtonPress, b, b, grab);
    if (releaseFirst) {
        send(&w, QEvent::MouseButtonRelease, b, Qt::NoButton, grab);
    }
    send(&w, QEvent::MouseMove, Qt::NoButton, b,
         grab + QPoint(40, 25));
    send(&w, QEvent::MouseButtonRelease, b, Qt::NoButton, grab + QPoint(40, 25));
    QCOMPARE(w.pos() - start, expectedMove);
}

QTEST_MAIN(tst_AppInit)
#include "tst_appinit.moc"
