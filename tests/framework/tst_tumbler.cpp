#include "tumbler.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>

namespace {

QStringList items(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i) {
        list << QStringLiteral("item%1").arg(i);
    }
    return list;
}

// A point at `along` on the strip, in the middle across it.
QPointF at(const Tumbler &t, int along)
{
    return t.getHorizontal() ? QPointF(along, t.height() / 2) : QPointF(t.width() / 2, along);
}

void mouse(Tumbler &t, QEvent::Type type, int along)
{
    const QPointF pos = at(t, along);
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, t.mapToGlobal(pos.toPoint()), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&t, &event);
}

void wheel(Tumbler &t, QPoint angle)
{
    const QPointF pos(t.width() / 2, t.height() / 2);
    QWheelEvent event(pos, t.mapToGlobal(pos.toPoint()), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&t, &event);
}

// Pixels that differ from the background colour inside a rectangle.
int inkIn(const QImage &image, const QRect &rect, QRgb background)
{
    int ink = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixel(x, y) != background) {
                ++ink;
            }
        }
    }
    return ink;
}

} // namespace

class tst_Tumbler : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void setListValue_data();
    void setListValue();
    void setCurrentIndex_data();
    void setCurrentIndex();
    void setCurrentValue_data();
    void setCurrentValue();
    void drag_data();
    void drag();
    void release_data();
    void release();
    void moveWithoutPressDoesNothing();
    void wheel_data();
    void wheel();
    void oneItemNeverMoves();
    void neighboursArePaintedOnlyWhereTheyExist_data();
    void neighboursArePaintedOnlyWhereTheyExist();
    void paintSurvivesOddSizes_data();
    void paintSurvivesOddSizes();
    void coloursAreUsed();
};

void tst_Tumbler::defaults()
{
    Tumbler t;
    QCOMPARE(t.getListValue().size(), 12);
    QCOMPARE(t.getListValue().first(), QStringLiteral("1"));
    QCOMPARE(t.getListValue().last(), QStringLiteral("12"));
    QCOMPARE(t.getCurrentIndex(), 0);
    QCOMPARE(t.getCurrentValue(), QStringLiteral("1"));
    QCOMPARE(t.getHorizontal(), false);
    QCOMPARE(t.getForeground(), QColor(140, 140, 140));
    QCOMPARE(t.getBackground(), QColor(40, 40, 40));
    QCOMPARE(t.getLineColor(), QColor(46, 142, 180, 200));
    QCOMPARE(t.getTextColor(), QColor(255, 255, 255));
    QCOMPARE(t.sizeHint(), QSize(50, 150));
    QCOMPARE(t.minimumSizeHint(), QSize(10, 10));
    // The properties reach the same values.
    QCOMPARE(t.property("currentValue").toString(), QStringLiteral("1"));
    QVERIFY(t.setProperty("currentIndex", 4));
    QCOMPARE(t.getCurrentValue(), QStringLiteral("5"));
}

void tst_Tumbler::setListValue_data()
{
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QStringList>("expectedList");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<QString>("expectedValue");

    QStringList twelve;
    for (int i = 1; i <= 12; ++i) {
        twelve << QString::number(i);
    }
    QTest::newRow("empty list is ignored") << QStringList() << twelve << 5 << "6";
    QTest::newRow("three items start at the first") << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"} << 0
                                                   << "a";
    QTest::newRow("one item") << QStringList{"only"} << QStringList{"only"} << 0 << "only";
    QTest::newRow("shorter than the old index") << QStringList{"x", "y"} << QStringList{"x", "y"} << 0 << "x";
}

void tst_Tumbler::setListValue()
{
    QFETCH(QStringList, list);
    QFETCH(QStringList, expectedList);
    QFETCH(int, expectedIndex);
    QFETCH(QString, expectedValue);
    Tumbler t;
    t.setCurrentIndex(5);
    t.setListValue(list);
    QCOMPARE(t.getListValue(), expectedList);
    QCOMPARE(t.getCurrentIndex(), expectedIndex);
    QCOMPARE(t.getCurrentValue(), expectedValue);
}

void tst_Tumbler::setCurrentIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<QString>("expectedValue");
    QTest::addColumn<int>("emitted");

    QTest::newRow("first") << 0 << 0 << "a" << 1;
    QTest::newRow("middle") << 1 << 1 << "b" << 1;
    QTest::newRow("last") << 3 << 3 << "d" << 1;
    QTest::newRow("negative is ignored") << -1 << 2 << "c" << 0;
    QTest::newRow("past the end is ignored") << 4 << 2 << "c" << 0;
    QTest::newRow("far past the end is ignored") << 100 << 2 << "c" << 0;
}

