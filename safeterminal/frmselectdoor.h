#ifndef FRMSELECTDOOR_H
#define FRMSELECTDOOR_H

#include "fingersteps.h"

#include <QStringList>
#include <QVector>
#include <QWidget>
#include <memory>

namespace Ui {
class frmSelectDoor;
}
class QTimer;

// Door choice with a 60-second countdown; the arrows step through the doors.
class frmSelectDoor : public QWidget
{
    Q_OBJECT
public:
    explicit frmSelectDoor(QWidget *parent = nullptr);
    ~frmSelectDoor() override;

    static constexpr int CountdownSeconds = 60;

    // Who passed the verification before the choice (nobody for taps and
    // for no verification): named in the record, and their doors checked.
    void setPersons(const QVector<VerifiedPerson> &persons);

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmSelectDoor> ui;
    QStringList doors;
    int currentIndex = 0;
    int count = 0;
    QTimer *timer = nullptr;
    QVector<VerifiedPerson> persons;

    void showDoor();

Q_SIGNALS:
    void returnThis(int index);
    // The door the operator chose to open, as its button reads.
    void doorOpened(const QString &door);

public Q_SLOTS:
    void initForm();
    void changeTime();

private Q_SLOTS:
    void on_btnUp_clicked();
    void on_btnDown_clicked();
    void on_btnDoor_clicked();
};

#endif // FRMSELECTDOOR_H
