#include "frmconfig.h"
#include "pagepanel.h"
#include "ui_frmconfig.h"

frmConfig::frmConfig(QWidget *parent) : QWidget(parent), ui(new Ui::frmConfig)
{
    ui->setupUi(this);
    initForm();
    initNav();
    initIcon();
}

frmConfig::~frmConfig() = default;

void frmConfig::initForm()
{
    ui->widgetLeft->setProperty("flag", QStringLiteral("btn"));
    ui->widgetLeft->setFixedWidth(150);
}

void frmConfig::initNav()
{
    btns = {ui->btnConfigSystem, ui->btnConfigPort,     ui->btnConfigDevice, ui->btnConfigNode,
            ui->btnConfigMap,    ui->btnConfigPosition, ui->btnConfigUser,   ui->btnConfigDebug};
    glyphs = {0xE60D, 0xE9C1, 0xEA00, 0xE603, 0xE6A3, 0xE702, 0xEA59, 0xF188};
    const QStringList names{QStringLiteral("基 本 设 置"), QStringLiteral("端 口 管 理"), QStringLiteral("控制器管理"),
                            QStringLiteral("探测器管理"),   QStringLiteral("地 图 管 理"), QStringLiteral("位 置 调 整"),
                            QStringLiteral("用 户 管 理"), QStringLiteral("设 备 调 试")};
    PagePanel::addPanels(ui->stackedWidget, names);
    for (int i = 0; i < btns.size(); ++i) {
        btns.at(i)->setIconSize(QSize(30, 20));
        btns.at(i)->setCheckable(true);
        btns.at(i)->setText(names.at(i) + QStringLiteral("  "));
        connect(btns.at(i), &QPushButton::clicked, this, &frmConfig::buttonClicked);
    }
    ui->btnConfigDevice->click();
}

void frmConfig::initIcon()
{
    for (int i = 0; i < btns.size(); ++i) {
        btns.at(i)->setIcon(QIcon(PagePanel::glyphPixmap(glyphs.at(i), 30, 20)));
    }
}

void frmConfig::buttonClicked()
{
    PagePanel::select(btns, ui->stackedWidget, sender());
}
