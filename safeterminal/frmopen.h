#ifndef FRMOPEN_H
#define FRMOPEN_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmOpen;
}

// Door opening: the verification steps that OpenMode demands, then the door
// choice, remote approval or the verification choice. Each finger button
// stands for one accepted finger.
class frmOpen : public QWidget
{
    Q_OBJECT
public:
    explicit frmOpen(QWidget *parent = nullptr);
    ~frmOpen() override;

    enum Page { PageOne = 0, PagePerson1, PagePerson2, PagePerson3, PageDoor, PageAuthor, PageVerify };

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmOpen> ui;

Q_SIGNALS:
    void returnMain();

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
