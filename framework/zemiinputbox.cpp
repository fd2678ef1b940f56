#include "zemiinputbox.h"
#include "zemianswer.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ZemiInputBox *ZemiInputBox::instance()
{
    return shared<ZemiInputBox>();
}

ZemiInputBox::ZemiInputBox(QWidget *parent)
    : ZemiDialog(parent)
{
    initControl();
    initForm();
}

void ZemiInputBox::initControl()
{
    setObjectName(QStringLiteral("ZemiInputBox"));
    frame = newBodyFrame();
    auto *body = new QVBoxLayout(frame);
    body->setContentsMargins(12, 8, 12, 10);
    body->setSpacing(6);
    labInfo = new QLabel(frame);
    labInfo->setObjectName(QStringLiteral("labInfo"));
    txtValue = new QLineEdit(frame);
    txtValue->setObjectName(QStringLiteral("txtValue"));
    cboxValue = new QComboBox(frame);
    cboxValue->setObjectName(QStringLiteral("cboxValue"));
    QHBoxLayout *buttons = newOkCancelRow(frame, btnOk, btnCancel);
    body->addWidget(labInfo);
    body->addWidget(txtValue);
    body->addWidget(cboxValue);
    body->addStretch();
    body->addLayout(buttons);

    buildFrame(frame);
    setFixedSize(280, 150);
    labTitle->setText(QStringLiteral("输入框"));
    setWindowTitle(labTitle->text());
    QMetaObject::connectSlotsByName(this);
    connect(btnCancel, &QPushButton::clicked, this, &ZemiInputBox::on_btnMenu_Close_clicked);
}

void ZemiInputBox::initForm()
{
    initBodyButton(btnOk, QStringLiteral("btn_ok.png"), 0xF00C);
    initBodyButton(btnCancel, QStringLiteral("btn_close.png"), 0xF00D);
    startCountdownTimer();
    connect(timerCountdown, &QTimer::timeout, this, &ZemiInputBox::checkSec);
}

void ZemiInputBox::checkSec()
{
    countdownTick();
}

void ZemiInputBox::on_btnOk_clicked()
{
    if (!txtValue->isHidden()) {
        value = txtValue->text();
    } else if (!cboxValue->isHidden()) {
        value = cboxValue->currentText();
    }
    done(QMessageBox::Ok);
}

bool ZemiInputBox::takeAnswer(const ZemiAnswer &answer, int &result)
{
    switch (answer.kind()) {
    case ZemiAnswer::Text:
        if (!cboxValue->isHidden()) {
            const int index = cboxValue->findText(answer.value());
            if (index < 0) {
                return false;
            }
            cboxValue->setCurrentIndex(index);
        } else {
            txtValue->setText(answer.value());
        }
        break;
    case ZemiAnswer::Accept:
        break;
    case ZemiAnswer::Reject:
        result = QMessageBox::Cancel;
        return true;
    default:
        return false;
    }
    // As 确定 takes it.
    if (!txtValue->isHidden()) {
        value = txtValue->text();
    } else if (!cboxValue->isHidden()) {
        value = cboxValue->currentText();
    }
    result = QMessageBox::Ok;
    return true;
}

void ZemiInputBox::on_btnMenu_Close_clicked()
{
    done(QMessageBox::Cancel);
}

void ZemiInputBox::setIconMain(QChar glyph, uint size)
{
    putIconMain(glyph, size);
}

void ZemiInputBox::setParameter(const QString &title, int type, int closeSec, const QString &placeholderText,
                                bool pwd, const QString &defaultValue)
{
    restartCountdown(closeSec);
    labInfo->setText(title);
    checkSec();
    if (type == 0) {
        cboxValue->setVisible(false);
        txtValue->setVisible(true);
        txtValue->setPlaceholderText(placeholderText);
        txtValue->setText(defaultValue);
        txtValue->setEchoMode(pwd ? QLineEdit::Password : QLineEdit::Normal);
    } else if (type == 1) {
        txtValue->setVisible(false);
        cboxValue->setVisible(true);
        // A box filled again lists the new choices only.
        cboxValue->clear();
        cboxValue->addItems(defaultValue.split(QLatin1Char('|')));
    }
}
