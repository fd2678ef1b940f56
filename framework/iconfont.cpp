#include "iconfont.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

IconFont *IconFont::instance()
{
    static QMutex mutex;
    static IconFont *self = nullptr;
    QMutexLocker locker(&mutex);
    if (!self) {
        self = new IconFont(qApp);
    }
    return self;
}

IconFont::IconFont(QObject *parent)
    : IconStyleBase(QStringLiteral("iconfont"), QStringLiteral(":/image/iconfont.ttf"), QStringLiteral("iconfont.ttf"),
                    parent)
{
}

QString IconFont::borderPart(const QString &position, int borderWidth) const
{
    QString part;
    if (position == QLatin1String("top")) {
        part = QStringLiteral("border-width:%1px 0px 0px 0px;padding:%1px %2px %2px %2px;");
    } else if (position == QLatin1String("right")) {
        part = QStringLiteral("border-width:0px %1px 0px 0px;padding:%2px %1px %2px %2px;");
    } else if (position == QLatin1String("bottom")) {
        part = QStringLiteral("border-width:0px 0px %1px 0px;padding:%2px %2px %1px %2px;");
    } else {
        part = QStringLiteral("border-width:0px 0px 0px %1px;padding:%2px %2px %2px %1px;");
    }
    return part.arg(borderWidth).arg(borderWidth * 2);
}

QStringList IconFont::toolButtonRules(const QString &container, const QString &normalBgColor,
                                      const QString &normalTextColor) const
{
    if (container == QLatin1String("QFrame")) {
        return {QStringLiteral("QFrame>QToolButton{border-style:none;border-width:0px;}"),
                QStringLiteral("QFrame>QToolButton{background-color:%1;color:%2;}").arg(normalBgColor, normalTextColor)};
    }
    return {QStringLiteral("QWidget>QToolButton{border-width:0px;}"),
            QStringLiteral("QWidget>QToolButton{background-color:%1;color:%2;}").arg(normalBgColor, normalTextColor)};
}
