#include "frmselectdoor.h"
#include "ui_frmselectdoor.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "frmmessagebox.h"

#include <QTimer>

frmSelectDoor::frmSelectDoor(QWidget *parent) : QWidget(parent), ui(new Ui::frmSelectDoor)
{
    ui->setupUi(this);
    initForm();
}

frmSelectDoor::~frmSelectDoor() = default;

void frmSelectDoor::initForm()
{
    doors = QStringList{QStringLiteral("外门"), QStringLiteral("内门1"), QStringLiteral("内门2"),
                        QStringLiteral("内门3"), QStringLiteral("内门4"), QStringLiteral("内门5")};
    currentIndex = 0;
    ui->labCount->setText(QStringLiteral("%1 / %2").arg(currentIndex + 1).arg(doors.size()));

    timer = new QTimer(this);
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &frmSelectDoor::changeTime);

    if (AppConfig::smallScreen()) {
        // The arrows shrink with the screen so that they stay whole.
        ui->btnUp->setStyleSheet(QStringLiteral("border:none;font:96pt;"));
        ui->btnDown->setStyleSheet(QStringLiteral("border:none;font:96pt;"));
        ui->btnDoor->setMinimumSize(200, 90);
    }
}

void frmSelectDoor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    count = 0;
    timer->start();
}

void frmSelectDoor::changeTime()
{
    if (count < CountdownSeconds) {
        count++;
        ui->labSec->setText(QStringLiteral("剩余操作时间: 00:%1").arg(CountdownSeconds - count));
    }
}

void frmSelectDoor::showDoor()
{
    ui->btnDoor->setText(doors.at(currentIndex));
    ui->labCount->setText(QStringLiteral("%1 / %2").arg(currentIndex + 1).arg(doors.size()));
}

void frmSelectDoor::on_btnUp_clicked()
{
    if (currentIndex > 0) {
        currentIndex--;
        showDoor();
    }
}

void frmSelectDoor::on_btnDown_clicked()
{
    if (currentIndex < doors.size() - 1) {
        currentIndex++;
        showDoor();
    }
}

void frmSelectDoor::setPersons(const QVector<VerifiedPerson> &persons)
{
    this->persons = persons;
}

void frmSelectDoor::on_btnDoor_clicked()
{
    const QString door = ui->btnDoor->text();
    for (const VerifiedPerson &person : qAsConst(persons)) {
        if (!FingerSteps::holdsDoor(person.doors, door)) {
            frmMessageBox::Instance()->tell(QStringLiteral("无权打开此门"));
            return;
        }
    }
    QString mode = AppConfig::VerifyMode.value(AppConfig::OpenMode, QStringLiteral("未知模式"));
    if (!persons.isEmpty()) {
        QStringList names;
        for (const VerifiedPerson &person : qAsConst(persons)) {
            names << QStringLiteral("%1(%2)").arg(person.name, person.userID);
        }
        mode += QLatin1Char(':') + names.join(QLatin1Char(','));
    }
    // Every opening is on record, with the verification it passed and who passed it.
    DBHelper::addLog(QStringLiteral("开柜日志"), QStringLiteral("开启%1(%2)").arg(door, mode));
    emit doorOpened(door);
    emit returnThis(door == QStringLiteral("外门") ? 5 : 6);
}
