#ifndef DBEXECSQLTHREAD_H
#define DBEXECSQLTHREAD_H

#include <QStringList>
#include <QThread>

// Runs a list of statements in one transaction on an existing connection and
// deletes itself when done. An in-memory database is out of its reach: it then
// runs nothing and reports finsh(false, 0).
class DbExecSqlThread : public QThread
{
    Q_OBJECT
public:
    explicit DbExecSqlThread(QObject *parent = nullptr);

protected:
    void run() override;

private:
    QString connName = QStringLiteral("qt_sql_default_connection");
    QStringList sqls;

Q_SIGNALS:
    void finsh(bool ok, uint count, double msec);

public Q_SLOTS:
    void setConnName(const QString &connName);
    void setSqls(const QStringList &sqls);
};

#endif // DBEXECSQLTHREAD_H
