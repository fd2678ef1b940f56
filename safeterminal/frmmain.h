#ifndef FRMMAIN_H
#define FRMMAIN_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmMain;
}

class frmUser;
class frmOpen;
class frmLog;
class frmConfig;
class frmStatus;
class frmScreenSaver;

// The terminal's one top-level window: clock, status icons and the navigation
// page, with the five operator screens in a stacked widget. It also owns the
// application-wide style sheet.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The application style sheet for the current settings.
    static QString styleSheetText();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::unique_ptr<Ui::frmMain> ui;
    bool screensBuilt = false;
    frmScreenSaver *saver = nullptr;
    bool storageChecked = false;
    // The verification pages in front of a guarded screen, and that screen.
    frmOpen *guardPage = nullptr;
    int guardedPage = 0;
    QString guardedLog;

    // Shows a screen and puts the entry on record.
    void enter(int page, const QString &log);

private Q_SLOTS:
    // The five screens, built once: after the first paint, or at the first press that needs them.
    void initScreens();
    // Tells once what keeps records or settings from being saved.
    void checkStorage();

public Q_SLOTS:
    void initForm();
    void changeStyle();
    void buttonClick();
    void returnMain();
    void showTime();
    void setNet(bool ok);
    void setAc220(bool ok);
    void setPower(bool ok);
};

#endif // FRMMAIN_H
