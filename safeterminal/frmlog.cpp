#include "frmlog.h"
#include "terminallog.h"
#include "ui_frmlog.h"

#include "appconfig.h"
#include "dbcsvexportthread.h"
#include "dbhelper.h"
#include "dbpage.h"
#include "frmexportprogress.h"
#include "frmmessagebox.h"
#include "screentable.h"
#include "zemiclock.h"
#include "zemihelper.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QVBoxLayout>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtDebug>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

const char *const sampleTexts[4][5] = {
    {"添加用户成功", "修改测试成功", "修改用户成功", "删除测试用户成功", "进入查看日志界面"},
    {"用户密码错误", "用户开柜失败", "用户关柜", "用户取钱", "用户开柜成功"},
    {"非法开门", "温度报警", "金属误入插入", "市电掉电", "震动报警"},
    {"物资管理日志5", "物资管理日志4", "物资管理日志3", "物资管理日志2", "物资管理日志1"},
};

QString &givenMediaRoot()
{
    static QString root;
    return root;
}

// 0: the export thread's own.
int chunkRowsGiven = 0;

QString userName()
{
    const passwd *pw = getpwuid(geteuid());
    return pw ? QString::fromLocal8Bit(pw->pw_name) : qEnvironmentVariable("USER");
}

QString firstFolderIn(const QString &path)
{
    const QStringList folders = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    return folders.isEmpty() ? QString() : QDir(path).filePath(folders.first());
}

} // namespace

const QStringList &frmLog::logTypes()
{
    static const QStringList types = {QStringLiteral("管理日志"), QStringLiteral("开柜日志"),
                                      QStringLiteral("报警日志"), QStringLiteral("物资管理日志")};
    return types;
}

frmLog::frmLog(QWidget *parent) : QWidget(parent), ui(new Ui::frmLog)
{
    ui->setupUi(this);
    initForm();
    initTable();
    test();
}

frmLog::~frmLog()
{
    // The export's temporary file goes with it; the cover is a child of the window.
    delete exportThread;
    delete exportProgress;
}

QString frmLog::mediaRoot()
{
    return givenMediaRoot();
}

void frmLog::setMediaRoot(const QString &root)
{
    givenMediaRoot() = root;
}

int frmLog::exportChunkRows()
{
    return chunkRowsGiven;
}

void frmLog::setExportChunkRows(int rows)
{
    chunkRowsGiven = rows;
}

QString frmLog::exportFolder()
{
    QStringList roots;
    if (givenMediaRoot().isEmpty()) {
        const QString user = userName();
        roots << QStringLiteral("/media/") + user << QStringLiteral("/run/media/") + user;
    } else {
        roots << givenMediaRoot();
    }
    for (const QString &root : roots) {
        const QString folder = firstFolderIn(root);
        if (!folder.isEmpty()) {
            return folder;
        }
    }
    return ZemiHelper::applicationDirectory();
}

QString frmLog::exportFileName(const QString &logType, const QDateTime &at)
{
    return QStringLiteral("%1_%2.csv").arg(logType, at.toString(QStringLiteral("yyyyMMdd_HHmmss")));
}

void frmLog::initForm()
{
    const bool small = AppConfig::smallScreen();
    pageRows = small ? 7 : 10;
    connect(ui->btnReturn, &QPushButton::clicked, this, &frmLog::returnMain);
    ui->widgetNav->setProperty("flag", "nav");
    ui->widgetTop->setProperty("flag", "navtop");
    for (QPushButton *btn : ui->widgetTop->findChildren<QPushButton *>()) {
        btn->setCheckable(true);
        connect(btn, &QPushButton::clicked, this, &frmLog::buttonClick);
    }
    // Six buttons and the page labels share one row: the buttons narrower,
    // still a finger wide, and on the small screen the two labels one above
    // the other, so a page count of five digits still fits.
    for (QPushButton *btn : ui->widgetNav->findChildren<QPushButton *>()) {
        btn->setMinimumWidth(small ? 70 : 88);
    }
    if (small) {
        ui->layoutNav->setSpacing(6);
        auto *labels = new QVBoxLayout;
        labels->setSpacing(0);
        for (QLabel *label : {ui->labPageCurrent, ui->labPageCount}) {
            ui->layoutNav->removeWidget(label);
            label->setStyleSheet(QStringLiteral("font:12pt;"));
            labels->addWidget(label);
        }
        ui->layoutNav->insertLayout(0, labels);
    }
}

void frmLog::initTable()
{
    whereSql = QStringLiteral("where 1=1");
    columnNames = QStringList{QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("事件")};
    columnWidths = AppConfig::smallScreen() ? QList<int>{160, 140, 250} : QList<int>{200, 180, 250};

    dbPage = new DbPage(this);
    dbPage->setAllCenter(true);
    dbPage->setControl(ui->tableMain, ui->labPageCount, ui->labPageCurrent, nullptr, nullptr, nullptr, nullptr,
                       ui->btnFirst, ui->btnPre, ui->btnNext, ui->btnLast, QStringLiteral("rowid"),
                       QStringLiteral("qt_sql_default_connection"));
    dbPage->setSelectColumn(QStringLiteral("LogDate,LogTime,LogContent"));
    dbPage->setTableName(QStringLiteral("LogInfo"));
    dbPage->setOrderSql(QStringLiteral("rowid desc"));
    dbPage->setKeyColumns({QStringLiteral("rowid desc")});
    dbPage->setWhereSql(whereSql);
    dbPage->setResultCurrent(pageRows);
    dbPage->setColumnNames(columnNames);
    dbPage->setColumnWidths(columnWidths);
    dbPage->select();
    setupScreenTable(ui->tableMain);
}

