#ifndef ICONHELPER_H
#define ICONHELPER_H

#include "iconstylebase.h"

// FontAwesome 4.7 glyphs for the framework's title bars, dialogs and navigation bars.
class IconHelper : public IconStyleBase
{
    Q_OBJECT
public:
    static IconHelper *instance();

protected:
    QString borderPart(const QString &position, int borderWidth) const override;
    QStringList toolButtonRules(const QString &container, const QString &normalBgColor,
                                const QString &normalTextColor) const override;

private:
    explicit IconHelper(QObject *parent = nullptr);
};

#endif // ICONHELPER_H
