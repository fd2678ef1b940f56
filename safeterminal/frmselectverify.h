#ifndef FRMSELECTVERIFY_H
#define FRMSELECTVERIFY_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmSelectVerify;
}

// Choice of the verification that an inner door needs.
class frmSelectVerify : public QWidget
{
    Q_OBJECT
public:
    explicit frmSelectVerify(QWidget *parent = nullptr);
    ~frmSelectVerify() override;

private:
    std::unique_ptr<Ui::frmSelectVerify> ui;

private Q_SLOTS:
    void on_btnSingle_clicked();
    void on_btnDouble_clicked();
};

#endif // FRMSELECTVERIFY_H
