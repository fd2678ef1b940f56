#include "consolefixture.h"
#include "frmcall.h"
#include "frmmain.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// The grid a side shows for n fresh lanes: label over ring, one column a lane.
QStringList expectedLanes(const QString &side, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i) {
        names << QStringLiteral("lab%1%2@0,%3").arg(side).arg(i).arg(i - 1)
              << QStringLiteral("btn%1%2@1,%3").arg(side).arg(i).arg(i - 1);
    }
    return names;
}

QList<QPointer<QWidget>> laneWidgets(QWidget *root, const QString &side)
{
    QList<QPointer<QWidget>> widgets;
    for (QWidget *w : root->findChildren<QWidget *>(QRegularExpression(QStringLiteral("^(lab|btn)%1\\d+$").arg(side)))) {
        widgets << w;
    }
    return widgets;
}

} // namespace

class tst_frmCall : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ConsoleFixture> console;

private Q_SLOTS:
    void init()
    {
        console = std::make_unique<ConsoleFixture>();
        QVERIFY(console->isExposed());
    }
    void cleanup()
    {
        console.reset();
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void threeNormalLanesEachSideShortlyAfterStart()
    {
        // Laid out later, once the page has its size.
        QVERIFY(!console->lanesAtShow());
        QTRY_COMPARE(console->lanes(QStringLiteral("Left")), expectedLanes(QStringLiteral("Left"), 3));
        QTRY_COMPARE(console->lanes(QStringLiteral("Right")), expectedLanes(QStringLiteral("Right"), 3));
        for (const char *side : {"Left", "Right"}) {
            for (int i = 1; i <= 3; ++i) {
                QToolButton *ring = console->ring(QStringLiteral("btn%1%2").arg(QLatin1String(side)).arg(i));
                QCOMPARE(ring->property("status").toString(), QStringLiteral("normal"));
                QVERIFY(ConsoleFixture::showsRing(ring, QStringLiteral("normal")));
                QTRY_VERIFY(ring->isVisible());
            }
        }
        QCOMPARE(console->call()->leftCount(), 3);
        QCOMPARE(console->call()->rightCount(), 3);
    }

    void lanePicturesTakeTheirShareOfTheArea_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("press"); // empty: the lanes after start
        QTest::addColumn<int>("count");
        QTest::newRow("left, three") << "Left" << "" << 3;
        QTest::newRow("right, three") << "Right" << "" << 3;
        QTest::newRow("left, two") << "Left" << "btnOn" << 2;
        QTest::newRow("right, four") << "Right" << "btnOff" << 4;
    }
    void lanePicturesTakeTheirShareOfTheArea()
    {
        QFETCH(QString, side);
        QFETCH(QString, press);
        QFETCH(int, count);
        QVERIFY(console->waitForLanes());
        auto *area = console->window()->findChild<QWidget *>(QStringLiteral("widgetDrivewayMain") + side);
        const QSize box(area->width() / count, area->height());
        if (!press.isEmpty()) {
            QTest::mouseClick(console->window()->findChild<QToolButton *>(press), Qt::LeftButton);
        }
        for (int i = 1; i <= count; ++i) {
            auto *label = console->window()->findChild<QLabel *>(QStringLiteral("lab%1%2").arg(side).arg(i));
            QVERIFY(label);
            const QSize picture = label->pixmap(Qt::ReturnByValue).size();
            // Aspect kept, so one side fills the box and the other fits inside it.
            QVERIFY2(picture.width() <= box.width() && picture.height() <= box.height() &&
                         (picture.width() == box.width() || picture.height() == box.height()),
                     qPrintable(QStringLiteral("%1x%2 in %3x%4").arg(picture.width()).arg(picture.height())
                                    .arg(box.width()).arg(box.height())));
            // Every ring stays on the page, below its picture.
            auto *ring = console->ring(QStringLiteral("btn%1%2").arg(side).arg(i));
            QTRY_VERIFY(area->rect().contains(ring->geometry()));
            QVERIFY(ring->geometry().top() >= label->geometry().top());
        }
    }

    void ringPressTogglesItsOwnLaneOnly_data()
    {
        QTest::addColumn<QString>("ring");
        QTest::newRow("left lane 2") << "btnLeft2";
        QTest::newRow("left lane 1") << "btnLeft1";
        QTest::newRow("right lane 3") << "btnRight3";
    }
    void ringPressTogglesItsOwnLaneOnly()
    {
        QFETCH(QString, ring);
        QVERIFY(console->waitForLanes());
        QStringList rings;
        for (int i = 1; i <= 3; ++i) {
            rings << QStringLiteral("btnLeft%1").arg(i) << QStringLiteral("btnRight%1").arg(i);
        }
        auto looks = [&] {
            QStringList out;
            for (const QString &name : qAsConst(rings)) {
                QToolButton *button = console->ring(name);
                const QString status = button->property("status").toString();
                out << name + QLatin1Char('=') + status +
                           (ConsoleFixture::showsRing(button, status) ? QString() : QStringLiteral(" (wrong picture)"));
            }
            return out;
        };
        const QStringList before = looks();
        QTest::mouseClick(console->ring(ring), Qt::LeftButton);
        QStringList expected = before;
        expected.replaceInStrings(ring + QStringLiteral("=normal"), ring + QStringLiteral("=alarm"));
        QCOMPARE(looks(), expected);
        QTest::mouseClick(console->ring(ring), Qt::LeftButton);
        QCOMPARE(looks(), before);
    }

    void callButtonsReplaceOneSide_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("other");
        QTest::addColumn<int>("count");
        QTest::newRow("btnOn: two left lanes") << "btnOn" << "Left" << "Right" << 2;
        QTest::newRow("btnOff: four right lanes") << "btnOff" << "Right" << "Left" << 4;
    }
    void callButtonsReplaceOneSide()
    {
        QFETCH(QString, button);
        QFETCH(QString, side);
        QFETCH(QString, other);
        QFETCH(int, count);
        QVERIFY(console->waitForLanes());
        // Alarms on both sides first: the replaced side starts afresh, the other keeps its own.
        QTest::mouseClick(console->ring(QStringLiteral("btn%1%2").arg(side).arg(1)), Qt::LeftButton);
        QTest::mouseClick(console->ring(QStringLiteral("btn%1%2").arg(other).arg(2)), Qt::LeftButton);
        const QList<QPointer<QWidget>> old = laneWidgets(console->window(), side);
        const QList<QPointer<QWidget>> kept = laneWidgets(console->window(), other);
        QCOMPARE(old.size(), 6);

        QTest::mouseClick(console->window()->findChild<QToolButton *>(button), Qt::LeftButton);

        QCOMPARE(console->lanes(side), expectedLanes(side, count));
        for (const QPointer<QWidget> &w : old) {
            QVERIFY(w.isNull());
        }
        for (int i = 1; i <= count; ++i) {
            QToolButton *ring = console->ring(QStringLiteral("btn%1%2").arg(side).arg(i));
            QCOMPARE(ring->property("status").toString(), QStringLiteral("normal"));
            QVERIFY(ConsoleFixture::showsRing(ring, QStringLiteral("normal")));
        }
        QCOMPARE(console->lanes(other), expectedLanes(other, 3));
        QCOMPARE(laneWidgets(console->window(), other), kept);
        QCOMPARE(console->ring(QStringLiteral("btn%1%2").arg(other).arg(2))->property("status").toString(),
                 QStringLiteral("alarm"));
    }

    void setCountZeroKeepsNegativeClears_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("lanesAfter");
        QTest::addColumn<bool>("sameWidgets");
        QTest::newRow("0 keeps the lanes") << 0 << 3 << true;
        QTest::newRow("-1 removes them") << -1 << 0 << false;
        QTest::newRow("-5 removes them") << -5 << 0 << false;
        QTest::newRow("1 replaces them") << 1 << 1 << false;
    }
    void setCountZeroKeepsNegativeClears()
    {
        QFETCH(int, count);
        QFETCH(int, lanesAfter);
        QFETCH(bool, sameWidgets);
        QVERIFY(console->waitForLanes());
        for (const QString &side : {QStringLiteral("Left"), QStringLiteral("Right")}) {
            const QList<QPointer<QWidget>> before = laneWidgets(console->window(), side);
            const QList<QPointer<QWidget>> otherBefore =
                laneWidgets(console->window(), side == QLatin1String("Left") ? QStringLiteral("Right") : QStringLiteral("Left"));
            if (side == QLatin1String("Left")) {
                console->call()->setLeftCount(count);
            } else {
                console->call()->setRightCount(count);
            }
            QCOMPARE(console->lanes(side), expectedLanes(side, lanesAfter));
            QCOMPARE(laneWidgets(console->window(), side) == before, sameWidgets);
            QCOMPARE(laneWidgets(console->window(), side == QLatin1String("Left") ? QStringLiteral("Right")
                                                                                 : QStringLiteral("Left")),
                     otherBefore);
        }
        // A cleared side takes new lanes again.
        console->call()->setLeftCount(2);
        QCOMPARE(console->lanes(QStringLiteral("Left")), expectedLanes(QStringLiteral("Left"), 2));
    }

    void growingThePageKeepsThePictureSizes()
    {
        QVERIFY(console->waitForLanes());
        auto *label = console->window()->findChild<QLabel *>(QStringLiteral("labLeft1"));
        const QSize before = label->pixmap(Qt::ReturnByValue).size();
        frmCall *page = console->call();
        page->resize(page->width() + 200, page->height() + 200);
        QCOMPARE(label->pixmap(Qt::ReturnByValue).size(), before);
    }
};

QTEST_MAIN(tst_frmCall)
#include "tst_frmcall.moc"
