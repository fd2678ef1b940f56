#include "frmopen.h"
#include "ui_frmopen.h"

#include "appconfig.h"
#include "frmselectauthor.h"
#include "frmselectdoor.h"
#include "frmselectverify.h"

#include <QtDebug>

frmOpen::frmOpen(QWidget *parent) : QWidget(parent), ui(new Ui::frmOpen)
{
    ui->setupUi(this);
    initForm();
}

frmOpen::~frmOpen() = default;

void frmOpen::initForm()
{
    connect(ui->btnReturn, &QPushButton::clicked, this, &frmOpen::returnMain);

    ui->widgetReturn->setProperty("flag", "return");
    const QIcon hand(QStringLiteral(":/image/handin.png"));
    for (QPushButton *btn : {ui->btnFinger, ui->btnFinger1, ui->btnFinger2, ui->btnFinger3}) {
        btn->setProperty("flag", "btn");
        btn->setIcon(hand);
        if (AppConfig::smallScreen()) {
            btn->setFixedSize(180, 180);
            btn->setIconSize(QSize(156, 156));
        }
    }
    for (QLabel *lab : {ui->labInfo, ui->labInfo1, ui->labInfo2, ui->labInfo3}) {
        lab->setProperty("flag", "big");
    }
    for (QLabel *lab : {ui->labNav, ui->labNav1, ui->labNav2, ui->labNav3}) {
        lab->setProperty("flag", "nav");
    }

    auto *door = new frmSelectDoor;
    auto *author = new frmSelectAuthor;
    connect(door, &frmSelectDoor::returnThis, this, &frmOpen::returnThis);
    connect(door, &frmSelectDoor::doorOpened, author, &frmSelectAuthor::setDoor);
    ui->stackedWidget->addWidget(door);
    ui->stackedWidget->addWidget(author);
    ui->stackedWidget->addWidget(new frmSelectVerify);
}

void frmOpen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    const int mode = AppConfig::OpenMode;
    if (mode < 0 || mode >= AppConfig::VerifyMode.size()) {
        return;
    }
    qDebug() << AppConfig::VerifyMode.at(mode);
    switch (mode) {
    case 0:
        returnThis(PageDoor);
        break;
    case 1:
        returnThis(PageOne);
        break;
    case 2:
        ui->labNav1->setText(QStringLiteral("第 1 步 / 共 2 步"));
        ui->labNav2->setText(QStringLiteral("第 2 步 / 共 2 步"));
        returnThis(PagePerson1);
        break;
    case 3:
        ui->labNav1->setText(QStringLiteral("第 1 步 / 共 3 步"));
        ui->labNav2->setText(QStringLiteral("第 2 步 / 共 3 步"));
        returnThis(PagePerson1);
        break;
    default:
        returnThis(PageVerify);
        break;
    }
}

void frmOpen::returnThis(int index)
{
    ui->stackedWidget->setCurrentIndex(index);
}

void frmOpen::on_btnFinger_clicked()
{
    returnThis(AppConfig::OpenMode > 0 ? PageDoor : PagePerson1);
}

void frmOpen::on_btnFinger1_clicked()
{
    returnThis(AppConfig::OpenMode > 1 ? PagePerson2 : PageDoor);
}

void frmOpen::on_btnFinger2_clicked()
{
    returnThis(AppConfig::OpenMode > 2 ? PagePerson3 : PageDoor);
}

void frmOpen::on_btnFinger3_clicked()
{
    returnThis(PageDoor);
}
