#include "frmmain.h"
#include "ui_frmmain.h"

#include "frmaudio.h"
#include "frmcall.h"
#include "frmvideo.h"

#include <QStringList>
#include <QToolButton>

frmMain::frmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain)
{
    ui->setupUi(this);
    initForm();
}

frmMain::~frmMain() = default;

QString frmMain::styleSheetText()
{
    QStringList qss;
    qss << QStringLiteral("QWidget#widgetMain{background-image:url(:/image/bg_main.png);}")
        << QStringLiteral("QWidget#widgetTitle{background-image:url(:/image/bg_title.png);}")
        << QStringLiteral("QLabel#labLogo{border-image:url(:/image/logo.png);}")
        << QStringLiteral("QLabel#labTitleLine{border-image:url(:/image/line_title.png);}")
        << QStringLiteral("QLabel#labTitle{color:#FFFFFF;}")
        << QStringLiteral("QWidget#widgetNav{background-color:rgba(48,39,40,155);}")
        << QStringLiteral("QWidget[flag=\"nav\"] QLabel{border-image:url(:/image/line_nav.png);}")
        << QStringLiteral("QWidget[flag=\"nav\"] QToolButton{color:#FFFFFF;background-color:rgba(0,0,0,0);}")
        << QStringLiteral("QWidget[flag=\"video\"]{border:%1px solid #3F64B2;border-radius:%2px;}").arg(8).arg(10)
        << QStringLiteral("QWidget[flag=\"video\"] QLabel{background-color:#E1ECF2;color:#000000;}")
        << QStringLiteral("QWidget[flag=\"driveway\"]{background-color:#D5D5D5;}")
        << QStringLiteral("QLabel#labDrivewayTitle1{color:#2E2C39;}")
        << QStringLiteral("QLabel#labDrivewayTitle2{color:#1A449A;}")
        << QStringLiteral("QWidget[flag=\"ring\"] QToolButton{background-color:rgba(0,0,0,0);}")
        << QStringLiteral("QWidget[flag=\"call\"]{background-color:#2F2627;}")
        << QString()
        << QStringLiteral("QToolButton#btnOn,QToolButton#btnOff{background-color:rgba(0,0,0,0);}");
    return qss.join(QString());
}

void frmMain::initForm()
{
    setFixedSize(700, 800);
    setWindowTitle(QStringLiteral("主界面"));
    ui->labTitle->setText(QStringLiteral("Norvale省高速收费站"));

    // The drag filter moves the window from anywhere that does not take the mouse itself.
    setProperty("form", true);
    setProperty("canMove", true);
    setStyleSheet(styleSheetText());

    QFont font;
    font.setPixelSize(25);
    font.setBold(true);
    ui->labTitle->setFont(font);
    font.setPixelSize(15);
    ui->btnCall->setFont(font);
    ui->btnVideo->setFont(font);
    ui->btnAudio->setFont(font);

    ui->widgetNav->setProperty("flag", "nav");

    ui->stackedWidget->addWidget(new frmCall);
    ui->stackedWidget->addWidget(new frmVideo);
    ui->stackedWidget->addWidget(new frmAudio);

    const QList<QToolButton *> buttons = ui->widgetNav->findChildren<QToolButton *>();
    for (QToolButton *button : buttons) {
        connect(button, &QToolButton::clicked, this, &frmMain::buttonClick);
    }
    ui->btnCall->click();
}

void frmMain::buttonClick()
{
    const QString name = sender()->objectName();
    if (name == QLatin1String("btnCall")) {
        ui->stackedWidget->setCurrentIndex(0);
    } else if (name == QLatin1String("btnVideo")) {
        ui->stackedWidget->setCurrentIndex(1);
    } else if (name == QLatin1String("btnAudio")) {
        ui->stackedWidget->setCurrentIndex(2);
    }
}
