#ifndef FRAMELESSHELPER_H
#define FRAMELESSHELPER_H

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QRubberBand>

class QWidget;
class WidgetData;

// A rubber band that draws a red dashed frame, visible without a compositor.
class LinuxRubberBand : public QRubberBand
{
public:
    explicit LinuxRubberBand(Shape shape, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Gives frameless top-level widgets what a window frame gives: moving by the
// title band and resizing by every edge and corner, optionally previewed with
// a rubber band that is applied on release. The widgets must already be frameless.
class FramelessHelper : public QObject
{
    Q_OBJECT
public:
    explicit FramelessHelper(QObject *parent = nullptr);
    ~FramelessHelper() override;

    void activateOn(QWidget *widget);
    void removeFrom(QWidget *widget);

    void setWidgetMovable(bool movable);
    void setWidgetResizable(bool resizable);
    void setRubberBandOnMove(bool movable);
    void setRubberBandOnResize(bool resizable);
    // Process-wide; 0 is ignored.
    void setBorderWidth(int width);
    void setTitleHeight(int height);

    bool widgetMovable() const;
    bool widgetResizable() const;
    bool rubberBandOnMove() const;
    bool rubberBandOnResize() const;
    int borderWidth() const;
    int titleHeight() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QWidget *, WidgetData *> widgets;
    bool movable = true;
    bool resizable = true;
    bool useRubberBandOnResize = false;
    bool useRubberBandOnMove = false;
};

#endif // FRAMELESSHELPER_H
