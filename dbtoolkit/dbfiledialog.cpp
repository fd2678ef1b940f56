#include "dbfiledialog.h"
#include "dbhelper.h"
#include "zemihelper.h"

bool DbFileDialog::inputData(int columnCount, const QString &filter, const QString &tableName, QString &fileName,
                             const QString &defaultDir)
{
    fileName = ZemiHelper::openFileDialog(filter, defaultDir);
    if (fileName.isEmpty()) {
        return true;
    }
    return DBHelper::importFile(columnCount, tableName, fileName);
}

bool DbFileDialog::outputData(QString &fileName, const QStringList &rows)
{
    if (fileName.isEmpty()) {
        return true;
    }
    if (rows.isEmpty()) {
        ZemiHelper::showMessageBoxError(QStringLiteral("没有要导出的数据!"), 3, false);
        fileName.clear();
        return false;
    }
    return DBHelper::writeTextFile(fileName, rows);
}

bool DbFileDialog::saveData(const QString &defaultName, const QString &filter, const QStringList &rows,
                            QString &fileName, const QString &defaultDir)
{
    const QString suggestion = QStringLiteral("%1/%2").arg(defaultDir, defaultName);
    fileName = ZemiHelper::saveFileDialog(filter, suggestion);
    outputData(fileName, rows);
    return true;
}
