#include "frmmain.h"
#include "appinit.h"
#include "framelesshelper.h"
#include "frmconfig.h"
#include "frmdata.h"
#include "frmview.h"
#include "iconfont.h"
#include "iconhelper.h"
#include "pagepanel.h"
#include "platformstart.h"
#include "ui_frmmain.h"
#include "zemihelper.h"
#include "zemistyle.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace {

QRect availableArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QRect frmMain::clampedInto(QRect rect, const QRect &area)
{
    if (area.isEmpty()) {
        return rect;
    }
    rect.setSize(rect.size().boundedTo(area.size()));
    rect.moveLeft(qBound(area.left(), rect.left(), area.right() - rect.width() + 1));
    rect.moveTop(qBound(area.top(), rect.top(), area.bottom() - rect.height() + 1));
    return rect;
}

frmMain::frmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain)
{
    ui->setupUi(this);
    initForm();
    initText();
    initNav();
    initIcon();
    ZemiHelper::centerWidget(this);
    on_btnMenu_Max_clicked();
}

frmMain::~frmMain() = default;

void frmMain::initForm()
{
    ui->widgetMain->setProperty("form", true);
    setProperty("form", true);
    ui->widgetTop->setProperty("form", QStringLiteral("title"));
    ui->widgetTop->setFixedHeight(80);
    ui->bottomWidget->setFixedHeight(25);

    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint);
    ui->widgetTop->installEventFilter(this);
    ui->labLogoBg->installEventFilter(this);

    IconHelper::instance()->setIcon(ui->btnMenu_Min, QChar(0xF068), 12);
    IconHelper::instance()->setIcon(ui->btnMenu_Max, QChar(0xF2D0), 12);
    IconHelper::instance()->setIcon(ui->btnMenu_Close, QChar(0xF00D), 12);

    frameless = new FramelessHelper(this);
    frameless->activateOn(this);
    frameless->setTitleHeight(ui->widgetTop->height());
    frameless->setWidgetMovable(true);
    frameless->setWidgetResizable(true);

    const int size = ZemiHelper::fontSize;
    ui->bottomWidget->setVersion(QStringLiteral("V20190310"));
    ui->bottomWidget->setCurrentUserName(QStringLiteral("admin"));
    ui->bottomWidget->setCurrentUserType(QStringLiteral("管理员"));
    ui->bottomWidget->setFontName(ZemiHelper::fontName);
    ui->bottomWidget->setFontSize(size >= 13 ? size - 1 : size);
    ui->bottomWidget->setLineFixedWidth(true);
    ui->bottomWidget->start(1000);

    for (Style style : ZemiStyle::allStyles()) {
        auto *action = new QAction(ZemiStyle::styleDisplayName(style), this);
        connect(action, &QAction::triggered, this, &frmMain::initStyle);
        addAction(action);
    }
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

void frmMain::initText()
{
    ui->labLogoCn->setText(QStringLiteral("综合安全管理平台"));
    ui->labLogoEn->setText(QStringLiteral("security management system"));
    setWindowTitle(ui->labLogoCn->text());
    ui->bottomWidget->setTitle(QStringLiteral("综合安全管理平台"));
    ui->bottomWidget->setAuthor(QStringLiteral("安防科技有限公司"));
}

void frmMain::initNav()
{
    auto *view = new frmView;
    auto *data = new frmData;
    auto *config = new frmConfig;
    ui->stackedWidget->addWidget(view);
    ui->stackedWidget->addWidget(data);
    ui->stackedWidget->addWidget(config);

    connect(this, &frmMain::setIndex, view, &frmView::setIndex);
    connect(this, &frmMain::changeStyle, this, &frmMain::initIcon);
    connect(this, &frmMain::changeStyle, data, &frmData::initIcon);
    connect(this, &frmMain::changeStyle, config, &frmConfig::initIcon);

    btns = {ui->btnViewDevice, ui->btnViewMap, ui->btnViewData, ui->btnData, ui->btnConfig};
    const QStringList names{QStringLiteral("设备监控"), QStringLiteral("地图监控"), QStringLiteral("数据监控"),
                            QStringLiteral("数据查询"), QStringLiteral("系统设置")};
    for (int i = 0; i < btns.size(); ++i) {
        QPushButton *btn = btns.at(i);
        btn->setIconSize(QSize(25, 20));
        btn->setFixedWidth(115);
        btn->setCheckable(true);
        btn->setText(names.at(i));
        connect(btn, &QPushButton::clicked, this, &frmMain::buttonClicked);
    }
    ui->btnViewData->click();
}

void frmMain::initIcon()
{
    ui->labLogoBg->setAlignment(Qt::AlignCenter);
    const QPixmap picture(PlatformStart::pictureDirectory() + QStringLiteral("/bg.png"));
    if (!picture.isNull()) {
        ui->labLogoBg->setFixedWidth(170);
        ui->labLogoBg->setPixmap(picture.scaled(150, 150, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        ui->labLogoBg->setFixedWidth(80);
        IconFont::instance()->setIcon(ui->labLogoBg, QChar(0xE6F2), 60);
    }

    const QList<int> glyphs{0xEA00, 0xE695, 0xE60A, 0xF002, 0xF085};
    for (int i = 0; i < btns.size(); ++i) {
        btns.at(i)->setIcon(QIcon(PagePanel::glyphPixmap(glyphs.at(i), 20, 20)));
    }
}

void frmMain::buttonClicked()
{
    auto *btn = qobject_cast<QPushButton *>(sender());
    if (btn == ui->btnViewDevice) {
        Q_EMIT setIndex(0);
        ui->stackedWidget->setCurrentIndex(0);
    } else if (btn == ui->btnViewMap) {
        Q_EMIT setIndex(1);
        ui->stackedWidget->setCurrentIndex(0);
    } else if (btn == ui->btnViewData) {
        Q_EMIT setIndex(2);
        ui->stackedWidget->setCurrentIndex(0);
    } else if (btn == ui->btnData) {
        ui->stackedWidget->setCurrentIndex(1);
    } else if (btn == ui->btnConfig) {
        ui->stackedWidget->setCurrentIndex(2);
    }
    PagePanel::select(btns, nullptr, btn);
}

void frmMain::initStyle()
{
    auto *action = qobject_cast<QAction *>(sender());
    // An unknown name falls back to lightblue.
    const Style style = ZemiStyle::styleFromDisplayName(action ? action->text() : QString());
    ZemiHelper::applyProgramStyle(ZemiStyle::styleFile(style));
    Q_EMIT changeStyle();
}

void frmMain::on_btnMenu_Min_clicked()
{
    showMinimized();
}

void frmMain::on_btnMenu_Max_clicked()
{
    const QRect area = availableArea();
    if (!maximized) {
        location = clampedInto(geometry(), area);
        setGeometry(area);
        IconHelper::instance()->setIcon(ui->btnMenu_Max, QChar(0xF2D2), 12);
        setProperty("canMove", false);
        frameless->setWidgetMovable(false);
        frameless->setWidgetResizable(false);
    } else {
        setGeometry(clampedInto(location, area));
        IconHelper::instance()->setIcon(ui->btnMenu_Max, QChar(0xF2D0), 12);
        setProperty("canMove", true);
        frameless->setWidgetMovable(true);
        frameless->setWidgetResizable(true);
    }
    maximized = !maximized;
}

void frmMain::on_btnMenu_Close_clicked()
{
    close();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->widgetTop && event->type() == QEvent::MouseButtonDblClick) {
        on_btnMenu_Max_clicked();
    }
    return QWidget::eventFilter(watched, event);
}
