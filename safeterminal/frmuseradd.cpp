#include "frmuseradd.h"
#include "ui_frmuseradd.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerrecord.h"
#include "frmmessagebox.h"

namespace {

// The checked buttons' texts joined with "/", in button order.
QString checkedTexts(const QList<QAbstractButton *> &buttons)
{
    QStringList texts;
    for (QAbstractButton *btn : buttons) {
        if (btn->isChecked()) {
            texts << btn->text();
        }
    }
    return texts.join(QLatin1Char('/'));
}

void checkListed(const QList<QAbstractButton *> &buttons, const QString &joined)
{
    const QStringList listed = joined.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (QAbstractButton *btn : buttons) {
        btn->setChecked(listed.contains(btn->text()));
    }
}

} // namespace

frmUserAdd::frmUserAdd(QWidget *parent) : QWidget(parent), ui(new Ui::frmUserAdd)
{
    ui->setupUi(this);
    initForm();
}

frmUserAdd::~frmUserAdd() = default;

QList<QAbstractButton *> frmUserAdd::adminButtons() const
{
    return {ui->btnUserAdmin1, ui->btnUserAdmin2, ui->btnUserAdmin3, ui->btnUserAdmin4};
}

QList<QAbstractButton *> frmUserAdd::doorButtons() const
{
    return {ui->btnUserDoor1, ui->btnUserDoor2, ui->btnUserDoor3, ui->btnUserDoor4,
            ui->btnUserDoor5, ui->btnUserDoor6, ui->btnUserDoor7, ui->btnUserDoor8};
}

void frmUserAdd::initForm()
{
    ui->widgetReturn->setProperty("flag", "return");
    ui->btnFinger->setProperty("flag", "btn");
    ui->widgetAdmin->setProperty("flag", "admin");
    ui->widgetDoor->setProperty("flag", "door");
    for (QAbstractButton *btn : adminButtons() + doorButtons()) {
        btn->setCheckable(true);
        btn->setMinimumWidth(AppConfig::smallScreen() ? 104 : 130);
    }
    // The text starts right of the tick box drawn into the button picture.
    const QString clearOfBox = AppConfig::smallScreen() ? QStringLiteral("QPushButton{padding-left:22px;font:16pt;}")
                                                        : QStringLiteral("QPushButton{padding-left:24px;}");
    ui->widgetAdmin->setStyleSheet(clearOfBox);
    ui->widgetDoor->setStyleSheet(clearOfBox);
    if (AppConfig::smallScreen()) {
        ui->layoutUserAdd->setContentsMargins(10, 8, 10, 8);
        ui->layoutUserAdd->setSpacing(8);
    }
}

void frmUserAdd::receiveUserInfo(const QString &userID)
{
    this->userID = userID;
    QString name, pwd, admin, door, finger;
    if (!userID.isEmpty()) {
        ui->btnFinger->setText(QStringLiteral("重录指纹"));
        DBHelper::getUserInfo(userID, name, pwd, admin, door, finger);
    } else {
        ui->btnFinger->setText(QStringLiteral("录入指纹"));
    }
    ui->txtUserID->setText(userID);
    ui->txtUserID->setReadOnly(!userID.isEmpty()); // an edited user keeps its ID
    ui->txtUserName->setText(name);
    ui->txtUserPwd->setText(pwd);
    ui->txtUserPwdX->setText(pwd);
    checkListed(adminButtons(), admin);
    checkListed(doorButtons(), door);
}

void frmUserAdd::refuse(const QString &message, QLineEdit *field)
{
    frmMessageBox::Instance()->showInfo(message);
    frmMessageBox::Instance()->show();
    field->setFocus();
}

bool frmUserAdd::checkUser()
{
    const QString id = ui->txtUserID->text().trimmed();
    const QString name = ui->txtUserName->text().trimmed();
    const QString pwd = ui->txtUserPwd->text().trimmed();
    const QString pwdX = ui->txtUserPwdX->text().trimmed();

    if (id.isEmpty()) {
        refuse(QStringLiteral("用户编号不能为空!"), ui->txtUserID);
        return false;
    }
    if (userID.isEmpty() && DBHelper::existUser(id)) {
        refuse(QStringLiteral("用户编号已经存在!"), ui->txtUserID);
        return false;
    }
    if (name.isEmpty()) {
        refuse(QStringLiteral("用户名称不能为空!"), ui->txtUserName);
        return false;
    }
    if (pwd.isEmpty()) {
        refuse(QStringLiteral("用户密码不能为空!"), ui->txtUserPwd);
        return false;
    }
    if (pwdX.isEmpty()) {
        refuse(QStringLiteral("确认密码不能为空!"), ui->txtUserPwdX);
        return false;
    }
    if (pwd != pwdX) {
        refuse(QStringLiteral("用户密码和确认密码不一致!"), ui->txtUserPwdX);
        return false;
    }
    return true;
}

void frmUserAdd::on_btnSave_clicked()
{
    if (!checkUser()) {
        return;
    }
    const QString name = ui->txtUserName->text().trimmed();
    const QString pwd = ui->txtUserPwd->text().trimmed();
    const QString admin = checkedTexts(adminButtons());
    const QString door = checkedTexts(doorButtons());
    if (userID.isEmpty()) {
        DBHelper::addUser(ui->txtUserID->text().trimmed(), name, pwd, admin, door, FingerRecord::empty());
    } else {
        // Editing keeps the fingers enrolled so far.
        QString finger = FingerRecord::empty();
        DBHelper::getUserFinger(userID, finger);
        DBHelper::updateUser(userID, name, pwd, admin, door, finger);
    }
    emit returnMain(0);
}

void frmUserAdd::on_btnFinger_clicked()
{
    if (!checkUser()) {
        return;
    }
    const QString id = ui->txtUserID->text().trimmed();
    if (!DBHelper::existUser(id)) {
        frmMessageBox::Instance()->showInfo(QStringLiteral("用户不存在,请先保存该用户!"));
        frmMessageBox::Instance()->show();
        return;
    }
    emit returnMain(2);
    emit userFinger(id);
}

void frmUserAdd::on_btnReturn_clicked()
{
    emit returnMain(0);
}
