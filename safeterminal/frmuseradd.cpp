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

// The n-th occurrence of a text in the stored value ticks the n-th button of
// that text, so two buttons with one caption keep their own state.
void checkListed(const QList<QAbstractButton *> &buttons, const QString &joined)
{
    QStringList listed = joined.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (QAbstractButton *btn : buttons) {
        const int at = listed.indexOf(btn->text());
        btn->setChecked(at >= 0);
        if (at >= 0) {
            listed.removeAt(at);
        }
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
        if (DBHelper::getUserInfo(userID, name, pwd, admin, door, finger) == DbRead::Failed) {
            // An empty form for a stored user would overwrite the user with whatever is typed.
            frmMessageBox::Instance()->tell(readFailedText());
            emit returnMain(0);
            return;
        }
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

QString frmUserAdd::saveFailedText()
{
    return QStringLiteral("用户信息保存失败，请稍后重试!");
}

QString frmUserAdd::readFailedText()
{
    return QStringLiteral("读取用户信息失败，请稍后重试!");
}

void frmUserAdd::refuse(const QString &message, QLineEdit *field)
{
    frmMessageBox::Instance()->tell(message);
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
    if (userID.isEmpty()) {
        const DbRead known = DBHelper::existUser(id);
        if (known == DbRead::Failed) {
            refuse(readFailedText(), ui->txtUserID);
            return false;
        }
        if (known == DbRead::Found) {
            refuse(QStringLiteral("用户编号已经存在!"), ui->txtUserID);
            return false;
        }
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
    const QString id = ui->txtUserID->text().trimmed();
    const bool newUser = userID.isEmpty();
    // A new user's ID check and insert run in one write transaction, so no
    // second row with that ID can slip in between them.
    std::unique_ptr<DbWriteTransaction> write;
    if (newUser && !id.isEmpty()) {
        write = std::make_unique<DbWriteTransaction>();
        if (!write->isActive()) {
            frmMessageBox::Instance()->tell(saveFailedText());
            return;
        }
    }
    if (!checkUser()) {
        return;
    }
    const QString name = ui->txtUserName->text().trimmed();
    const QString pwd = ui->txtUserPwd->text().trimmed();
    const QString admin = checkedTexts(adminButtons());
    const QString door = checkedTexts(doorButtons());
    // Editing leaves the finger record alone: only enrolment writes it.
    const bool saved = newUser ? DBHelper::addUser(id, name, pwd, admin, door, FingerRecord::empty()) && write->commit()
                               : DBHelper::updateUserDetails(userID, name, pwd, admin, door);
    if (!saved) {
        // The form keeps its input for another try.
        frmMessageBox::Instance()->tell(saveFailedText());
        return;
    }
    emit returnMain(0);
}

void frmUserAdd::on_btnFinger_clicked()
{
    if (!checkUser()) {
        return;
    }
    const QString id = ui->txtUserID->text().trimmed();
    const DbRead known = DBHelper::existUser(id);
    if (known == DbRead::Failed) {
        frmMessageBox::Instance()->tell(readFailedText());
        return;
    }
    if (known == DbRead::Missing) {
        frmMessageBox::Instance()->tell(QStringLiteral("用户不存在,请先保存该用户!"));
        return;
    }
    emit returnMain(2);
    emit userFinger(id);
}

void frmUserAdd::on_btnReturn_clicked()
{
    emit returnMain(0);
}
