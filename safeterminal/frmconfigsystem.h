#ifndef FRMCONFIGSYSTEM_H
#define FRMCONFIGSYSTEM_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmConfigSystem;
}
class QTimer;
class Tumbler;

// System settings: voice prompts, linked snapshots, the watermark text, four
// slider values, and the machine's date and time picked on six tumblers.
class frmConfigSystem : public QWidget
{
    Q_OBJECT
public:
    explicit frmConfigSystem(QWidget *parent = nullptr);
    ~frmConfigSystem() override;

    // What the operator reads when the clock could not be set.
    static QString clockRefusedText();
    static QString invalidDateText();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::unique_ptr<Ui::frmConfigSystem> ui;

    // The tumblers follow the running clock until the operator turns one;
    // only then does saving set the clock.
    QTimer *clockTimer = nullptr;
    bool followingClock = false;
    bool clockTurned = false;
    bool configSaved = true;

    QList<Tumbler *> tumblers() const;
    void followClock();
    void showValues();
    void showClockFailure(const QString &text);
    void keepDegreeSignVisible();

Q_SIGNALS:
    void returnMain();

public Q_SLOTS:
    void initForm();
    void initConfig();
    void saveConfig();
    void saveTime();
    void setTimeAlarm(int value);
    void setTemp(int value);
    void setVolumn(int value);
    void setTimeClose(int value);
};

#endif // FRMCONFIGSYSTEM_H
