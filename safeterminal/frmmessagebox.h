#ifndef FRMMESSAGEBOX_H
#define FRMMESSAGEBOX_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmMessageBox;
}

// The terminal's own message window: one text with OK (information) or OK and
// Cancel (question). It does not block the caller; a question's answer comes
// as result(), once the window has closed. A question is modal, so nothing
// underneath changes while it waits; information is not.
class frmMessageBox : public QWidget
{
    Q_OBJECT
public:
    static frmMessageBox *Instance();
    ~frmMessageBox() override;

    // showInfo() and show() in one.
    void tell(const QString &msg);
    // Closes the box; an open question counts as answered with 取消.
    void dismiss();

protected:
    void showEvent(QShowEvent *event) override;

private:
    explicit frmMessageBox(QWidget *parent = nullptr);
    std::unique_ptr<Ui::frmMessageBox> ui;

    void setModal(bool modal);
    void centreOverMainWindow();

Q_SIGNALS:
    void result(bool ok);

public Q_SLOTS:
    void initForm();
    void showInfo(const QString &msg);
    void showQuestion(const QString &msg);

private Q_SLOTS:
    void on_btnOk_clicked();
    void on_btnCancel_clicked();
};

#endif // FRMMESSAGEBOX_H
