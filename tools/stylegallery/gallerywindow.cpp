#include "gallerywindow.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QMenu *sampleMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->addAction(QStringLiteral("实时预览"));
    QAction *checked = menu->addAction(QStringLiteral("自动巡检"));
    checked->setCheckable(true);
    checked->setChecked(true);
    menu->addSeparator();
    QMenu *sub = menu->addMenu(QStringLiteral("切换样式"));
    sub->addAction(QStringLiteral("浅蓝色"));
    QAction *off = menu->addAction(QStringLiteral("不可用项"));
    off->setEnabled(false);
    return menu;
}

// The same fixed moment in every picture, so the pictures differ only by style.
const QDateTime sampleTime(QDate(2026, 6, 18), QTime(9, 30, 0));

} // namespace

GalleryWindow::GalleryWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GalleryWindow"));
    setWindowTitle(QStringLiteral("样式预览"));
    setProperty("form", true);
    resize(1000, 700);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(createTitle());

    auto *menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setNativeMenuBar(false);
    QMenu *file = menuBar->addMenu(QStringLiteral("系统设置"));
    file->addActions(sampleMenu(file)->actions());
    menuBar->addMenu(QStringLiteral("设备监控"));
    menuBar->addMenu(QStringLiteral("帮助"));
    layout->addWidget(menuBar);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widgetBody"));
    auto *bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(0);
    bodyLayout->addWidget(createNavigation());

    auto *content = new QWidget(body);
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setSpacing(10);
    grid->addWidget(createInputs(), 0, 0);
    grid->addWidget(createChoices(), 0, 1);
    grid->addWidget(createViews(), 1, 0, 1, 2);
    grid->setRowStretch(1, 1);
    bodyLayout->addWidget(content, 1);
    layout->addWidget(body, 1);
    layout->addWidget(createBottom());
}

