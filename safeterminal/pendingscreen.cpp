#include "pendingscreen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QVariant>

PendingScreen::PendingScreen(const QString &title, QWidget *parent) : QWidget(parent)
{
    auto *labTitle = new QLabel(title);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    labTitle->setAlignment(Qt::AlignCenter);
    auto *labNote = new QLabel(QStringLiteral("该功能正在建设中"));
    labNote->setAlignment(Qt::AlignCenter);

    auto *widgetReturn = new QWidget;
    widgetReturn->setObjectName(QStringLiteral("widgetReturn"));
    widgetReturn->setProperty("flag", "return");
    auto *btnReturn = new QPushButton(QStringLiteral("返回"));
    btnReturn->setObjectName(QStringLiteral("btnReturn"));
    btnReturn->setMinimumSize(140, 48);
    btnReturn->setCursor(Qt::PointingHandCursor);
    auto *returnLayout = new QHBoxLayout(widgetReturn);
    returnLayout->setContentsMargins(10, 6, 10, 10);
    returnLayout->addStretch();
    returnLayout->addWidget(btnReturn);
    connect(btnReturn, &QPushButton::clicked, this, &PendingScreen::returnMain);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 16, 0, 0);
    layout->addWidget(labTitle);
    layout->addStretch();
    layout->addWidget(labNote);
    layout->addStretch();
    layout->addWidget(widgetReturn);
}
