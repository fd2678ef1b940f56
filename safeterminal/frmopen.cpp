#include "frmopen.h"
#include "terminallog.h"
#include "ui_frmopen.h"

#include "appconfig.h"
#include "fingersteps.h"
#include "frmselectauthor.h"
#include "frmselectdoor.h"
#include "frmselectverify.h"

#include <QTimer>
#include <QtDebug>

frmOpen::frmOpen(QWidget *parent) : QWidget(parent), ui(new Ui::frmOpen)
{
    ui->setupUi(this);
    initForm();
}

frmOpen::~frmOpen() = default;

void frmOpen::initForm()
{
    connect(ui->btnReturn, &QPushButton::clicked, this, &frmOpen::returnMain);

    ui->widgetReturn->setProperty("flag", "return");
    const QIcon hand(QStringLiteral(":/image/handin.png"));
    for (QPushButton *btn : {ui->btnFinger, ui->btnFinger1, ui->btnFinger2, ui->btnFinger3}) {
        btn->setProperty("flag", "btn");
        btn->setIcon(hand);
        if (AppConfig::smallScreen()) {
            btn->setFixedSize(180, 180);
            btn->setIconSize(QSize(156, 156));
        }
    }
    for (QLabel *lab : {ui->labInfo, ui->labInfo1, ui->labInfo2, ui->labInfo3}) {
        lab->setProperty("flag", "big");
        lab->setWordWrap(true);
        lab->setAlignment(Qt::AlignCenter);
        prompts << lab->text();
    }
    for (QLabel *lab : {ui->labNav, ui->labNav1, ui->labNav2, ui->labNav3}) {
        lab->setProperty("flag", "nav");
    }

    FingerSteps::addReaderLine(ui->layoutReturn);
    check = new FingerCheck(this);
    connect(check, &FingerCheck::refused, this, [this](const QString &text) {
        if (QLabel *info = infoOf(ui->stackedWidget->currentIndex())) {
            info->setText(text);
        }
    });
    connect(check, &FingerCheck::resumed, this, [this] {
        const int page = ui->stackedWidget->currentIndex();
        if (QLabel *info = infoOf(page)) {
            info->setText(prompts.value(page));
        }
    });
    connect(check, &FingerCheck::accepted, this, [this](const QString &text) {
        const int page = ui->stackedWidget->currentIndex();
        if (QLabel *info = infoOf(page)) {
            info->setText(text);
        }
        // Long enough to read the name, then the next step.
        QTimer::singleShot(1000, this, [this, page] {
            if (isVisible() && ui->stackedWidget->currentIndex() == page) {
                stepPassed(page);
            }
        });
    });

    door = new frmSelectDoor;
    auto *author = new frmSelectAuthor;
    connect(door, &frmSelectDoor::returnThis, this, &frmOpen::returnThis);
    connect(door, &frmSelectDoor::doorOpened, author, &frmSelectAuthor::setDoor);
    ui->stackedWidget->addWidget(door);
    ui->stackedWidget->addWidget(author);
    ui->stackedWidget->addWidget(new frmSelectVerify);
}

void frmOpen::guard(int mode, const QString &right)
{
    guarding = true;
    guardMode = mode == 4 ? 1 : mode;
    guardRight = right;
}

int frmOpen::mode() const
{
    return guarding ? guardMode : AppConfig::OpenMode;
}

QLabel *frmOpen::infoOf(int page) const
{
    switch (page) {
    case PageOne:
        return ui->labInfo;
    case PagePerson1:
        return ui->labInfo1;
    case PagePerson2:
        return ui->labInfo2;
    case PagePerson3:
        return ui->labInfo3;
    default:
        return nullptr;
    }
}

void frmOpen::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    check->stop();
}

void frmOpen::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    const int mode = this->mode();
    if (mode < 0 || mode >= AppConfig::VerifyMode.size()) {
        return;
    }
    qCDebug(lcTerminal) << AppConfig::VerifyMode.at(mode);
    check->begin(guarding ? guardRight : QStringLiteral("开柜"));
    door->setPersons({});
    switch (mode) {
    case 0:
        returnThis(PageDoor);
        break;
    case 1:
        returnThis(PageOne);
        break;
    case 2:
        ui->labNav1->setText(QStringLiteral("第 1 步 / 共 2 步"));
        ui->labNav2->setText(QStringLiteral("第 2 步 / 共 2 步"));
        returnThis(PagePerson1);
        break;
    case 3:
        ui->labNav1->setText(QStringLiteral("第 1 步 / 共 3 步"));
        ui->labNav2->setText(QStringLiteral("第 2 步 / 共 3 步"));
        returnThis(PagePerson1);
        break;
    default:
        returnThis(PageVerify);
        break;
    }
}

void frmOpen::returnThis(int index)
{
    ui->stackedWidget->setCurrentIndex(index);
    startStep(index);
}

void frmOpen::startStep(int page)
{
    QLabel *info = infoOf(page);
    if (!info) {
        check->stop();
        return;
    }
    info->setText(prompts.value(page));
    if (isVisible()) {
        check->listen();
    }
}

void frmOpen::stepPassed(int page)
{
    const int mode = this->mode();
    int next = PageDoor;
    switch (page) {
    case PageOne:
        next = mode > 0 ? PageDoor : PagePerson1;
        break;
    case PagePerson1:
        next = mode > 1 ? PagePerson2 : PageDoor;
        break;
    case PagePerson2:
        next = mode > 2 ? PagePerson3 : PageDoor;
        break;
    default:
        break;
    }
    if (next == PageDoor && guarding) {
        check->stop();
        emit verified();
        return;
    }
    if (next == PageDoor) {
        door->setPersons(check->persons());
    }
    returnThis(next);
}

void frmOpen::on_btnFinger_clicked()
{
    if (check->tap()) {
        stepPassed(PageOne);
    }
}

void frmOpen::on_btnFinger1_clicked()
{
    if (check->tap()) {
        stepPassed(PagePerson1);
    }
}

void frmOpen::on_btnFinger2_clicked()
{
    if (check->tap()) {
        stepPassed(PagePerson2);
    }
}

void frmOpen::on_btnFinger3_clicked()
{
    if (check->tap()) {
        stepPassed(PagePerson3);
    }
}