void tst_Tumbler::setCurrentIndex()
{
    QFETCH(int, index);
    QFETCH(int, expectedIndex);
    QFETCH(QString, expectedValue);
    QFETCH(int, emitted);
    Tumbler t;
    t.setListValue({"a", "b", "c", "d"});
    t.setCurrentIndex(2);
    QSignalSpy indexSpy(&t, &Tumbler::currentIndexChanged);
    QSignalSpy valueSpy(&t, &Tumbler::currentValueChanged);
    t.setCurrentIndex(index);
    QCOMPARE(t.getCurrentIndex(), expectedIndex);
    QCOMPARE(t.getCurrentValue(), expectedValue);
    QCOMPARE(indexSpy.count(), emitted);
    QCOMPARE(valueSpy.count(), emitted);
    if (emitted) {
        QCOMPARE(indexSpy.first().first().toInt(), expectedIndex);
        QCOMPARE(valueSpy.first().first().toString(), expectedValue);
    }
}

void tst_Tumbler::setCurrentValue_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expectedIndex");
    QTest::addColumn<QString>("expectedValue");
    QTest::addColumn<int>("emitted");

    QTest::newRow("present") << "3 月" << 2 << "3 月" << 1;
    QTest::newRow("last") << "12 月" << 11 << "12 月" << 1;
    QTest::newRow("absent") << "13 月" << 4 << "5 月" << 0;
    QTest::newRow("empty") << "" << 4 << "5 月" << 0;
    QTest::newRow("without the unit") << "3" << 4 << "5 月" << 0;
    QTest::newRow("padded") << "03 月" << 4 << "5 月" << 0;
}

void tst_Tumbler::setCurrentValue()
{
    QFETCH(QString, value);
    QFETCH(int, expectedIndex);
    QFETCH(QString, expectedValue);
    QFETCH(int, emitted);
    Tumbler t;
    QStringList months;
    for (int i = 1; i <= 12; ++i) {
        months << QStringLiteral("%1 月").arg(i);
    }
    t.setListValue(months);
    t.setCurrentIndex(4);
    QSignalSpy indexSpy(&t, &Tumbler::currentIndexChanged);
    QSignalSpy valueSpy(&t, &Tumbler::currentValueChanged);
    t.setCurrentValue(value);
    QCOMPARE(t.getCurrentIndex(), expectedIndex);
    QCOMPARE(t.getCurrentValue(), expectedValue);
    QCOMPARE(valueSpy.count(), emitted);
    QCOMPARE(indexSpy.count(), emitted);
}

// A strip 150 pixels long has slots of 50 pixels.
void tst_Tumbler::drag_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("press");
    QTest::addColumn<QList<int>>("moves");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("emitted");

    for (bool horizontal : {false, true}) {
        const char *dir = horizontal ? "horizontal" : "vertical";
        QTest::addRow("%s: towards larger at the first item is refused", dir)
            << horizontal << 0 << 75 << QList<int>{90, 120, 149} << 0 << 0;
        QTest::addRow("%s: towards smaller at the last item is refused", dir)
            << horizontal << 4 << 75 << QList<int>{60, 30, 0} << 4 << 0;
        QTest::addRow("%s: one slot towards larger shows the previous", dir)
            << horizontal << 2 << 30 << QList<int>{55, 80} << 1 << 1;
        QTest::addRow("%s: one slot towards smaller shows the next", dir)
            << horizontal << 2 << 100 << QList<int>{50} << 3 << 1;
        QTest::addRow("%s: two slots in one drag", dir) << horizontal << 1 << 140 << QList<int>{90, 40} << 3 << 2;
        QTest::addRow("%s: past the first item stops there", dir)
            << horizontal << 1 << 20 << QList<int>{70, 120, 149} << 0 << 1;
        QTest::addRow("%s: past the last item stops there", dir)
            << horizontal << 3 << 140 << QList<int>{90, 40, 0} << 4 << 1;
        QTest::addRow("%s: less than a slot moves nothing yet", dir)
            << horizontal << 2 << 75 << QList<int>{100, 120} << 2 << 0;
        QTest::addRow("%s: a jump is clamped to one slot", dir) << horizontal << 2 << 0 << QList<int>{149} << 1 << 1;
    }
}

