#include "frmhandleft.h"
#include "ui_frmhandleft.h"

frmHandLeft::frmHandLeft(QWidget *parent) : HandWidget(parent), ui(new Ui::frmHandLeft)
{
    ui->setupUi(this);
    setParts({ui->labHandLeft1, ui->labHandLeft2, ui->labHandLeft3, ui->labHandLeft4, ui->labHandLeft5},
             {QStringLiteral(":/hand/handleft%1_r1_c1.png"),
              QStringLiteral(":/hand/handleft%1_r1_c2.png"),
              QStringLiteral(":/hand/handleft%1_r1_c3.png"),
              QStringLiteral(":/hand/handleft%1_r1_c4.png"),
              QStringLiteral(":/hand/handleft%1_r2_c5.png")},
             ui->labHandLeft, QStringLiteral(":/hand/handleft1_r2_c1.png"), 1);
}

frmHandLeft::~frmHandLeft() = default;
