#include "testseams.h"
#include "testsupport.h"

#include "dbconn.h"
#include "zemiclock.h"
#include "zemidialog.h"
#include "zemihelper.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>
#include <chrono>
#include <memory>

namespace {

// Run in a process of their own by answerChecks(), each ending with answers
// used, left over or gone wrong: with the seams of the test function itself...
class LocalCases : public QObject
{
    Q_OBJECT

private slots:
    void answerTaken()
    {
        TestSeams seams;
        ZemiHelper::setNextAnswer(ZemiAnswer::accept());
        QCOMPARE(ZemiHelper::showMessageBoxQuestion(QStringLiteral("确定?")), int(QMessageBox::Yes));
    }
    void answerLeftOver()
    {
        TestSeams seams;
        ZemiHelper::setNextAnswer(ZemiAnswer::text(QStringLiteral("没用上")));
    }
    void answerThatDidNotFit()
    {
        TestSeams seams;
        ZemiHelper::setNextAnswer(ZemiAnswer::text(QStringLiteral("是")));
        ZemiHelper::showMessageBoxQuestion(QStringLiteral("确定?"));
    }
};

// ... and with seams made in init() and gone in cleanup(), as a fixture's are.
class FixtureCases : public QObject
{
    Q_OBJECT

private slots:
    void init() { seams = std::make_unique<TestSeams>(); }
    void cleanup() { seams.reset(); }
    void answerTaken()
    {
        ZemiHelper::setNextAnswer(ZemiAnswer::reject());
        QCOMPARE(ZemiHelper::showMessageBoxQuestion(QStringLiteral("确定?")), int(QMessageBox::No));
    }
    void answerLeftOver() { ZemiHelper::setNextAnswer(ZemiAnswer::reject()); }

private:
    std::unique_ptr<TestSeams> seams;
};

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int programSeam = 7;

} // namespace

class tst_TestSeams : public QObject
{
    Q_OBJECT

private slots:
    void everySeamIsPutBack();
    void nestedSeamsLeaveTheAnswersToTheOutermost();
    void answerChecks_data();
    void answerChecks();
};

void tst_TestSeams::everySeamIsPutBack()
{
    const QString probe = ZemiHelper::internetProbeAddress();
    const int probePort = ZemiHelper::internetProbePort();
    const int busy = DbConn::sqliteBusyTimeout();
    const QString images = ZemiDialog::imagePath();
    QVERIFY(!ZemiHelper::fileDialogHook());
    {
        TestSeams seams;
        seams.keep([] { return programSeam; }, [](int value) { programSeam = value; });
        ZemiClock::setNow(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
        ZemiClock::setElapsed([] { return qint64(42); });
        ZemiClock::advance(1000);
        ZemiHelper::setClockSetter([](const QString &, const QString &, const QString &, const QString &,
                                      const QString &, const QString &) { return true; });
        ZemiHelper::setFileDialogHook([](const QString &, const QString &, const QString &) { return QStringList(); });
        ZemiHelper::setInternetProbe(QStringLiteral("127.0.0.9"), 9);
        DbConn::setSqliteBusyTimeout(1);
        ZemiDialog::setImagePath(QStringLiteral("/nowhere"));
        programSeam = 8;
        QCOMPARE(ZemiClock::now(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6)));
        QCOMPARE(ZemiClock::elapsedMs(), qint64(1042));
        QVERIFY(ZemiHelper::setSystemDateTime(QStringLiteral("x"), QString(), QString(), QString(), QString(), QString()));
    }
    // The system's date-time and the steady clock again.
    QVERIFY(qAbs(ZemiClock::now().msecsTo(QDateTime::currentDateTime())) < 2000);
    QVERIFY(qAbs(ZemiClock::elapsedMs() - steadyMs()) < 2000);
    // The system's setter again: it refuses anything but digits before running a command.
    QVERIFY(!ZemiHelper::setSystemDateTime(QStringLiteral("x"), QString(), QString(), QString(), QString(), QString()));
    QVERIFY(!ZemiHelper::fileDialogHook());
    QCOMPARE(ZemiHelper::internetProbeAddress(), probe);
    QCOMPARE(ZemiHelper::internetProbePort(), probePort);
    QCOMPARE(DbConn::sqliteBusyTimeout(), busy);
    QCOMPARE(ZemiDialog::imagePath(), images);
    QCOMPARE(programSeam, 7);
}

void tst_TestSeams::nestedSeamsLeaveTheAnswersToTheOutermost()
{
    TestSeams outer;
    ZemiHelper::setNextAnswer(ZemiAnswer::reject());
    {
        TestSeams inner;
        ZemiHelper::setNextAnswer(ZemiAnswer::accept());
    }
    // Both still queued, in turn: the inner one neither took nor checked them.
    QCOMPARE(ZemiHelper::showMessageBoxQuestion(QStringLiteral("一")), int(QMessageBox::No));
    QCOMPARE(ZemiHelper::showMessageBoxQuestion(QStringLiteral("二")), int(QMessageBox::Yes));
    QVERIFY(outer.checkAnswers());
}

void tst_TestSeams::answerChecks_data()
{
    QTest::addColumn<QString>("cases"); // "local" or "fixture"
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("told"); // empty: the test passes

    QTest::newRow("taken") << "local" << "answerTaken" << "";
    QTest::newRow("left over") << "local" << "answerLeftOver"
                               << "FAIL!  : LocalCases::answerLeftOver() answer never taken by a box: text \"没用上\"";
    QTest::newRow("did not fit") << "local" << "answerThatDidNotFit"
                                 << "FAIL!  : LocalCases::answerThatDidNotFit() ZemiMessageBox cannot take the answer text \"是\"";
    QTest::newRow("taken, fixture") << "fixture" << "answerTaken" << "";
    QTest::newRow("left over, fixture") << "fixture" << "answerLeftOver"
                                        << "FAIL!  : FixtureCases::answerLeftOver() answer never taken by a box: reject";
}

void tst_TestSeams::answerChecks()
{
    QFETCH(QString, cases);
    QFETCH(QString, function);
    QFETCH(QString, told);
    QProcess child;
    QProcessEnvironment env = TestSupport::childEnvironment();
    env.insert(QStringLiteral("TESTSEAMS_CHILD"), cases);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY(child.waitForFinished(120000));
    const QString output = QString::fromUtf8(child.readAll());
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2((child.exitCode() == 0) == told.isEmpty(), qPrintable(output));
    QVERIFY2(output.contains(told.isEmpty() ? QStringLiteral("Totals: 3 passed, 0 failed") : told), qPrintable(output));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString cases = qEnvironmentVariable("TESTSEAMS_CHILD");
    if (cases == QLatin1String("local")) {
        LocalCases local;
        return QTest::qExec(&local, argc, argv);
    }
    if (cases == QLatin1String("fixture")) {
        FixtureCases fixture;
        return QTest::qExec(&fixture, argc, argv);
    }
    tst_TestSeams test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_testseams.moc"
