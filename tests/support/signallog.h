#ifndef SIGNALLOG_H
#define SIGNALLOG_H

#include <QDeadlineTimer>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QStringList>

// Records a worker thread's signals as they are emitted, in the emitting
// thread and under a lock (QSignalSpy appends from the emitting thread
// without one), each with a monotonic time in milliseconds.
class MessageLog
{
public:
    struct Entry {
        QString text;
        qint64 at;
    };

    template <typename Sender, typename Signal>
    void watch(const Sender *sender, Signal signal)
    {
        QObject::connect(sender, signal, &context, [this](const QString &text) { add(text); }, Qt::DirectConnection);
    }

    QList<Entry> entries() const;
    QStringList texts() const;
    // Entries whose text starts with prefix.
    QList<Entry> starting(const QString &prefix) const;
    int count(const QString &prefix) const { return starting(prefix).size(); }
    void clear();

    static qint64 now() { return QDeadlineTimer::current().deadline(); }

private:
    QObject context;
    mutable QMutex mutex;
    QList<Entry> list;

    void add(const QString &text);
};

// The same for dataReceive(keyData, resultData).
class DataLog
{
public:
    struct Entry {
        QStringList keys;
        QStringList rows;
    };

    template <typename Sender, typename Signal>
    void watch(const Sender *sender, Signal signal)
    {
        QObject::connect(
            sender, signal, &context,
            [this](const QStringList &keys, const QStringList &rows) { add(keys, rows); }, Qt::DirectConnection);
    }

    QList<Entry> entries() const;
    int count() const { return entries().size(); }
    void clear();

private:
    QObject context;
    mutable QMutex mutex;
    QList<Entry> list;

    void add(const QStringList &keys, const QStringList &rows);
};

// Warnings written while it lives, from any thread; they still reach the
// handler that was installed before. One at a time.
class WarningLog
{
public:
    WarningLog();
    ~WarningLog();
    WarningLog(const WarningLog &) = delete;
    WarningLog &operator=(const WarningLog &) = delete;

    QStringList lines() const;
    // Lines that contain part.
    int count(const QString &part) const;

private:
    mutable QMutex mutex;
    QStringList list;
    QtMessageHandler previous;

    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
};

#endif // SIGNALLOG_H
