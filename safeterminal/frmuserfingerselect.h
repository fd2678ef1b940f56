#ifndef FRMUSERFINGERSELECT_H
#define FRMUSERFINGERSELECT_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmUserFingerSelect;
}

// Choice of the finger to enrol, on two hands that show the enrolled fingers.
class frmUserFingerSelect : public QWidget
{
    Q_OBJECT
public:
    explicit frmUserFingerSelect(QWidget *parent = nullptr);
    ~frmUserFingerSelect() override;

private:
    std::unique_ptr<Ui::frmUserFingerSelect> ui;
    QString userID;

Q_SIGNALS:
    void returnMain(int index);
    void userHand(int handIndex);

public Q_SLOTS:
    void initForm();
    void handPressed(int index);
    void userFinger(const QString &userID);
    void fingerFinsh(int index);

private Q_SLOTS:
    void on_btnReturn_clicked();
};

#endif // FRMUSERFINGERSELECT_H
