#include "iconhelper.h"

#include <QCoreApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

IconHelper *IconHelper::instance()
{
    static QMutex mutex;
    static IconHelper *self = nullptr;
    QMutexLocker locker(&mutex);
    if (!self) {
        self = new IconHelper(qApp);
    }
    return self;
}

IconHelper::IconHelper(QObject *parent)
    : IconStyleBase(QStringLiteral("FontAwesome"), QStringLiteral(":/image/fontawesome-webfont.ttf"),
                    QStringLiteral("fontawesome-webfont.ttf"), parent)
{
}

QString IconHelper::borderPart(const QString &position, int borderWidth) const
{
    QString part;
    if (position == QLatin1String("top")) {
        part = QStringLiteral("border-width:%1px 0px 0px 0px;padding-top:%1px;padding-bottom:%2px;");
    } else if (position == QLatin1String("right")) {
        part = QStringLiteral("border-width:0px %1px 0px 0px;padding-right:%1px;padding-left:%2px;");
    } else if (position == QLatin1String("bottom")) {
        part = QStringLiteral("border-width:0px 0px %1px 0px;padding-bottom:%1px;padding-top:%2px;");
    } else {
        part = QStringLiteral("border-width:0px 0px 0px %1px;padding-left:%1px;padding-right:%2px;");
    }
    return part.arg(borderWidth).arg(borderWidth * 2);
}

QStringList IconHelper::toolButtonRules(const QString &container, const QString &normalBgColor,
                                        const QString &normalTextColor) const
{
    if (container == QLatin1String("QFrame")) {
        return {QStringLiteral("QFrame>QToolButton{border-style:none;border-width:0px;background-color:%1;color:%2;}")
                    .arg(normalBgColor, normalTextColor)};
    }
    return {QStringLiteral("QWidget>QToolButton{border-width:0px;background-color:%1;color:%2;}")
                .arg(normalBgColor, normalTextColor)};
}
