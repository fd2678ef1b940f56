#include "appinit.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QMouseEvent>
#include <QMutex>
#include <QMutexLocker>
#include <QWidget>

AppInit *AppInit::Instance()
{
    static QMutex mutex;
    static AppInit *self = nullptr;
    QMutexLocker locker(&mutex);
    if (!self) {
        self = new AppInit(qApp);
    }
    return self;
}

AppInit::AppInit(QObject *parent) : QObject(parent)
{
    // The programs ask for the Windows CJK font by name; on Linux the same
    // role is played by the free CJK fonts, so let every widget find them.
    QFont::insertSubstitutions(QStringLiteral("Microsoft Yahei"),
                               {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
}

void AppInit::setStartStep(StartStep step)
{
    startStep = std::move(step);
}

void AppInit::setDragFilterEnabled(bool enabled)
{
    dragFilter = enabled;
}

void AppInit::start()
{
    if (startStep) {
        startStep(this);
    }
    if (dragFilter) {
        qApp->installEventFilter(this);
    }
}

bool AppInit::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !widget->property("canMove").toBool()) {
        return QObject::eventFilter(watched, event);
    }

    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouseEvent = static_cast<QMouseEvent *>(event);
        if (mouseEvent->button() == Qt::LeftButton) {
            mousePressed = true;
            mousePoint = mouseEvent->globalPos() - widget->pos();
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        mousePressed = false;
        break;
    case QEvent::MouseMove: {
        auto *mouseEvent = static_cast<QMouseEvent *>(event);
        if (mousePressed && mouseEvent->buttons() != Qt::NoButton) {
            widget->move(mouseEvent->globalPos() - mousePoint);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool AppInit::isDarkStyle(const QString &styleName)
{
    return styleName.contains(QLatin1String("black")) || styleName.contains(QLatin1String("darkblue"))
        || styleName.contains(QLatin1String("purple"));
}

void AppInit::setStyleRules(StyleRules rules)
{
    styleRulesOf = std::move(rules);
}

QStringList AppInit::styleRules(int fontSize, bool dark) const
{
    return styleRulesOf ? styleRulesOf(fontSize, dark) : QStringList();
}
