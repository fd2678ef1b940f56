#include "pagepanel.h"
#include "iconfont.h"
#include "iconhelper.h"
#include "zemihelper.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

namespace PagePanel {

QLabel *create(const QString &name)
{
    auto *label = new QLabel;
    label->setText(name);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("font:80pt;"));
    label->setAutoFillBackground(true);
    return label;
}

void addPanels(QStackedWidget *stack, const QStringList &names)
{
    for (const QString &name : names) {
        stack->addWidget(create(name));
    }
}

QPixmap glyphPixmap(int glyph, int width, int height)
{
    const QColor color(ZemiHelper::textColor);
    const QChar ch(glyph);
    if (glyph >= fontAwesomeFrom) {
        return IconHelper::instance()->getPixmap(color, ch, 20, width, height);
    }
    return IconFont::instance()->getPixmap(color, ch, 20, width, height);
}

bool select(const QList<QPushButton *> &buttons, QStackedWidget *stack, QObject *sender)
{
    const int index = buttons.indexOf(qobject_cast<QPushButton *>(sender));
    if (index < 0) {
        return false;
    }
    if (stack) {
        stack->setCurrentIndex(index);
    }
    for (QPushButton *button : buttons) {
        button->setChecked(button == sender);
    }
    return true;
}

} // namespace PagePanel
