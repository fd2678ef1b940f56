#include "trayicon.h"
#include "zemilog.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QMenu>
#include <QMutex>
#include <QtDebug>

TrayIcon *TrayIcon::instance()
{
    static QMutex mutex;
    static TrayIcon *self = nullptr;
    if (!self) {
        QMutexLocker locker(&mutex);
        if (!self) {
            self = new TrayIcon(qApp);
        }
    }
    return self;
}

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
{
    trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    trayIcon = new QSystemTrayIcon(this);
    connect(trayIcon, &QSystemTrayIcon::activated, this, &TrayIcon::iconIsActived);
    trayMenu = new QMenu(QApplication::desktop());
    trayMenu->setObjectName(QStringLiteral("trayMenu"));
}

bool TrayIcon::canUseTray()
{
    if (trayAvailable && trayIcon) {
        return true;
    }
    if (!trayAvailable && !unavailableTold) {
        unavailableTold = true;
        qCDebug(lcFramework) << "TrayIcon: no system tray on this desktop, the tray icon stays hidden";
    }
    return false;
}

bool TrayIcon::getVisible() const
{
    return trayIcon && trayIcon->isVisible();
}

void TrayIcon::iconIsActived(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        if (mainWidget) {
            mainWidget->showNormal();
        }
        break;
    default:
        break;
    }
}

void TrayIcon::setExitDirect(bool exitDirect)
{
    this->exitDirect = exitDirect;
}

void TrayIcon::setMainWidget(QWidget *mainWidget)
{
    this->mainWidget = mainWidget;
    // Built afresh, so a second call does not pile up entries.
    trayMenu->clear();
    if (mainWidget) {
        trayMenu->addAction(QStringLiteral("主界面"), mainWidget, &QWidget::showNormal);
    }
    if (exitDirect) {
        trayMenu->addAction(QStringLiteral("退出"), this, &TrayIcon::closeAll);
    } else {
        trayMenu->addAction(QStringLiteral("退出"), this, &TrayIcon::trayIconExit);
    }
    if (canUseTray()) {
        trayIcon->setContextMenu(trayMenu);
    }
}

void TrayIcon::showMessage(const QString &title, const QString &msg, QSystemTrayIcon::MessageIcon icon, int msecs)
{
    if (canUseTray()) {
        trayIcon->showMessage(title, msg, icon, msecs);
    }
}

void TrayIcon::setIcon(const QString &strIcon)
{
    if (canUseTray()) {
        trayIcon->setIcon(QIcon(strIcon));
    }
}

void TrayIcon::setToolTip(const QString &tip)
{
    if (canUseTray()) {
        trayIcon->setToolTip(tip);
    }
}

void TrayIcon::setVisible(bool visible)
{
    if (canUseTray()) {
        trayIcon->setVisible(visible);
    }
}

void TrayIcon::closeAll()
{
    if (trayIcon) {
        trayIcon->hide();
        trayIcon->deleteLater();
    }
    // Through the event loop, so that windows close and destructors run.
    QCoreApplication::exit(0);
}
