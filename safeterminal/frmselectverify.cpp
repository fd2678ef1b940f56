#include "frmselectverify.h"
#include "ui_frmselectverify.h"

frmSelectVerify::frmSelectVerify(QWidget *parent) : QWidget(parent), ui(new Ui::frmSelectVerify)
{
    ui->setupUi(this);
}

frmSelectVerify::~frmSelectVerify() = default;

// The verification behind these choices is the device's; the screen only offers them.
void frmSelectVerify::on_btnSingle_clicked()
{
}

void frmSelectVerify::on_btnDouble_clicked()
{
}
