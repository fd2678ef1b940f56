#include "frmuser.h"
#include "ui_frmuser.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerprints.h"
#include "fingerreader.h"
#include "dbpage.h"
#include "frmmessagebox.h"
#include "frmuseradd.h"
#include "frmuserfingerin.h"
#include "frmuserfingerselect.h"
#include "screentable.h"


frmUser::frmUser(QWidget *parent) : QWidget(parent), ui(new Ui::frmUser)
{
    ui->setupUi(this);
    initForm();
    initTable();
}

frmUser::~frmUser() = default;

void frmUser::initForm()
{
    const bool small = AppConfig::smallScreen();
    pageRows = small ? 8 : 11;
    const int barWidth = small ? 120 : 150;
    ui->widgetLeft->setFixedWidth(barWidth);
    ui->widgetReturn->setFixedWidth(barWidth);
    ui->widgetLeft->setProperty("flag", "nav");
    ui->widgetReturn->setProperty("flag", "return");
    ui->labTitle->setProperty("flag", "title");
    if (small) {
        ui->layoutTablePage->setContentsMargins(8, 4, 8, 8);
        ui->layoutLeftBar->setSpacing(6);
    }

    connect(ui->btnReturn, &QPushButton::clicked, this, &frmUser::returnMain);

    auto *userAdd = new frmUserAdd;
    auto *fingerSelect = new frmUserFingerSelect;
    auto *fingerIn = new frmUserFingerIn;
    connect(userAdd, &frmUserAdd::returnMain, this, &frmUser::returnThis);
    connect(fingerSelect, &frmUserFingerSelect::returnMain, this, &frmUser::returnThis);
    connect(fingerIn, &frmUserFingerIn::returnMain, this, &frmUser::returnThis);
    connect(this, &frmUser::receiveUserInfo, userAdd, &frmUserAdd::receiveUserInfo);
    connect(userAdd, &frmUserAdd::userFinger, fingerIn, &frmUserFingerIn::userFinger);
    connect(userAdd, &frmUserAdd::userFinger, fingerSelect, &frmUserFingerSelect::userFinger);
    connect(fingerSelect, &frmUserFingerSelect::userHand, fingerIn, &frmUserFingerIn::userHand);
    connect(fingerIn, &frmUserFingerIn::fingerFinsh, fingerSelect, &frmUserFingerSelect::fingerFinsh);
    ui->stackedWidget->addWidget(userAdd);
    ui->stackedWidget->addWidget(fingerSelect);
    ui->stackedWidget->addWidget(fingerIn);

    connect(frmMessageBox::Instance(), &frmMessageBox::result, this, &frmUser::result);
}

void frmUser::initTable()
{
    const bool small = AppConfig::smallScreen();
    columnNames = QStringList{QStringLiteral("用户编号"), QStringLiteral("用户名称"), QStringLiteral("用户权限")};
    // The narrow screen leaves less room beside the button bar.
    columnWidths = small ? QList<int>{130, 130, 180} : QList<int>{180, 180, 230};

    dbPage = new DbPage(this);
    connect(dbPage, &DbPage::receivePage, this, &frmUser::receivePage);
    dbPage->setAllCenter(true);
    dbPage->setControl(ui->tableMain, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, ui->btnFirst,
                       ui->btnPre, ui->btnNext, ui->btnLast, QStringLiteral("rowid"),
                       QStringLiteral("qt_sql_default_connection"));
    dbPage->setSelectColumn(QStringLiteral("UserID,UserName,UserAdmin"));
    dbPage->setTableName(QStringLiteral("UserInfo"));
    dbPage->setOrderSql(QStringLiteral("rowid asc"));
    dbPage->setKeyColumns({QStringLiteral("rowid asc")});
    dbPage->setWhereSql(whereSql);
    dbPage->setResultCurrent(pageRows);
    dbPage->setColumnNames(columnNames);
    dbPage->setColumnWidths(columnWidths);
    dbPage->select();

    ui->btnFirst->setVisible(false);
    ui->btnLast->setVisible(false);

    setupScreenTable(ui->tableMain);
}

void frmUser::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (ui->stackedWidget->currentIndex() != 0) {
        returnThis(0);
    }
}

void frmUser::receivePage(quint32 pageCurrent, quint32 pageCount, quint32 resultCount, quint32 resultCurrent)
{
    Q_UNUSED(resultCurrent)
    ui->labInfo->setText(QStringLiteral("第 %1 页    共 %2 页    共 %3 个用户").arg(pageCurrent).arg(pageCount).arg(resultCount));
}

void frmUser::refresh()
{
    dbPage->select();
    AppConfig::loadUsers();
}

QString frmUser::currentUserID() const
{
    const QModelIndex index = ui->tableMain->currentIndex();
    if (!index.isValid()) {
        return QString();
    }
    return ui->tableMain->model()->index(index.row(), 0).data().toString();
}

void frmUser::returnThis(int index)
{
    ui->stackedWidget->setCurrentIndex(index);
    refresh();
}

void frmUser::on_btnAdd_clicked()
{
    emit receiveUserInfo(QString());
    returnThis(1);
}

void frmUser::on_btnUpdate_clicked()
{
    if (!ui->tableMain->currentIndex().isValid()) {
        frmMessageBox::Instance()->tell(QStringLiteral("请选择要修改的用户!"));
        return;
    }
    // The form is shown first: a user that cannot be read sends it straight back.
    const QString id = currentUserID();
    returnThis(1);
    emit receiveUserInfo(id);
}

void frmUser::on_btnDelete_clicked()
{
    if (!ui->tableMain->currentIndex().isValid()) {
        frmMessageBox::Instance()->tell(QStringLiteral("请选择要删除的用户!"));
        return;
    }
    // The user deleted is the one selected now, whatever the table shows when the answer comes.
    deleteID = currentUserID();
    deleteAsked = true;
    frmMessageBox::Instance()->showQuestion(QStringLiteral("确定要删除用户吗?\n删除后不能恢复!"));
    frmMessageBox::Instance()->show();
}

QString frmUser::deleteFailedText()
{
    return QStringLiteral("删除用户失败，请稍后重试!");
}

void frmUser::result(bool ok)
{
    if (!deleteAsked) {
        return; // somebody else's question
    }
    deleteAsked = false;
    if (!ok) {
        return;
    }
    // The user and its prints go together or not at all.
    QVector<FingerPrints::Print> prints;
    bool deleted = false;
    {
        DbWriteTransaction write;
        deleted = write.isActive() && FingerPrints::ofUser(deleteID, prints) != DbRead::Failed
            && DBHelper::deleteUser(deleteID) && FingerPrints::removeUser(deleteID) && write.commit();
    }
    if (!deleted) {
        frmMessageBox::Instance()->tell(deleteFailedText());
    } else if (FingerReader::instance()->storesPrints()) {
        for (const FingerPrints::Print &print : qAsConst(prints)) {
            FingerReader::instance()->deletePrint(print.data);
        }
    }
    refresh();
}
