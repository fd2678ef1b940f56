#include "zemitipbox.h"
#include "zemihelper.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

ZemiTipBox *ZemiTipBox::instance()
{
    return shared<ZemiTipBox>();
}

ZemiTipBox::ZemiTipBox(QWidget *parent)
    : ZemiDialog(parent, Qt::Tool | Qt::X11BypassWindowManagerHint)
{
    initControl();
    initForm();
}

void ZemiTipBox::initControl()
{
    setObjectName(QStringLiteral("ZemiTipBox"));
    labInfo = new QLabel;
    labInfo->setObjectName(QStringLiteral("labInfo"));
    labInfo->setWordWrap(true);
    labInfo->setMargin(10);
    QFont font = labInfo->font();
    font.setBold(true);
    font.setPixelSize(ZemiHelper::fontSize + 3);
    labInfo->setFont(font);
    buildFrame(labInfo, QStringLiteral("verticalLayout"));
    setFixedSize(280, 150);
    QMetaObject::connectSlotsByName(this);
}

void ZemiTipBox::initForm()
{
    animation = new QPropertyAnimation(this, "pos", this);
    animation->setDuration(500);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    startCountdownTimer();
    connect(timerCountdown, &QTimer::timeout, this, &ZemiTipBox::checkSec);
}

void ZemiTipBox::checkSec()
{
    countdownTick();
}

void ZemiTipBox::on_btnMenu_Close_clicked()
{
    close();
}

void ZemiTipBox::setIconMain(QChar glyph, uint size)
{
    putIconMain(glyph, size);
}

QRect ZemiTipBox::referenceArea() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return QRect();
    }
    return fullScreen ? screen->geometry() : screen->availableGeometry();
}

void ZemiTipBox::setTip(const QString &title, const QString &tip, bool fullScreen, bool center, int closeSec)
{
    restartCountdown(closeSec);
    this->fullScreen = fullScreen;
    checkSec();
    labTitle->setText(title);
    labInfo->setText(tip);
    labInfo->setAlignment(center ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter));
    setWindowTitle(title);

    const QRect area = referenceArea();
    const int x = area.x() + area.width() - width();
    animation->stop();
    animation->setStartValue(QPoint(x, area.y() + area.height()));
    animation->setEndValue(QPoint(x, area.y() + area.height() - height()));
    animation->start();
}

void ZemiTipBox::hide()
{
    const QRect area = referenceArea();
    animation->stop();
    animation->setStartValue(pos());
    animation->setEndValue(QPoint(x(), area.y() + area.height()));
    animation->start();
}
