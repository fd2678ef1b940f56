#include "consolefixture.h"
#include "consolestart.h"
#include "frmmain.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

class tst_TollConsole : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ConsoleFixture> console;

    QWidget *child(const char *name) const
    {
        return console->window()->findChild<QWidget *>(QLatin1String(name));
    }

private Q_SLOTS:
    // One window for every test: each one starts from its own presses.
    void initTestCase()
    {
        console = std::make_unique<ConsoleFixture>();
        QVERIFY(console->isExposed());
    }
    void cleanupTestCase()
    {
        console.reset();
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void everyPictureIsThere_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"bg_main.png", "bg_title.png", "logo.png", "line_title.png", "line_nav.png",
                                 "nav_call.png", "nav_video.png", "nav_audio.png", "bg_video.jpg", "left_title.png",
                                 "right_title.png", "left_bg.png", "right_bg.png", "ring_normal.png", "ring_alarm.png",
                                 "btnOn.png", "btnOff.png"}) {
            QTest::newRow(name) << QStringLiteral(":/image/%1").arg(QLatin1String(name));
        }
    }
    void everyPictureIsThere()
    {
        QFETCH(QString, name);
        QVERIFY(!QImage(name).isNull());
    }

    void fixedWindowWithItsTitles()
    {
        frmMain *w = console->window();
        QCOMPARE(w->size(), QSize(700, 800));
        QCOMPARE(w->minimumSize(), QSize(700, 800));
        QCOMPARE(w->maximumSize(), QSize(700, 800));
        w->resize(900, 900);
        QCOMPARE(w->size(), QSize(700, 800));
        QCOMPARE(w->windowTitle(), QStringLiteral("主界面"));
        QCOMPARE(qobject_cast<QLabel *>(child("labTitle"))->text(), QStringLiteral("Norvale省高速收费站"));
        QCOMPARE(QApplication::font().family(), ConsoleStart::applicationFont().family());
        QCOMPARE(QApplication::font().pointSize(), 9);
    }

    void opensOnTheCallPage()
    {
        // Before any navigation test has pressed a button.
        auto *stack = qobject_cast<QStackedWidget *>(child("stackedWidget"));
        QCOMPARE(stack->count(), 3);
        QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("frmCall"));
        QVERIFY(stack->currentWidget()->isVisible());
    }

    void navigationShowsItsPage_data()
    {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("caption"); // of the page's label; empty for the call page
        QTest::newRow("video") << QStringList{"btnVideo"} << "frmVideo" << "视频测试";
        QTest::newRow("audio") << QStringList{"btnAudio"} << "frmAudio" << "音频测试";
        QTest::newRow("back to call") << QStringList{"btnAudio", "btnCall"} << "frmCall" << "";
        QTest::newRow("video then audio") << QStringList{"btnVideo", "btnAudio"} << "frmAudio" << "音频测试";
    }
    void navigationShowsItsPage()
    {
        QFETCH(QStringList, presses);
        QFETCH(QString, page);
        QFETCH(QString, caption);
        for (const QString &name : qAsConst(presses)) {
            auto *button = console->window()->findChild<QToolButton *>(name);
            QVERIFY(button->isVisible());
            QVERIFY(!button->isCheckable());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        auto *stack = qobject_cast<QStackedWidget *>(child("stackedWidget"));
        QCOMPARE(stack->currentWidget()->objectName(), page);
        QVERIFY(stack->currentWidget()->isVisible());
        if (!caption.isEmpty()) {
            QCOMPARE(stack->currentWidget()->findChild<QLabel *>(QStringLiteral("label"))->text(), caption);
        }
    }

    // The rules keyed on the pages' flag properties reach the pages.
    void pagesTakeTheirColours_data()
    {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("call strip") << "widgetCall" << QPoint(4, 4) << QColor(0x2F, 0x26, 0x27);
        QTest::newRow("lane band") << "widgetDriveway" << QPoint(2, 2) << QColor(0xD5, 0xD5, 0xD5);
        QTest::newRow("video frame") << "widgetVideoLeft" << QPoint(30, 3) << QColor(0x3F, 0x64, 0xB2);
        QTest::newRow("road name") << "labVideoNameRight" << QPoint(3, 3) << QColor(0xE1, 0xEC, 0xF2);
    }
    void pagesTakeTheirColours()
    {
        QFETCH(QString, widget);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QTest::mouseClick(console->window()->findChild<QToolButton *>(QStringLiteral("btnCall")), Qt::LeftButton);
        QWidget *w = console->window()->findChild<QWidget *>(widget);
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(QColor(w->grab().toImage().pixel(at)), colour);
    }

    void draggingTheHeaderMovesTheWindow()
    {
        frmMain *w = console->window();
        QWidget *header = child("widgetTitle");
        const QPoint start = w->pos();
        const QPoint local(300, 40);
        const QPoint global = header->mapToGlobal(local);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header, &press);
        QMouseEvent move(QEvent::MouseMove, local + QPoint(40, 25), global + QPoint(40, 25), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(header, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, local + QPoint(40, 25), global + QPoint(40, 25),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(header, &release);
        QCOMPARE(w->pos(), start + QPoint(40, 25));
        QCOMPARE(w->size(), QSize(700, 800));
    }
};

QTEST_MAIN(tst_TollConsole)
#include "tst_tollconsole.moc"
