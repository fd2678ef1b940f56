#ifndef FRMSELECTAUTHOR_H
#define FRMSELECTAUTHOR_H

#include <QWidget>
#include <memory>

class QTimer;

namespace Ui {
class frmSelectAuthor;
}

// Remote approval: shows the request in progress, then success one second later.
class frmSelectAuthor : public QWidget
{
    Q_OBJECT
public:
    explicit frmSelectAuthor(QWidget *parent = nullptr);
    ~frmSelectAuthor() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::unique_ptr<Ui::frmSelectAuthor> ui;
    QString door;
    QTimer *approval = nullptr;

public Q_SLOTS:
    void initForm();
    void verifyok();
    // The door whose opening is being approved.
    void setDoor(const QString &door);
};

#endif // FRMSELECTAUTHOR_H
