#ifndef CSVREADER_H
#define CSVREADER_H

#include <QByteArray>
#include <QList>
#include <QStringList>

// A strict RFC 4180 reader for checking exported files: records end in CRLF,
// fields are separated by commas, a quoted field may hold commas, CR, LF and
// doubled quotes. Anything else (a bare CR or LF, a quote inside an unquoted
// field, text after a closing quote, a missing last CRLF) is an error.
namespace CsvReader {

// The text as UTF-8 after an optional byte-order mark; ok is false on any
// breach of the format, with what and where in error.
QList<QStringList> parse(const QByteArray &data, bool *ok = nullptr, QString *error = nullptr);

} // namespace CsvReader

#endif // CSVREADER_H
