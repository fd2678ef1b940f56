#include "frmmain.h"
#include "terminallog.h"
#include "ui_frmmain.h"

#include "appconfig.h"
#include "dbhelper.h"
#include "fingerreader.h"
#include "fingersteps.h"
#include "frmconfig.h"
#include "frmlog.h"
#include "frmmessagebox.h"
#include "frmopen.h"
#include "frmscreensaver.h"
#include "frmstatus.h"
#include "frmuser.h"
#include "terminalstart.h"
#include "zemiclock.h"

#include <QApplication>
#include <QDateTime>
#include <QLocale>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QtDebug>

namespace {

// "prefix QPushButton suffix,prefix QToolButton suffix": a rule for both kinds of button.
QString buttons(const QString &prefix, const QString &suffix = QString())
{
    QStringList selectors;
    for (const char *type : {"QPushButton", "QToolButton"}) {
        selectors << QStringLiteral("%1%2%3").arg(prefix, QLatin1String(type), suffix);
    }
    return selectors.join(QLatin1Char(','));
}

QString hoverPressed(const QString &prefix)
{
    return buttons(prefix, QStringLiteral(":hover")) + QLatin1Char(',') + buttons(prefix, QStringLiteral(":pressed"));
}

} // namespace

frmMain::frmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain)
{
    ui->setupUi(this);
    initForm();
    changeStyle();
}

frmMain::~frmMain() = default;

void frmMain::initForm()
{
    setFixedSize(AppConfig::MainWidth, AppConfig::MainHeight);
    setProperty("form", true);
    setProperty("canMove", true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);

    const bool small = AppConfig::smallScreen();
    const QList<QToolButton *> navButtons = ui->pageNav->findChildren<QToolButton *>();
    const int iconSize = small ? 96 : 128;
    for (QToolButton *btn : navButtons) {
        btn->setIconSize(QSize(iconSize, iconSize));
        btn->setFixedSize(iconSize + 16, iconSize + 16);
        btn->setCursor(Qt::PointingHandCursor);
        connect(btn, &QToolButton::clicked, this, &frmMain::buttonClick);
    }
    ui->btnUser->setIcon(QIcon(QStringLiteral(":/image/main_user.png")));
    ui->btnOpen->setIcon(QIcon(QStringLiteral(":/image/main_open.png")));
    ui->btnLog->setIcon(QIcon(QStringLiteral(":/image/main_log.png")));
    ui->btnConfig->setIcon(QIcon(QStringLiteral(":/image/main_config.png")));
    ui->btnStatus->setIcon(QIcon(QStringLiteral(":/image/main_status.png")));
    for (QWidget *cell : {ui->widgetUser, ui->widgetOpen, ui->widgetLogNav, ui->widgetConfig, ui->widgetStatus}) {
        cell->layout()->setAlignment(Qt::AlignCenter);
        cell->layout()->setSpacing(small ? 2 : 6);
    }
    if (small) {
        ui->labLog->setFixedHeight(46);
        ui->widgetLeft->setFixedWidth(190);
        ui->layoutLeft->setContentsMargins(6, 16, 6, 12);
        ui->labTime->setStyleSheet(QStringLiteral("font:24pt;"));
        ui->labDate->setStyleSheet(QStringLiteral("font:12pt;"));
        ui->layoutNav->setContentsMargins(16, 14, 16, 14);
        ui->layoutNav->setSpacing(10);
    }

    auto *timer = new QTimer(this);
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &frmMain::showTime);
    timer->start();
    showTime();

    ui->widgetNavTop->setProperty("flag", "navmain");
    ui->widgetNavBottom->setProperty("flag", "navmain");

    const QSize statusSize(38, 38);
    ui->btnNet->setIconSize(statusSize);
    ui->btnAc220->setIconSize(statusSize);
    ui->btnPower->setIconSize(statusSize);
    setNet(true);
    setAc220(true);
    setPower(true);

    saver = new frmScreenSaver(this);
    connect(saver, &frmScreenSaver::woken, this, &frmMain::returnMain);
    // A finger on the reader is someone at the terminal.
    connect(FingerReader::instance(), &FingerReader::fingerSeen, saver, &frmScreenSaver::activity);
}

