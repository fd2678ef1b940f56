#ifndef ZEMIFILES_H
#define ZEMIFILES_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Folder helpers that need nothing but Qt Core, for the database threads as
// much as for the screens. Symbolic links are removed, never followed.
namespace ZemiFiles {

// Removes everything inside path and keeps path itself; true when nothing was left behind.
bool emptyFolder(const QString &path);
// Removes path and everything inside it; true when it is gone.
bool removeTree(const QString &path);
// Bytes of the plain files directly in folder whose names match nameFilters (all when empty).
qint64 filesSize(const QString &folder, const QStringList &nameFilters = QStringList());

} // namespace ZemiFiles

#endif // ZEMIFILES_H
