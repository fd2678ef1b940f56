#ifndef ICONFONT_H
#define ICONFONT_H

#include "iconstylebase.h"

// The platform's own icon font ":/image/iconfont.ttf" (family "iconfont"),
// with the same services as IconHelper; its navigation buttons pad all four sides.
class IconFont : public IconStyleBase
{
    Q_OBJECT
public:
    static IconFont *instance();

protected:
    QString borderPart(const QString &position, int borderWidth) const override;
    QStringList toolButtonRules(const QString &container, const QString &normalBgColor,
                                const QString &normalTextColor) const override;

private:
    explicit IconFont(QObject *parent = nullptr);
};

#endif // ICONFONT_H