QString frmMain::styleSheetText()
{
    QStringList qss;
    qss << QStringLiteral("*{outline:0px;color:#E5F8F2;font:%1pt;}").arg(15)
        << QStringLiteral("QWidget#widgetMain{border-image:url(%1);}").arg(AppConfig::BgImage)
        << QStringLiteral("QWidget#widgetLeft{background-color:rgba(48,116,177,80);}")
        << QStringLiteral("QWidget#widgetLeft>QLabel{color:rgb(255,255,255);}")
        << QStringLiteral("QLabel#labLog{border-image:url(:/image/topbg1.png);}")
        << QStringLiteral("QLabel#labTitle{font:%1pt;}").arg(18)
        << QStringLiteral("QLabel[flag=\"title\"]{font:%1pt;}").arg(18)
        << QStringLiteral("QLabel[flag=\"big\"]{font:%1pt;}").arg(20)
        << QStringLiteral("QLabel#labDate{font:%1pt;}").arg(15)
        << QStringLiteral("QLabel#labTime{font:%1pt;}").arg(30)
        << QStringLiteral("QLabel[flag=\"nav\"]{border-image: url(:/image/navlabel.png);}")
        << QStringLiteral("QLineEdit{background-color:rgba(0,0,0,0);padding:5px;border-radius:5px;"
                          "border:2px solid #03C5ED;}")
        << QStringLiteral("QLineEdit:focus{border:2px solid #FF696B;}")
        << QStringLiteral("QGroupBox{border-radius:5px;border:2px solid #03C5ED;margin-top:3ex;}")
        << QStringLiteral("QGroupBox::title{subcontrol-origin:margin;position:relative;left:10px;}")
        << buttons(QStringLiteral("QWidget[flag=\"nav\"] "))
               + QStringLiteral("{background-color:rgba(0,187,226,100);border-radius:5px;border:2px solid #03C5ED;}")
        << hoverPressed(QStringLiteral("QWidget[flag=\"nav\"] "))
               + QStringLiteral("{background-color:rgba(12,129,203,100);}")
        << buttons(QStringLiteral("QWidget[flag=\"return\"] "))
               + QStringLiteral("{background-color:rgba(7,48,73,100);border-radius:5px;border:2px solid #03C5ED;}")
        << hoverPressed(QStringLiteral("QWidget[flag=\"return\"] "))
               + QStringLiteral("{background-color:rgba(24,189,155,100);}")
        << buttons(QString(), QStringLiteral("[flag=\"btn\"]"))
               + QStringLiteral("{background-color:rgba(55,100,139,100);border-radius:5px;border:2px solid #03C5ED;}")
        << buttons(QString(), QStringLiteral("[flag=\"btn\"]:hover")) + QLatin1Char(',')
               + buttons(QString(), QStringLiteral("[flag=\"btn\"]:pressed"))
               + QStringLiteral("{background-color:rgba(1,142,227,100);}")
        << buttons(QString(), QStringLiteral("[flag=\"btn\"]:checked"))
               + QStringLiteral("{background-color:rgba(33,137,104,150);}")
        << buttons(QStringLiteral("QWidget[flag=\"admin\"] "))
               + QStringLiteral("{font:20pt;border-image: url(:/image/btn_check_off1.png);}")
        << buttons(QStringLiteral("QWidget[flag=\"admin\"] "), QStringLiteral(":checked"))
               + QStringLiteral("{border-image: url(:/image/btn_check_on1.png);}")
        << buttons(QStringLiteral("QWidget[flag=\"door\"] "))
               + QStringLiteral("{font:20pt;border-image: url(:/image/btn_check_off2.png);}")
        << buttons(QStringLiteral("QWidget[flag=\"door\"] "), QStringLiteral(":checked"))
               + QStringLiteral("{border-image: url(:/image/btn_check_on2.png);}")
        << buttons(QStringLiteral("QWidget[flag=\"navmain\"] ")) + QStringLiteral("{background:none;border:none;}")
        << buttons(QStringLiteral("QWidget[flag=\"navtop\"] ")) + QStringLiteral("{background:none;border:none;}")
        << buttons(QStringLiteral("QWidget[flag=\"navtop\"] "), QStringLiteral(":checked"))
               + QStringLiteral("{border-image:url(:/image/btnbgtop.png);}")
        << buttons(QStringLiteral("QWidget[flag=\"navleft\"] ")) + QStringLiteral("{background:none;border:none;}")
        << buttons(QStringLiteral("QWidget[flag=\"navleft\"] "), QStringLiteral(":checked"))
               + QStringLiteral("{border-image:url(:/image/btnbgleft.png);}")
        // A disabled button (a page button at the end of the list) shows greyed out, text and frame.
        << buttons(QString(), QStringLiteral(":disabled")) + QStringLiteral("{color:#7D919C;}")
        << buttons(QStringLiteral("QWidget[flag=\"nav\"] "), QStringLiteral(":disabled")) + QLatin1Char(',')
               + buttons(QStringLiteral("QWidget[flag=\"return\"] "), QStringLiteral(":disabled")) + QLatin1Char(',')
               + buttons(QString(), QStringLiteral("[flag=\"btn\"]:disabled"))
               + QStringLiteral("{background-color:rgba(70,84,96,110);border:2px solid #3E5666;}")
        << QStringLiteral("QTableView{background-color:rgba(16,44,56,150);border:1px solid #617D90;"
                          "selection-background-color:rgba(0,187,226,100);"
                          "alternate-background-color:rgba(49,88,105,150);selection-color:#F0F0F0;"
                          "gridline-color:#517DA5;}")
        << QStringLiteral("QHeaderView::section,QTableCornerButton::section{background:#102C38;"
                          "border:1px solid #617D90;}")
        << QStringLiteral("QSlider::groove:horizontal,QSlider::add-page:horizontal{background:rgba(29,34,56,150);"
                          "height:16px;border-radius:8px;}"
                          "QSlider::sub-page:horizontal{background:rgba(37,156,210,150);height:16px;"
                          "border-radius:8px;}"
                          "QSlider::handle:horizontal{width:30px;margin-top:-7px;margin-bottom:-7px;"
                          "border-radius:14px;background:qradialgradient(spread:pad,cx:0.5,cy:0.5,radius:0.5,"
                          "fx:0.5,fy:0.5,stop:0.6 #FFFFFF,stop:0.8 rgba(250,250,250,100));}")
        << QStringLiteral("QScrollBar:vertical{background:rgba(150,150,150,100);padding:0px;border-radius:10px;"
                          "min-width:20px;max-width:20px;}"
                          "QScrollBar::handle:vertical{background:#617D90;min-height:120px;border-radius:10px;}"
                          "QScrollBar::handle:vertical:hover,QScrollBar::handle:vertical:pressed"
                          "{background:#1ABC9C;}"
                          "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical,"
                          "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{background:none;}")
        // Menus are top-level windows: without these they take the desktop's light look under our light text.
        << QStringLiteral("QMenu{background-color:#0B2F4A;border:2px solid #03C5ED;padding:4px 0px;}"
                          "QMenu::item{background:transparent;color:#E5F8F2;padding:8px 36px 8px 24px;}"
                          "QMenu::item:selected{background-color:#136A9C;color:#FFFFFF;}"
                          "QMenu::item:disabled{color:#6D8594;}"
                          "QMenu::separator{height:1px;background:#3F7FA6;margin:4px 12px;}");
    return qss.join(QString());
}

