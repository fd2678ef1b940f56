#include "frmaudio.h"
#include "ui_frmaudio.h"

frmAudio::frmAudio(QWidget *parent) : QWidget(parent), ui(new Ui::frmAudio)
{
    ui->setupUi(this);
}

frmAudio::~frmAudio() = default;
