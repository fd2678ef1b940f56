#include "framelesshelper.h"

#include <QApplication>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWidget>

namespace {

int frameBorderWidth = 5;
int frameTitleHeight = 30;
// A drag never shrinks a side to this or less.
constexpr int minimumSide = 38;

struct CursorPosition {
    bool onEdges = false;
    bool onLeft = false;
    bool onRight = false;
    bool onTop = false;
    bool onBottom = false;
    bool onTopLeft = false;
    bool onBottomLeft = false;
    bool onTopRight = false;
    bool onBottomRight = false;

    void reset() { *this = CursorPosition(); }

    void recalculate(const QPoint &global, const QRect &frame)
    {
        const int x = global.x();
        const int y = global.y();
        const int b = frameBorderWidth;
        onLeft = x >= frame.left() && x <= frame.left() + b;
        onRight = x >= frame.right() + 1 - b && x <= frame.right() + 1;
        onTop = y >= frame.top() && y <= frame.top() + b;
        onBottom = y >= frame.bottom() + 1 - b && y <= frame.bottom() + 1;
        onTopLeft = onTop && onLeft;
        onBottomLeft = onBottom && onLeft;
        onTopRight = onTop && onRight;
        onBottomRight = onBottom && onRight;
        onEdges = onLeft || onRight || onTop || onBottom;
    }
};

} // namespace

// Per-widget state; its destruction undoes what activation turned on.
class WidgetData
{
public:
    WidgetData(FramelessHelper *helper, QWidget *widget);
    ~WidgetData();

    QWidget *target() const { return widget; }
    void updateRubberBand();
    bool handleEvent(QEvent *event);

private:
    void handleMousePress(QMouseEvent *event);
    void handleMouseRelease(QMouseEvent *event);
    void handleMouseMove(QMouseEvent *event);
    void handleLeave();
    void handleHoverMove(QHoverEvent *event);
    void updateCursorShape(const QPoint &global);
    void resizeWidget(const QPoint &global);
    void moveWidget(const QPoint &global);
    void unsetHelperCursor();

    FramelessHelper *helper;
    QPointer<QWidget> widget;
    Qt::WindowFlags previousFlags;
    bool previousMouseTracking;
    bool previousHover;
    LinuxRubberBand *rubberBand = nullptr;
    bool leftButtonPressed = false;
    bool titlePressed = false;
    bool cursorChanged = false;
    QPoint dragPos;
    // Where the rubber band stands; a top-level band may pad its own geometry.
    QRect bandRect;
    CursorPosition pressedPos;
    CursorPosition movingPos;
};

LinuxRubberBand::LinuxRubberBand(Shape shape, QWidget *parent) : QRubberBand(shape, parent)
{
    QPalette palette;
    palette.setBrush(QPalette::WindowText, QBrush(Qt::lightGray));
    setPalette(palette);
    repaint();
}

void LinuxRubberBand::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    QPen pen;
    pen.setStyle(Qt::DashLine);
    pen.setWidth(1);
    pen.setColor(QColor(Qt::red));
    painter.setPen(pen);
    painter.drawControl(QStyle::CE_FocusFrame, option);
}

WidgetData::WidgetData(FramelessHelper *helper, QWidget *widget)
    : helper(helper),
      widget(widget),
      previousFlags(widget->windowFlags()),
      previousMouseTracking(widget->hasMouseTracking()),
      previousHover(widget->testAttribute(Qt::WA_Hover))
{
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_Hover, true);
    updateRubberBand();
}

WidgetData::~WidgetData()
{
    delete rubberBand;
    if (!widget) {
        return;
    }
    widget->setMouseTracking(previousMouseTracking);
    widget->setAttribute(Qt::WA_Hover, previousHover);
    unsetHelperCursor();
    // Activation never changes the flags. Setting them hides a shown window, so
    // they are put back only on a hidden one whose flags were changed meanwhile.
    if (!widget->isVisible() && widget->windowFlags() != previousFlags) {
        widget->setWindowFlags(previousFlags);
    }
}

