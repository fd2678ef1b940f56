#include "bottomwidget.h"
#include "zemiclock.h"

#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>

BottomWidget::BottomWidget(QWidget *parent) : QWidget(parent), timer(new QTimer(this))
{
    connect(timer, &QTimer::timeout, this, &BottomWidget::showTime);
}

// A plain QWidget subclass ignores its sheet's background unless it paints it.
void BottomWidget::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void BottomWidget::showTitle()
{
    if (labTitle) {
        labTitle->setText(QStringLiteral("欢迎使用%1 %2").arg(title, version));
    }
}

void BottomWidget::showAuthor()
{
    if (labAuthor) {
        labAuthor->setText(QStringLiteral("版权所有: %1").arg(author));
    }
}

void BottomWidget::showUser()
{
    if (labUser) {
        labUser->setText(QStringLiteral("当前用户: %1【%2】").arg(currentUserName, currentUserType));
    }
}

void BottomWidget::showTime()
{
    if (++second == 60) {
        second = 0;
        if (++minute == 60) {
            minute = 0;
            if (++hour == 24) {
                hour = 0;
                ++day;
            }
        }
    }
    if (labLive) {
        labLive->setText(QStringLiteral("已运行: %1天%2时%3分%4秒").arg(day).arg(hour).arg(minute).arg(second));
    }
    if (labDateTime) {
        labDateTime->setText(ZemiClock::now().toString(QStringLiteral("当前时间: yyyy年MM月dd日 HH:mm:ss")));
    }
}

void BottomWidget::setLabTitleVisible(bool visible)
{
    labTitleVisible = visible;
}

void BottomWidget::setLabAuthorVisible(bool visible)
{
    labAuthorVisible = visible;
}

void BottomWidget::setLabUserVisible(bool visible)
{
    labUserVisible = visible;
}

void BottomWidget::setLabLiveVisible(bool visible)
{
    labLiveVisible = visible;
}

void BottomWidget::setLabDateTimeVisible(bool visible)
{
    labDateTimeVisible = visible;
}

void BottomWidget::setTitle(const QString &title)
{
    if (this->title != title) {
        this->title = title;
        showTitle();
    }
}

void BottomWidget::setVersion(const QString &version)
{
    if (this->version != version) {
        this->version = version;
        showTitle();
    }
}

void BottomWidget::setAuthor(const QString &author)
{
    if (this->author != author) {
        this->author = author;
        showAuthor();
    }
}

void BottomWidget::setCurrentUserName(const QString &currentUserName)
{
    if (this->currentUserName != currentUserName) {
        this->currentUserName = currentUserName;
        showUser();
    }
}

void BottomWidget::setCurrentUserType(const QString &currentUserType)
{
    if (this->currentUserType != currentUserType) {
        this->currentUserType = currentUserType;
        showUser();
    }
}

void BottomWidget::setFontName(const QString &fontName)
{
    this->fontName = fontName;
}

void BottomWidget::setFontSize(int fontSize)
{
    this->fontSize = fontSize;
}

void BottomWidget::setLineFixedWidth(bool lineFixedWidth)
{
    this->lineFixedWidth = lineFixedWidth;
}

void BottomWidget::start(int interval)
{
    // Built once; a second start only restarts the timer with the new interval.
    if (!layout()) {
        labTitle = new QLabel(this);
        labTitle->setObjectName(QStringLiteral("labTitle"));
        labAuthor = new QLabel(this);
        labAuthor->setObjectName(QStringLiteral("labAuthor"));
        labUser = new QLabel(this);
        labUser->setObjectName(QStringLiteral("labUser"));
        labLive = new QLabel(this);
        labLive->setObjectName(QStringLiteral("labLive"));
        labDateTime = new QLabel(this);
        labDateTime->setObjectName(QStringLiteral("labDateTime"));

        auto *layout = new QHBoxLayout(this);
        layout->setSpacing(6);
        layout->setContentsMargins(6, 6, 6, 6);
        const QList<QPair<QLabel *, bool>> labels = {{labTitle, labTitleVisible},
                                                    {labAuthor, labAuthorVisible},
                                                    {labUser, labUserVisible},
                                                    {labLive, labLiveVisible},
                                                    {labDateTime, labDateTimeVisible}};
        QFont font(fontName);
        font.setPixelSize(fontSize);
        int shown = 0;
        for (const auto &entry : labels) {
            entry.first->setFont(font);
            if (!entry.second) {
                entry.first->hide();
                continue;
            }
            if (shown++ > 0) {
                auto *line = new QFrame(this);
                line->setObjectName(QStringLiteral("line%1").arg(shown - 1));
                line->setFrameShape(QFrame::VLine);
                line->setFrameShadow(QFrame::Sunken);
                if (lineFixedWidth) {
                    line->setFixedWidth(1);
                }
                layout->addWidget(line);
            }
            layout->addWidget(entry.first);
        }
        // The welcome line takes the free room, so the rest sit at the right.
        layout->setStretchFactor(labTitle, 1);
        showTitle();
        showAuthor();
        showUser();
    }
    showTime();
    timer->start(interval);
}

void BottomWidget::start()
{
    start(1000);
}
