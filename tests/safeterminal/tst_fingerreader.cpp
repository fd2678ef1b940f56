#include "fingerreader.h"
#include "testseams.h"
#include "virtualreader.h"

#include <QSignalSpy>
#include <QtTest>
#include <optional>

Q_DECLARE_METATYPE(FingerReader::Outcome)
Q_DECLARE_METATYPE(FingerReader::State)

// The reader object against libfprint's virtual readers.
class tst_FingerReader : public QObject
{
    Q_OBJECT

    std::optional<TestSeams> seams;

    // Enrols a finger with the reader's five scans; returns the print.
    static QByteArray enrol(const VirtualReader &device, int finger, const QString &userID, const QString &id)
    {
        FingerReader *reader = FingerReader::instance();
        QSignalSpy done(reader, &FingerReader::enrollFinished);
        reader->enroll(finger, userID);
        for (int i = 0; i < reader->enrollStages(); ++i) {
            if (!device.scan(id)) {
                return QByteArray();
            }
        }
        // The answer may already be in by the time the last scan is sent.
        if (!QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000)) {
            return QByteArray();
        }
        if (done.constFirst().at(0).value<FingerReader::Outcome>() != FingerReader::Outcome::Done) {
            qWarning() << "enrolment failed:" << done.constFirst().at(2).toString();
            return QByteArray();
        }
        return done.constFirst().at(1).toByteArray();
    }

    static void startReady()
    {
        FingerReader *reader = FingerReader::instance();
        reader->start();
        QTRY_COMPARE_WITH_TIMEOUT(reader->state(), FingerReader::State::Ready, 10000);
    }

