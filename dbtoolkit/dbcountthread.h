#ifndef DBCOUNTTHREAD_H
#define DBCOUNTTHREAD_H

#include <QSqlDatabase>
#include <QThread>

// Runs one count query in the background and deletes itself afterwards.
// It works on a connection of its own to the same database as connName,
// since a connection belongs to the thread that opened it. A count that
// fails is told in the debug output and not reported: it is no count of 0.
class DbCountThread : public QThread
{
    Q_OBJECT
public:
    explicit DbCountThread(QObject *parent = nullptr);

    // The first value of sql's first row on db; false when the query failed.
    static bool count(const QSqlDatabase &db, const QString &sql, uint &count);

    // Counts along an order in slices instead of with one statement.
    // firstEndSql gives the order's key values of the first slice's last
    // row ("... limit 1 offset sliceRows-1"), nextEndSql the same for the
    // slice after a given key, and restSql counts what is left after a given
    // key; their placeholders take the key values in valueOrder (indexes into
    // the key). On SQLite every statement holds a read lock for as long as it
    // runs: a writer on another connection then waits for one slice, not for
    // the whole count. A count in slices stops between two slices once
    // requestInterruption() is called, without a result.
    void setSlices(const QString &firstEndSql, const QString &nextEndSql, const QString &restSql, int sliceRows,
                   const QList<int> &valueOrder);

protected:
    void run() override;

private:
    QString connName = QStringLiteral("qt_sql_default_connection");
    QString sql = QStringLiteral("select 1");
    QString firstEndSql;
    QString nextEndSql;
    QString restSql;
    int sliceRows = 0;
    QList<int> valueOrder;

    bool countSlices(const QSqlDatabase &db, uint &count) const;

Q_SIGNALS:
    void receiveCount(uint count, double msec);

public Q_SLOTS:
    void setConnName(const QString &connName);
    void setSql(const QString &sql);
    void select();
};

#endif // DBCOUNTTHREAD_H
