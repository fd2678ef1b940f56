#include "signallog.h"

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
