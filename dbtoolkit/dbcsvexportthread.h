#ifndef DBCSVEXPORTTHREAD_H
#define DBCSVEXPORTTHREAD_H

#include <QAtomicInt>
#include <QStringList>
#include <QThread>
#include <QVariantList>
#include <QVector>

class QSqlDatabase;

// Writes the rows of one query to a CSV file from a thread and connection of
// its own: UTF-8 with a byte-order mark, RFC 4180 (CRLF, quoting), and a
// leading "'" on any field a spreadsheet would take for a formula.
//
// The rows are read in chunks, each chunk its own short statement that goes
// on from the key of the last row written, so no read lock is held between
// chunks and the program's own writes never wait for more than one chunk.
// The file is written under a temporary name in the target folder and
// renamed only when complete: a cancelled or failed export leaves nothing.
class DbCsvExportThread : public QThread
{
    Q_OBJECT
public:
    enum Result { Done, Empty, Cancelled, Failed };
    Q_ENUM(Result)
    enum Failure { NoFailure, FolderNotWritable, DiskFull, WriteFailed, DatabaseFailed };
    Q_ENUM(Failure)

    explicit DbCsvExportThread(QObject *parent = nullptr);
    // Stops a running export and waits for it: the temporary file goes with it.
    ~DbCsvExportThread() override;

    // The connection to copy (opened by the caller's thread; its busy
    // timeout comes along).
    void setConnName(const QString &connName);
    void setTableName(const QString &tableName);
    // Column expressions and their titles, in the file's order.
    void setColumns(const QStringList &columns, const QStringList &header);
    // A condition without "where", its values bound to its "?" marks in order.
    void setWhere(const QString &condition, const QVariantList &values = QVariantList());
    // The columns that order the rows uniquely, all in one direction, for
    // example {"LogDate desc", "rowid desc"}; an index over them makes every
    // chunk a seek.
    void setKeyColumns(const QStringList &keyColumns);
    void setFileName(const QString &fileName);
    void setChunkRows(int rows);

    Result result() const { return exportResult; }
    Failure failure() const { return exportFailure; }
    qint64 rowsWritten() const { return written; }

    // One record as the file holds it, CRLF included.
    static QByteArray csvRecord(const QStringList &fields);

public Q_SLOTS:
    // Cancels: the export ends after the chunk in hand, without a file.
    void stop();

Q_SIGNALS:
    void progress(qint64 rows, qint64 total);
    // Once, at the end, whatever the outcome.
    void exportFinished(int result, qint64 rows);
    void debug(const QString &msg);

protected:
    void run() override;

private:
    struct Key {
        QString column;
        bool descending;
    };

    QString connName = QStringLiteral("qt_sql_default_connection");
    QString tableName;
    QStringList columns;
    QStringList header;
    QString condition;
    QVariantList conditionValues;
    QList<Key> keys;
    QString fileName;
    int chunkRows = 4000;

    QAtomicInt stopping;
    Result exportResult = Done;
    Failure exportFailure = NoFailure;
    qint64 written = 0;

    Result exportTo(QSqlDatabase &db);
    bool countRows(QSqlDatabase &db, qint64 &total);
    // Appends up to `limit` records after `last` (or from the start when
    // empty) to `out`; `last` becomes the key of the last one.
    bool readChunk(QSqlDatabase &db, QVariantList &last, int limit, QByteArray &out, int &rows);
    bool readSqlite(QSqlDatabase &db, const QString &sql, const QVariantList &values, const QVector<int> &keyIndex,
                    QVariantList &last, QByteArray &out, int &rows);
    bool readPart(QSqlDatabase &db, const QString &extraCondition, const QVariantList &extraValues, int limit,
                  QVariantList &last, QByteArray &out, int &rows);
    Result fail(Failure failure, const QString &detail);
};

#endif // DBCSVEXPORTTHREAD_H
