#ifndef DBCOUNTTHREAD_H
#define DBCOUNTTHREAD_H

#include <QSqlDatabase>
#include <QThread>

// Runs one count query in the background and deletes itself afterwards.
// It works on a connection of its own to the same database as connName,
// since a connection belongs to the thread that opened it.
class DbCountThread : public QThread
{
    Q_OBJECT
public:
    explicit DbCountThread(QObject *parent = nullptr);

    // The first value of sql's first row on db, 0 when the query fails.
    static uint count(const QSqlDatabase &db, const QString &sql);

protected:
    void run() override;

private:
    QString connName = QStringLiteral("qt_sql_default_connection");
    QString sql = QStringLiteral("select 1");

Q_SIGNALS:
    void receiveCount(uint count, double msec);

public Q_SLOTS:
    void setConnName(const QString &connName);
    void setSql(const QString &sql);
    void select();
};

#endif // DBCOUNTTHREAD_H
