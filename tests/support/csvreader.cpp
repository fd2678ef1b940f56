#include "csvreader.h"

namespace CsvReader {

QList<QStringList> parse(const QByteArray &data, bool *ok, QString *error)
{
    QByteArray bytes = data;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the field in hand was quoted and has closed
    QString why;
    int i = 0;
    const int n = text.size();
    while (i < n && why.isEmpty()) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                    field += QLatin1Char('"');
                    i += 2;
                    continue;
                }
                quoted = false;
                wasQuoted = true;
            } else {
                field += c;
            }
            ++i;
            continue;
        }
        if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 >= n || text.at(i + 1) != QLatin1Char('\n')) {
                why = QStringLiteral("bare CR");
                break;
            }
            record << field;
            records << record;
            record.clear();
            field.clear();
            wasQuoted = false;
            ++i;
        } else if (c == QLatin1Char('\n')) {
            why = QStringLiteral("bare LF");
        } else if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || wasQuoted) {
                why = QStringLiteral("quote inside an unquoted field");
            }
            quoted = true;
        } else if (wasQuoted) {
            why = QStringLiteral("text after a closing quote");
        } else {
            field += c;
        }
        ++i;
    }
    if (why.isEmpty() && quoted) {
        why = QStringLiteral("quote not closed");
    }
    if (why.isEmpty() && (!field.isEmpty() || !record.isEmpty() || wasQuoted)) {
        why = QStringLiteral("last record without CRLF");
    }
    if (!why.isEmpty() && error) {
        *error = QStringLiteral("%1 at character %2 (record %3)").arg(why).arg(i).arg(records.size() + 1);
    }
    if (ok) {
        *ok = why.isEmpty();
    }
    return records;
}

} // namespace CsvReader
