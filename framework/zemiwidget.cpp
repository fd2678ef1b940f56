#include "zemiwidget.h"
#include "zemititlebar.h"
#include "iconhelper.h"
#include "zemidateselect.h"
#include "zemihelper.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Glyphs of the title bar, by Widget value; the main icon is ZemiHelper::iconMain.
int glyphs[6] = {0xF072, 0xF0D7, 0xF068, 0xF2D2, 0xF2D0, 0xF00D};

struct MaximizedState {
    bool max = false;
    QRect location;
};

MaximizedState &maximizedState()
{
    static MaximizedState state;
    return state;
}

constexpr int defaultTitleHeight = 30;

} // namespace

ZemiWidget::ZemiWidget(QWidget *parent)
    : QDialog(parent)
{
    initControl();
    initForm();
}

bool ZemiWidget::isMaximizedState()
{
    return maximizedState().max;
}

void ZemiWidget::resetMaximizedState()
{
    maximizedState() = MaximizedState();
}

void ZemiWidget::initControl()
{
    setObjectName(QStringLiteral("ZemiWidget"));
    verticalLayout1 = new QVBoxLayout(this);
    verticalLayout1->setObjectName(QStringLiteral("verticalLayout1"));
    verticalLayout1->setContentsMargins(1, 1, 1, 1);
    verticalLayout1->setSpacing(0);

    widgetMainZemi = new QWidget(this);
    widgetMainZemi->setObjectName(QStringLiteral("widgetMainZemi"));
    auto *verticalLayout2 = new QVBoxLayout(widgetMainZemi);
    verticalLayout2->setObjectName(QStringLiteral("verticalLayout2"));
    verticalLayout2->setContentsMargins(0, 0, 0, 0);
    verticalLayout2->setSpacing(0);
    verticalLayout1->addWidget(widgetMainZemi);

    ZemiTitleBar bar(widgetMainZemi, defaultTitleHeight, alignment);
    widgetTitle = bar.widgetTitle;
    labIco = bar.labIco;
    labTitle = bar.labTitle;
    widgetMenu = bar.widgetMenu;

    btnMenu = new QToolButton;
    btnMenu->setObjectName(QStringLiteral("btnMenu"));
    btnMenu->setPopupMode(QToolButton::InstantPopup);
    // The caret glyph is the button's own arrow.
    btnMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator{image:none;}"));
    btnMenu_Min = new QPushButton;
    btnMenu_Min->setObjectName(QStringLiteral("btnMenu_Min"));
    btnMenu_Max = new QPushButton;
    btnMenu_Max->setObjectName(QStringLiteral("btnMenu_Max"));
    btnMenu_Close = new QPushButton;
    btnMenu_Close->setObjectName(QStringLiteral("btnMenu_Close"));
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(btnMenu), static_cast<QAbstractButton *>(btnMenu_Min),
                               static_cast<QAbstractButton *>(btnMenu_Max),
                               static_cast<QAbstractButton *>(btnMenu_Close)}) {
        bar.addMenuButton(b);
    }
    verticalLayout2->addWidget(widgetTitle);

    widget = new QWidget(widgetMainZemi);
    widget->setObjectName(QStringLiteral("widget"));
    verticalLayout3 = new QVBoxLayout(widget);
    verticalLayout3->setObjectName(QStringLiteral("verticalLayout3"));
    verticalLayout3->setContentsMargins(0, 0, 0, 0);
    verticalLayout3->setSpacing(0);
    verticalLayout2->addWidget(widget, 1);

    setBtnWidth(defaultTitleHeight);
    QMetaObject::connectSlotsByName(this);
}

void ZemiWidget::initForm()
{
    IconHelper *icons = IconHelper::instance();
    icons->setIcon(labIco, QChar(ZemiHelper::iconMain), 11);
    icons->setIcon(btnMenu, QChar(glyphs[WidgetMenuButton]), 12);
    icons->setIcon(btnMenu_Min, QChar(glyphs[WidgetMinButton]), 12);
    icons->setIcon(btnMenu_Max, QChar(glyphs[maximizedState().max ? WidgetMaxButton : WidgetNormalButton]), 12);
    icons->setIcon(btnMenu_Close, QChar(glyphs[WidgetCloseButton]), 12);

    setProperty("form", true);
    setProperty("canMove", true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint);
    installEventFilter(this);
    widgetTitle->installEventFilter(this);
    setTitle(QStringLiteral("Zemi Demo"));

    for (Style style : ZemiStyle::allStyles()) {
        auto *action = new QAction(ZemiStyle::styleDisplayName(style), btnMenu);
        connect(action, &QAction::triggered, this, qOverload<>(&ZemiWidget::changeStyle));
        btnMenu->addAction(action);
    }
}

void ZemiWidget::changeStyle()
{
    const auto *action = qobject_cast<QAction *>(sender());
    bool known = false;
    const Style style = ZemiStyle::styleFromDisplayName(action ? action->text() : QString(), &known);
    ZemiHelper::applyStyle(style);
    emit changeStyle(ZemiStyle::styleFile(known ? style : Style_LightBlue));
}

