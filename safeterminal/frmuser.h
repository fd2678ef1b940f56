#ifndef FRMUSER_H
#define FRMUSER_H

#include "pendingscreen.h"

class frmUser : public PendingScreen
{
    Q_OBJECT
public:
    explicit frmUser(QWidget *parent = nullptr) : PendingScreen(QStringLiteral("用户管理"), parent) {}
};

#endif // FRMUSER_H
