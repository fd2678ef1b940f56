#include "frmmessagebox.h"
#include "ui_frmmessagebox.h"

#include <QApplication>
#include <QMutex>
#include <QMutexLocker>
#include <QScreen>

frmMessageBox *frmMessageBox::Instance()
{
    static QMutex mutex;
    static frmMessageBox *self = nullptr;
    QMutexLocker locker(&mutex);
    if (!self) {
        self = new frmMessageBox; // kept until the process ends
    }
    return self;
}

frmMessageBox::frmMessageBox(QWidget *parent) : QWidget(parent), ui(new Ui::frmMessageBox)
{
    ui->setupUi(this);
    initForm();
}

frmMessageBox::~frmMessageBox() = default;

void frmMessageBox::initForm()
{
    setWindowOpacity(0.9);
    setProperty("form", true);
    setProperty("canMove", true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    ui->widgetReturn->setProperty("flag", "return");
}

void frmMessageBox::showInfo(const QString &msg)
{
    setModal(false);
    ui->btnOk->setVisible(true);
    ui->btnCancel->setVisible(false);
    ui->labInfo->setText(msg);
}

void frmMessageBox::showQuestion(const QString &msg)
{
    setModal(true);
    ui->btnOk->setVisible(true);
    ui->btnCancel->setVisible(true);
    ui->labInfo->setText(msg);
}

void frmMessageBox::tell(const QString &msg)
{
    showInfo(msg);
    show();
}

void frmMessageBox::dismiss()
{
    if (!isVisible()) {
        return;
    }
    if (ui->btnCancel->isVisibleTo(this)) {
        on_btnCancel_clicked();
    } else {
        close();
    }
}

void frmMessageBox::setModal(bool modal)
{
    const Qt::WindowModality wanted = modal ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() == wanted) {
        return;
    }
    // A shown window takes a new modality only when shown again.
    if (isVisible()) {
        hide();
    }
    setWindowModality(wanted);
}

void frmMessageBox::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    centreOverMainWindow();
    // Without a window manager nothing lifts a window shown again above one
    // made after it.
    raise();
}

// A kiosk has no window manager to place the box: it goes over the middle of
// the terminal's window, or of the screen when there is none.
void frmMessageBox::centreOverMainWindow()
{
    QRect area;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        const QRect frame = w->frameGeometry();
        // The largest window shown is the terminal's own.
        if (w != this && w->isVisible() && w->isWindow() && w->windowType() != Qt::Popup
            && frame.width() * frame.height() > area.width() * area.height()) {
            area = frame;
        }
    }
    if (area.isEmpty()) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        if (!screen) {
            return;
        }
        area = screen->availableGeometry();
    }
    QRect box = frameGeometry();
    box.moveCenter(area.center());
    move(box.topLeft());
}

void frmMessageBox::on_btnOk_clicked()
{
    // isVisibleTo: the window itself may be hidden by the time a test presses the button.
    const bool question = ui->btnCancel->isVisibleTo(this);
    // Closed first, so a message shown in answer to the question stays up.
    close();
    if (question) {
        emit result(true);
    }
}

void frmMessageBox::on_btnCancel_clicked()
{
    close();
    emit result(false);
}
