#include "frmconfig.h"
#include "ui_frmconfig.h"

#include "appconfig.h"
#include "frmconfigalarm.h"
#include "frmconfignet.h"
#include "frmconfigswitch.h"
#include "frmconfigsystem.h"
#include "frmmessagebox.h"

frmConfig::frmConfig(QWidget *parent) : QWidget(parent), ui(new Ui::frmConfig)
{
    ui->setupUi(this);
    initForm();
}

frmConfig::~frmConfig() = default;

void frmConfig::initForm()
{
    const bool small = AppConfig::smallScreen();
    ui->widgetLeft->setFixedWidth(small ? 90 : 120);
    ui->widgetLeft->setProperty("flag", "navleft");
    if (small) {
        ui->layoutLeft->setContentsMargins(0, 10, 0, 10);
    }

    auto *configSwitch = new frmConfigSwitch;
    auto *configAlarm = new frmConfigAlarm;
    auto *configSystem = new frmConfigSystem;
    auto *configNet = new frmConfigNet;
    connect(configSwitch, &frmConfigSwitch::returnMain, this, &frmConfig::returnMain);
    connect(configSwitch, &frmConfigSwitch::changeStyle, this, &frmConfig::changeStyle);
    connect(configAlarm, &frmConfigAlarm::returnMain, this, &frmConfig::returnMain);
    connect(configSystem, &frmConfigSystem::returnMain, this, &frmConfig::returnMain);
    connect(configNet, &frmConfigNet::returnMain, this, &frmConfig::returnMain);
    for (QWidget *page : std::initializer_list<QWidget *>{configSwitch, configAlarm, configSystem, configNet}) {
        ui->stackedWidget->addWidget(page);
    }

    for (QPushButton *btn : {ui->btnConfigSwitch, ui->btnConfigAlarm, ui->btnConfigSystem, ui->btnConfigNet}) {
        btn->setCheckable(true);
        if (small) {
            btn->setMinimumHeight(72);
        }
        connect(btn, &QPushButton::clicked, this, &frmConfig::buttonClick);
    }
    ui->btnConfigSwitch->click();
}

void frmConfig::buttonClick()
{
    const QList<QPushButton *> buttons = {ui->btnConfigSwitch, ui->btnConfigAlarm, ui->btnConfigSystem,
                                          ui->btnConfigNet};
    auto *current = qobject_cast<QPushButton *>(sender());
    const int page = buttons.indexOf(current);
    if (page < 0) {
        return;
    }
    for (QPushButton *btn : buttons) {
        btn->setChecked(btn == current);
    }
    ui->stackedWidget->setCurrentIndex(page);
}

QString frmConfig::saveFailedText()
{
    return QStringLiteral("参数保存失败：配置文件无法写入!");
}

bool frmConfig::saveSettings()
{
    if (AppConfig::save()) {
        return true;
    }
    frmMessageBox::Instance()->tell(saveFailedText());
    return false;
}
