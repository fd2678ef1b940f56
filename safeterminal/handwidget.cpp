#include "handwidget.h"

#include <QLabel>
#include <QMouseEvent>

HandWidget::HandWidget(QWidget *parent) : QWidget(parent)
{
}

void HandWidget::setParts(const QList<QLabel *> &fingers, const QStringList &pictures, QLabel *palm,
                          const QString &palmPicture, int firstNumber)
{
    this->fingers = fingers;
    this->pictures = pictures;
    this->firstNumber = firstNumber;
    enrolled = QList<bool>{false, false, false, false, false};

    const QPixmap palmPixmap(palmPicture);
    palm->setPixmap(palmPixmap);
    palm->setFixedSize(palmPixmap.size());
    for (int i = 0; i < fingers.size(); ++i) {
        const QPixmap pixmap(pictures.at(i).arg(QStringLiteral("1")));
        fingers.at(i)->setFixedSize(pixmap.size());
        fingers.at(i)->setCursor(Qt::PointingHandCursor);
    }
    clear();
    initForm();
}

void HandWidget::initForm()
{
    for (QLabel *finger : qAsConst(fingers)) {
        finger->installEventFilter(this);
    }
}

bool HandWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        const int i = fingers.indexOf(qobject_cast<QLabel *>(watched));
        if (i >= 0 && static_cast<QMouseEvent *>(event)->buttons() == Qt::LeftButton) {
            emit handPressed(firstNumber + i);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HandWidget::setHand(int index, bool ok)
{
    if (index < 1 || index > fingers.size()) {
        return;
    }
    fingers.at(index - 1)->setPixmap(QPixmap(pictures.at(index - 1).arg(ok ? QString() : QStringLiteral("1"))));
    enrolled[index - 1] = ok;
}

bool HandWidget::isEnrolled(int index) const
{
    return index >= 1 && index <= enrolled.size() && enrolled.at(index - 1);
}

void HandWidget::clear()
{
    for (int i = 1; i <= fingers.size(); ++i) {
        setHand(i, false);
    }
}
