#include "frmdata.h"
#include "pagepanel.h"
#include "ui_frmdata.h"

frmData::frmData(QWidget *parent) : QWidget(parent), ui(new Ui::frmData)
{
    ui->setupUi(this);
    initForm();
    initNav();
    initIcon();
}

frmData::~frmData() = default;

void frmData::initForm()
{
    ui->widgetLeft->setProperty("flag", QStringLiteral("btn"));
    ui->widgetLeft->setFixedWidth(150);
}

void frmData::initNav()
{
    btns = {ui->btnDataNode, ui->btnDataAlarm, ui->btnDataUser};
    glyphs = {0xEA44, 0xEA5B, 0xEA59};
    const QStringList names{QStringLiteral("运 行 记 录"), QStringLiteral("报 警 记 录"), QStringLiteral("操 作 记 录")};
    PagePanel::addPanels(ui->stackedWidget, names);
    for (int i = 0; i < btns.size(); ++i) {
        btns.at(i)->setIconSize(QSize(30, 20));
        btns.at(i)->setCheckable(true);
        btns.at(i)->setText(names.at(i) + QStringLiteral("  "));
        connect(btns.at(i), &QPushButton::clicked, this, &frmData::buttonClicked);
    }
    ui->btnDataAlarm->click();
}

void frmData::initIcon()
{
    for (int i = 0; i < btns.size(); ++i) {
        btns.at(i)->setIcon(QIcon(PagePanel::glyphPixmap(glyphs.at(i), 30, 20)));
    }
}

void frmData::buttonClicked()
{
    PagePanel::select(btns, ui->stackedWidget, sender());
}