void tst_Tumbler::drag()
{
    QFETCH(bool, horizontal);
    QFETCH(int, start);
    QFETCH(int, press);
    QFETCH(QList<int>, moves);
    QFETCH(int, expected);
    QFETCH(int, emitted);
    Tumbler t;
    t.setHorizontal(horizontal);
    t.resize(horizontal ? QSize(150, 60) : QSize(60, 150));
    t.setListValue(items(5));
    t.setCurrentIndex(start);
    const QImage before = t.grab().toImage();
    QSignalSpy indexSpy(&t, &Tumbler::currentIndexChanged);
    QSignalSpy valueSpy(&t, &Tumbler::currentValueChanged);

    mouse(t, QEvent::MouseButtonPress, press);
    for (int pos : moves) {
        mouse(t, QEvent::MouseMove, pos);
    }
    QCOMPARE(t.getCurrentIndex(), expected);
    QCOMPARE(t.getCurrentValue(), items(5).at(expected));
    QCOMPARE(indexSpy.count(), emitted);
    QCOMPARE(valueSpy.count(), emitted);
    if (emitted) {
        QCOMPARE(indexSpy.last().first().toInt(), expected);
        QCOMPARE(valueSpy.last().first().toString(), items(5).at(expected));
    }
    if (emitted == 0 && expected == start && (start == 0 || start == 4) && moves.first() != press) {
        // A refused drag does not even shift the strip.
        QCOMPARE(t.grab().toImage(), before);
    }
}

void tst_Tumbler::release_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("displacement");
    QTest::addColumn<int>("expected");

    QTest::newRow("more than half a slot up: next") << 2 << -30 << 3;
    QTest::newRow("less than half a slot up: back") << 2 << -20 << 2;
    QTest::newRow("more than half a slot down: previous") << 2 << 30 << 1;
    QTest::newRow("less than half a slot down: back") << 2 << 20 << 2;
    QTest::newRow("a little down: back") << 2 << 5 << 2;
    QTest::newRow("a little up: back") << 2 << -5 << 2;
    QTest::newRow("first item, up: next") << 0 << -30 << 1;
    QTest::newRow("last item, down: previous") << 4 << 30 << 3;
    QTest::newRow("a whole slot and a bit up") << 1 << -60 << 2;
}

void tst_Tumbler::release()
{
    QFETCH(int, start);
    QFETCH(int, displacement);
    QFETCH(int, expected);
    Tumbler t;
    t.resize(60, 150);
    t.setListValue(items(5));
    t.setCurrentIndex(start);

    mouse(t, QEvent::MouseButtonPress, 75);
    mouse(t, QEvent::MouseMove, 75 + displacement);
    mouse(t, QEvent::MouseButtonRelease, 75 + displacement);
    QCOMPARE(t.getCurrentIndex(), expected);

    // At rest: painted exactly like a strip set to that item directly.
    Tumbler still;
    still.resize(60, 150);
    still.setListValue(items(5));
    still.setCurrentIndex(expected);
    QCOMPARE(t.grab().toImage(), still.grab().toImage());

    // A later move without a press changes nothing.
    mouse(t, QEvent::MouseMove, 0);
    QCOMPARE(t.getCurrentIndex(), expected);
}

void tst_Tumbler::moveWithoutPressDoesNothing()
{
    Tumbler t;
    t.resize(60, 150);
    t.setListValue(items(5));
    t.setCurrentIndex(2);
    QSignalSpy spy(&t, &Tumbler::currentIndexChanged);
    const QImage before = t.grab().toImage();
    mouse(t, QEvent::MouseMove, 140);
    mouse(t, QEvent::MouseMove, 0);
    mouse(t, QEvent::MouseButtonRelease, 0);
    QCOMPARE(t.getCurrentIndex(), 2);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(t.grab().toImage(), before);
}

void tst_Tumbler::wheel_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QPoint>("angle");
    QTest::addColumn<int>("expected");

    QTest::newRow("three notches up from 1 land on 0") << 1 << QPoint(0, 360) << 0;
    QTest::newRow("one notch up") << 3 << QPoint(0, 120) << 2;
    QTest::newRow("one notch down") << 1 << QPoint(0, -120) << 2;
    QTest::newRow("four notches down from 3 land on the last") << 3 << QPoint(0, -480) << 4;
    QTest::newRow("two notches down") << 0 << QPoint(0, -240) << 2;
    QTest::newRow("less than a notch") << 2 << QPoint(0, 60) << 2;
    QTest::newRow("a sideways wheel is not ours") << 2 << QPoint(-240, 0) << 2;
}

void tst_Tumbler::wheel()
{
    QFETCH(int, start);
    QFETCH(QPoint, angle);
    QFETCH(int, expected);
    Tumbler t;
    t.resize(60, 150);
    t.setListValue(items(5));
    t.setCurrentIndex(start);
    ::wheel(t, angle);
    QCOMPARE(t.getCurrentIndex(), expected);
    QCOMPARE(t.getCurrentValue(), items(5).at(expected));
}

