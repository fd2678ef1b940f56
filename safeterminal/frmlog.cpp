#include "frmlog.h"
#include "ui_frmlog.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "dbpage.h"
#include "screentable.h"

#include <QSqlDatabase>
#include <cstdlib>

namespace {

const char *const sampleTexts[4][5] = {
    {"添加用户成功", "修改测试成功", "修改用户成功", "删除测试用户成功", "进入查看日志界面"},
    {"用户密码错误", "用户开柜失败", "用户关柜", "用户取钱", "用户开柜成功"},
    {"非法开门", "温度报警", "金属误入插入", "市电掉电", "震动报警"},
    {"物资管理日志5", "物资管理日志4", "物资管理日志3", "物资管理日志2", "物资管理日志1"},
};

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

frmLog::~frmLog() = default;

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
    if (small) {
        for (QPushButton *btn : ui->widgetNav->findChildren<QPushButton *>()) {
            btn->setMinimumWidth(76);
        }
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
