#ifndef FRMLOG_H
#define FRMLOG_H

#include "pendingscreen.h"

class frmLog : public PendingScreen
{
    Q_OBJECT
public:
    explicit frmLog(QWidget *parent = nullptr) : PendingScreen(QStringLiteral("日志查询"), parent) {}
};

#endif // FRMLOG_H
