#include "signallog.h"

#include <atomic>

namespace {
std::atomic<WarningLog *> currentWarningLog{nullptr};
}

QList<MessageLog::Entry> MessageLog::entries() const
{
    QMutexLocker lock(&mutex);
    return list;
}

QStringList MessageLog::texts() const
{
    QStringList texts;
    for (const Entry &entry : entries()) {
        texts << entry.text;
    }
    return texts;
}

QList<MessageLog::Entry> MessageLog::starting(const QString &prefix) const
{
    QList<Entry> found;
    for (const Entry &entry : entries()) {
        if (entry.text.startsWith(prefix)) {
            found << entry;
        }
    }
    return found;
}

void MessageLog::clear()
{
    QMutexLocker lock(&mutex);
    list.clear();
}

void MessageLog::add(const QString &text)
{
    const qint64 at = now();
    QMutexLocker lock(&mutex);
    list.append(Entry{text, at});
}

QList<DataLog::Entry> DataLog::entries() const
{
    QMutexLocker lock(&mutex);
    return list;
}

void DataLog::clear()
{
    QMutexLocker lock(&mutex);
    list.clear();
}

void DataLog::add(const QStringList &keys, const QStringList &rows)
{
    QMutexLocker lock(&mutex);
    list.append(Entry{keys, rows});
}

WarningLog::WarningLog()
{
    currentWarningLog = this;
    previous = qInstallMessageHandler(handler);
}

WarningLog::~WarningLog()
{
    qInstallMessageHandler(previous);
    currentWarningLog = nullptr;
}

QStringList WarningLog::lines() const
{
    QMutexLocker lock(&mutex);
    return list;
}

int WarningLog::count(const QString &part) const
{
    int found = 0;
    for (const QString &line : lines()) {
        if (line.contains(part)) {
            ++found;
        }
    }
    return found;
}

void WarningLog::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    WarningLog *log = currentWarningLog;
    if (!log) {
        return;
    }
    if (type == QtWarningMsg) {
        QMutexLocker lock(&log->mutex);
        log->list << message;
    }
    if (log->previous) {
        log->previous(type, context, message);
    }
}
