#include "fingersteps.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerreader.h"
#include "zemiclock.h"

#include <QBoxLayout>
#include <QLabel>
#include <QSet>
#include <QTimer>

namespace {

int lockLengthMs = 60000;
FingerSteps *theSteps = nullptr;

QStringList parts(const QString &joined)
{
    return joined.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The user of a print as the cache knows them; false for a user deleted meanwhile.
bool personOf(const QString &userID, VerifiedPerson &person)
{
    const int i = AppConfig::Users.userID.indexOf(userID);
    if (i < 0) {
        return false;
    }
    person = {userID, AppConfig::Users.userName.value(i), AppConfig::Users.userAdmin.value(i),
              AppConfig::Users.userDoor.value(i)};
    return true;
}

bool readerThere()
{
    const FingerReader::State state = FingerReader::instance()->state();
    return state == FingerReader::State::Ready || state == FingerReader::State::Busy;
}

} // namespace

FingerSteps::FingerSteps(QObject *parent) : QObject(parent)
{
    tick = new QTimer(this);
    tick->setInterval(1000);
    connect(tick, &QTimer::timeout, this, [this] {
        if (locked()) {
            emit lockTick();
            return;
        }
        tick->stop();
        emit lockChanged(false);
    });
}

FingerSteps *FingerSteps::instance()
{
    if (!theSteps) {
        theSteps = new FingerSteps;
    }
    return theSteps;
}

void FingerSteps::reset()
{
    delete theSteps;
    theSteps = nullptr;
}

bool FingerSteps::tapsStandIn()
{
    return AppConfig::FingerReader != QLatin1String("required") && !FingerReader::instance()->foundAtStart();
}

QString FingerSteps::readerNote()
{
    return tapsStandIn() ? QStringLiteral("未检测到指纹仪，轻触代替指纹") : FingerReader::instance()->stateText();
}

QString FingerSteps::tapRefusal()
{
    return readerThere() ? QStringLiteral("请把手指放在指纹仪上") : QStringLiteral("指纹仪未连接");
}

int FingerSteps::lockMs()
{
    return lockLengthMs;
}

void FingerSteps::setLockMs(int msec)
{
    lockLengthMs = msec;
}

bool FingerSteps::locked() const
{
    return lockedUntil > ZemiClock::elapsedMs();
}

QString FingerSteps::lockText() const
{
    const qint64 left = qMax<qint64>(0, lockedUntil - ZemiClock::elapsedMs());
    return QStringLiteral("验证失败次数过多，请%1秒后再试").arg((left + 999) / 1000);
}

void FingerSteps::recordFailure()
{
    if (++failures < FailuresBeforeLock) {
        return;
    }
    failures = 0;
    lockedUntil = ZemiClock::elapsedMs() + lockLengthMs;
    DBHelper::addLog(QStringLiteral("报警日志"), QStringLiteral("尝试次数过多"));
    tick->setInterval(qMin(1000, lockLengthMs));
    tick->start();
    emit lockChanged(true);
}

void FingerSteps::recordSuccess()
{
    failures = 0;
}

bool FingerSteps::holdsRight(const QString &admin, const QString &right)
{
    return !AppConfig::Admin || right.isEmpty() || parts(admin).contains(right);
}

bool FingerSteps::holdsDoor(const QString &doors, const QString &door)
{
    return !AppConfig::Admin || parts(doors).contains(door);
}

int FingerSteps::personsFor(int mode)
{
    return (mode == 2 || mode == 3) ? mode : 1;
}

int FingerSteps::candidatesFor(const QString &right)
{
    if (tapsStandIn() || !readerThere()) {
        return -1;
    }
    QVector<FingerPrints::Print> prints;
    if (FingerPrints::all(prints) == DbRead::Failed) {
        return -1;
    }
    QSet<QString> users;
    for (const FingerPrints::Print &print : prints) {
        VerifiedPerson person;
        if (personOf(print.userID, person) && holdsRight(person.admin, right)
            && FingerReader::instance()->usable(print.data)) {
            users.insert(print.userID);
        }
    }
    return users.size();
}

QLabel *FingerSteps::addReaderLine(QBoxLayout *bar)
{
    auto *label = new QLabel(readerNote());
    label->setObjectName(QStringLiteral("labReader"));
    bar->insertWidget(0, label);
    connect(FingerReader::instance(), &FingerReader::stateChanged, label,
            [label] { label->setText(readerNote()); });
    return label;
}

FingerCheck::FingerCheck(QObject *parent) : QObject(parent)
{
    FingerReader *reader = FingerReader::instance();
    connect(reader, &FingerReader::identifyFinished, this,
            [this](FingerReader::Outcome outcome, int index) { identified(static_cast<int>(outcome), index); });
    // A reader that comes back, or a lock that ends, resumes a waiting step.
    connect(reader, &FingerReader::stateChanged, this, [this](FingerReader::State state) {
        if (waiting && state == FingerReader::State::Ready) {
            listen();
        }
    });
    FingerSteps *steps = FingerSteps::instance();
    connect(steps, &FingerSteps::lockTick, this, [this] {
        if (waiting && listening) {
            emit refused(FingerSteps::instance()->lockText());
        }
    });
    connect(steps, &FingerSteps::lockChanged, this, [this](bool locked) {
        if (!locked && waiting) {
            listen();
        }
    });
}

void FingerCheck::begin(const QString &right)
{
    this->right = right;
    verified.clear();
}

void FingerCheck::listen()
{
    const bool wasWaiting = waiting;
    listening = true;
    waiting = false;
    if (FingerSteps::tapsStandIn()) {
        return;
    }
    FingerSteps *steps = FingerSteps::instance();
    FingerReader *reader = FingerReader::instance();
    if (steps->locked()) {
        waiting = true;
        emit refused(steps->lockText());
        return;
    }
    if (!readerThere()) {
        waiting = true;
        emit refused(QStringLiteral("指纹仪未连接"));
        return;
    }
    QVector<FingerPrints::Print> prints;
    if (FingerPrints::all(prints) == DbRead::Failed) {
        emit refused(QStringLiteral("读取用户信息失败，请稍后重试!"));
        return;
    }
    gallery.clear();
    QVector<QByteArray> data;
    for (const FingerPrints::Print &print : qAsConst(prints)) {
        VerifiedPerson person;
        if (personOf(print.userID, person) && reader->usable(print.data)) {
            gallery << print;
            data << print.data;
        }
    }
    if (data.isEmpty()) {
        // Nobody could pass: say so rather than wait for a finger that cannot match.
        waiting = true;
        emit refused(noPrintsText());
        return;
    }
    if (wasWaiting) {
        emit resumed();
    }
    reader->identify(data);
}

QString FingerCheck::noPrintsText()
{
    return QStringLiteral("尚无可用的指纹，请先录入");
}

void FingerCheck::stop()
{
    if (listening && !waiting && !FingerSteps::tapsStandIn()) {
        FingerReader::instance()->cancel();
    }
    listening = false;
    waiting = false;
}

bool FingerCheck::tap()
{
    FingerSteps *steps = FingerSteps::instance();
    if (steps->locked()) {
        emit refused(steps->lockText());
        return false;
    }
    if (FingerSteps::tapsStandIn()) {
        return true;
    }
    emit refused(FingerSteps::tapRefusal());
    return false;
}

void FingerCheck::identified(int result, int index)
{
    if (!listening || waiting) {
        return;
    }
    using Outcome = FingerReader::Outcome;
    switch (static_cast<Outcome>(result)) {
    case Outcome::Retry:
        // The reader asked for the finger again: not a failed match.
        listen();
        return;
    case Outcome::Removed:
        waiting = true;
        emit refused(QStringLiteral("指纹仪未连接"));
        return;
    case Outcome::Duplicate:
    case Outcome::Failed:
        emit refused(QStringLiteral("指纹仪故障"));
        QTimer::singleShot(1000, this, [this] {
            if (listening && !waiting) {
                listen();
            }
        });
        return;
    case Outcome::NoMatch:
        FingerSteps::instance()->recordFailure();
        if (FingerSteps::instance()->locked()) {
            waiting = true;
            emit refused(FingerSteps::instance()->lockText());
            return;
        }
        emit refused(QStringLiteral("指纹不匹配，请重试"));
        listen();
        return;
    case Outcome::Done:
        break;
    }

    VerifiedPerson person;
    if (index < 0 || index >= gallery.size() || !personOf(gallery.at(index).userID, person)) {
        emit refused(QStringLiteral("指纹不匹配，请重试"));
        listen();
        return;
    }
    const bool again = std::any_of(verified.cbegin(), verified.cend(),
                                   [&](const VerifiedPerson &p) { return p.userID == person.userID; });
    if (again) {
        emit refused(QStringLiteral("同一用户不能重复验证"));
        listen();
        return;
    }
    if (!FingerSteps::holdsRight(person.admin, right)) {
        emit refused(QStringLiteral("无权执行此操作"));
        listen();
        return;
    }
    FingerSteps::instance()->recordSuccess();
    verified << person;
    listening = false;
    emit accepted(QStringLiteral("%1 验证通过").arg(person.name));
}
