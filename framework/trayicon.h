#ifndef TRAYICON_H
#define TRAYICON_H

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class QMenu;

// The program's icon in the notification area: a click brings the main
// window back, its menu offers the main window and exit. Where the desktop
// has no notification area (a kiosk's bare X server, offscreen) nothing is
// shown there; the menu and its actions still work for whoever calls them.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    static TrayIcon *instance();

    // Whether the platform offers a notification area.
    bool available() const { return trayAvailable; }
    bool getVisible() const;
    QMenu *menu() const { return trayMenu; }

private:
    explicit TrayIcon(QObject *parent = nullptr);

    // False, with one line of debug output the first time, when there is no tray.
    bool canUseTray();

    QWidget *mainWidget = nullptr;
    QPointer<QSystemTrayIcon> trayIcon;
    QMenu *trayMenu = nullptr;
    bool exitDirect = true;
    bool trayAvailable = false;
    bool unavailableTold = false;

Q_SIGNALS:
    void trayIconExit();

public Q_SLOTS:
    void iconIsActived(QSystemTrayIcon::ActivationReason reason);
    void setExitDirect(bool exitDirect);
    void setMainWidget(QWidget *mainWidget);
    void showMessage(const QString &title, const QString &msg,
                     QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::Information, int msecs = 5000);
    void setIcon(const QString &strIcon);
    void setToolTip(const QString &tip);
    void setVisible(bool visible);
    void closeAll();
};

#endif // TRAYICON_H
