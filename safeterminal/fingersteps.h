#ifndef FINGERSTEPS_H
#define FINGERSTEPS_H

#include "fingerprints.h"

#include <QObject>
#include <QVector>

class QBoxLayout;
class QLabel;
class QTimer;

// A person whose finger passed a step.
struct VerifiedPerson {
    QString userID;
    QString name;
    QString admin;
    QString doors;
};

// What the finger steps of every screen share: whether taps stand in for
// fingers, the lock after too many failed matches, the reader's line on the
// pages, and the guard's rights.
class FingerSteps : public QObject
{
    Q_OBJECT
public:
    static FingerSteps *instance();
    // Forgets the lock and the failures (tests).
    static void reset();

    // "auto" without a reader at start: a tap is an accepted finger.
    static bool tapsStandIn();
    // The reader's line for the finger pages.
    static QString readerNote();
    // A tap while the reader is in use: why it does not count.
    static QString tapRefusal();

    // Failed matches in a row lock every finger step for a while; the lock
    // is written to the alarm log once.
    static constexpr int FailuresBeforeLock = 5;
    static int lockMs();
    static void setLockMs(int msec);
    bool locked() const;
    QString lockText() const;
    void recordFailure();
    void recordSuccess();

    // Whether the person may: rights are not enforced, or the user holds the
    // right (a permission button's text: "开柜", "设置", "日志", "用户") or the door.
    static bool holdsRight(const QString &admin, const QString &right);
    static bool holdsDoor(const QString &doors, const QString &door);

    // Persons a mode asks for: 1 to 3, remote review as one person.
    static int personsFor(int mode);
    // Users who could pass a guard of the right with the reader in use
    // (holding the right when rights are enforced, with a usable print), or
    // -1 when that cannot be told (no reader, storage unreadable).
    static int candidatesFor(const QString &right);

    // Adds the reader's line to a page's bottom bar.
    static QLabel *addReaderLine(QBoxLayout *bar);

Q_SIGNALS:
    void lockChanged(bool locked);
    // Every second while locked.
    void lockTick();

private:
    explicit FingerSteps(QObject *parent = nullptr);
    int failures = 0;
    qint64 lockedUntil = 0;
    QTimer *tick = nullptr;
};

// One verification on a page: listens on the reader for the next person's
// finger, identifies it among every usable print and checks the person.
class FingerCheck : public QObject
{
    Q_OBJECT
public:
    explicit FingerCheck(QObject *parent = nullptr);

    // A new verification: nobody has passed yet; right is what every person
    // must hold when rights are enforced.
    void begin(const QString &right);
    // Waits for the next person's finger (nothing to do when taps stand in).
    void listen();
    void stop();
    // A tap on the finger button: whether it passes the step.
    bool tap();

    const QVector<VerifiedPerson> &persons() const { return verified; }

    // No user has a print the reader can use.
    static QString noPrintsText();

Q_SIGNALS:
    // The step passed: "%1 验证通过".
    void accepted(const QString &text);
    // The step did not pass, or cannot yet: the text says why.
    void refused(const QString &text);
    // The reader is back, or the lock over: the step listens again.
    void resumed();

private:
    QString right;
    QVector<VerifiedPerson> verified;
    QVector<FingerPrints::Print> gallery;
    bool listening = false;
    // Listening, but held up by a missing reader or the lock.
    bool waiting = false;

    void identified(int outcome, int index);
};

#endif // FINGERSTEPS_H
