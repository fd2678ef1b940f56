#ifndef FRMCONFIGNET_H
#define FRMCONFIGNET_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmConfigNet;
}
class QLineEdit;

// Network settings: this terminal's address, mask, gateway and port, and the
// server addresses. Typing an address fills in the classful mask and gateway.
class frmConfigNet : public QWidget
{
    Q_OBJECT
public:
    explicit frmConfigNet(QWidget *parent = nullptr);
    ~frmConfigNet() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmConfigNet> ui;

Q_SIGNALS:
    void returnMain();

public Q_SLOTS:
    void initForm();
    void initConfig();
    void saveConfig();

private Q_SLOTS:
    void on_txtIPClient_textChanged(const QString &arg1);
};

#endif // FRMCONFIGNET_H
