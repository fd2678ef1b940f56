#ifndef PENDINGSCREEN_H
#define PENDINGSCREEN_H

#include <QWidget>

// A screen whose content is not built yet: its title, a short note and the
// return bar that every screen has.
class PendingScreen : public QWidget
{
    Q_OBJECT
public:
    explicit PendingScreen(const QString &title, QWidget *parent = nullptr);

Q_SIGNALS:
    void returnMain();
};

#endif // PENDINGSCREEN_H
