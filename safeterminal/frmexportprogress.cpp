#include "frmexportprogress.h"
#include "ui_frmexportprogress.h"

#include "appconfig.h"
#include "frmscreensaver.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

namespace {
const int revealAfterMs = 500;
}

frmExportProgress::frmExportProgress(QWidget *window) : QWidget(window), ui(new Ui::frmExportProgress)
{
    ui->setupUi(this);
    ui->widgetReturn->setProperty("flag", "return");
    if (AppConfig::smallScreen()) {
        ui->widgetPanel->setFixedWidth(400);
    }
    revealTimer = new QTimer(this);
    revealTimer->setSingleShot(true);
    revealTimer->setInterval(revealAfterMs);
    connect(revealTimer, &QTimer::timeout, this, &frmExportProgress::reveal);
    hide();
}

frmExportProgress::~frmExportProgress()
{
    end();
}

void frmExportProgress::begin(const QString &title)
{
    if (isVisible()) {
        return;
    }
    ui->labTitle->setText(QStringLiteral("正在导出%1").arg(title));
    ui->labCount->setText(QString());
    ui->progressBar->setRange(0, 0);
    ui->btnCancel->setEnabled(true);
    ui->widgetPanel->hide();
    revealed = false;
    setGeometry(parentWidget()->rect());
    show();
    raise();
    qApp->installEventFilter(this);
    frmScreenSaver::setBusy(true);
    revealTimer->start();
}

void frmExportProgress::reveal()
{
    if (!isVisible() || revealed) {
        return;
    }
    revealed = true;
    ui->widgetPanel->show();
    update();
}

void frmExportProgress::setProgress(qint64 rows, qint64 total)
{
    // The bar counts in thousandths, so a count past the range of int still fits.
    ui->progressBar->setRange(0, 1000);
    ui->progressBar->setValue(total > 0 ? int(qMin<qint64>(1000, rows * 1000 / total)) : 0);
    ui->progressBar->setFormat(QStringLiteral("%1%").arg(total > 0 ? qMin<qint64>(100, rows * 100 / total) : 0));
    ui->labCount->setText(QStringLiteral("%1 / %2 条").arg(rows).arg(total));
}

void frmExportProgress::end()
{
    revealTimer->stop();
    if (!isVisible()) {
        return;
    }
    qApp->removeEventFilter(this);
    frmScreenSaver::setBusy(false);
    revealed = false;
    hide();
}

void frmExportProgress::on_btnCancel_clicked()
{
    ui->btnCancel->setEnabled(false);
    ui->labTitle->setText(QStringLiteral("正在取消..."));
    emit cancelRequested();
}

// Keys go nowhere but to the cancel button while the export runs.
bool frmExportProgress::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride: {
        auto *widget = qobject_cast<QWidget *>(watched);
        return !(widget && isAncestorOf(widget));
    }
    default:
        return false;
    }
}

void frmExportProgress::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    if (revealed) {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 8, 20, 150));
    }
}

// Presses, drags and wheels that reach the cover itself stop there:
// nothing under it acts, not even the window's drag.
bool frmExportProgress::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
        event->accept();
        return true;
    default:
        return QWidget::event(event);
    }
}
