#ifndef FRMSCREENSAVER_H
#define FRMSCREENSAVER_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmScreenSaver;
}
class QTimer;

// The screen saver: after TimeClose minutes without a press, drag, wheel or
// key on any of the terminal's windows it covers the main window with the
// dimmed background, a running clock and the system's name. The press that
// wakes it is its own: nothing underneath sees it.
class frmScreenSaver : public QWidget
{
    Q_OBJECT
public:
    explicit frmScreenSaver(QWidget *mainWindow);
    ~frmScreenSaver() override;

    // How long a minute of TimeClose lasts, so tests need not wait minutes.
    static int minuteMs();
    static void setMinuteMs(int msec);

    bool isActive() const { return isVisible(); }

    // Work that goes on without a hand on the screen (an export) counts as
    // activity while it lasts: calls nest, and the idle time starts afresh
    // when the last one ends.
    static void setBusy(bool busy);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    std::unique_ptr<Ui::frmScreenSaver> ui;
    QTimer *idle = nullptr;
    QTimer *clock = nullptr;
    bool waking = false;

    void restartIdle();

Q_SIGNALS:
    // The operator is back: the main window shows its navigation page.
    void woken();

public Q_SLOTS:
    void start();
    // Someone is at the terminal without touching the screen (a finger on
    // the reader): the idle time starts again.
    void activity();
    void wake();
    void showTime();
};

#endif // FRMSCREENSAVER_H
