#include "zemititlebar.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QVariant>
#include <QWidget>

ZemiTitleBar::ZemiTitleBar(QWidget *parent, int height, Qt::Alignment titleAlignment)
{
    widgetTitle = new QWidget(parent);
    widgetTitle->setObjectName(QStringLiteral("widgetTitle"));
    // The sheets draw the bar on form="title".
    widgetTitle->setProperty("form", QStringLiteral("title"));
    widgetTitle->setFixedHeight(height);
    titleLayout = new QHBoxLayout(widgetTitle);
    titleLayout->setObjectName(QStringLiteral("horizontalLayout4"));
    titleLayout->setContentsMargins(0, 0, 0, 0);
    titleLayout->setSpacing(0);

    labIco = new QLabel(widgetTitle);
    labIco->setObjectName(QStringLiteral("labIco"));
    labIco->setAlignment(Qt::AlignCenter);
    labTitle = new QLabel(widgetTitle);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    labTitle->setAlignment(titleAlignment);
    widgetMenu = new QWidget(widgetTitle);
    widgetMenu->setObjectName(QStringLiteral("widgetMenu"));
    menuLayout = new QHBoxLayout(widgetMenu);
    menuLayout->setObjectName(QStringLiteral("horizontalLayout"));
    menuLayout->setContentsMargins(0, 0, 0, 0);
    menuLayout->setSpacing(0);

    titleLayout->addWidget(labIco);
    titleLayout->addWidget(labTitle, 1);
    titleLayout->addWidget(widgetMenu);
}

void ZemiTitleBar::addMenuButton(QAbstractButton *button)
{
    button->setParent(widgetMenu);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    menuLayout->addWidget(button);
}

void ZemiTitleBar::insertBeforeMenu(QWidget *widget)
{
    widget->setParent(widgetTitle);
    titleLayout->insertWidget(titleLayout->indexOf(widgetMenu), widget);
}

void ZemiTitleBar::insertSpacingBeforeMenu(int size)
{
    titleLayout->insertSpacing(titleLayout->indexOf(widgetMenu), size);
}