void frmMain::changeStyle()
{
    qApp->setStyleSheet(styleSheetText());
}

void frmMain::buttonClick()
{
    struct Target {
        QToolButton *button;
        const char *log;
        int page;
        // The verification mode that guards the screen, and the right it asks for.
        const int *mode;
        const char *right;
    };
    const Target targets[] = {
        {ui->btnUser, "进入用户管理界面", 1, &AppConfig::ConfigMode, "用户"},
        {ui->btnOpen, "进入开柜界面", 2, nullptr, ""},
        {ui->btnLog, "进入日志管理界面", 3, &AppConfig::LogMode, "日志"},
        {ui->btnConfig, "进入系统设置界面", 4, &AppConfig::ConfigMode, "设置"},
        {ui->btnStatus, "进入系统状态界面", 5, nullptr, ""},
    };
    for (const Target &target : targets) {
        if (sender() != target.button) {
            continue;
        }
        initScreens();
        const QString log = QString::fromUtf8(target.log);
        const int mode = target.mode ? *target.mode : 0;
        if (mode <= 0) {
            enter(target.page, log);
            return;
        }
        // A site must not lock itself out: with fewer persons able to pass
        // than the mode asks for, the guard lets the operator in and says so.
        const QString right = QString::fromUtf8(target.right);
        const int candidates = FingerSteps::candidatesFor(right);
        if (candidates >= 0 && candidates < FingerSteps::personsFor(mode)) {
            enter(target.page, log);
            frmMessageBox::Instance()->tell(QStringLiteral("授权用户不足，已跳过验证"));
            return;
        }
        guardedPage = target.page;
        guardedLog = log;
        // Modes beyond the list guard as one person.
        guardPage->guard(mode < AppConfig::VerifyMode.size() ? mode : 1, right);
        ui->stackedWidget->setCurrentWidget(guardPage);
        return;
    }
}

