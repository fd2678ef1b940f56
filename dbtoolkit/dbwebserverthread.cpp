#include "dbwebserverthread.h"
#include "dbsync.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

DbWebServerThread::DbWebServerThread(QObject *parent) : QThread(parent)
{
}

DbWebServerThread::~DbWebServerThread()
{
    stop();
    wait();
}

void DbWebServerThread::run()
{
    forever {
        if (handOff.takeStop()) {
            break;
        }
        checkData();
        int pause = 0;
        {
            QMutexLocker lock(&handOff.mutex);
            pause = readInterval;
        }
        handOff.serve(pause);
    }
}

bool DbWebServerThread::fetch(const QString &url, bool keepEmpty, QStringList *rows, QString *reason)
{
    int limit = 0;
    {
        QMutexLocker lock(&handOff.mutex);
        limit = timeout;
    }
    const bool inWorker = handOff.inWorker();

    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(url, QUrl::TolerantMode)));
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    if (limit > 0) {
        timer.start(limit);
    }
    bool stopping = false;
    if (inWorker) {
        QMutexLocker lock(&handOff.mutex);
        stopping = handOff.stopRequested();
        runningFetch = &loop;
    }
    if (!stopping && !reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (inWorker) {
        QMutexLocker lock(&handOff.mutex);
        runningFetch = nullptr;
        stopping = handOff.stopRequested();
    }

    bool ok = false;
    if (!reply->isFinished()) {
        reply->abort();
        *reason = stopping ? QString() : QStringLiteral("%1 毫秒内没有应答").arg(limit);
    } else if (reply->error() != QNetworkReply::NoError) {
        *reason = reply->errorString();
    } else {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status != 0 && (status < 200 || status > 299)) {
            *reason = QStringLiteral("HTTP %1 %2")
                          .arg(status)
                          .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
        } else {
            ok = true;
            // A ";" ends a part: one after the last part starts no empty one,
            // and an empty body has none.
            const QString text = QString::fromUtf8(reply->readAll());
            QStringList parts = text.split(QLatin1Char(';'));
            if (text.isEmpty() || text.endsWith(QLatin1Char(';'))) {
                parts.removeLast();
            }
            for (const QString &part : qAsConst(parts)) {
                // The polled rows are data: an empty one carries nothing.
                if (keepEmpty || !part.trimmed().isEmpty()) {
                    rows->append(part);
                }
            }
        }
    }
    delete reply;
    return ok;
}

void DbWebServerThread::checkData()
{
    QString url;
    QList<int> keys;
    {
        QMutexLocker lock(&handOff.mutex);
        if (shape.columnName.isEmpty() || shape.tableName.isEmpty()) {
            return;
        }
        url = webUrl;
        keys = shape.keyIndex;
    }

    QElapsedTimer timer;
    timer.start();
    QStringList rows;
    QString reason;
    if (!fetch(url, false, &rows, &reason)) {
        if (!reason.isEmpty()) {
            emit debug(QStringLiteral("读取数据出错 原因: %1").arg(reason));
        }
        return;
    }
    QStringList keyData;
    keyData.reserve(rows.size());
    for (const QString &row : qAsConst(rows)) {
        keyData << DbSync::keyOf(row.split(QLatin1Char('|')), keys);
    }
    emit dataReceive(keyData, rows);
    emit debug(QStringLiteral("远程实时获取数据(共 %1 条/用时 %2 秒)")
                   .arg(rows.size())
                   .arg(DbSync::seconds(double(timer.nsecsElapsed()) / 1e6)));
}

QStringList DbWebServerThread::getData(const QString &url)
{
    QStringList rows;
    QString reason;
    if (!fetch(url, true, &rows, &reason) && !reason.isEmpty()) {
        emit debug(QStringLiteral("读取数据出错 原因: %1").arg(reason));
    }
    return rows;
}

void DbWebServerThread::stop()
{
    handOff.stop();
    QMutexLocker lock(&handOff.mutex);
    if (runningFetch) {
        // The loop belongs to the worker: ask it to quit from there.
        QMetaObject::invokeMethod(runningFetch, &QEventLoop::quit, Qt::QueuedConnection);
    }
}

void DbWebServerThread::setWebUrl(const QString &webUrl)
{
    QMutexLocker lock(&handOff.mutex);
    this->webUrl = webUrl;
}

void DbWebServerThread::setReadInterval(int readInterval)
{
    QMutexLocker lock(&handOff.mutex);
    this->readInterval = readInterval;
}

void DbWebServerThread::setTableName(const QString &tableName)
{
    QMutexLocker lock(&handOff.mutex);
    shape.tableName = tableName;
}

void DbWebServerThread::setColumnName(const QStringList &columnName)
{
    QMutexLocker lock(&handOff.mutex);
    shape.setColumnName(columnName);
}

void DbWebServerThread::setKeyName(const QStringList &keyName)
{
    QMutexLocker lock(&handOff.mutex);
    shape.setKeyName(keyName);
}

void DbWebServerThread::setTimeout(int ms)
{
    QMutexLocker lock(&handOff.mutex);
    timeout = ms;
}
