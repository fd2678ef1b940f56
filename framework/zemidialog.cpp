#include "zemidialog.h"
#include "zemititlebar.h"
#include "iconhelper.h"
#include "zemianswer.h"
#include "zemihelper.h"
#include "zemistyle.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString &imageFolder()
{
    static QString folder = QStringLiteral(":/image/");
    return folder;
}

constexpr int titleHeight = 30;

} // namespace

QString ZemiDialog::imagePath()
{
    return imageFolder();
}

void ZemiDialog::setImagePath(const QString &path)
{
    imageFolder() = path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString ZemiDialog::imageFile(const QString &name)
{
    return imageFolder() + name;
}

bool ZemiDialog::hasImage(const QString &name)
{
    // Reading the header is enough to know the picture is there and readable.
    QImageReader reader(imageFile(name));
    return reader.canRead();
}

QWidget *ZemiDialog::mainWindow(const QWidget *except)
{
    const auto eligible = [except](QWidget *w) {
        if (!w || w == except || !w->isVisible() || !w->isWindow() || qobject_cast<ZemiDialog *>(w)) {
            return false;
        }
        const Qt::WindowType type = w->windowType();
        return type == Qt::Window || type == Qt::Widget || type == Qt::Dialog;
    };
    QWidget *active = QApplication::activeWindow();
    if (eligible(active)) {
        return active;
    }
    QWidget *largest = nullptr;
    qint64 largestArea = 0;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        const qint64 area = qint64(w->width()) * w->height();
        if (eligible(w) && area > largestArea) {
            largest = w;
            largestArea = area;
        }
    }
    return largest;
}

void ZemiDialog::placeOverOwner(QWidget *widget)
{
    QWidget *owner = widget->parentWidget() ? widget->parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible()) {
        owner = mainWindow(widget);
    }
    QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QRect area = owner ? owner->frameGeometry() : available;

    QRect box(QPoint(0, 0), widget->frameGeometry().size());
    box.moveCenter(area.center());
    // Never partly off the screen, even over a window that is.
    box.moveLeft(qBound(available.left(), box.left(), qMax(available.left(), available.right() - box.width() + 1)));
    box.moveTop(qBound(available.top(), box.top(), qMax(available.top(), available.bottom() - box.height() + 1)));
    widget->move(box.topLeft());
}

ZemiDialog::ZemiDialog(QWidget *parent, Qt::WindowFlags extraFlags)
    : QDialog(parent)
{
    ZemiStyle::initResources();
    setProperty("form", QStringLiteral("true"));
    setWindowFlags((extraFlags ? extraFlags : Qt::WindowFlags(Qt::Dialog)) | Qt::FramelessWindowHint
                   | Qt::WindowStaysOnTopHint);
    installEventFilter(this);
}

QFrame *ZemiDialog::newBodyFrame()
{
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("frame"));
    return frame;
}

QHBoxLayout *ZemiDialog::newOkCancelRow(QWidget *body, QPushButton *&ok, QPushButton *&cancel)
{
    ok = new QPushButton(QStringLiteral("确定"), body);
    ok->setObjectName(QStringLiteral("btnOk"));
    cancel = new QPushButton(QStringLiteral("取消"), body);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QWidget *ZemiDialog::buildFrame(QWidget *body, const QString &layoutName)
{
    auto *outer = new QVBoxLayout(this);
    outer->setObjectName(layoutName);
    // The sheets draw the one-pixel window border on form="true".
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);

    ZemiTitleBar bar(this, titleHeight, Qt::AlignLeft | Qt::AlignVCenter);
    widgetTitle = bar.widgetTitle;
    labIco = bar.labIco;
    labIco->setFixedWidth(titleHeight);
    labTitle = bar.labTitle;
    widgetMenu = bar.widgetMenu;
    labTime = new QLabel;
    labTime->setObjectName(QStringLiteral("labTime"));
    labTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bar.insertBeforeMenu(labTime);
    bar.insertSpacingBeforeMenu(4);
    btnMenu_Close = new QPushButton;
    btnMenu_Close->setObjectName(QStringLiteral("btnMenu_Close"));
    btnMenu_Close->setFixedWidth(titleHeight);
    bar.addMenuButton(btnMenu_Close);

    widgetMainZemi = new QWidget(this);
    widgetMainZemi->setObjectName(QStringLiteral("widgetMainZemi"));
    auto *mainLayout = new QVBoxLayout(widgetMainZemi);
    mainLayout->setContentsMargins(0, 0, 0, 0);
    mainLayout->addWidget(body);

    outer->addWidget(widgetTitle);
    outer->addWidget(widgetMainZemi, 1);

    putIconMain(QChar(ZemiHelper::iconMain), uint(ZemiHelper::fontSize + 2));
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), uint(ZemiHelper::fontSize));
    return body;
}

