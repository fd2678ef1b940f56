#include "demotable.h"
#include "dbdelegate.h"
#include "dbpage.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column { ColId, ColName, ColPwd, ColType, ColDate, ColTime, ColSeen, ColState, ColCheck, ColumnCount };

bool createSample(const QString &file)
{
    // A demo shown again starts from a fresh file on the same connection.
    QSqlDatabase db = QSqlDatabase::contains() ? QSqlDatabase::database(QSqlDatabase::defaultConnection, false)
                                               : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.close();
    QFile::remove(file);
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        return false;
    }
    QSqlQuery query;
    if (!query.exec(QStringLiteral("create table DemoUser(UserID text primary key, UserName text, UserPwd text, "
                                   "UserType text, ValidDate text, OpenTime text, LastSeen text, State text)"))) {
        return false;
    }
    struct Row {
        const char *name, *pwd, *type, *date, *time, *seen, *state;
    };
    const Row rows[] = {
        {"张伟", "123456", "管理员", "2026-12-31", "08:30:00", "2026-03-02 09:15:20", "正常"},
        {"李娜", "8888", "操作员", "2026-06-30", "09:00:00", "2026-03-02 10:02:41", "门磁告警"},
        {"王强", "pass1234", "操作员", "2027-01-15", "07:45:00", "2026-03-01 17:44:03", "正常"},
        {"刘洋", "", "访客", "2026-04-01", "10:00:00", "2026-02-28 14:20:11", "主电源故障"},
        {"陈静", "abc12", "审计员", "2026-09-09", "08:00:00", "2026-03-02 08:01:56", "正常"},
        {"杨帆", "20260302", "操作员", "2026-05-20", "13:30:00", "2026-03-02 11:37:09", "震动告警"},
        {"赵磊", "qwerty", "管理员", "2027-03-01", "06:50:00", "2026-03-01 22:10:45", "正常"},
    };
    QSqlQuery insert;
    insert.prepare(QStringLiteral("insert into DemoUser values(?,?,?,?,?,?,?,?)"));
    db.transaction();
    int id = 1;
    for (const Row &row : rows) {
        insert.addBindValue(QStringLiteral("U%1").arg(id++, 3, 10, QLatin1Char('0')));
        for (const char *value : {row.name, row.pwd, row.type, row.date, row.time, row.seen, row.state}) {
            insert.addBindValue(QString::fromUtf8(value));
        }
        if (!insert.exec()) {
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

DbDelegate *delegate(QObject *parent, const QString &type, const QStringList &values = {QString()})
{
    auto *d = new DbDelegate(parent);
    d->setDelegateType(type);
    d->setDelegateValue(values);
    return d;
}

} // namespace

DemoTable::DemoTable(const QString &databaseFile, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DemoTable"));
    tableMain = new QTableView(this);
    tableMain->setObjectName(QStringLiteral("tableMain"));
    tableMain->verticalHeader()->setVisible(false);
    tableMain->verticalHeader()->setDefaultSectionSize(30);
    tableMain->horizontalHeader()->setStretchLastSection(true);

    auto *labPageCurrent = new QLabel(this);
    auto *labPageCount = new QLabel(this);
    auto *labResultCount = new QLabel(this);
    auto *labResult = new QLabel(this);
    auto *btnFirst = new QPushButton(QStringLiteral("第一页"), this);
    auto *btnPre = new QPushButton(QStringLiteral("上一页"), this);
    auto *btnNext = new QPushButton(QStringLiteral("下一页"), this);
    auto *btnLast = new QPushButton(QStringLiteral("末一页"), this);
    auto *nav = new QHBoxLayout;
    for (QLabel *label : {labPageCurrent, labPageCount, labResultCount, labResult}) {
        nav->addWidget(label);
    }
    nav->addStretch();
    for (QPushButton *button : {btnFirst, btnPre, btnNext, btnLast}) {
        nav->addWidget(button);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(tableMain, 1);
    layout->addLayout(nav);

    if (!createSample(databaseFile)) {
        labResult->setText(QStringLiteral("示例数据库创建失败"));
        return;
    }

    dbPage = new DbPage(this);
    dbPage->setControl(tableMain, labPageCount, labPageCurrent, labResultCount, nullptr, labResult, nullptr, btnFirst,
                       btnPre, btnNext, btnLast, QStringLiteral("UserID"));
    dbPage->setTableName(QStringLiteral("DemoUser"));
    dbPage->setSelectColumn(QStringLiteral("UserID,UserName,UserPwd,UserType,ValidDate,OpenTime,LastSeen,State"));
    dbPage->setKeyColumns({QStringLiteral("UserID")});
    dbPage->setResultCurrent(5);
    dbPage->setColumnNames({QStringLiteral("编号"), QStringLiteral("姓名"), QStringLiteral("密码"),
                            QStringLiteral("类型"), QStringLiteral("有效期"), QStringLiteral("开柜时间"),
                            QStringLiteral("最近使用"), QStringLiteral("状态")});
    dbPage->setColumnWidths({60, 80, 90, 90, 110, 110, 170, 100});
    dbPage->setAllCenter(true);
    // The icon column is added to the query's columns.
    dbPage->setInsertColumnIndex(ColCheck);
    dbPage->setInsertColumnName(QStringLiteral("告警"));
    dbPage->setInsertColumnWidth(50);
    dbPage->select();

    tableMain->setItemDelegateForColumn(ColName, delegate(this, QStringLiteral("QLineEdit")));
    DbDelegate *pwd = delegate(this, QStringLiteral("QLineEdit"));
    pwd->setDelegatePwd(true);
    pwd->setPwdColumn(ColPwd);
    tableMain->setItemDelegateForColumn(ColPwd, pwd);
    tableMain->setItemDelegateForColumn(
        ColType, delegate(this, QStringLiteral("QComboBox"),
                          {QStringLiteral("管理员"), QStringLiteral("操作员"), QStringLiteral("审计员"),
                           QStringLiteral("访客")}));
    tableMain->setItemDelegateForColumn(ColDate, delegate(this, QStringLiteral("QDateEdit")));
    tableMain->setItemDelegateForColumn(ColTime, delegate(this, QStringLiteral("QTimeEdit")));
    tableMain->setItemDelegateForColumn(ColSeen, delegate(this, QStringLiteral("QDateTimeEdit")));
    DbDelegate *check = new DbDelegate(this);
    check->setCheckColumn(ColCheck);
    check->setCheckTarget(ColState);
    check->setCheckValue(QStringLiteral("告警|故障"));
    check->setCheckImageWidth(18);
    check->setCheckImageHeight(18);
    tableMain->setItemDelegateForColumn(ColCheck, check);
    tableMain->setEditTriggers(QAbstractItemView::DoubleClicked);
}

void DemoTable::openEditors()
{
    if (!tableMain->model()) {
        return;
    }
    for (int column : {ColType, ColDate, ColTime, ColSeen}) {
        tableMain->openPersistentEditor(tableMain->model()->index(0, column));
    }
}
