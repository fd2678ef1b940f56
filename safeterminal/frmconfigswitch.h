#ifndef FRMCONFIGSWITCH_H
#define FRMCONFIGSWITCH_H

#include <QModelIndex>
#include <QWidget>
#include <memory>

namespace Ui {
class frmConfigSwitch;
}
class QLineEdit;

// Business settings: the verification mode of opening, logs and settings, the
// remote-approval, password and administrator switches, and the background.
class frmConfigSwitch : public QWidget
{
    Q_OBJECT
public:
    explicit frmConfigSwitch(QWidget *parent = nullptr);
    ~frmConfigSwitch() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::frmConfigSwitch> ui;

    QList<QLineEdit *> modeFields() const;
    void stepImage(int delta);

Q_SIGNALS:
    void returnMain();
    void changeStyle();

public Q_SLOTS:
    void initForm();
    void initTable();
    void initConfig();
    void saveConfig();
    void showImage();

private Q_SLOTS:
    void on_tableMain_pressed(const QModelIndex &index);
    void on_btnPre_clicked();
    void on_btnNext_clicked();
};

#endif // FRMCONFIGSWITCH_H
