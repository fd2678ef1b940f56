#include "zemimessagebox.h"
#include "iconhelper.h"
#include "zemianswer.h"
#include "zemihelper.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

ZemiMessageBox *ZemiMessageBox::instance()
{
    return shared<ZemiMessageBox>();
}

ZemiMessageBox::ZemiMessageBox(QWidget *parent)
    : ZemiDialog(parent)
{
    initControl();
    initForm();
}

void ZemiMessageBox::initControl()
{
    setObjectName(QStringLiteral("ZemiMessageBox"));
    frame = newBodyFrame();
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(12, 12, 12, 10);
    grid->setHorizontalSpacing(10);
    labIcoMain = new QLabel(frame);
    labIcoMain->setObjectName(QStringLiteral("labIcoMain"));
    labIcoMain->setFixedSize(30, 30);
    labIcoMain->setAlignment(Qt::AlignCenter);
    labInfo = new QLabel(frame);
    labInfo->setObjectName(QStringLiteral("labInfo"));
    labInfo->setWordWrap(true);
    labInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHBoxLayout *buttons = newOkCancelRow(frame, btnOk, btnCancel);
    grid->addWidget(labIcoMain, 0, 0);
    grid->addWidget(labInfo, 0, 1);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setRowStretch(0, 1);

    buildFrame(frame);
    setFixedSize(280, 150);
    QMetaObject::connectSlotsByName(this);
    connect(btnCancel, &QPushButton::clicked, this, &ZemiMessageBox::on_btnMenu_Close_clicked);
}

void ZemiMessageBox::initForm()
{
    initBodyButton(btnOk, QStringLiteral("btn_ok.png"), 0xF00C);
    initBodyButton(btnCancel, QStringLiteral("btn_close.png"), 0xF00D);
    startCountdownTimer();
    connect(timerCountdown, &QTimer::timeout, this, &ZemiMessageBox::checkSec);
}

void ZemiMessageBox::checkSec()
{
    countdownTick();
}

void ZemiMessageBox::on_btnOk_clicked()
{
    done(QMessageBox::Yes);
}

void ZemiMessageBox::on_btnMenu_Close_clicked()
{
    done(QMessageBox::No);
}

bool ZemiMessageBox::takeAnswer(const ZemiAnswer &answer, int &result)
{
    switch (answer.kind()) {
    case ZemiAnswer::Accept:
        result = QMessageBox::Yes;
        return true;
    case ZemiAnswer::Reject:
        result = QMessageBox::No;
        return true;
    default:
        return false;
    }
}

void ZemiMessageBox::setIconMain(QChar glyph, uint size)
{
    putIconMain(glyph, size);
}

void ZemiMessageBox::setMessage(const QString &msg, int type, int closeSec)
{
    restartCountdown(closeSec);
    checkSec();

    struct Kind {
        const char *image;
        int glyph;
        const char *title;
        bool hideCancel;
    };
    static const Kind kinds[] = {
        {"msg_info.png", 0xF05A, "提示", true},
        {"msg_question.png", 0xF059, "询问", false},
        {"msg_error.png", 0xF057, "错误", true},
    };
    if (type < 0 || type > 2) {
        return;
    }
    const Kind &kind = kinds[type];
    const QString image = QString::fromLatin1(kind.image);
    if (hasImage(image)) {
        labIcoMain->clear();
        labIcoMain->setStyleSheet(QStringLiteral("border-image: url(%1);").arg(imageFile(image)));
    } else {
        labIcoMain->setStyleSheet(QString());
        IconHelper::instance()->setIcon(labIcoMain, QChar(kind.glyph), uint(labIcoMain->height()));
    }
    const QString title = QString::fromUtf8(kind.title);
    labTitle->setText(title);
    if (kind.hideCancel) {
        btnCancel->setVisible(false);
    }
    labInfo->setText(msg);
    setWindowTitle(title);
}