private Q_SLOTS:
    void initTestCase()
    {
        qRegisterMetaType<FingerReader::Outcome>();
        qRegisterMetaType<FingerReader::State>();
    }

    void init()
    {
        seams.emplace();
        seams->keep(&FingerReader::searchIntervalMs, &FingerReader::setSearchIntervalMs);
        FingerReader::setSearchIntervalMs(200);
    }

    void cleanup()
    {
        FingerReader::reset();
        VirtualReader::unset();
        seams.reset();
    }

    void enrolsAndIdentifiesAmongSeveral()
    {
        VirtualReader device;
        startReady();
        FingerReader *reader = FingerReader::instance();
        QVERIFY(reader->foundAtStart());
        QCOMPARE(reader->enrollStages(), 5);
        QVERIFY(reader->storesPrints());

        QSignalSpy progress(reader, &FingerReader::enrollProgress);
        const QByteArray a = enrol(device, 1, QStringLiteral("1001"), QStringLiteral("fa"));
        QVERIFY(!a.isEmpty());
        QCOMPARE(progress.count(), 5);
        QCOMPARE(progress.constFirst().at(0).toInt(), 1);
        QCOMPARE(progress.constLast().at(0).toInt(), 5);
        QCOMPARE(progress.constLast().at(1).toInt(), 5);
        const QByteArray b = enrol(device, 7, QStringLiteral("1002"), QStringLiteral("fb"));
        QVERIFY(!b.isEmpty());
        QVERIFY(reader->usable(a));

        QSignalSpy found(reader, &FingerReader::identifyFinished);
        reader->identify({a, b});
        QVERIFY(device.scan(QStringLiteral("fb")));
        QTRY_VERIFY_WITH_TIMEOUT(!found.isEmpty(), 10000);
        QCOMPARE(found.constFirst().at(0).value<FingerReader::Outcome>(), FingerReader::Outcome::Done);
        QCOMPARE(found.constFirst().at(1).toInt(), 1);

        found.clear();
        reader->identify({a, b});
        QVERIFY(device.scan(QStringLiteral("fz")));
        QTRY_VERIFY_WITH_TIMEOUT(!found.isEmpty(), 10000);
        QCOMPARE(found.constFirst().at(0).value<FingerReader::Outcome>(), FingerReader::Outcome::NoMatch);
    }

    void cancelledOperationGivesWayToTheNext()
    {
        VirtualReader device;
        startReady();
        FingerReader *reader = FingerReader::instance();
        const QByteArray a = enrol(device, 2, QStringLiteral("1001"), QStringLiteral("fa"));
        QVERIFY(!a.isEmpty());

        QSignalSpy enrolled(reader, &FingerReader::enrollFinished);
        QSignalSpy found(reader, &FingerReader::identifyFinished);
        reader->enroll(3, QStringLiteral("1001"));
        // Started at once, before the enrolment has reported its cancel.
        reader->identify({a});
        QVERIFY(device.scan(QStringLiteral("fa")));
        QTRY_VERIFY_WITH_TIMEOUT(!found.isEmpty(), 10000);
        QCOMPARE(found.constFirst().at(0).value<FingerReader::Outcome>(), FingerReader::Outcome::Done);
        QCOMPARE(found.constFirst().at(1).toInt(), 0);
        QVERIFY(enrolled.isEmpty());
    }

    void verifyOnlyReaderIsRefused()
    {
        VirtualReader device(VirtualReader::VerifyOnly);
        FingerReader *reader = FingerReader::instance();
        reader->start();
        QVERIFY(!reader->foundAtStart());
        QCOMPARE(reader->state(), FingerReader::State::Absent);
        QCOMPARE(reader->stateText(), QStringLiteral("指纹仪不支持识别"));
    }

    void noReader()
    {
        FingerReader *reader = FingerReader::instance();
        reader->start();
        QVERIFY(!reader->foundAtStart());
        QCOMPARE(reader->stateText(), QStringLiteral("指纹仪未连接"));
        QSignalSpy found(reader, &FingerReader::identifyFinished);
        reader->identify({});
        QCOMPARE(found.count(), 1);
        QCOMPARE(found.constFirst().at(0).value<FingerReader::Outcome>(), FingerReader::Outcome::Removed);
    }

    void unplugDuringIdentifyIsToldAndTheReaderFoundAgain()
    {
        VirtualReader device;
        startReady();
        FingerReader *reader = FingerReader::instance();
        const QByteArray a = enrol(device, 2, QStringLiteral("1001"), QStringLiteral("fa"));
        QVERIFY(!a.isEmpty());

        QSignalSpy found(reader, &FingerReader::identifyFinished);
        reader->identify({a});
        QVERIFY(device.send(QStringLiteral("UNPLUG")));
        QTRY_COMPARE_WITH_TIMEOUT(found.count(), 1, 10000);
        QCOMPARE(found.constFirst().at(0).value<FingerReader::Outcome>(), FingerReader::Outcome::Removed);
        QCOMPARE(reader->state(), FingerReader::State::Absent);
        // A new context finds it again, and it works (the virtual reader
        // comes back with empty storage, so the finger is enrolled anew).
        QTRY_COMPARE_WITH_TIMEOUT(reader->state(), FingerReader::State::Ready, 10000);
        const QByteArray again = enrol(device, 2, QStringLiteral("1001"), QStringLiteral("fa"));
        QVERIFY(!again.isEmpty());
        found.clear();
        reader->identify({again});
        QVERIFY(device.scan(QStringLiteral("fa")));
        QTRY_VERIFY_WITH_TIMEOUT(!found.isEmpty(), 10000);
        QCOMPARE(found.constFirst().at(0).value<FingerReader::Outcome>(), FingerReader::Outcome::Done);
    }

    void anatomyOfTheFingers_data()
    {
        QTest::addColumn<int>("finger");
        QTest::addColumn<int>("expected");
        // libfprint: 1 left thumb … 5 left little, 6 right thumb … 10 right little
        QTest::newRow("left little") << 1 << 5;
        QTest::newRow("left thumb") << 5 << 1;
        QTest::newRow("right thumb") << 6 << 6;
        QTest::newRow("right little") << 10 << 10;
        QTest::newRow("none") << 11 << 0;
    }
    void anatomyOfTheFingers()
    {
        QFETCH(int, finger);
        QFETCH(int, expected);
        QCOMPARE(FingerReader::libfprintFinger(finger), expected);
    }
};

QTEST_MAIN(tst_FingerReader)
#include "tst_fingerreader.moc"
