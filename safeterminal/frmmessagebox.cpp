#include "frmmessagebox.h"
#include "ui_frmmessagebox.h"

#include <QMutex>
#include <QMutexLocker>

frmMessageBox *frmMessageBox::Instance()
{
    static QMutex mutex;
    static frmMessageBox *self = nullptr;
    QMutexLocker locker(&mutex);
    if (!self) {
        self = new frmMessageBox; // kept until the process ends
    }
    return self;
}

frmMessageBox::frmMessageBox(QWidget *parent) : QWidget(parent), ui(new Ui::frmMessageBox)
{
    ui->setupUi(this);
    initForm();
}

frmMessageBox::~frmMessageBox() = default;

void frmMessageBox::initForm()
{
    setWindowOpacity(0.9);
    setProperty("form", true);
    setProperty("canMove", true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    ui->widgetReturn->setProperty("flag", "return");
}

void frmMessageBox::showInfo(const QString &msg)
{
    ui->btnOk->setVisible(true);
    ui->btnCancel->setVisible(false);
    ui->labInfo->setText(msg);
}

void frmMessageBox::showQuestion(const QString &msg)
{
    ui->btnOk->setVisible(true);
    ui->btnCancel->setVisible(true);
    ui->labInfo->setText(msg);
}

void frmMessageBox::on_btnOk_clicked()
{
    // isVisibleTo: the window itself may be hidden by the time a test presses the button.
    if (ui->btnCancel->isVisibleTo(this)) {
        emit result(true);
    }
    close();
}

void frmMessageBox::on_btnCancel_clicked()
{
    emit result(false);
    close();
}
