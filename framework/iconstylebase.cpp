#include "iconstylebase.h"
#include "zemilog.h"
#include "zemistyle.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QtDebug>

IconStyleBase::IconStyleBase(const QString &family, const QString &resource, const QString &fontFile,
                             QObject *parent)
    : QObject(parent)
{
    ZemiStyle::initResources();
    QFontDatabase database;
    if (!database.families().contains(family)) {
        const int id = QFontDatabase::addApplicationFont(resource);
        if (QFontDatabase::applicationFontFamilies(id).isEmpty()) {
            qCWarning(lcFramework).noquote() << QStringLiteral("load %1 error").arg(fontFile);
        }
    }
    if (QFontDatabase().families().contains(family)) {
        iconFont = QFont(family);
        iconFont.setHintingPreference(QFont::PreferNoHinting);
    }
}

QFont IconStyleBase::font() const
{
    return iconFont;
}

QString IconStyleBase::family() const
{
    return iconFont.family();
}

void IconStyleBase::setIcon(QLabel *label, QChar glyph, quint32 size)
{
    QFont font = iconFont;
    font.setPixelSize(int(size));
    label->setFont(font);
    label->setText(glyph);
}

void IconStyleBase::setIcon(QAbstractButton *button, QChar glyph, quint32 size)
{
    QFont font = iconFont;
    font.setPixelSize(int(size));
    button->setFont(font);
    button->setText(glyph);
}

QPixmap IconStyleBase::getPixmap(const QColor &color, QChar glyph, quint32 size, quint32 pixWidth, quint32 pixHeight)
{
    QPixmap pixmap(static_cast<int>(pixWidth), static_cast<int>(pixHeight));
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(color);
    QFont font = iconFont;
    font.setPixelSize(int(size));
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    painter.end();
    return pixmap;
}

void IconStyleBase::registerButton(QToolButton *button, const QPixmap &normal, const QPixmap &hover,
                                   const QPixmap &pressed, const QPixmap &checked, quint32 iconWidth,
                                   quint32 iconHeight)
{
    button->setIcon(QIcon(normal));
    button->setIconSize(QSize(int(iconWidth), int(iconHeight)));
    // A bar restyled after a style change replaces its pictures instead of piling them up.
    for (Entry &entry : entries) {
        if (entry.button == button) {
            entry = {button, normal, hover, pressed, checked};
            return;
        }
    }
    entries.append({button, normal, hover, pressed, checked});
    button->installEventFilter(this);
    connect(button, &QObject::destroyed, this, [this, button] {
        for (int i = 0; i < entries.size(); ++i) {
            if (entries.at(i).button == button) {
                entries.removeAt(i);
                return;
            }
        }
    });
}

void IconStyleBase::setStyle(QFrame *frame, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                             quint32 iconSize, quint32 iconWidth, quint32 iconHeight, const QString &normalBgColor,
                             const QString &darkBgColor, const QString &normalTextColor,
                             const QString &darkTextColor)
{
    QStringList rules = toolButtonRules(QStringLiteral("QFrame"), normalBgColor, normalTextColor);
    rules << QStringLiteral("QFrame>QToolButton:hover,QFrame>QToolButton:pressed,QFrame>QToolButton:checked"
                            "{background-color:%1;color:%2;}")
                 .arg(darkBgColor, darkTextColor);
    frame->setStyleSheet(rules.join(QString()));

    const int count = qMin(buttons.size(), glyphs.size());
    for (int i = 0; i < count; ++i) {
        const QChar glyph(glyphs.at(i));
        const QPixmap normal = getPixmap(QColor(normalTextColor), glyph, iconSize, iconWidth, iconHeight);
        const QPixmap dark = getPixmap(QColor(darkTextColor), glyph, iconSize, iconWidth, iconHeight);
        registerButton(buttons.at(i), normal, dark, dark, dark, iconWidth, iconHeight);
    }
}

void IconStyleBase::setStyle(QWidget *widget, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                             quint32 iconSize, quint32 iconWidth, quint32 iconHeight, const QString &position,
                             int borderWidth, const QString &borderColor, const QString &normalBgColor,
                             const QString &darkBgColor, const QString &normalTextColor,
                             const QString &darkTextColor)
{
    NavigationColors colors;
    colors.position = position;
    colors.iconSize = int(iconSize);
    colors.iconWidth = int(iconWidth);
    colors.iconHeight = int(iconHeight);
    colors.borderWidth = borderWidth;
    colors.borderColor = borderColor;
    colors.normalBgColor = normalBgColor;
    colors.normalTextColor = normalTextColor;
    colors.hoverBgColor = colors.pressedBgColor = colors.checkedBgColor = darkBgColor;
    colors.hoverTextColor = colors.pressedTextColor = colors.checkedTextColor = darkTextColor;
    applyNavigation(widget, buttons, glyphs, colors, false);
}

