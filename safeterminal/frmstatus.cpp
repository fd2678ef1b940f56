#include "frmstatus.h"
#include "ui_frmstatus.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "dbpage.h"
#include "screentable.h"

#include <QHeaderView>
#include <QSqlDatabase>
#include <cstdlib>

namespace {

const char *const faultTypes[5] = {"非法开门", "温度报警", "金属误入插入", "市电掉电", "震动报警"};

} // namespace

frmStatus::frmStatus(QWidget *parent) : QWidget(parent), ui(new Ui::frmStatus)
{
    ui->setupUi(this);
    initForm();
    initTable();
    initTable1();
    initTable2();
    test();
}

frmStatus::~frmStatus() = default;

void frmStatus::initForm()
{
    const bool small = AppConfig::smallScreen();
    pageRows = small ? 10 : 13;
    ui->widgetLeft->setFixedWidth(small ? 90 : 120);
    ui->widgetReturn->setFixedWidth(small ? 120 : 150);
    ui->widgetReturn1->setFixedWidth(small ? 120 : 150);
    ui->widgetReturn2->setFixedWidth(small ? 120 : 150);

    connect(ui->btnReturn, &QPushButton::clicked, this, &frmStatus::returnMain);
    connect(ui->btnDormant, &QPushButton::clicked, this, &frmStatus::dormant);
    connect(ui->btnReturn1, &QPushButton::clicked, this, &frmStatus::returnMain);
    connect(ui->btnReturn2, &QPushButton::clicked, this, &frmStatus::returnMain);
    ui->widgetReturn->setProperty("flag", "return");
    ui->widgetReturn1->setProperty("flag", "return");
    ui->widgetReturn2->setProperty("flag", "return");
    ui->widgetLeft->setProperty("flag", "navleft");
    for (QPushButton *btn : ui->widgetLeft->findChildren<QPushButton *>()) {
        btn->setCheckable(true);
        connect(btn, &QPushButton::clicked, this, &frmStatus::buttonClick);
    }
    ui->btnStatus->click();
}

void frmStatus::buttonClick()
{
    auto *sender = qobject_cast<QPushButton *>(this->sender());
    const QList<QPushButton *> buttons = {ui->btnStatus, ui->btnStatus1, ui->btnStatus2};
    const int index = buttons.indexOf(sender);
    if (index < 0) {
        return;
    }
    for (QPushButton *btn : buttons) {
        btn->setChecked(btn == sender);
    }
    ui->stackedWidget->setCurrentIndex(index);
    if (index == 1 && goodsPage) {
        goodsPage->select();
    } else if (index == 2 && errorPage) {
        errorPage->select();
    }
}

void frmStatus::initTable()
{
    QTableWidget *table = ui->tableMain;
    table->setColumnCount(2);
    table->setRowCount(7);
    table->horizontalHeader()->setVisible(false);
    setupScreenTable(table);
    // Long values wrap onto a second line instead of being cut off.
    const bool small = AppConfig::smallScreen();
    table->setColumnWidth(0, small ? 120 : 170);
    table->setWordWrap(true);
    table->setTextElideMode(Qt::ElideNone);
    table->verticalHeader()->setMinimumSectionSize(39);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    const QStringList names = {QStringLiteral("MAC地址"), QStringLiteral("本机IP"), QStringLiteral("连接状态"),
                               QStringLiteral("主服务器IP"), QStringLiteral("从服务器IP"),
                               QStringLiteral("温湿度状态"), QStringLiteral("版本信息")};
    const QStringList values = {QStringLiteral("20-02-4B-96-00-1B"), AppConfig::IPClient,
                                QStringLiteral("远程控制中心正常"), AppConfig::IPServer, AppConfig::IPServer2,
                                QStringLiteral("温度设备未接入 / 湿度设备未接入"),
                                QStringLiteral("HAV2800  硬件版本: V1.0  软件版本: V1.0")};
    for (int i = 0; i < names.size(); ++i) {
        setItem(i, names.at(i));
        setValue(i, values.at(i));
    }
}

void frmStatus::setItem(int index, const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    ui->tableMain->setItem(index, 0, item);
}

void frmStatus::setValue(int index, const QString &text)
{
    ui->tableMain->setItem(index, 1, new QTableWidgetItem(text));
}

DbPage *frmStatus::createPage(QTableView *table, QLabel *pageCount, QLabel *pageCurrent, QLabel *resultCount,
                              QLabel *resultCurrent, QPushButton *first, QPushButton *pre, QPushButton *next,
                              QPushButton *last, const QString &columns, const QString &tableName,
                              const QStringList &names, const QList<int> &widths)
{
    auto *page = new DbPage(this);
    page->setAllCenter(true);
    page->setControl(table, pageCount, pageCurrent, resultCount, resultCurrent, nullptr, nullptr, first, pre, next,
                     last, QStringLiteral("rowid"), QStringLiteral("qt_sql_default_connection"));
    page->setSelectColumn(columns);
    page->setTableName(tableName);
    page->setOrderSql(QStringLiteral("rowid desc"));
    page->setKeyColumns({QStringLiteral("rowid desc")});
    page->setWhereSql(whereSql);
    page->setResultCurrent(pageRows);
    page->setColumnNames(names);
    page->setColumnWidths(widths);
    page->select();
    setupScreenTable(table);
    return page;
}

void frmStatus::initTable1()
{
    goodsPage = createPage(ui->tableMain1, ui->labPageCount1, ui->labPageCurrent1, ui->labResultCount1,
                           ui->labResultCurrent1, ui->btnFirst1, ui->btnPre1, ui->btnNext1, ui->btnLast1,
                           QStringLiteral("GoodsID,GoodsEPC,GoodsType,GoodsContent"), QStringLiteral("GoodsInfo"),
                           {QStringLiteral("物资编号"), QStringLiteral("EPC编号"), QStringLiteral("物资类型"),
                            QStringLiteral("物资状态")},
                           // Between the two bars of the narrow screen only 380 pixels are left.
                           AppConfig::smallScreen() ? QList<int>{90, 86, 100, 100} : QList<int>{100, 100, 120, 150});
}

void frmStatus::initTable2()
{
    errorPage = createPage(ui->tableMain2, ui->labPageCount2, ui->labPageCurrent2, ui->labResultCount2,
                           ui->labResultCurrent2, ui->btnFirst2, ui->btnPre2, ui->btnNext2, ui->btnLast2,
                           QStringLiteral("ErrorType,ErrorContent"), QStringLiteral("ErrorInfo"),
                           {QStringLiteral("故障类型"), QStringLiteral("故障内容")}, {180, 200});
}

void frmStatus::test()
{
    if (!AppConfig::SampleData) {
        return;
    }
    // All ten or none; a database that cannot take them is given up on at once.
    DbWriteTransaction write;
    bool ok = write.isActive();
    if (std::rand() % 2 == 1) {
        for (int i = 0; ok && i < 10; ++i) {
            ok = DBHelper::addError(QString::fromUtf8(faultTypes[std::rand() % 5]), QStringLiteral("故障排查信息"));
        }
    } else {
        for (int i = 0; ok && i < 10; ++i) {
            const QString number = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
            ok = DBHelper::addGoods(QStringLiteral("WP") + number, QStringLiteral("EPC") + number,
                                    QStringLiteral("贵重物品"), QString::fromUtf8(faultTypes[std::rand() % 5]));
        }
    }
    if (ok) {
        write.commit();
    }
}
