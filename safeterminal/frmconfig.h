#ifndef FRMCONFIG_H
#define FRMCONFIG_H

#include "pendingscreen.h"

class frmConfig : public PendingScreen
{
    Q_OBJECT
public:
    explicit frmConfig(QWidget *parent = nullptr) : PendingScreen(QStringLiteral("系统设置"), parent) {}
Q_SIGNALS:
    void changeStyle();
};

#endif // FRMCONFIG_H
