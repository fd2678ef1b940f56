#ifndef FRMOPEN_H
#define FRMOPEN_H

#include <QStringList>
#include <QWidget>
#include <memory>

class FingerCheck;
class frmSelectDoor;
class QLabel;

namespace Ui {
class frmOpen;
}

// Door opening: the verification steps that OpenMode demands, then the door
// choice, remote approval or the verification choice. A finger on the reader
// passes a step; without a reader at start a press on the finger button does.
// The same steps guard other screens: guard() turns the page into a guard
// that emits verified() instead of offering the doors.
class frmOpen : public QWidget
{
    Q_OBJECT
public:
    explicit frmOpen(QWidget *parent = nullptr);
    ~frmOpen() override;

    enum Page { PageOne = 0, PagePerson1, PagePerson2, PagePerson3, PageDoor, PageAuthor, PageVerify };

    // Guards a screen with a verification mode (1 to 4; remote review counts
    // as one person) and the right each person must hold.
    void guard(int mode, const QString &right);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::unique_ptr<Ui::frmOpen> ui;
    frmSelectDoor *door = nullptr;
    FingerCheck *check = nullptr;
    bool guarding = false;
    int guardMode = 0;
    QString guardRight;
    QStringList prompts;

    int mode() const;
    QLabel *infoOf(int page) const;
    // The step on the page passed: the next person's page, or the end.
    void stepPassed(int page);
    void startStep(int page);

Q_SIGNALS:
    void returnMain();
    // A guard's verification passed.
    void verified();

public Q_SLOTS:
    void initForm();
    void returnThis(int index);

private Q_SLOTS:
    void on_btnFinger_clicked();
    void on_btnFinger1_clicked();
    void on_btnFinger2_clicked();
    void on_btnFinger3_clicked();
};

#endif // FRMOPEN_H
