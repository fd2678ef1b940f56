#ifndef TUMBLER_H
#define TUMBLER_H

#include <QColor>
#include <QStringList>
#include <QWidget>

// A touch picker: the current item large in the middle of a strip, its two
// neighbours smaller and dimmer on either side. Dragging the strip or turning
// the wheel moves through the list. Vertical by default.
class Tumbler : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int currentIndex READ getCurrentIndex WRITE setCurrentIndex)
    Q_PROPERTY(QString currentValue READ getCurrentValue WRITE setCurrentValue)
    Q_PROPERTY(bool horizontal READ getHorizontal WRITE setHorizontal)
    Q_PROPERTY(QColor foreground READ getForeground WRITE setForeground)
    Q_PROPERTY(QColor background READ getBackground WRITE setBackground)
    Q_PROPERTY(QColor lineColor READ getLineColor WRITE setLineColor)
    Q_PROPERTY(QColor textColor READ getTextColor WRITE setTextColor)

public:
    explicit Tumbler(QWidget *parent = nullptr);

    QStringList getListValue() const { return listValue; }
    int getCurrentIndex() const { return currentIndex; }
    QString getCurrentValue() const { return currentValue; }
    bool getHorizontal() const { return horizontal; }
    QColor getForeground() const { return foreground; }
    QColor getBackground() const { return background; }
    QColor getLineColor() const { return lineColor; }
    QColor getTextColor() const { return textColor; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList listValue;
    int currentIndex = 0;
    QString currentValue;
    bool horizontal = false;
    QColor foreground;
    QColor background;
    QColor lineColor;
    QColor textColor;

    int percent = 3;           // item slots across the strip
    int offset = 0;            // drag displacement in pixels
    bool pressed = false;
    int pressedPos = 0;        // press coordinate along the strip

    int stripLength() const;
    int coordinate(const QPointF &pos) const;
    void moveTo(int index);
    void drawText(QPainter *painter, int displacement, const QString &text, const QColor &color);

Q_SIGNALS:
    void currentIndexChanged(int currentIndex);
    void currentValueChanged(const QString &currentValue);

public Q_SLOTS:
    void setListValue(const QStringList &values);
    void setCurrentIndex(int index);
    void setCurrentValue(const QString &value);
    void setHorizontal(bool value);
    void setForeground(const QColor &color);
    void setBackground(const QColor &color);
    void setLineColor(const QColor &color);
    void setTextColor(const QColor &color);
};

#endif // TUMBLER_H