void IconStyleBase::setStyle(QWidget *widget, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                             const NavigationColors &colors)
{
    applyNavigation(widget, buttons, glyphs, colors, true);
}

QStringList IconStyleBase::navigationRules(QWidget *widget, const QList<QToolButton *> &buttons,
                                           const NavigationColors &c, bool separateStates) const
{
    const QString border = borderPart(c.position, c.borderWidth);
    QStringList rules;
    // Text under the icon keeps an invisible border, so the layout does not jump on hover.
    if (buttons.first()->toolButtonStyle() == Qt::ToolButtonTextUnderIcon) {
        rules << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:solid;border-radius:0px;%2"
                                "border-color:%3;color:%4;background:%5;}")
                     .arg(c.position, border, c.normalBgColor, c.normalTextColor, c.normalBgColor);
    } else {
        rules << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:none;border-radius:0px;"
                                "padding:5px;color:%2;background:%3;}")
                     .arg(c.position, c.normalTextColor, c.normalBgColor);
    }
    if (separateStates) {
        const QList<QPair<QString, QPair<QString, QString>>> states = {
            {QStringLiteral("hover"), {c.hoverTextColor, c.hoverBgColor}},
            {QStringLiteral("pressed"), {c.pressedTextColor, c.pressedBgColor}},
            {QStringLiteral("checked"), {c.checkedTextColor, c.checkedBgColor}}};
        for (const auto &state : states) {
            rules << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton:%2{border-style:solid;%3border-color:%4;"
                                    "color:%5;background:%6;}")
                         .arg(c.position, state.first, border, c.borderColor, state.second.first,
                              state.second.second);
        }
    } else {
        rules << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton:hover,QWidget[flag=\"%1\"] "
                                "QAbstractButton:pressed,QWidget[flag=\"%1\"] QAbstractButton:checked"
                                "{border-style:solid;%2border-color:%3;color:%4;background:%5;}")
                     .arg(c.position, border, c.borderColor, c.checkedTextColor, c.checkedBgColor);
    }
    rules << QStringLiteral("QWidget#%1{background:%2;}").arg(widget->objectName(), c.normalBgColor);
    rules << toolButtonRules(QStringLiteral("QWidget"), c.normalBgColor, c.normalTextColor);
    if (separateStates) {
        rules << QStringLiteral("QWidget>QToolButton:hover{background-color:%1;color:%2;}")
                     .arg(c.hoverBgColor, c.hoverTextColor);
        rules << QStringLiteral("QWidget>QToolButton:pressed{background-color:%1;color:%2;}")
                     .arg(c.pressedBgColor, c.pressedTextColor);
        rules << QStringLiteral("QWidget>QToolButton:checked{background-color:%1;color:%2;}")
                     .arg(c.checkedBgColor, c.checkedTextColor);
    } else {
        rules << QStringLiteral("QWidget>QToolButton:hover,QWidget>QToolButton:pressed,QWidget>QToolButton:checked"
                                "{background-color:%1;color:%2;}")
                     .arg(c.checkedBgColor, c.checkedTextColor);
    }
    return rules;
}

void IconStyleBase::applyNavigation(QWidget *widget, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                                    const NavigationColors &c, bool separateStates)
{
    if (buttons.isEmpty() || buttons.size() != glyphs.size()) {
        return;
    }
    widget->setStyleSheet(navigationRules(widget, buttons, c, separateStates).join(QString()));
    const auto size = quint32(c.iconSize), width = quint32(c.iconWidth), height = quint32(c.iconHeight);
    for (int i = 0; i < buttons.size(); ++i) {
        const QChar glyph(glyphs.at(i));
        registerButton(buttons.at(i), getPixmap(QColor(c.normalTextColor), glyph, size, width, height),
                       getPixmap(QColor(c.hoverTextColor), glyph, size, width, height),
                       getPixmap(QColor(c.pressedTextColor), glyph, size, width, height),
                       getPixmap(QColor(c.checkedTextColor), glyph, size, width, height), width, height);
    }
}

bool IconStyleBase::eventFilter(QObject *watched, QEvent *event)
{
    for (const Entry &entry : qAsConst(entries)) {
        if (entry.button != watched) {
            continue;
        }
        switch (event->type()) {
        case QEvent::Enter:
            entry.button->setIcon(QIcon(entry.hover));
            break;
        case QEvent::MouseButtonPress:
            entry.button->setIcon(QIcon(entry.pressed));
            break;
        case QEvent::Leave:
            entry.button->setIcon(QIcon(entry.button->isChecked() ? entry.checked : entry.normal));
            break;
        default:
            break;
        }
        break;
    }
    return QObject::eventFilter(watched, event);
}
