#include "testsupport.h"

#include <QFile>
#include <QSqlError>
#include <QtDebug>

namespace TestSupport {

static QString nameOrDefault(const QString &connName)
{
    return connName.isEmpty() ? QLatin1String(QSqlDatabase::defaultConnection) : connName;
}

bool createTerminalDatabase(const QString &fileName)
{
    const QString conn = QStringLiteral("testsupport_schema");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(fileName);
        ok = db.open();
        QFile schema(QStringLiteral(SECSUITE_SCHEMA_FILE));
        ok = ok && schema.open(QIODevice::ReadOnly);
        QString text = QString::fromUtf8(schema.readAll());
        QSqlQuery query(db);
        for (QString statement : text.split(QLatin1Char(';'))) {
            QStringList lines;
            for (const QString &line : statement.split(QLatin1Char('\n'))) {
                if (!line.trimmed().startsWith(QLatin1String("--"))) {
                    lines << line;
                }
            }
            statement = lines.join(QLatin1Char('\n')).trimmed();
            if (!statement.isEmpty() && !query.exec(statement)) {
                qWarning() << statement << query.lastError().text();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(conn);
    return ok;
}

QSqlDatabase openSqlite(const QString &fileName, const QString &connName)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nameOrDefault(connName));
    db.setDatabaseName(fileName);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    db.open();
    return db;
}

void closeConnection(const QString &connName)
{
    const QString name = nameOrDefault(connName);
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList column(const QString &sql, const QString &connName)
{
    QStringList values;
    QSqlQuery query(QSqlDatabase::database(nameOrDefault(connName)));
    if (!query.exec(sql)) {
        qWarning() << sql << query.lastError().text();
    }
    while (query.next()) {
        values << query.value(0).toString();
    }
    return values;
}

int count(const QString &sql, const QString &connName)
{
    return column(sql, connName).value(0, QStringLiteral("-1")).toInt();
}

QByteArray readFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    return file.readAll();
}

bool writeFile(const QString &fileName, const QByteArray &data)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(data) == data.size();
}

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString leakOptions = env.value(QStringLiteral("LSAN_OPTIONS"));
    if (!leakOptions.isEmpty()) {
        env.insert(QStringLiteral("LSAN_OPTIONS"), QString(leakOptions).remove(QStringLiteral("fast_unwind_on_malloc=0")));
    }
    return env;
}

} // namespace TestSupport
