#include "frmview.h"
#include "pagepanel.h"
#include "ui_frmview.h"

frmView::frmView(QWidget *parent) : QWidget(parent), ui(new Ui::frmView)
{
    ui->setupUi(this);
    initNav();
}

frmView::~frmView() = default;

void frmView::initForm()
{
}

void frmView::initNav()
{
    PagePanel::addPanels(ui->stackedWidget,
                         {QStringLiteral("设备监控"), QStringLiteral("地图监控"), QStringLiteral("数据监控")});
}

void frmView::setIndex(int index)
{
    ui->stackedWidget->setCurrentIndex(index);
}