void ZemiDialog::putIconMain(QChar glyph, uint size)
{
    IconHelper::instance()->setIcon(labIco, glyph, size);
}

void ZemiDialog::initBodyButton(QPushButton *button, const QString &image, int glyph)
{
    button->setMinimumWidth(80);
    button->setIconSize(QSize(18, 18));
    if (hasImage(image)) {
        button->setIcon(QIcon(imageFile(image)));
    } else {
        // The glyph takes the button's text colour, which the style sheet decides.
        const QColor color = button->palette().color(QPalette::ButtonText);
        button->setIcon(QIcon(IconHelper::instance()->getPixmap(color, QChar(glyph), 15, 18, 18)));
    }
}

void ZemiDialog::startCountdownTimer()
{
    timerCountdown = new QTimer(this);
    timerCountdown->setObjectName(QStringLiteral("timerCountdown"));
    timerCountdown->setInterval(1000);
    timerCountdown->start();
}

void ZemiDialog::restartCountdown(int seconds)
{
    currentSec = 0;
    closeSec = seconds;
    labTime->clear();
    // A fresh second for the first step, so "3" stands a whole second.
    if (timerCountdown) {
        timerCountdown->start();
    }
}

void ZemiDialog::countdownTick()
{
    if (closeSec == 0) {
        return;
    }
    if (currentSec < closeSec) {
        currentSec++;
    } else {
        close();
    }
    labTime->setText(QStringLiteral("关闭倒计时 %1 s").arg(closeSec - currentSec + 1));
}

bool ZemiDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                mousePressed = true;
                mousePoint = mouse->globalPos() - pos();
                return true;
            }
            break;
        }
        case QEvent::MouseMove: {
            auto *mouse = static_cast<QMouseEvent *>(event);
            if (mousePressed && (mouse->buttons() & Qt::LeftButton)) {
                move(mouse->globalPos() - mousePoint);
                return true;
            }
            break;
        }
        case QEvent::MouseButtonRelease:
            mousePressed = false;
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

int ZemiDialog::exec()
{
    ZemiAnswer answer;
    if (!ZemiHelper::takeNextAnswer(answer)) {
        return QDialog::exec();
    }
    if (answer.kind() == ZemiAnswer::Act) {
        const std::function<void(QDialog *)> action = answer.action();
        QTimer::singleShot(0, this, [this, action] {
            action(this);
            if (isVisible()) {
                ZemiHelper::noteAnswerProblem(QStringLiteral("%1 still open after its answer").arg(objectName()));
                int result = Rejected;
                takeAnswer(ZemiAnswer::reject(), result);
                done(result);
            }
        });
        return QDialog::exec();
    }
    int result = Rejected;
    if (!takeAnswer(answer, result)) {
        ZemiHelper::noteAnswerProblem(QStringLiteral("%1 cannot take the answer %2").arg(objectName(), answer.describe()));
        takeAnswer(ZemiAnswer::reject(), result);
    }
    done(result);
    return result;
}

bool ZemiDialog::takeAnswer(const ZemiAnswer &answer, int &result)
{
    switch (answer.kind()) {
    case ZemiAnswer::Accept:
        result = Accepted;
        return true;
    case ZemiAnswer::Reject:
        result = Rejected;
        return true;
    default:
        return false;
    }
}

void ZemiDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (centresItself()) {
        placeOverOwner(this);
    }
    // Without a window manager nothing lifts a window shown again above the others.
    raise();
}