void frmLog::buttonClick()
{
    auto *sender = qobject_cast<QPushButton *>(this->sender());
    const QList<QPushButton *> buttons = {ui->btnLog1, ui->btnLog2, ui->btnLog3, ui->btnLog4};
    const int index = buttons.indexOf(sender);
    if (index < 0) {
        return;
    }
    for (QPushButton *btn : buttons) {
        btn->setChecked(btn == sender);
    }
    whereSql = QStringLiteral("where logType='%1'").arg(logTypes().at(index));
    dbPage->setWhereSql(whereSql);
    // Newest first, in the order of the (LogType, LogDate) index: a page of one
    // type then never needs a sort of the whole type, which on a full log table
    // would be a visible pause.
    dbPage->setOrderSql(QStringLiteral("LogDate desc,rowid desc"));
    dbPage->setKeyColumns({QStringLiteral("LogDate desc"), QStringLiteral("rowid desc")});
    dbPage->select();
}

int frmLog::currentType() const
{
    const QList<QPushButton *> buttons = {ui->btnLog1, ui->btnLog2, ui->btnLog3, ui->btnLog4};
    for (int i = 0; i < buttons.count(); ++i) {
        if (buttons.at(i)->isChecked()) {
            return i;
        }
    }
    return 0;
}

void frmLog::on_btnExport_clicked()
{
    if (exportThread) {
        return;
    }
    const QString type = logTypes().at(currentType());
    {
        // Nothing to export is said before a file name is asked for.
        QSqlQuery query;
        query.prepare(QStringLiteral("select 1 from LogInfo where LogType=? limit 1"));
        query.addBindValue(type);
        if (!query.exec()) {
            qCWarning(lcTerminal) << "export check failed:" << query.lastError().text();
            frmMessageBox::Instance()->tell(QStringLiteral("导出失败：%1").arg(QStringLiteral("数据库错误")));
            return;
        }
        if (!query.next()) {
            frmMessageBox::Instance()->tell(QStringLiteral("没有要导出的数据!"));
            return;
        }
    }
    const QString suggestion = QDir(exportFolder()).filePath(exportFileName(type, ZemiClock::now()));
    QString fileName = ZemiHelper::saveFileDialog(QStringLiteral("CSV文件(*.csv)"), suggestion);
    if (fileName.isEmpty()) {
        return;
    }
    if (!fileName.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        fileName += QLatin1String(".csv");
    }

    exportType = type;
    exportThread = new DbCsvExportThread;
    exportThread->setConnName(QStringLiteral("qt_sql_default_connection"));
    exportThread->setTableName(QStringLiteral("LogInfo"));
    exportThread->setColumns({QStringLiteral("LogDate"), QStringLiteral("LogTime"), QStringLiteral("LogType"),
                              QStringLiteral("LogContent")},
                             {QStringLiteral("日期"), QStringLiteral("时间"), QStringLiteral("类型"),
                              QStringLiteral("事件")});
    exportThread->setWhere(QStringLiteral("LogType=?"), {type});
    // The screen's order.
    exportThread->setKeyColumns({QStringLiteral("LogDate desc"), QStringLiteral("rowid desc")});
    exportThread->setFileName(fileName);
    if (chunkRowsGiven > 0) {
        exportThread->setChunkRows(chunkRowsGiven);
    }

    if (!exportProgress) {
        exportProgress = new frmExportProgress(window());
    }
    connect(exportProgress, &frmExportProgress::cancelRequested, exportThread, &DbCsvExportThread::stop,
            Qt::DirectConnection);
    connect(exportThread, &DbCsvExportThread::progress, exportProgress, &frmExportProgress::setProgress);
    connect(exportThread, &DbCsvExportThread::exportFinished, this, &frmLog::exportFinished);
    exportProgress->begin(type);
    exportThread->start();
}

void frmLog::exportFinished(int result, qint64 rows)
{
    exportProgress->end();
    const DbCsvExportThread::Failure failure = exportThread->failure();
    exportThread->wait();
    delete exportThread;
    exportThread = nullptr;

    QString message;
    switch (result) {
    case DbCsvExportThread::Done:
        DBHelper::addManageLog(QStringLiteral("导出%1 %2 条").arg(exportType).arg(rows));
        if (currentType() == 0) {
            dbPage->select();
        }
        message = QStringLiteral("已导出 %1 条记录").arg(rows);
        break;
    case DbCsvExportThread::Empty:
        message = QStringLiteral("没有要导出的数据!");
        break;
    case DbCsvExportThread::Cancelled:
        message = QStringLiteral("已取消导出");
        break;
    default: {
        QString reason;
        switch (failure) {
        case DbCsvExportThread::FolderNotWritable:
            reason = QStringLiteral("目标文件夹不可写");
            break;
        case DbCsvExportThread::DiskFull:
            reason = QStringLiteral("磁盘空间不足");
            break;
        case DbCsvExportThread::DatabaseFailed:
            reason = QStringLiteral("数据库错误");
            break;
        default:
            reason = QStringLiteral("写入文件出错");
            break;
        }
        message = QStringLiteral("导出失败：%1").arg(reason);
        break;
    }
    }
    frmMessageBox::Instance()->tell(message);
}

void frmLog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui->btnLog1->click();
}

void frmLog::test()
{
    if (!AppConfig::SampleData) {
        return;
    }
    const int type = std::rand() % 4;
    // All ten or none; a database that cannot take them is given up on at once.
    DbWriteTransaction write;
    bool ok = write.isActive();
    for (int i = 0; ok && i < 10; ++i) {
        ok = DBHelper::addLog(logTypes().at(type), QString::fromUtf8(sampleTexts[type][std::rand() % 5]));
    }
    if (ok) {
        write.commit();
    }
}
