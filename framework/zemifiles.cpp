#include "zemifiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ZemiFiles {

bool emptyFolder(const QString &path)
{
    if (!QFileInfo(path).isDir()) {
        return false;
    }
    bool ok = true;
    QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QFileInfo entry = it.fileInfo();
        if (entry.isDir() && !entry.isSymLink()) {
            ok = removeTree(entry.filePath()) && ok;
        } else {
            ok = QFile::remove(entry.filePath()) && ok;
        }
    }
    return ok;
}

bool removeTree(const QString &path)
{
    const bool emptied = emptyFolder(path);
    return emptied && QDir().rmdir(path);
}

qint64 filesSize(const QString &folder, const QStringList &nameFilters)
{
    qint64 total = 0;
    const QFileInfoList files = QDir(folder).entryInfoList(nameFilters, QDir::Files);
    for (const QFileInfo &file : files) {
        total += file.size();
    }
    return total;
}

} // namespace ZemiFiles
