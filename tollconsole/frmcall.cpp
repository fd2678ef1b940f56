#include "frmcall.h"
#include "consolelog.h"
#include "ui_frmcall.h"

#include <QDebug>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QToolButton>

struct frmCall::Side {
    QWidget *area;
    QGridLayout *grid;
    const char *labelName;
    const char *buttonName;
    const char *picture;
};

frmCall::frmCall(QWidget *parent) : QWidget(parent), ui(new Ui::frmCall)
{
    ui->setupUi(this);
    initForm();
    // Lanes are sized from their area, which has its real size only once the page is shown.
    QTimer::singleShot(100, this, &frmCall::initDriveway);
}

frmCall::~frmCall() = default;

void frmCall::initForm()
{
    QFont font;
    font.setBold(true);
    font.setPixelSize(40);
    ui->labVideoLeft->setFont(font);
    ui->labVideoRight->setFont(font);
    font.setPixelSize(20);
    ui->labVideoNameLeft->setFont(font);
    ui->labVideoNameRight->setFont(font);
    font.setPixelSize(15);
    ui->labDrivewayTitleLeft->setFont(font);
    ui->labDrivewayTitleRight->setFont(font);

    ui->widgetVideoLeft->setProperty("flag", "video");
    ui->widgetVideoRight->setProperty("flag", "video");
    ui->widgetDriveway->setProperty("flag", "driveway");
    ui->widgetDrivewayMainLeft->setProperty("flag", "ring");
    ui->widgetDrivewayMainRight->setProperty("flag", "ring");
    ui->widgetCall->setProperty("flag", "call");

    ui->labDrivewayIconLeft->setPixmap(QPixmap(QStringLiteral(":/image/left_title.png")));
    ui->labDrivewayIconRight->setPixmap(QPixmap(QStringLiteral(":/image/right_title.png")));
}

void frmCall::resizeEvent(QResizeEvent *)
{
    // Deliberately not passed on: the panels take their share of the page here.
    fitPanels();
}

void frmCall::fitPanels()
{
    const int height = this->height() - ui->widgetCall->height();
    const double halfWidth = (width() - 27) * 0.5;
    ui->widgetVideo->setFixedHeight(int(height * 0.6));
    ui->widgetDriveway->setFixedHeight(int(height * 0.4));
    ui->widgetDrivewayMainLeft->setFixedWidth(int(halfWidth));
    ui->widgetDrivewayMainRight->setFixedWidth(int(halfWidth));
}

void frmCall::initDriveway()
{
    fitPanels();
    setLeftCount(3);
    setRightCount(3);
}

void frmCall::buttonClick()
{
    auto *button = qobject_cast<QToolButton *>(sender());
    if (!button) {
        return;
    }
    qCDebug(lcConsole) << button->objectName();
    if (button->property("status").toString() == QLatin1String("normal")) {
        button->setIcon(QIcon(QStringLiteral(":/image/ring_alarm.png")));
        button->setProperty("status", "alarm");
    } else {
        button->setIcon(QIcon(QStringLiteral(":/image/ring_normal.png")));
        button->setProperty("status", "normal");
    }
}

void frmCall::setLeftCount(int count)
{
    const Side side{ui->widgetDrivewayMainLeft, ui->gridLayoutLeft, "labLeft%1", "btnLeft%1", ":/image/left_bg.png"};
    setCount(side, count, countLeft, widgetsLeft);
}

void frmCall::setRightCount(int count)
{
    const Side side{ui->widgetDrivewayMainRight, ui->gridLayoutRight, "labRight%1", "btnRight%1",
                    ":/image/right_bg.png"};
    setCount(side, count, countRight, widgetsRight);
}

void frmCall::setCount(const Side &side, int count, int &current, QList<QWidget *> &widgets)
{
    if (count == 0) {
        return;
    }
    const int areaWidth = side.area->width();
    const int areaHeight = side.area->height();
    current = count;
    const int laneWidth = areaWidth / count;

    qDeleteAll(widgets);
    widgets.clear();
    if (count < 0) {
        return;
    }

    const QPixmap picture =
        QPixmap(QLatin1String(side.picture))
            .scaled(laneWidth, areaHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    for (int i = 1; i <= count; ++i) {
        auto *label = new QLabel(side.area);
        label->setObjectName(QString::fromLatin1(side.labelName).arg(i));
        label->setAlignment(Qt::AlignCenter);
        label->setPixmap(picture);
        // Each picture takes a whole lane's share; let the grid's spacing come out of
        // its transparent rim rather than push the row wider than its area.
        label->setMinimumSize(1, 1);
        side.grid->addWidget(label, 0, i - 1);

        auto *button = new QToolButton(side.area);
        button->setObjectName(QString::fromLatin1(side.buttonName).arg(i));
        button->setIcon(QIcon(QStringLiteral(":/image/ring_normal.png")));
        button->setIconSize(QSize(50, 50));
        // Without it the style paints an opaque panel behind the ring.
        button->setAutoRaise(true);
        button->setProperty("status", "normal");
        side.grid->addWidget(button, 1, i - 1, Qt::AlignCenter);
        connect(button, &QToolButton::clicked, this, &frmCall::buttonClick);

        widgets << label << button;
    }
}

void frmCall::on_btnOn_clicked()
{
    setLeftCount(2);
}

void frmCall::on_btnOff_clicked()
{
    setRightCount(4);
}
