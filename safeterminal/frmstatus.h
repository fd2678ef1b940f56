#ifndef FRMSTATUS_H
#define FRMSTATUS_H

#include "pendingscreen.h"

class frmStatus : public PendingScreen
{
    Q_OBJECT
public:
    explicit frmStatus(QWidget *parent = nullptr) : PendingScreen(QStringLiteral("系统状态"), parent) {}
};

#endif // FRMSTATUS_H
