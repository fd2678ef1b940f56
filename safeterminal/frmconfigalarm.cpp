#include "frmconfigalarm.h"
#include "ui_frmconfigalarm.h"

#include "appconfig.h"
#include "frmconfig.h"
#include "screentable.h"


const QStringList frmConfigAlarm::AlarmInputs = {
    QStringLiteral("震动报警"), QStringLiteral("市电掉电"),     QStringLiteral("金属误入插入"),
    QStringLiteral("温度报警"), QStringLiteral("非法开门"),     QStringLiteral("开门时间过久"),
    QStringLiteral("尝试次数过多"), QStringLiteral("故障报警")};

const QStringList frmConfigAlarm::AlarmLevels = {QStringLiteral("不报警"), QStringLiteral("普通报警"),
                                                 QStringLiteral("严重报警"), QStringLiteral("最严重报警")};

frmConfigAlarm::frmConfigAlarm(QWidget *parent)
    : QWidget(parent), ui(new Ui::frmConfigAlarm), alarmMode(AppConfig::AlarmCount),
      alarmLink(AppConfig::AlarmCount), alarmUp(AppConfig::AlarmCount)
{
    ui->setupUi(this);
    initForm();
    initTable1();
    initTable2();
}

frmConfigAlarm::~frmConfigAlarm() = default;

void frmConfigAlarm::initForm()
{
    const bool small = AppConfig::smallScreen();
    const QSize switchSize = small ? QSize(100, 40) : QSize(120, 50);
    ui->btnAlarmLink->setFixedSize(switchSize);
    ui->btnAlarmUp->setFixedSize(switchSize);

    connect(ui->btnReturn, &QPushButton::clicked, this, &frmConfigAlarm::returnMain);
    connect(ui->btnSave, &QPushButton::clicked, this, &frmConfigAlarm::saveConfig);
    ui->widgetReturn->setProperty("flag", "return");

    // A switch flips on press; a finger that slides off before lifting gives
    // no click, so the press records the new state as well.
    connect(ui->btnAlarmLink, &QPushButton::pressed, this, &frmConfigAlarm::on_btnAlarmLink_clicked);
    connect(ui->btnAlarmUp, &QPushButton::pressed, this, &frmConfigAlarm::on_btnAlarmUp_clicked);

    ui->layoutAlarm->setAlignment(ui->tableMain1, Qt::AlignTop);
    if (small) {
        ui->layoutAlarm->setContentsMargins(10, 8, 12, 6);
        ui->layoutAlarm->setSpacing(12);
        ui->layoutRight->setSpacing(6);
        ui->btnSave->setMinimumSize(90, 44);
        ui->btnReturn->setMinimumSize(90, 44);
    }
}

void frmConfigAlarm::initTable1()
{
    setupChoiceList(ui->tableMain1, AlarmInputs);
}

void frmConfigAlarm::initTable2()
{
    setupChoiceList(ui->tableMain2, AlarmLevels);
}

void frmConfigAlarm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    initConfig();
    ui->tableMain1->selectRow(0);
    on_tableMain1_pressed(ui->tableMain1->model()->index(0, 0));
}

void frmConfigAlarm::initConfig()
{
    for (int i = 0; i < AppConfig::AlarmCount; ++i) {
        alarmMode[i] = AppConfig::AlarmMode[i];
        alarmLink[i] = AppConfig::AlarmLink[i];
        alarmUp[i] = AppConfig::AlarmUp[i];
    }
}

int frmConfigAlarm::currentInput() const
{
    const QModelIndex index = ui->tableMain1->currentIndex();
    return index.isValid() && index.row() < AppConfig::AlarmCount ? index.row() : -1;
}

void frmConfigAlarm::on_tableMain1_pressed(const QModelIndex &index)
{
    const int row = index.row();
    if (!index.isValid() || row >= AppConfig::AlarmCount) {
        return;
    }
    if (alarmMode[row] >= 0 && alarmMode[row] < AlarmLevels.size()) {
        ui->tableMain2->selectRow(alarmMode[row]);
    } else {
        ui->tableMain2->clearSelection();
        ui->tableMain2->setCurrentIndex(QModelIndex());
    }
    ui->btnAlarmLink->setChecked(alarmLink[row]);
    ui->btnAlarmUp->setChecked(alarmUp[row]);
}

void frmConfigAlarm::on_tableMain2_pressed(const QModelIndex &index)
{
    const int row = currentInput();
    if (row >= 0 && index.isValid()) {
        alarmMode[row] = index.row();
    }
}

void frmConfigAlarm::on_btnAlarmLink_clicked()
{
    const int row = currentInput();
    if (row >= 0) {
        alarmLink[row] = ui->btnAlarmLink->getChecked();
    }
}

void frmConfigAlarm::on_btnAlarmUp_clicked()
{
    const int row = currentInput();
    if (row >= 0) {
        alarmUp[row] = ui->btnAlarmUp->getChecked();
    }
}

void frmConfigAlarm::saveConfig()
{
    for (int i = 0; i < AppConfig::AlarmCount; ++i) {
        AppConfig::AlarmMode[i] = alarmMode[i];
        AppConfig::AlarmLink[i] = alarmLink[i];
        AppConfig::AlarmUp[i] = alarmUp[i];
    }
    frmConfig::saveSettings();
}