void tst_Tumbler::oneItemNeverMoves()
{
    Tumbler t;
    t.resize(60, 150);
    t.setListValue({"only"});
    QSignalSpy spy(&t, &Tumbler::currentIndexChanged);
    for (int to : {149, 0}) {
        mouse(t, QEvent::MouseButtonPress, 75);
        mouse(t, QEvent::MouseMove, to);
        mouse(t, QEvent::MouseButtonRelease, to);
    }
    ::wheel(t, QPoint(0, 360));
    ::wheel(t, QPoint(0, -360));
    QCOMPARE(t.getCurrentIndex(), 0);
    QCOMPARE(t.getCurrentValue(), QStringLiteral("only"));
    QCOMPARE(spy.count(), 0);

    // It paints nothing of its own: the same pixels as a plain widget.
    QWidget plain;
    plain.resize(t.size());
    QCOMPARE(t.grab().toImage(), plain.grab().toImage());
}

void tst_Tumbler::neighboursArePaintedOnlyWhereTheyExist_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");

    for (bool horizontal : {false, true}) {
        const char *dir = horizontal ? "horizontal" : "vertical";
        QTest::addRow("%s: first", dir) << horizontal << 0 << false << true;
        QTest::addRow("%s: middle", dir) << horizontal << 1 << true << true;
        QTest::addRow("%s: last", dir) << horizontal << 2 << true << false;
    }
}

void tst_Tumbler::neighboursArePaintedOnlyWhereTheyExist()
{
    QFETCH(bool, horizontal);
    QFETCH(int, index);
    QFETCH(bool, before);
    QFETCH(bool, after);
    Tumbler t;
    t.setHorizontal(horizontal);
    t.resize(horizontal ? QSize(240, 90) : QSize(90, 240));
    t.setListValue({"AA", "BB", "CC"});
    t.setCurrentIndex(index);
    const QImage image = t.grab().toImage();
    const QRgb background = t.getBackground().rgb();

    // The three slots, leaving out the separator lines.
    const int step = 80;
    auto slot = [&](int n) {
        return horizontal ? QRect(n * step + 4, 0, step - 8, 90) : QRect(0, n * step + 4, 90, step - 8);
    };
    QCOMPARE(inkIn(image, slot(0), background) > 0, before);
    QVERIFY(inkIn(image, slot(1), background) > 0);
    QCOMPARE(inkIn(image, slot(2), background) > 0, after);
}

void tst_Tumbler::paintSurvivesOddSizes_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("horizontal");

    for (const QSize size : {QSize(1, 1), QSize(10, 2), QSize(2, 10), QSize(50, 150), QSize(300, 20)}) {
        for (int count : {1, 2, 12}) {
            for (bool horizontal : {false, true}) {
                QTest::addRow("%dx%d, %d items, %s", size.width(), size.height(), count,
                              horizontal ? "horizontal" : "vertical")
                    << size << count << horizontal;
            }
        }
    }
}

void tst_Tumbler::paintSurvivesOddSizes()
{
    QFETCH(QSize, size);
    QFETCH(int, count);
    QFETCH(bool, horizontal);
    Tumbler t;
    t.setHorizontal(horizontal);
    t.resize(size);
    t.setListValue(items(count));
    t.setListValue({}); // ignored: the list never becomes empty
    t.setCurrentIndex(count - 1);
    QCOMPARE(t.grab().size(), size);
    mouse(t, QEvent::MouseButtonPress, 0);
    mouse(t, QEvent::MouseMove, 1);
    QVERIFY(!t.grab().isNull());
    mouse(t, QEvent::MouseButtonRelease, 1);
    QVERIFY(t.getCurrentIndex() >= 0 && t.getCurrentIndex() < count);
}

void tst_Tumbler::coloursAreUsed()
{
    Tumbler t;
    t.resize(60, 150);
    const QImage before = t.grab().toImage();
    t.setBackground(QColor(40, 40, 40));
    t.setHorizontal(false);
    QCOMPARE(t.grab().toImage(), before);
    t.setBackground(QColor(0, 80, 0));
    QCOMPARE(t.getBackground(), QColor(0, 80, 0));
    QVERIFY(t.grab().toImage() != before);
    t.setTextColor(QColor(255, 0, 0));
    t.setForeground(QColor(0, 0, 255));
    t.setLineColor(QColor(255, 255, 0));
    QCOMPARE(t.getTextColor(), QColor(255, 0, 0));
    QCOMPARE(t.getForeground(), QColor(0, 0, 255));
    QCOMPARE(t.getLineColor(), QColor(255, 255, 0));
    const QImage coloured = t.grab().toImage();
    // The middle text in the text colour, the separator lines in the line colour.
    bool red = false;
    for (int y = 55; y < 95 && !red; ++y) {
        for (int x = 0; x < 60 && !red; ++x) {
            const QColor c = coloured.pixelColor(x, y);
            red = c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    }
    QVERIFY(red);
    QCOMPARE(coloured.pixel(30, 50), qRgb(255, 255, 0));
}

QTEST_MAIN(tst_Tumbler)
#include "tst_tumbler.moc"
