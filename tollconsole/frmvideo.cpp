#include "frmvideo.h"
#include "ui_frmvideo.h"

frmVideo::frmVideo(QWidget *parent) : QWidget(parent), ui(new Ui::frmVideo)
{
    ui->setupUi(this);
}

frmVideo::~frmVideo() = default;
