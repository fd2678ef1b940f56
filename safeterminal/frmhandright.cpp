#include "frmhandright.h"
#include "ui_frmhandright.h"

frmHandRight::frmHandRight(QWidget *parent) : HandWidget(parent), ui(new Ui::frmHandRight)
{
    ui->setupUi(this);
    setParts({ui->labHandRight1, ui->labHandRight2, ui->labHandRight3, ui->labHandRight4, ui->labHandRight5},
             {QStringLiteral(":/hand/handright%1_r1_c1.png"),
              QStringLiteral(":/hand/handright%1_r1_c3.png"),
              QStringLiteral(":/hand/handright%1_r1_c4.png"),
              QStringLiteral(":/hand/handright%1_r1_c5.png"),
              QStringLiteral(":/hand/handright%1_r2_c1.png")},
             ui->labHandRight, QStringLiteral(":/hand/handright1_r2_c2.png"), 6);
}

frmHandRight::~frmHandRight() = default;