void WidgetData::updateRubberBand()
{
    const bool wanted = helper->rubberBandOnMove() || helper->rubberBandOnResize();
    if (wanted && !rubberBand) {
        rubberBand = new LinuxRubberBand(QRubberBand::Rectangle);
    } else if (!wanted && rubberBand) {
        delete rubberBand;
        rubberBand = nullptr;
    }
}

bool WidgetData::handleEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        handleMousePress(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseButtonRelease:
        handleMouseRelease(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::MouseMove:
        handleMouseMove(static_cast<QMouseEvent *>(event));
        return true;
    case QEvent::Leave:
        handleLeave();
        return true;
    case QEvent::HoverMove:
        handleHoverMove(static_cast<QHoverEvent *>(event));
        return true;
    default:
        return false;
    }
}

void WidgetData::handleMousePress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    leftButtonPressed = true;
    titlePressed = event->pos().y() < frameTitleHeight;
    const QRect frame = widget->frameGeometry();
    pressedPos.recalculate(event->globalPos(), frame);
    dragPos = event->globalPos() - frame.topLeft();
    if (!rubberBand) {
        return;
    }
    const bool resizePreview = pressedPos.onEdges && helper->rubberBandOnResize();
    const bool movePreview = !pressedPos.onEdges && helper->rubberBandOnMove() && event->pos().y() < 30;
    if (resizePreview || movePreview) {
        bandRect = frame;
        rubberBand->setGeometry(bandRect);
        rubberBand->show();
    }
}

void WidgetData::handleMouseRelease(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    leftButtonPressed = false;
    titlePressed = false;
    pressedPos.reset();
    if (rubberBand && rubberBand->isVisible()) {
        rubberBand->hide();
        widget->setGeometry(bandRect);
    }
}

void WidgetData::handleMouseMove(QMouseEvent *event)
{
    if (leftButtonPressed) {
        if (helper->widgetResizable() && pressedPos.onEdges) {
            resizeWidget(event->globalPos());
        } else if (helper->widgetMovable() && titlePressed) {
            moveWidget(event->globalPos());
        }
    } else if (helper->widgetResizable()) {
        updateCursorShape(event->globalPos());
    }
}

void WidgetData::handleLeave()
{
    if (!leftButtonPressed) {
        widget->unsetCursor();
        cursorChanged = false;
    }
}

void WidgetData::handleHoverMove(QHoverEvent *event)
{
    if (helper->widgetResizable()) {
        updateCursorShape(widget->mapToGlobal(event->pos()));
    }
}

void WidgetData::unsetHelperCursor()
{
    if (cursorChanged) {
        widget->unsetCursor();
        cursorChanged = false;
    }
}

void WidgetData::updateCursorShape(const QPoint &global)
{
    if (widget->isFullScreen() || widget->isMaximized()) {
        unsetHelperCursor();
        return;
    }
    movingPos.recalculate(global, widget->frameGeometry());
    Qt::CursorShape shape;
    if (movingPos.onTopLeft || movingPos.onBottomRight) {
        shape = Qt::SizeFDiagCursor;
    } else if (movingPos.onTopRight || movingPos.onBottomLeft) {
        shape = Qt::SizeBDiagCursor;
    } else if (movingPos.onLeft || movingPos.onRight) {
        shape = Qt::SizeHorCursor;
    } else if (movingPos.onTop || movingPos.onBottom) {
        shape = Qt::SizeVerCursor;
    } else {
        unsetHelperCursor();
        return;
    }
    widget->setCursor(shape);
    cursorChanged = true;
}

