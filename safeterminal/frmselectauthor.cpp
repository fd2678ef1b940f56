#include "frmselectauthor.h"
#include "ui_frmselectauthor.h"

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
}

void frmSelectAuthor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui->labResult->setPixmap(QPixmap(QStringLiteral(":/image/authoring.png")));
    ui->labInfo->setText(QStringLiteral("远程审核中..."));
    ui->labInfo->setStyleSheet(QStringLiteral("font:30pt;color:rgb(14,109,173)"));
    QTimer::singleShot(1000, this, &frmSelectAuthor::verifyok);
}

void frmSelectAuthor::verifyok()
{
    ui->labResult->setPixmap(QPixmap(QStringLiteral(":/image/authorok.png")));
    ui->labInfo->setText(QStringLiteral("恭喜,审核成功"));
    ui->labInfo->setStyleSheet(QStringLiteral("font:30pt;color:rgb(0,243,15)"));
}
