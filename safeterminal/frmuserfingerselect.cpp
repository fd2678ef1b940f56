#include "frmuserfingerselect.h"
#include "ui_frmuserfingerselect.h"

#include "dbhelper.h"
#include "fingerprints.h"
#include "fingerreader.h"
#include "fingerrecord.h"
#include "fingersteps.h"
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
    QStringList fields = FingerRecord::fields(record);
    if (!FingerSteps::tapsStandIn()) {
        // With the reader in use a finger counts when it has a print the
        // reader can use (while the reader is away: a print at all).
        QVector<FingerPrints::Print> prints;
        if (FingerPrints::ofUser(userID, prints) == DbRead::Failed) {
            frmMessageBox::Instance()->tell(frmUserAdd::readFailedText());
            emit returnMain(1);
            return;
        }
        FingerReader *reader = FingerReader::instance();
        const bool there = reader->state() == FingerReader::State::Ready || reader->state() == FingerReader::State::Busy;
        fields = QVector<QString>(FingerRecord::FingerCount).toList();
        for (const FingerPrints::Print &print : qAsConst(prints)) {
            if (print.finger >= 1 && print.finger <= FingerRecord::FingerCount && (!there || reader->usable(print.data))) {
                fields[print.finger - 1] = QStringLiteral("1");
            }
        }
    }
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
