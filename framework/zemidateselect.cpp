#include "zemidateselect.h"
#include "zemianswer.h"
#include "zemiclock.h"
#include "zemihelper.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

ZemiDateSelect *ZemiDateSelect::instance()
{
    return shared<ZemiDateSelect>();
}

ZemiDateSelect::ZemiDateSelect(QWidget *parent)
    : ZemiDialog(parent)
{
    initControl();
    initForm();
}

void ZemiDateSelect::initControl()
{
    setObjectName(QStringLiteral("ZemiDateSelect"));
    frame = newBodyFrame();
    auto *grid = new QGridLayout(frame);
    grid->setObjectName(QStringLiteral("gridLayout"));
    grid->setContentsMargins(10, 8, 10, 8);
    labStart = new QLabel(QStringLiteral("开始时间"), frame);
    labStart->setObjectName(QStringLiteral("labStart"));
    labEnd = new QLabel(QStringLiteral("结束时间"), frame);
    labEnd->setObjectName(QStringLiteral("labEnd"));
    dateStart = new QDateTimeEdit(frame);
    dateStart->setObjectName(QStringLiteral("dateStart"));
    dateEnd = new QDateTimeEdit(frame);
    dateEnd->setObjectName(QStringLiteral("dateEnd"));
    btnOk = new QPushButton(QStringLiteral("确定"), frame);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnClose = new QPushButton(QStringLiteral("关闭"), frame);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    grid->addWidget(labStart, 0, 0);
    grid->addWidget(dateStart, 0, 1);
    grid->addWidget(btnOk, 0, 2);
    grid->addWidget(labEnd, 1, 0);
    grid->addWidget(dateEnd, 1, 1);
    grid->addWidget(btnClose, 1, 2);
    grid->setColumnStretch(1, 1);

    buildFrame(frame);
    setFixedSize(320, 130);
    labTitle->setText(QStringLiteral("日期时间选择"));
    setWindowTitle(labTitle->text());
    QMetaObject::connectSlotsByName(this);
    connect(btnClose, &QPushButton::clicked, this, &ZemiDateSelect::on_btnMenu_Close_clicked);
}

void ZemiDateSelect::initForm()
{
    initBodyButton(btnOk, QStringLiteral("btn_ok.png"), 0xF00C);
    initBodyButton(btnClose, QStringLiteral("btn_close.png"), 0xF00D);
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    for (QDateTimeEdit *edit : {dateStart, dateEnd}) {
        edit->setCalendarPopup(true);
        edit->calendarWidget()->setGridVisible(true);
        edit->setLocale(chinese);
        edit->calendarWidget()->setLocale(chinese);
        edit->setDisplayFormat(format);
    }
    const QDate today = ZemiClock::today();
    dateStart->setDateTime(QDateTime(today, QTime(0, 0)));
    dateEnd->setDateTime(QDateTime(today.addDays(1), QTime(0, 0)));
    btnOk->setDefault(true);
}

void ZemiDateSelect::showEvent(QShowEvent *event)
{
    ZemiDialog::showEvent(event);
    // Focus on the button, so that no part of a date starts selected.
    btnOk->setFocus();
}

void ZemiDateSelect::on_btnOk_clicked()
{
    if (dateEnd->dateTime() < dateStart->dateTime()) {
        ZemiHelper::showMessageBoxError(QStringLiteral("开始时间不能大于结束时间!"), 3, false);
        return;
    }
    startDateTime = dateStart->dateTime().toString(format);
    endDateTime = dateEnd->dateTime().toString(format);
    done(QMessageBox::Ok);
}

bool ZemiDateSelect::takeAnswer(const ZemiAnswer &answer, int &result)
{
    switch (answer.kind()) {
    case ZemiAnswer::Dates:
        dateStart->setDateTime(answer.start());
        dateEnd->setDateTime(answer.end());
        break;
    case ZemiAnswer::Accept:
        break;
    case ZemiAnswer::Reject:
        result = QMessageBox::Cancel;
        return true;
    default:
        return false;
    }
    if (dateEnd->dateTime() < dateStart->dateTime()) {
        return false;
    }
    startDateTime = dateStart->dateTime().toString(format);
    endDateTime = dateEnd->dateTime().toString(format);
    result = QMessageBox::Ok;
    return true;
}

void ZemiDateSelect::on_btnMenu_Close_clicked()
{
    done(QMessageBox::Cancel);
}

void ZemiDateSelect::setIconMain(QChar glyph, uint size)
{
    putIconMain(glyph, size);
}

void ZemiDateSelect::setFormat(const QString &format)
{
    this->format = format;
    dateStart->setDisplayFormat(format);
    dateEnd->setDisplayFormat(format);
}