void frmMain::enter(int page, const QString &log)
{
    DBHelper::addManageLog(log);
    ui->stackedWidget->setCurrentIndex(page);
}

void frmMain::initScreens()
{
    if (screensBuilt) {
        return;
    }
    screensBuilt = true;
    auto *user = new frmUser;
    auto *open = new frmOpen;
    auto *log = new frmLog;
    auto *config = new frmConfig;
    auto *status = new frmStatus;
    connect(user, &frmUser::returnMain, this, &frmMain::returnMain);
    connect(open, &frmOpen::returnMain, this, &frmMain::returnMain);
    connect(log, &frmLog::returnMain, this, &frmMain::returnMain);
    connect(config, &frmConfig::returnMain, this, &frmMain::returnMain);
    connect(config, &frmConfig::changeStyle, this, &frmMain::changeStyle);
    connect(status, &frmStatus::returnMain, this, &frmMain::returnMain);
    connect(status, &frmStatus::dormant, saver, &frmScreenSaver::start);
    guardPage = new frmOpen;
    guardPage->setObjectName(QStringLiteral("guardPage"));
    connect(guardPage, &frmOpen::returnMain, this, &frmMain::returnMain);
    connect(guardPage, &frmOpen::verified, this, [this] { enter(guardedPage, guardedLog); });
    for (QWidget *page : std::initializer_list<QWidget *>{user, open, log, config, status, guardPage}) {
        ui->stackedWidget->addWidget(page);
    }
}

bool frmMain::event(QEvent *event)
{
    // The screens are built right after the navigation page is first on
    // screen, so the terminal shows up without waiting for them.
    if (event->type() == QEvent::Paint && !screensBuilt) {
        QTimer::singleShot(0, this, &frmMain::initScreens);
    }
    if (event->type() == QEvent::Paint && !storageChecked) {
        storageChecked = true;
        QTimer::singleShot(0, this, &frmMain::checkStorage);
    }
    return QWidget::event(event);
}

void frmMain::checkStorage()
{
    const QStringList problems = TerminalStart::storageProblems();
    qCDebug(lcTerminal).noquote() << "storage:" << (problems.isEmpty() ? QStringLiteral("ok") : problems.join(QLatin1Char(' ')));
    if (!problems.isEmpty()) {
        frmMessageBox::Instance()->tell(problems.join(QLatin1Char('\n')));
    }
}

void frmMain::returnMain()
{
    ui->stackedWidget->setCurrentIndex(0);
}

void frmMain::showTime()
{
    const QDateTime now = ZemiClock::now();
    ui->labTime->setText(now.toString(QStringLiteral("hh:mm:ss")));
    ui->labDate->setText(QLocale(QLocale::Chinese, QLocale::China).toString(now.date(), QStringLiteral("yyyy-M-d dddd")));
}

void frmMain::setNet(bool ok)
{
    ui->btnNet->setIcon(QIcon(ok ? QStringLiteral(":/image/netok.png") : QStringLiteral(":/image/neterror.png")));
}

void frmMain::setAc220(bool ok)
{
    ui->btnAc220->setIcon(QIcon(ok ? QStringLiteral(":/image/ac220ok.png") : QStringLiteral(":/image/ac220error.png")));
}

void frmMain::setPower(bool ok)
{
    ui->btnPower->setIcon(QIcon(ok ? QStringLiteral(":/image/powerok.png") : QStringLiteral(":/image/powererror.png")));
}

void frmMain::mousePressEvent(QMouseEvent *event)
{
    // Presses nothing took come up here from every child, and a touch driver
    // may turn a long press into a right press: only a right press on the bare
    // navigation page (or the plain boxes that lay it out) closes the terminal.
    if (event->button() != Qt::RightButton) {
        return;
    }
    QWidget *target = childAt(event->pos());
    const bool background = target == ui->pageNav
        || (target && ui->pageNav->isAncestorOf(target) && target->metaObject() == &QWidget::staticMetaObject);
    if (background) {
        QCoreApplication::exit(0);
    }
}