void WidgetData::resizeWidget(const QPoint &global)
{
    const bool preview = helper->rubberBandOnResize() && rubberBand;
    const QRect original = preview ? bandRect : widget->frameGeometry();
    QRect rect = original;
    if (pressedPos.onTopLeft) {
        rect.setLeft(global.x());
        rect.setTop(global.y());
    } else if (pressedPos.onBottomLeft) {
        rect.setLeft(global.x());
        rect.setBottom(global.y());
    } else if (pressedPos.onTopRight) {
        rect.setRight(global.x());
        rect.setTop(global.y());
    } else if (pressedPos.onBottomRight) {
        rect.setRight(global.x());
        rect.setBottom(global.y());
    } else if (pressedPos.onLeft) {
        rect.setLeft(global.x());
    } else if (pressedPos.onRight) {
        rect.setRight(global.x());
    } else if (pressedPos.onTop) {
        rect.setTop(global.y());
    } else if (pressedPos.onBottom) {
        rect.setBottom(global.y());
    }
    if (rect.right() < rect.left() || rect.bottom() < rect.top()) {
        return;
    }
    // Measured as right - left and bottom - top: the dragged side goes back where it was.
    if (rect.right() - rect.left() <= minimumSide) {
        if (pressedPos.onLeft) {
            rect.setLeft(original.left());
        } else {
            rect.setRight(original.right());
        }
    }
    if (rect.bottom() - rect.top() <= minimumSide) {
        if (pressedPos.onTop) {
            rect.setTop(original.top());
        } else {
            rect.setBottom(original.bottom());
        }
    }
    if (preview) {
        bandRect = rect;
        rubberBand->setGeometry(rect);
    } else {
        widget->setGeometry(rect);
    }
}

void WidgetData::moveWidget(const QPoint &global)
{
    if (helper->rubberBandOnMove() && rubberBand) {
        bandRect.moveTopLeft(global - dragPos);
        rubberBand->setGeometry(bandRect);
    } else {
        widget->move(global - dragPos);
    }
}

FramelessHelper::FramelessHelper(QObject *parent) : QObject(parent)
{
}

FramelessHelper::~FramelessHelper()
{
    const QList<QWidget *> keys = widgets.keys();
    for (QWidget *widget : keys) {
        removeFrom(widget);
    }
}

void FramelessHelper::activateOn(QWidget *widget)
{
    if (!widget || widgets.contains(widget)) {
        return;
    }
    widgets.insert(widget, new WidgetData(this, widget));
    widget->installEventFilter(this);
    // A widget destroyed while managed must not leave a dangling entry.
    connect(widget, &QObject::destroyed, this, [this, widget] { delete widgets.take(widget); });
}

void FramelessHelper::removeFrom(QWidget *widget)
{
    WidgetData *data = widgets.take(widget);
    if (!data) {
        return;
    }
    widget->removeEventFilter(this);
    disconnect(widget, &QObject::destroyed, this, nullptr);
    delete data;
}

void FramelessHelper::setWidgetMovable(bool movable)
{
    this->movable = movable;
}

void FramelessHelper::setWidgetResizable(bool resizable)
{
    this->resizable = resizable;
}

void FramelessHelper::setRubberBandOnMove(bool movable)
{
    useRubberBandOnMove = movable;
    for (WidgetData *data : qAsConst(widgets)) {
        data->updateRubberBand();
    }
}

void FramelessHelper::setRubberBandOnResize(bool resizable)
{
    useRubberBandOnResize = resizable;
    for (WidgetData *data : qAsConst(widgets)) {
        data->updateRubberBand();
    }
}

void FramelessHelper::setBorderWidth(int width)
{
    if (width > 0) {
        frameBorderWidth = width;
    }
}

void FramelessHelper::setTitleHeight(int height)
{
    if (height > 0) {
        frameTitleHeight = height;
    }
}

bool FramelessHelper::widgetMovable() const
{
    return movable;
}

bool FramelessHelper::widgetResizable() const
{
    return resizable;
}

bool FramelessHelper::rubberBandOnMove() const
{
    return useRubberBandOnMove;
}

bool FramelessHelper::rubberBandOnResize() const
{
    return useRubberBandOnResize;
}

int FramelessHelper::borderWidth() const
{
    return frameBorderWidth;
}

int FramelessHelper::titleHeight() const
{
    return frameTitleHeight;
}

bool FramelessHelper::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    WidgetData *data = widget ? widgets.value(widget) : nullptr;
    if (data && data->handleEvent(event)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}
