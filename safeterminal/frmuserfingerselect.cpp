#include "frmuserfingerselect.h"
#include "ui_frmuserfingerselect.h"

#include "dbhelper.h"
#include "fingerrecord.h"
#include "frmmessagebox.h"
#include "frmuseradd.h"

frmUserFingerSelect::frmUserFingerSelect(QWidget *parent) : QWidget(parent), ui(new Ui::frmUserFingerSelect)
{
    ui->setupUi(this);
    initForm();
}

frmUserFingerSelect::~frmUserFingerSelect() = default;

void frmUserFingerSelect::initForm()
{
    ui->widgetReturn->setProperty("flag", "return");
    ui->labTitle->setProperty("flag", "title");
    connect(ui->widgetHandLeft, &frmHandLeft::handPressed, this, &frmUserFingerSelect::handPressed);
    connect(ui->widgetHandRight, &frmHandRight::handPressed, this, &frmUserFingerSelect::handPressed);
}

void frmUserFingerSelect::userFinger(const QString &userID)
{
    this->userID = userID;
    QString record;
    if (DBHelper::getUserFinger(userID, record) == DbRead::Failed) {
        // Hands that cannot show what is stored are no place to choose a finger.
        frmMessageBox::Instance()->tell(frmUserAdd::readFailedText());
        emit returnMain(1);
        return;
    }
    const QStringList fields = FingerRecord::fields(record);
    if (fields.isEmpty()) {
        ui->widgetHandLeft->clear();
        ui->widgetHandRight->clear();
        return;
    }
    for (int i = 0; i < 5; ++i) {
        ui->widgetHandLeft->setHand(i + 1, !fields.at(i).isEmpty());
        ui->widgetHandRight->setHand(i + 1, !fields.at(i + 5).isEmpty());
    }
}

void frmUserFingerSelect::handPressed(int index)
{
    emit returnMain(3);
    emit userHand(index);
}

void frmUserFingerSelect::fingerFinsh(int index)
{
    if (index < 6) {
        ui->widgetHandLeft->setHand(index, true);
    } else {
        ui->widgetHandRight->setHand(index - 5, true);
    }
}

void frmUserFingerSelect::on_btnReturn_clicked()
{
    emit returnMain(1);
}
