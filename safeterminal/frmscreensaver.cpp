#include "frmscreensaver.h"
#include "ui_frmscreensaver.h"

#include "appconfig.h"
#include "frmmessagebox.h"
#include "zemiclock.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <atomic>

namespace {
std::atomic<int> msPerMinute{60000};
// GUI thread only.
int busyCount = 0;
QList<frmScreenSaver *> &savers()
{
    static QList<frmScreenSaver *> list;
    return list;
}
} // namespace

frmScreenSaver::frmScreenSaver(QWidget *mainWindow) : QWidget(mainWindow), ui(new Ui::frmScreenSaver)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground, false);
    const bool small = AppConfig::smallScreen();
    ui->labTitle->setStyleSheet(QStringLiteral("font:%1pt;color:#E5F8F2;").arg(small ? 18 : 22));
    ui->labTime->setStyleSheet(QStringLiteral("font:%1pt;color:#FFFFFF;").arg(small ? 64 : 84));
    ui->labDate->setStyleSheet(QStringLiteral("font:%1pt;color:#E5F8F2;").arg(small ? 18 : 24));
    ui->labTip->setStyleSheet(QStringLiteral("font:%1pt;color:rgba(229,248,242,170);").arg(small ? 14 : 16));
    hide();

    idle = new QTimer(this);
    idle->setSingleShot(true);
    connect(idle, &QTimer::timeout, this, &frmScreenSaver::start);
    clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, &frmScreenSaver::showTime);

    qApp->installEventFilter(this);
    savers().append(this);
    restartIdle();
}

frmScreenSaver::~frmScreenSaver()
{
    savers().removeOne(this);
    qApp->removeEventFilter(this);
}

void frmScreenSaver::setBusy(bool busy)
{
    busyCount = qMax(0, busyCount + (busy ? 1 : -1));
    for (frmScreenSaver *saver : savers()) {
        saver->restartIdle();
    }
}

int frmScreenSaver::minuteMs()
{
    return msPerMinute;
}

void frmScreenSaver::setMinuteMs(int msec)
{
    msPerMinute = msec;
}

// TimeClose is read afresh for every idle period, so a new value counts from the next one.
void frmScreenSaver::restartIdle()
{
    const qint64 wait = qint64(AppConfig::TimeClose) * msPerMinute;
    if (busyCount > 0 || AppConfig::TimeClose <= 0 || wait > std::numeric_limits<int>::max()) {
        idle->stop(); // off
        return;
    }
    idle->start(int(wait));
}

bool frmScreenSaver::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        break;
    case QEvent::MouseMove:
        if (static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton) {
            return false; // a pointer passing by is nobody at the screen
        }
        break;
    default:
        return false;
    }
    Q_UNUSED(watched)
    if (isVisible()) {
        // Keys never reach what is covered; presses come to the saver itself.
        return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease
            || event->type() == QEvent::Wheel;
    }
    restartIdle();
    return false;
}

void frmScreenSaver::start()
{
    if (isVisible()) {
        return;
    }
    idle->stop();
    // A question left open counts as answered with 取消; nothing is saved for anyone.
    frmMessageBox::Instance()->dismiss();
    setGeometry(parentWidget()->rect());
    showTime();
    clock->start();
    waking = false;
    show();
    raise();
}

void frmScreenSaver::wake()
{
    if (!isVisible()) {
        return;
    }
    clock->stop();
    hide();
    restartIdle();
    emit woken();
}

void frmScreenSaver::showTime()
{
    const QDateTime now = ZemiClock::now();
    ui->labTime->setText(now.toString(QStringLiteral("hh:mm:ss")));
    ui->labDate->setText(QLocale(QLocale::Chinese, QLocale::China).toString(now.date(), QStringLiteral("yyyy-M-d dddd")));
}

void frmScreenSaver::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    const QPixmap background(AppConfig::BgImage);
    if (!background.isNull()) {
        painter.drawPixmap(rect(), background);
    }
    painter.fillRect(rect(), QColor(0, 8, 20, 185));
}

// The press is taken here and the saver goes at its release, so neither
// reaches what lies underneath. Any button wakes it; none ends the program.
void frmScreenSaver::mousePressEvent(QMouseEvent *event)
{
    waking = true;
    event->accept();
}

void frmScreenSaver::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (waking) {
        waking = false;
        wake();
    }
}

void frmScreenSaver::activity()
{
    if (!isActive()) {
        restartIdle();
    }
}