bool ZemiWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this || watched == widgetTitle) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                mousePressed = true;
                mousePoint = mouse->globalPos() - pos();
            }
            break;
        }
        case QEvent::MouseMove: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mousePressed && (mouse->buttons() & Qt::LeftButton) && property("canMove").toBool()) {
                move(mouse->globalPos() - mousePoint);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            mousePressed = false;
            break;
        case QEvent::MouseButtonDblClick:
            if (watched == widgetTitle && !btnMenu_Max->isHidden()) {
                on_btnMenu_Max_clicked();
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ZemiWidget::on_btnMenu_Min_clicked()
{
    if (minHide) {
        hide();
    } else {
        showMinimized();
    }
}

void ZemiWidget::on_btnMenu_Max_clicked()
{
    MaximizedState &state = maximizedState();
    if (!state.max) {
        state.location = geometry();
        const QScreen *area = screen();
        setGeometry(area ? area->availableGeometry() : QRect(0, 0, ZemiHelper::desktopWidth(),
                                                               ZemiHelper::desktopHeight()));
        IconHelper::instance()->setIcon(btnMenu_Max, QChar(glyphs[WidgetMaxButton]), 12);
        setProperty("canMove", false);
    } else {
        setGeometry(state.location);
        IconHelper::instance()->setIcon(btnMenu_Max, QChar(glyphs[WidgetNormalButton]), 12);
        setProperty("canMove", true);
    }
    state.max = !state.max;
}

void ZemiWidget::on_btnMenu_Close_clicked()
{
    emit closing();
    if (content) {
        content->close();
    }
    if (exitAll) {
        close();
    }
}

QAbstractButton *ZemiWidget::button(Widget which) const
{
    switch (which) {
    case WidgetMenuButton:
        return btnMenu;
    case WidgetMinButton:
        return btnMenu_Min;
    case WidgetMaxButton:
    case WidgetNormalButton:
        return btnMenu_Max;
    case WidgetCloseButton:
        return btnMenu_Close;
    default:
        return nullptr;
    }
}

void ZemiWidget::setIcon(ZemiWidget::Widget widget, QChar glyph, uint size)
{
    if (widget == WidgetIcon) {
        setIconMain(glyph, size);
        return;
    }
    QAbstractButton *target = button(widget);
    if (!target) {
        return;
    }
    glyphs[widget] = glyph.unicode();
    IconHelper::instance()->setIcon(target, glyph, size);
}

void ZemiWidget::setIconMain(QChar glyph, uint size)
{
    ZemiHelper::iconMain = glyph.unicode();
    IconHelper::instance()->setIcon(labIco, glyph, size);
    ZemiMessageBox::instance()->setIconMain(glyph, size);
    ZemiInputBox::instance()->setIconMain(glyph, size);
    ZemiDateSelect::instance()->setIconMain(glyph, size);
}

void ZemiWidget::setPixmap(ZemiWidget::Widget widget, const QString &file, const QSize &size)
{
    if (widget == WidgetIcon) {
        const QPixmap pixmap(file);
        labIco->setPixmap(pixmap.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        return;
    }
    if (QAbstractButton *target = button(widget)) {
        target->setIcon(QIcon(file));
    }
}

void ZemiWidget::setVisible(ZemiWidget::Widget widget, bool visible)
{
    if (widget == WidgetIcon) {
        labIco->setVisible(visible);
    } else if (widget != WidgetNormalButton) {
        if (QAbstractButton *target = button(widget)) {
            target->setVisible(visible);
        }
    }
}

void ZemiWidget::setOnlyCloseBtn()
{
    btnMenu->setVisible(false);
    btnMenu_Min->setVisible(false);
    btnMenu_Max->setVisible(false);
}

void ZemiWidget::setTitleHeight(int height)
{
    widgetTitle->setFixedHeight(height);
}

void ZemiWidget::setBtnWidth(int width)
{
    labIco->setFixedWidth(width);
    btnMenu->setFixedWidth(width);
    btnMenu_Min->setFixedWidth(width);
    btnMenu_Max->setFixedWidth(width);
    btnMenu_Close->setFixedWidth(width);
}

void ZemiWidget::setTitle(const QString &title)
{
    if (this->title != title) {
        this->title = title;
        labTitle->setText(title);
        setWindowTitle(title);
    }
}

void ZemiWidget::setAlignment(Qt::Alignment alignment)
{
    if (this->alignment != alignment) {
        this->alignment = alignment;
        labTitle->setAlignment(alignment);
    }
}

void ZemiWidget::setMinHide(bool minHide)
{
    this->minHide = minHide;
}

void ZemiWidget::setExitAll(bool exitAll)
{
    this->exitAll = exitAll;
}

void ZemiWidget::setMainWidget(QWidget *mainWidget)
{
    if (content || !mainWidget) {
        return;
    }
    content = mainWidget;
    verticalLayout3->addWidget(mainWidget);
    resize(mainWidget->width() + 2, widgetTitle->height() + mainWidget->height() + 2);
}
