#include "bottomwidget.h"

#include <QFrame>
#include <QLabel>
#include <QtTest>

namespace {

QLabel *label(const BottomWidget &bar, const char *name)
{
    return bar.findChild<QLabel *>(QLatin1String(name));
}

QList<QFrame *> lines(const BottomWidget &bar)
{
    QList<QFrame *> found;
    for (QFrame *frame : bar.findChildren<QFrame *>()) {
        if (!qobject_cast<QLabel *>(frame) && frame->frameShape() == QFrame::VLine) {
            found << frame;
        }
    }
    return found;
}

} // namespace

class tst_BottomWidget : public QObject
{
    Q_OBJECT

private slots:
    void runningTimeCountsTicks();
    void settersBeforeStartActAtStart();
    void textSettersAfterStartRewriteTheLabels();
    void allLabelsHiddenStillRunsTheTimer();
};

void tst_BottomWidget::runningTimeCountsTicks()
{
    BottomWidget bar;
    bar.start();
    // start() itself counts the first second, so 3660 more ticks make 3661 seconds.
    QCOMPARE(label(bar, "labLive")->text(), QStringLiteral("已运行: 0天0时0分1秒"));
    for (int i = 0; i < 3660; ++i) {
        bar.showTime();
    }
    QCOMPARE(label(bar, "labLive")->text(), QStringLiteral("已运行: 0天1时1分1秒"));
    QVERIFY(label(bar, "labDateTime")->text().startsWith(QStringLiteral("当前时间: ")));
}

void tst_BottomWidget::settersBeforeStartActAtStart()
{
    BottomWidget bar;
    bar.setTitle(QStringLiteral("综合安全管理平台"));
    bar.setVersion(QStringLiteral("V2.0"));
    bar.setAuthor(QStringLiteral("某安防公司"));
    bar.setCurrentUserName(QStringLiteral("zhang"));
    bar.setCurrentUserType(QStringLiteral("操作员"));
    bar.setFontName(QStringLiteral("WenQuanYi Micro Hei"));
    bar.setFontSize(15);
    bar.setLineFixedWidth(true);
    bar.setLabAuthorVisible(false);
    QVERIFY(bar.findChildren<QLabel *>().isEmpty());

    bar.start();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCOMPARE(label(bar, "labTitle")->text(), QStringLiteral("欢迎使用综合安全管理平台 V2.0"));
    QCOMPARE(label(bar, "labUser")->text(), QStringLiteral("当前用户: zhang【操作员】"));
    QCOMPARE(label(bar, "labAuthor")->text(), QStringLiteral("版权所有: 某安防公司"));
    QVERIFY(!label(bar, "labAuthor")->isVisible());
    for (const char *name : {"labTitle", "labUser", "labLive", "labDateTime"}) {
        QVERIFY(label(bar, name)->isVisible());
        QCOMPARE(label(bar, name)->font().family(), QStringLiteral("WenQuanYi Micro Hei"));
        QCOMPARE(label(bar, name)->font().pixelSize(), 15);
    }
    // Four labels shown, three lines between them, each one pixel wide.
    QCOMPARE(lines(bar).size(), 3);
    for (QFrame *line : lines(bar)) {
        QCOMPARE(line->width(), 1);
    }
}

void tst_BottomWidget::textSettersAfterStartRewriteTheLabels()
{
    BottomWidget bar;
    bar.start();
    QCOMPARE(label(bar, "labTitle")->text(), QStringLiteral("欢迎使用管理平台 V1.0"));
    QCOMPARE(label(bar, "labUser")->text(), QStringLiteral("当前用户: admin【管理员】"));
    bar.setVersion(QStringLiteral("V3.1"));
    bar.setCurrentUserType(QStringLiteral("访客"));
    bar.setAuthor(QStringLiteral("测试"));
    QCOMPARE(label(bar, "labTitle")->text(), QStringLiteral("欢迎使用管理平台 V3.1"));
    QCOMPARE(label(bar, "labUser")->text(), QStringLiteral("当前用户: admin【访客】"));
    QCOMPARE(label(bar, "labAuthor")->text(), QStringLiteral("版权所有: 测试"));
}

void tst_BottomWidget::allLabelsHiddenStillRunsTheTimer()
{
    BottomWidget bar;
    bar.setLabTitleVisible(false);
    bar.setLabAuthorVisible(false);
    bar.setLabUserVisible(false);
    bar.setLabLiveVisible(false);
    bar.setLabDateTimeVisible(false);
    bar.start(20);
    const QString first = label(bar, "labLive")->text();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    for (QLabel *shown : bar.findChildren<QLabel *>()) {
        QVERIFY(!shown->isVisible());
    }
    QVERIFY(lines(bar).isEmpty());
    // The hidden running-time label still counts.
    QCOMPARE(first, QStringLiteral("已运行: 0天0时0分1秒"));
    QTRY_VERIFY(label(bar, "labLive")->text() != first);
}

QTEST_MAIN(tst_BottomWidget)
#include "tst_bottomwidget.moc"
