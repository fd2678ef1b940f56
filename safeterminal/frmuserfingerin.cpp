#include "frmuserfingerin.h"
#include "ui_frmuserfingerin.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerprints.h"
#include "fingerreader.h"
#include "fingerrecord.h"
#include "fingersteps.h"
#include "frmmessagebox.h"
#include "zemiclock.h"

#include <QDateTime>
#include <QTimer>

frmUserFingerIn::frmUserFingerIn(QWidget *parent) : QWidget(parent), ui(new Ui::frmUserFingerIn)
{
    ui->setupUi(this);
    initForm();
}

frmUserFingerIn::~frmUserFingerIn() = default;

QString frmUserFingerIn::prompt()
{
    return QStringLiteral("手指录入: 请把手指放在指纹仪上,\n录入指纹过程中指纹仪可能会有多次闪烁,请耐心等待!");
}

void frmUserFingerIn::initForm()
{
    ui->widgetReturn->setProperty("flag", "return");
    ui->btnFinger->setProperty("flag", "btn");
    ui->labTitle->setProperty("flag", "title");
    ui->btnFinger->setIcon(QIcon(QStringLiteral(":/image/handin.png")));
    if (AppConfig::smallScreen()) {
        ui->btnFinger->setFixedSize(180, 180);
        ui->btnFinger->setIconSize(QSize(156, 156));
    }
    ui->labInfo->setWordWrap(true);

    FingerSteps::addReaderLine(ui->layoutReturnBar);
    FingerReader *reader = FingerReader::instance();
    connect(reader, &FingerReader::enrollProgress, this, [this](int done, int total) {
        if (enrolling) {
            ui->labInfo->setText(QStringLiteral("请再次按压手指 (%1/%2)").arg(done).arg(total));
        }
    });
    connect(reader, &FingerReader::enrollFinished, this,
            [this](FingerReader::Outcome outcome, const QByteArray &print, const QString &error) {
                enrolled(static_cast<int>(outcome), print, error);
            });
    connect(reader, &FingerReader::identifyFinished, this,
            [this](FingerReader::Outcome outcome, int index) { ownerFound(static_cast<int>(outcome), index); });
    connect(reader, &FingerReader::stateChanged, this, [this](FingerReader::State state) {
        if (waitingForReader && state == FingerReader::State::Ready && isVisible()) {
            startEnrolment();
        }
    });
}

void frmUserFingerIn::userFinger(const QString &userID)
{
    this->userID = userID;
}

void frmUserFingerIn::userHand(int handIndex)
{
    fingerIndex = handIndex;
}

void frmUserFingerIn::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    ui->btnFinger->setChecked(false);
    ui->labInfo->setText(prompt());
    if (!FingerSteps::tapsStandIn()) {
        startEnrolment();
    }
}

void frmUserFingerIn::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Leaving the page ends the reader's enrolment; nothing is stored.
    if (enrolling || findingOwner) {
        FingerReader::instance()->cancel();
    }
    enrolling = false;
    findingOwner = false;
    waitingForReader = false;
}

QString frmUserFingerIn::duplicateText(const QString &person)
{
    return QStringLiteral("该指纹已被用户%1录入").arg(person);
}

QString frmUserFingerIn::duplicateAgainText()
{
    return QStringLiteral("该指纹已录入，请再次按压手指以查明录入用户");
}

void frmUserFingerIn::startEnrolment()
{
    FingerReader *reader = FingerReader::instance();
    const bool there = reader->state() == FingerReader::State::Ready || reader->state() == FingerReader::State::Busy;
    waitingForReader = !there;
    if (!there) {
        enrolling = false;
        ui->labInfo->setText(QStringLiteral("指纹仪未连接"));
        return;
    }
    enrolling = true;
    findingOwner = false;
    ui->labInfo->setText(prompt());
    if (reader->storesPrints()) {
        // A reader that keeps prints refuses a finger it has: the finger's
        // old print goes first, so that enrolling it again replaces it.
        QVector<FingerPrints::Print> own;
        FingerPrints::ofUser(userID, own);
        for (const FingerPrints::Print &print : qAsConst(own)) {
            if (print.finger == fingerIndex) {
                reader->deletePrint(print.data);
            }
        }
    }
    reader->enroll(fingerIndex, userID);
}

