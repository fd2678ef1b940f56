#include "tumbler.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

Tumbler::Tumbler(QWidget *parent) : QWidget(parent)
{
    for (int i = 1; i <= 12; ++i) {
        listValue << QString::number(i);
    }
    currentValue = listValue.first();
    foreground = QColor(140, 140, 140);
    background = QColor(40, 40, 40);
    lineColor = QColor(46, 142, 180, 200);
    textColor = QColor(255, 255, 255);
}

QSize Tumbler::sizeHint() const
{
    return QSize(50, 150);
}

QSize Tumbler::minimumSizeHint() const
{
    return QSize(10, 10);
}

int Tumbler::stripLength() const
{
    return horizontal ? width() : height();
}

int Tumbler::coordinate(const QPointF &pos) const
{
    return qRound(horizontal ? pos.x() : pos.y());
}

void Tumbler::setListValue(const QStringList &values)
{
    if (values.isEmpty()) {
        return;
    }
    listValue = values;
    currentIndex = 0;
    currentValue = listValue.first();
    offset = 0;
    update();
}

// Both signals go out together: whoever watches one of them sees every change.
void Tumbler::moveTo(int index)
{
    currentIndex = index;
    currentValue = listValue.at(index);
    emit currentIndexChanged(currentIndex);
    emit currentValueChanged(currentValue);
    update();
}

void Tumbler::setCurrentIndex(int index)
{
    // An index past the end would read outside the list.
    if (index < 0 || index >= listValue.size()) {
        return;
    }
    moveTo(index);
}

void Tumbler::setCurrentValue(const QString &value)
{
    const int index = listValue.indexOf(value);
    if (index < 0) {
        return;
    }
    moveTo(index);
}

void Tumbler::setHorizontal(bool value)
{
    if (horizontal != value) {
        horizontal = value;
        update();
    }
}

void Tumbler::setForeground(const QColor &color)
{
    if (foreground != color) {
        foreground = color;
        update();
    }
}

void Tumbler::setBackground(const QColor &color)
{
    if (background != color) {
        background = color;
        update();
    }
}

void Tumbler::setLineColor(const QColor &color)
{
    if (lineColor != color) {
        lineColor = color;
        update();
    }
}

void Tumbler::setTextColor(const QColor &color)
{
    if (textColor != color) {
        textColor = color;
        update();
    }
}

void Tumbler::mousePressEvent(QMouseEvent *event)
{
    pressed = true;
    pressedPos = coordinate(event->localPos());
}

void Tumbler::mouseMoveEvent(QMouseEvent *event)
{
    const int count = listValue.size();
    if (count < 2 || !pressed) {
        return;
    }
    const int pos = coordinate(event->localPos());
    int index = currentIndex;
    // Nothing lies before the first item or after the last.
    if (index == 0 && pos >= pressedPos) {
        return;
    }
    if (index == count - 1 && pos <= pressedPos) {
        return;
    }

    const int step = stripLength() / percent;
    offset = qBound(-step, pos - pressedPos, step);
    // A drag over a whole slot brings the neighbour into the middle; the
    // press point follows so that the drag can go on to the next one.
    if (step > 0 && offset >= step && index > 0) {
        pressedPos += step;
        offset -= step;
        index--;
    } else if (step > 0 && offset <= -step && index < count - 1) {
        pressedPos -= step;
        offset += step;
        index++;
    }
    if (index != currentIndex) {
        moveTo(index);
    } else {
        update();
    }
}

void Tumbler::mouseReleaseEvent(QMouseEvent *)
{
    if (!pressed) {
        return;
    }
    pressed = false;
    const int count = listValue.size();
    const int step = stripLength() / percent;
    int index = currentIndex;
    // Snap to the item nearest the middle; the strip always comes to rest.
    if (offset < 0 && -offset * 2 >= step && index < count - 1) {
        index++;
    } else if (offset > 0 && offset * 2 >= step && index > 0) {
        index--;
    }
    offset = 0;
    if (index != currentIndex) {
        moveTo(index);
    } else {
        update();
    }
}

void Tumbler::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0 || listValue.isEmpty()) {
        event->ignore();
        return;
    }
    const int steps = delta / 120;
    const int index = qBound(0, currentIndex - steps, listValue.size() - 1);
    if (index != currentIndex) {
        setCurrentIndex(index);
    }
    event->accept();
}

void Tumbler::paintEvent(QPaintEvent *)
{
    const int count = listValue.size();
    if (count < 2) {
        return;
    }
    const int length = stripLength();
    const int step = length / percent;

    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    painter.drawRect(rect());

    QPen pen(lineColor, 3, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    const int first = (length + 1) / 3;
    const int second = 2 * (length + 1) / 3;
    if (horizontal) {
        painter.drawLine(first, 10, first, height() - 9);
        painter.drawLine(second, 10, second, height() - 9);
    } else {
        painter.drawLine(10, first, width() - 9, first);
        painter.drawLine(10, second, width() - 9, second);
    }

    drawText(&painter, offset, currentValue, textColor);
    if (currentIndex > 0) {
        drawText(&painter, offset - step, listValue.at(currentIndex - 1), foreground);
    }
    if (currentIndex < count - 1) {
        drawText(&painter, offset + step, listValue.at(currentIndex + 1), foreground);
    }
}

// The text centred in the slot that lies `displacement` pixels from the middle
// one, smaller the further it is from the middle.
void Tumbler::drawText(QPainter *painter, int displacement, const QString &text, const QColor &color)
{
    const int length = stripLength();
    const int step = length / percent;
    const int size = qMax(1, (length - qAbs(displacement)) / 8);
    QFont font = painter->font();
    font.setPixelSize(size);
    painter->setFont(font);
    painter->setPen(color);
    const QRect slot = horizontal ? QRect(step + displacement, 0, step, height())
                                  : QRect(0, step + displacement, width(), step);
    painter->drawText(slot, Qt::AlignCenter, text);
}
