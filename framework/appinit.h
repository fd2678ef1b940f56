#ifndef APPINIT_H
#define APPINIT_H

#include <QObject>
#include <QPoint>
#include <functional>

// Process-wide start-up object. start() runs the program's own start-up steps,
// if it registered any, and then installs the window-drag filter: any widget
// whose dynamic property canMove is true can be dragged with the left button.
class AppInit : public QObject
{
    Q_OBJECT
public:
    using StartStep = std::function<void(AppInit *appInit)>;

    static AppInit *Instance();
    static AppInit *instance() { return Instance(); }

    // The program's own start-up work, run by start() before the filter goes in.
    void setStartStep(StartStep step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void start();

private:
    explicit AppInit(QObject *parent = nullptr);

    StartStep startStep;
    bool mousePressed = false;
    QPoint mousePoint;
};

#endif // APPINIT_H
