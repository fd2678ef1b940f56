#include "readerfixture.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerprints.h"
#include "fingerreader.h"
#include "fingerrecord.h"
#include "fingersteps.h"

#include <QSignalSpy>
#include <QTest>

ReaderFixture::ReaderFixture(VirtualReader::Kind kind)
{
    // Spies on the reader's signals read their outcome.
    qRegisterMetaType<FingerReader::Outcome>();
    qRegisterMetaType<FingerReader::State>();
    FingerReader::reset();
    FingerSteps::reset();
    seams.keep(&FingerReader::searchIntervalMs, &FingerReader::setSearchIntervalMs);
    FingerReader::setSearchIntervalMs(200);
    reader = std::make_unique<VirtualReader>(kind);
    FingerReader::instance()->start();
    ready = QTest::qWaitFor([] { return FingerReader::instance()->state() == FingerReader::State::Ready; }, 10000);
}

ReaderFixture::~ReaderFixture()
{
    FingerReader::reset();
    FingerSteps::reset();
    reader.reset();
}

void ReaderFixture::startWithoutReader()
{
    FingerReader::reset();
    FingerSteps::reset();
    VirtualReader::unset();
    FingerReader::instance()->start();
}

bool ReaderFixture::addUser(const QString &userID, const QString &name, const QString &admin, const QString &doors)
{
    const bool ok = DBHelper::addUser(userID, name, QStringLiteral("1"), admin, doors, FingerRecord::empty());
    AppConfig::loadUsers();
    return ok;
}

QByteArray ReaderFixture::enrol(const QString &userID, int finger, const QString &id) const
{
    FingerReader *fp = FingerReader::instance();
    QSignalSpy done(fp, &FingerReader::enrollFinished);
    fp->enroll(finger, userID);
    for (int i = 0; i < fp->enrollStages(); ++i) {
        if (!reader->scan(id)) {
            return QByteArray();
        }
    }
    if (!QTest::qWaitFor([&] { return !done.isEmpty(); }, 10000)
        || done.constFirst().at(0).value<FingerReader::Outcome>() != FingerReader::Outcome::Done) {
        return QByteArray();
    }
    const QByteArray print = done.constFirst().at(1).toByteArray();
    return FingerPrints::store(userID, finger, print) ? print : QByteArray();
}
