#include "frmselectauthor.h"
#include "ui_frmselectauthor.h"

#include "dbhelper.h"

#include <QTimer>

frmSelectAuthor::frmSelectAuthor(QWidget *parent) : QWidget(parent), ui(new Ui::frmSelectAuthor)
{
    ui->setupUi(this);
    initForm();
}

frmSelectAuthor::~frmSelectAuthor() = default;

void frmSelectAuthor::initForm()
{
    ui->labResult->setScaledContents(true);
    // One answer per request: leaving the page withdraws it.
    approval = new QTimer(this);
    approval->setSingleShot(true);
    approval->setInterval(1000);
    connect(approval, &QTimer::timeout, this, &frmSelectAuthor::verifyok);
}

void frmSelectAuthor::setDoor(const QString &door)
{
    this->door = door;
}

void frmSelectAuthor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui->labResult->setPixmap(QPixmap(QStringLiteral(":/image/authoring.png")));
    ui->labInfo->setText(QStringLiteral("远程审核中..."));
    ui->labInfo->setStyleSheet(QStringLiteral("font:30pt;color:rgb(14,109,173)"));
    approval->start();
}

void frmSelectAuthor::hideEvent(QHideEvent *event)
{
    approval->stop();
    QWidget::hideEvent(event);
}

void frmSelectAuthor::verifyok()
{
    ui->labResult->setPixmap(QPixmap(QStringLiteral(":/image/authorok.png")));
    ui->labInfo->setText(QStringLiteral("恭喜,审核成功"));
    ui->labInfo->setStyleSheet(QStringLiteral("font:30pt;color:rgb(0,243,15)"));
    DBHelper::addLog(QStringLiteral("开柜日志"), QStringLiteral("远程审核通过:%1").arg(door));
}