void frmUserFingerIn::ownerFound(int result, int index)
{
    if (!findingOwner) {
        return;
    }
    using Outcome = FingerReader::Outcome;
    const Outcome outcome = static_cast<Outcome>(result);
    if (outcome == Outcome::Retry) {
        FingerReader::instance()->identify(FingerPrints::data(owners));
        return;
    }
    findingOwner = false;
    if (outcome == Outcome::Done && index >= 0 && index < owners.size()) {
        const QString id = owners.at(index).userID;
        const QString name = AppConfig::Users.userName.value(AppConfig::Users.userID.indexOf(id));
        ui->labInfo->setText(duplicateText(QStringLiteral("%1(%2)").arg(name, id)));
    } else if (outcome == Outcome::Removed) {
        ui->labInfo->setText(QStringLiteral("指纹仪未连接，录入未完成"));
    } else {
        ui->labInfo->setText(QStringLiteral("该指纹已被其他用户录入"));
    }
}

void frmUserFingerIn::enrolled(int result, const QByteArray &print, const QString &error)
{
    if (!enrolling) {
        return;
    }
    enrolling = false;
    using Outcome = FingerReader::Outcome;
    FingerReader *reader = FingerReader::instance();
    switch (static_cast<Outcome>(result)) {
    case Outcome::Done:
        break;
    case Outcome::Duplicate:
        // Whose finger it is, the reader does not say: one more press tells.
        owners.clear();
        {
            QVector<FingerPrints::Print> prints;
            FingerPrints::all(prints);
            for (const FingerPrints::Print &print : qAsConst(prints)) {
                if ((print.userID != userID || print.finger != fingerIndex) && reader->usable(print.data)) {
                    owners << print;
                }
            }
        }
        if (owners.isEmpty()) {
            ui->labInfo->setText(QStringLiteral("该指纹已被其他用户录入"));
            return;
        }
        findingOwner = true;
        ui->labInfo->setText(duplicateAgainText());
        reader->identify(FingerPrints::data(owners));
        return;
    case Outcome::Removed:
        // Back by itself once the reader is: the enrolment starts again.
        waitingForReader = true;
        ui->labInfo->setText(QStringLiteral("指纹仪未连接，录入未完成"));
        return;
    default:
        ui->labInfo->setText(QStringLiteral("指纹录入失败: %1\n请按下按钮重新录入").arg(error));
        return;
    }

    // One finger, one person: a print some other user has is not taken.
    QVector<FingerPrints::Print> prints;
    if (FingerPrints::all(prints) == DbRead::Failed) {
        ui->labInfo->setText(prompt());
        frmMessageBox::Instance()->tell(saveFailedText());
        return;
    }
    for (const FingerPrints::Print &other : qAsConst(prints)) {
        if (other.userID != userID && FingerReader::samePrint(other.data, print)) {
            const int i = AppConfig::Users.userID.indexOf(other.userID);
            const QString name = AppConfig::Users.userName.value(i);
            ui->labInfo->setText(duplicateText(QStringLiteral("%1(%2)").arg(name, other.userID)));
            return;
        }
    }

    if (!storeFinger(print)) {
        if (reader->storesPrints()) {
            reader->deletePrint(print);
        }
        ui->labInfo->setText(prompt());
        frmMessageBox::Instance()->tell(saveFailedText());
        return;
    }
    ui->btnFinger->setChecked(true);
    finished();
}

QString frmUserFingerIn::saveFailedText()
{
    return QStringLiteral("指纹保存失败，请重新录入!");
}

// Reads the record and writes it back with the finger in one write
// transaction: a record that cannot be read is never overwritten.
bool frmUserFingerIn::storeFinger(const QByteArray &print)
{
    DbWriteTransaction write;
    QString record;
    if (!write.isActive() || DBHelper::getUserFinger(userID, record) != DbRead::Found) {
        return false;
    }
    if (!print.isEmpty() && !FingerPrints::store(userID, fingerIndex, print)) {
        return false;
    }
    const QString now = ZemiClock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return DBHelper::updateUserFinger(userID, FingerRecord::enrol(record, fingerIndex, now)) && write.commit();
}

void frmUserFingerIn::on_btnFinger_clicked()
{
    if (!FingerSteps::tapsStandIn()) {
        // The reader enrols; the button starts it again after a failure.
        ui->btnFinger->setChecked(false);
        if (!enrolling) {
            startEnrolment();
        }
        return;
    }
    if (!ui->btnFinger->isChecked()) {
        ui->labInfo->setText(prompt());
        return;
    }

    if (!storeFinger()) {
        ui->btnFinger->setChecked(false);
        ui->labInfo->setText(prompt());
        frmMessageBox::Instance()->tell(saveFailedText());
        return;
    }
    finished();
}

void frmUserFingerIn::finished()
{
    ui->labInfo->setText(QStringLiteral("手指录入: 录入指纹成功!"));
    emit fingerFinsh(fingerIndex);
    // Back to the selection a second later, unless the operator has already left.
    QTimer::singleShot(1000, this, [this] {
        if (isVisible()) {
            on_btnReturn_clicked();
        }
    });
}

void frmUserFingerIn::on_btnReturn_clicked()
{
    emit returnMain(2);
}