QWidget *GalleryWindow::createTitle()
{
    auto *title = new QWidget(this);
    title->setObjectName(QStringLiteral("widgetTitle"));
    title->setProperty("form", QStringLiteral("title"));
    title->setFixedHeight(36);
    auto *layout = new QHBoxLayout(title);
    layout->setContentsMargins(10, 0, 0, 0);
    layout->setSpacing(0);
    auto *labTitle = new QLabel(QStringLiteral("综合安全管理平台  security management system"), title);
    labTitle->setObjectName(QStringLiteral("labTitle"));
    layout->addWidget(labTitle, 1);
    const QList<QPair<QString, QString>> buttons = {{QStringLiteral("btnMenu"), QStringLiteral("样式")},
                                                   {QStringLiteral("btnMenu_Min"), QStringLiteral("_")},
                                                   {QStringLiteral("btnMenu_Max"), QStringLiteral("□")},
                                                   {QStringLiteral("btnMenu_Close"), QStringLiteral("×")}};
    for (const auto &b : buttons) {
        auto *button = new QPushButton(b.second, title);
        button->setObjectName(b.first);
        button->setMinimumWidth(40);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    return title;
}

QWidget *GalleryWindow::createNavigation()
{
    auto *nav = new QWidget(this);
    nav->setObjectName(QStringLiteral("widgetNav"));
    nav->setProperty("nav", QStringLiteral("left"));
    nav->setFixedWidth(130);
    auto *layout = new QVBoxLayout(nav);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(2);

    auto *caption = new QFrame(nav);
    caption->setProperty("flag", QStringLiteral("navlab"));
    auto *captionLayout = new QVBoxLayout(caption);
    captionLayout->setContentsMargins(0, 0, 0, 0);
    captionLayout->addWidget(new QLabel(QStringLiteral("功能导航"), caption));
    layout->addWidget(caption);

    auto *group = new QButtonGroup(nav);
    const QStringList texts = {QStringLiteral("设备监控"), QStringLiteral("地图监控"), QStringLiteral("数据监控"),
                               QStringLiteral("数据查询"), QStringLiteral("系统设置")};
    for (int i = 0; i < texts.size(); ++i) {
        auto *button = new QPushButton(texts.at(i), nav);
        button->setObjectName(QStringLiteral("btnNav%1").arg(i + 1));
        button->setCheckable(true);
        button->setChecked(i == 0);
        button->setMinimumHeight(34);
        group->addButton(button);
        layout->addWidget(button);
    }
    layout->addStretch();
    return nav;
}

QWidget *GalleryWindow::createInputs()
{
    auto *box = new QGroupBox(QStringLiteral("输入"), this);
    box->setObjectName(QStringLiteral("groupInputs"));
    auto *grid = new QGridLayout(box);
    grid->setSpacing(8);

    auto *btnNormal = new QPushButton(QStringLiteral("确定"), box);
    btnNormal->setObjectName(QStringLiteral("btnNormal"));
    auto *btnChecked = new QPushButton(QStringLiteral("已选中"), box);
    btnChecked->setObjectName(QStringLiteral("btnChecked"));
    btnChecked->setCheckable(true);
    btnChecked->setChecked(true);
    auto *btnDisabled = new QPushButton(QStringLiteral("不可用"), box);
    btnDisabled->setObjectName(QStringLiteral("btnDisabled"));
    btnDisabled->setEnabled(false);
    auto *btnMenu = new QPushButton(QStringLiteral("菜单"), box);
    btnMenu->setObjectName(QStringLiteral("btnWithMenu"));
    btnMenu->setMenu(sampleMenu(btnMenu));
    grid->addWidget(btnNormal, 0, 0);
    grid->addWidget(btnChecked, 0, 1);
    grid->addWidget(btnDisabled, 0, 2);
    grid->addWidget(btnMenu, 0, 3);

    auto *tool = new QToolButton(box);
    tool->setObjectName(QStringLiteral("toolButton"));
    tool->setText(QStringLiteral("工具"));
    auto *toolMenu = new QToolButton(box);
    toolMenu->setObjectName(QStringLiteral("toolMenuButton"));
    toolMenu->setText(QStringLiteral("更多"));
    toolMenu->setPopupMode(QToolButton::MenuButtonPopup);
    toolMenu->setMenu(sampleMenu(toolMenu));
    auto *txt = new QLineEdit(QStringLiteral("192.168.1.100"), box);
    txt->setObjectName(QStringLiteral("txtAddress"));
    auto *txtEmpty = new QLineEdit(box);
    txtEmpty->setObjectName(QStringLiteral("txtEmpty"));
    txtEmpty->setPlaceholderText(QStringLiteral("请输入用户名"));
    grid->addWidget(tool, 1, 0);
    grid->addWidget(toolMenu, 1, 1);
    grid->addWidget(txt, 1, 2);
    grid->addWidget(txtEmpty, 1, 3);

    auto *combo = new QComboBox(box);
    combo->setObjectName(QStringLiteral("cboxType"));
    combo->addItems({QStringLiteral("管理员"), QStringLiteral("操作员"), QStringLiteral("访客")});
    auto *comboEdit = new QComboBox(box);
    comboEdit->setObjectName(QStringLiteral("cboxEditable"));
    comboEdit->setEditable(true);
    comboEdit->addItems({QStringLiteral("COM1"), QStringLiteral("COM2")});
    auto *comboOff = new QComboBox(box);
    comboOff->setObjectName(QStringLiteral("cboxDisabled"));
    comboOff->addItem(QStringLiteral("不可用"));
    comboOff->setEnabled(false);
    auto *txtOff = new QLineEdit(QStringLiteral("只读"), box);
    txtOff->setObjectName(QStringLiteral("txtDisabled"));
    txtOff->setEnabled(false);
    grid->addWidget(combo, 2, 0);
    grid->addWidget(comboEdit, 2, 1);
    grid->addWidget(comboOff, 2, 2);
    grid->addWidget(txtOff, 2, 3);

    auto *spin = new QSpinBox(box);
    spin->setObjectName(QStringLiteral("spinPort"));
    spin->setRange(0, 65535);
    spin->setValue(6000);
    auto *doubleSpin = new QDoubleSpinBox(box);
    doubleSpin->setObjectName(QStringLiteral("spinTemperature"));
    doubleSpin->setValue(36.5);
    doubleSpin->setSuffix(QStringLiteral(" ℃"));
    auto *date = new QDateEdit(sampleTime.date(), box);
    date->setObjectName(QStringLiteral("dateStart"));
    date->setCalendarPopup(true);
    date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto *time = new QTimeEdit(sampleTime.time(), box);
    time->setObjectName(QStringLiteral("timeStart"));
    time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    grid->addWidget(spin, 3, 0);
    grid->addWidget(doubleSpin, 3, 1);
    grid->addWidget(date, 3, 2);
    grid->addWidget(time, 3, 3);

    auto *dateTime = new QDateTimeEdit(sampleTime, box);
    dateTime->setObjectName(QStringLiteral("dateTimeEnd"));
    dateTime->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    auto *text = new QPlainTextEdit(QStringLiteral("09:30:00 防区 3 报警已处理\n09:31:12 门禁 2 正常"), box);
    text->setObjectName(QStringLiteral("txtLog"));
    text->setFixedHeight(54);
    grid->addWidget(dateTime, 4, 0, 1, 2);
    grid->addWidget(text, 4, 2, 1, 2);
    return box;
}

QWidget *GalleryWindow::createChoices()
{
    auto *box = new QGroupBox(QStringLiteral("选择"), this);
    box->setObjectName(QStringLiteral("groupChoices"));
    box->setCheckable(true);
    box->setChecked(true);
    auto *grid = new QGridLayout(box);
    grid->setSpacing(8);

    auto *ckOn = new QCheckBox(QStringLiteral("启用报警"), box);
    ckOn->setObjectName(QStringLiteral("ckChecked"));
    ckOn->setChecked(true);
    auto *ckOff = new QCheckBox(QStringLiteral("声音提示"), box);
    ckOff->setObjectName(QStringLiteral("ckUnchecked"));
    auto *ckPart = new QCheckBox(QStringLiteral("部分防区"), box);
    ckPart->setObjectName(QStringLiteral("ckPartly"));
    ckPart->setTristate(true);
    ckPart->setCheckState(Qt::PartiallyChecked);
    auto *ckDisabled = new QCheckBox(QStringLiteral("不可用"), box);
    ckDisabled->setObjectName(QStringLiteral("ckDisabled"));
    ckDisabled->setChecked(true);
    ckDisabled->setEnabled(false);
    grid->addWidget(ckOn, 0, 0);
    grid->addWidget(ckOff, 0, 1);
    grid->addWidget(ckPart, 1, 0);
    grid->addWidget(ckDisabled, 1, 1);

    auto *rbOn = new QRadioButton(QStringLiteral("布防"), box);
    rbOn->setObjectName(QStringLiteral("rbChecked"));
    rbOn->setChecked(true);
    auto *rbOff = new QRadioButton(QStringLiteral("撤防"), box);
    rbOff->setObjectName(QStringLiteral("rbUnchecked"));
    auto *rbDisabled = new QRadioButton(QStringLiteral("旁路"), box);
    rbDisabled->setObjectName(QStringLiteral("rbDisabled"));
    rbDisabled->setEnabled(false);
    grid->addWidget(rbOn, 2, 0);
    grid->addWidget(rbOff, 2, 1);
    grid->addWidget(rbDisabled, 3, 0);

    auto *slider = new QSlider(Qt::Horizontal, box);
    slider->setObjectName(QStringLiteral("sliderVolume"));
    slider->setValue(60);
    auto *vslider = new QSlider(Qt::Vertical, box);
    vslider->setObjectName(QStringLiteral("sliderLevel"));
    vslider->setValue(40);
    auto *progress = new QProgressBar(box);
    progress->setObjectName(QStringLiteral("progressSync"));
    progress->setValue(68);
    auto *scroll = new QScrollBar(Qt::Horizontal, box);
    scroll->setObjectName(QStringLiteral("scrollSample"));
    scroll->setRange(0, 100);
    scroll->setPageStep(30);
    scroll->setValue(35);
    grid->addWidget(slider, 4, 0, 1, 2);
    grid->addWidget(progress, 5, 0, 1, 2);
    grid->addWidget(scroll, 6, 0, 1, 2);
    grid->addWidget(vslider, 0, 2, 7, 1);
    return box;
}

QWidget *GalleryWindow::createViews()
{
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabWidget"));

    auto *splitter = new QSplitter(Qt::Horizontal, tabs);
    splitter->setObjectName(QStringLiteral("splitterViews"));
    auto *table = new QTableWidget(12, 4, splitter);
    table->setObjectName(QStringLiteral("tableMain"));
    table->setHorizontalHeaderLabels({QStringLiteral("时间"), QStringLiteral("设备"), QStringLiteral("事件"),
                                      QStringLiteral("状态")});
    table->setAlternatingRowColors(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSortingEnabled(false);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setSortIndicator(0, Qt::DescendingOrder);
    const QStringList events = {QStringLiteral("门磁报警"), QStringLiteral("布防成功"), QStringLiteral("撤防"),
                                QStringLiteral("探测器触发"), QStringLiteral("网络恢复")};
    for (int row = 0; row < table->rowCount(); ++row) {
        const QDateTime when = sampleTime.addSecs(-row * 431);
        table->setItem(row, 0, new QTableWidgetItem(when.toString(QStringLiteral("HH:mm:ss"))));
        table->setItem(row, 1, new QTableWidgetItem(QStringLiteral("控制器%1").arg(row % 4 + 1)));
        table->setItem(row, 2, new QTableWidgetItem(events.at(row % events.size())));
        auto *state = new QTableWidgetItem(row % 3 == 0 ? QStringLiteral("未处理") : QStringLiteral("已处理"));
        state->setCheckState(row % 3 == 0 ? Qt::Unchecked : Qt::Checked);
        table->setItem(row, 3, state);
    }
    table->selectRow(1);

    auto *tree = new QTreeWidget(splitter);
    tree->setObjectName(QStringLiteral("treeDevices"));
    tree->setHeaderLabel(QStringLiteral("设备"));
    for (int i = 0; i < 3; ++i) {
        auto *area = new QTreeWidgetItem(tree, {QStringLiteral("%1号楼").arg(i + 1)});
        for (int j = 0; j < 3; ++j) {
            new QTreeWidgetItem(area, {QStringLiteral("探测器 %1-%2").arg(i + 1).arg(j + 1)});
        }
        area->setExpanded(i == 0);
    }
    tree->setCurrentItem(tree->topLevelItem(0)->child(1));

    auto *list = new QListWidget(splitter);
    list->setObjectName(QStringLiteral("listUsers"));
    list->addItems({QStringLiteral("admin【管理员】"), QStringLiteral("张伟【操作员】"), QStringLiteral("王芳【操作员】"),
                    QStringLiteral("李娜【访客】")});
    list->setCurrentRow(2);
    splitter->setSizes({420, 200, 170});

    auto *calendarPage = new QWidget(tabs);
    auto *calendarLayout = new QHBoxLayout(calendarPage);
    auto *calendar = new QCalendarWidget(calendarPage);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setSelectedDate(sampleTime.date());
    calendar->setCurrentPage(sampleTime.date().year(), sampleTime.date().month());
    calendarLayout->addWidget(calendar);
    calendarLayout->addStretch();

    tabs->addTab(splitter, QStringLiteral("报警记录"));
    tabs->addTab(calendarPage, QStringLiteral("日历"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("统计"));
    return tabs;
}

QWidget *GalleryWindow::createBottom()
{
    auto *bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("widgetBottom"));
    bottom->setProperty("form", QStringLiteral("bottom"));
    auto *layout = new QHBoxLayout(bottom);
    layout->setContentsMargins(8, 5, 8, 5);
    layout->addWidget(new QLabel(QStringLiteral("欢迎使用管理平台 V1.0"), bottom));
    layout->addStretch();
    layout->addWidget(new QLabel(QStringLiteral("当前用户: admin【管理员】"), bottom));
    layout->addWidget(new QLabel(sampleTime.toString(QStringLiteral("当前时间: yyyy年MM月dd日 HH:mm:ss")), bottom));
    return bottom;
}
