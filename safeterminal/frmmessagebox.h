#ifndef FRMMESSAGEBOX_H
#define FRMMESSAGEBOX_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmMessageBox;
}

// The terminal's own message window: one text with OK (information) or OK and
// Cancel (question). It does not block; a question's answer comes as result().
class frmMessageBox : public QWidget
{
    Q_OBJECT
public:
    static frmMessageBox *Instance();
    ~frmMessageBox() override;

private:
    explicit frmMessageBox(QWidget *parent = nullptr);
    std::unique_ptr<Ui::frmMessageBox> ui;

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
