#include "frmuserfingerin.h"
#include "ui_frmuserfingerin.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerrecord.h"
#include "frmmessagebox.h"

#include <QDateTime>
#include <QTimer>

frmUserFingerIn::frmUserFingerIn(QWidget *parent) : QWidget(parent), ui(new Ui::frmUserFingerIn)
{
    ui->setupUi(this);
    initForm();
}

frmUserFingerIn::~frmUserFingerIn() = default;

QString frmUserFingerIn::prompt()
{
    return QStringLiteral("手指录入: 请把手指放在指纹仪上,\n录入指纹过程中指纹仪可能会有多次闪烁,请耐心等待!");
}

void frmUserFingerIn::initForm()
{
    ui->widgetReturn->setProperty("flag", "return");
    ui->btnFinger->setProperty("flag", "btn");
    ui->labTitle->setProperty("flag", "title");
    ui->btnFinger->setIcon(QIcon(QStringLiteral(":/image/handin.png")));
    if (AppConfig::smallScreen()) {
        ui->btnFinger->setFixedSize(180, 180);
        ui->btnFinger->setIconSize(QSize(156, 156));
    }
}

void frmUserFingerIn::userFinger(const QString &userID)
{
    this->userID = userID;
}

void frmUserFingerIn::userHand(int handIndex)
{
    fingerIndex = handIndex;
}

void frmUserFingerIn::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui->btnFinger->setChecked(false);
    ui->labInfo->setText(prompt());
}

QString frmUserFingerIn::saveFailedText()
{
    return QStringLiteral("指纹保存失败，请重新录入!");
}

// Reads the record and writes it back with the finger in one write
// transaction: a record that cannot be read is never overwritten.
bool frmUserFingerIn::storeFinger()
{
    DbWriteTransaction write;
    QString record;
    if (!write.isActive() || DBHelper::getUserFinger(userID, record) != DbRead::Found) {
        return false;
    }
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return DBHelper::updateUserFinger(userID, FingerRecord::enrol(record, fingerIndex, now)) && write.commit();
}

void frmUserFingerIn::on_btnFinger_clicked()
{
    if (!ui->btnFinger->isChecked()) {
        ui->labInfo->setText(prompt());
        return;
    }

    if (!storeFinger()) {
        ui->btnFinger->setChecked(false);
        ui->labInfo->setText(prompt());
        frmMessageBox::Instance()->tell(saveFailedText());
        return;
    }
    ui->labInfo->setText(QStringLiteral("手指录入: 录入指纹成功!"));
    emit fingerFinsh(fingerIndex);
    // Back to the selection a second later, unless the operator has already left.
    QTimer::singleShot(1000, this, [this] {
        if (isVisible()) {
            on_btnReturn_clicked();
        }
    });
}

void frmUserFingerIn::on_btnReturn_clicked()
{
    emit returnMain(2);
}
