#ifndef FRMCONFIGALARM_H
#define FRMCONFIGALARM_H

#include <QModelIndex>
#include <QStringList>
#include <QVector>
#include <QWidget>
#include <memory>

namespace Ui {
class frmConfigAlarm;
}
class QTableView;

// Alarm settings: level, linkage and upload of each of the eight alarm inputs.
// Edits go to working lists and reach the settings only on save.
class frmConfigAlarm : public QWidget
{
    Q_OBJECT
public:
    explicit frmConfigAlarm(QWidget *parent = nullptr);
    ~frmConfigAlarm() override;

    static const QStringList AlarmInputs;
    static const QStringList AlarmLevels;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmConfigAlarm> ui;
    QVector<int> alarmMode;
    QVector<bool> alarmLink;
    QVector<bool> alarmUp;

    int currentInput() const;

Q_SIGNALS:
    void returnMain();

public Q_SLOTS:
    void initForm();
    void initConfig();
    void saveConfig();
    void initTable1();
    void initTable2();

private Q_SLOTS:
    void on_tableMain1_pressed(const QModelIndex &index);
    void on_tableMain2_pressed(const QModelIndex &index);
    void on_btnAlarmLink_clicked();
    void on_btnAlarmUp_clicked();
};

#endif // FRMCONFIGALARM_H
