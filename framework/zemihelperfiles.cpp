// Files and folders.

#include "zemihelper.h"
#include "zemiclock.h"
#include "zemifiles.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

QString ZemiHelper::fileNameOf(const QString &path)
{
    return QFileInfo(path).fileName();
}

bool ZemiHelper::folderExists(const QString &path)
{
    return QDir(path).exists();
}

bool ZemiHelper::fileExists(const QString &path)
{
    return QFileInfo(path).isFile();
}

void ZemiHelper::copyFile(const QString &sourceFile, const QString &targetFile)
{
    QFile::copy(sourceFile, targetFile);
    // A copy of a resource is read-only; the owner must be able to write it.
    QFile::setPermissions(targetFile, QFile::WriteOwner | QFile::ReadOwner);
}

void ZemiHelper::copyFileIfEmpty(const QString &sourceFile, const QString &targetFile)
{
    const QFileInfo info(targetFile);
    if (info.exists() && info.size() > 0) {
        return;
    }
    QFile::remove(targetFile);
    copyFile(sourceFile, targetFile);
}

void ZemiHelper::copyDefaultDatabase(const QString &targetFile)
{
    copyFileIfEmpty(QStringLiteral(":/%1.db").arg(applicationBaseName()), targetFile);
}

QStringList ZemiHelper::listFolderFiles(const QStringList &nameFilters)
{
    const QString path = chooseDirectory();
    if (path.isEmpty() || !QDir(path).exists()) {
        return QStringList();
    }
    return QDir(path).entryList(nameFilters);
}

void ZemiHelper::deleteDirectory(const QString &path)
{
    ZemiFiles::emptyFolder(path);
}

void ZemiHelper::writeRunLog(const QString &text, const QString &subFolder)
{
    const QString fileName = QStringLiteral("%1/%2/%3_runinfo_%4.txt")
                                 .arg(applicationDirectory(), subFolder, applicationBaseName(),
                                      ZemiClock::today().toString(QStringLiteral("yyyyMM")));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        return;
    }
    const QString line = QStringLiteral("%1  %2\n")
                             .arg(ZemiClock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), text);
    file.write(line.toLocal8Bit());
}
