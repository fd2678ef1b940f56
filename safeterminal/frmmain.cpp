#include "frmmain.h"
#include "appconfig.h"

#include <QVariant>

frmMain::frmMain(QWidget *parent) : QWidget(parent)
{
    setFixedSize(AppConfig::MainWidth, AppConfig::MainHeight);
    setProperty("form", true);
    setProperty("canMove", true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
}
