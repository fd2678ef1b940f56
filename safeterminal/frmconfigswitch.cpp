#include "frmconfigswitch.h"
#include "ui_frmconfigswitch.h"

#include "appconfig.h"
#include "frmconfig.h"
#include "screentable.h"

#include <QMouseEvent>

namespace {

constexpr int LastImage = 12;

QString imageName(int number)
{
    return QStringLiteral(":/bg/main%1.jpg").arg(number, 2, 10, QLatin1Char('0'));
}

// The stored mode's text, or nothing for a value outside the list.
QString modeText(int mode)
{
    return AppConfig::VerifyMode.value(mode);
}

// The field's mode; a field that shows no known mode keeps the stored one.
int modeIndex(const QLineEdit *field, int stored)
{
    const int index = AppConfig::VerifyMode.indexOf(field->text());
    return index < 0 ? stored : index;
}

} // namespace

frmConfigSwitch::frmConfigSwitch(QWidget *parent) : QWidget(parent), ui(new Ui::frmConfigSwitch)
{
    ui->setupUi(this);
    initForm();
    initTable();
}

frmConfigSwitch::~frmConfigSwitch() = default;

QList<QLineEdit *> frmConfigSwitch::modeFields() const
{
    return {ui->txtOpenMode, ui->txtLogMode, ui->txtConfigMode};
}

void frmConfigSwitch::initForm()
{
    const bool small = AppConfig::smallScreen();
    const QSize controlSize = small ? QSize(100, 40) : QSize(120, 50);
    for (QLineEdit *field : modeFields()) {
        field->setProperty("noinput", true);
        field->setReadOnly(true);
        field->installEventFilter(this);
        field->setFixedSize(controlSize);
        field->setCursor(Qt::PointingHandCursor);
    }
    for (QWidget *btn : std::initializer_list<QWidget *>{ui->btnOpenAuthor, ui->btnLogAuthor, ui->btnConfigAuthor,
                                                          ui->btnUserPwd, ui->btnAdmin}) {
        btn->setFixedSize(controlSize);
    }

    connect(ui->btnReturn, &QPushButton::clicked, this, &frmConfigSwitch::returnMain);
    connect(ui->btnSave, &QPushButton::clicked, this, &frmConfigSwitch::saveConfig);
    ui->widgetReturn->setProperty("flag", "return");
    ui->btnPre->setProperty("flag", "btn");
    ui->btnNext->setProperty("flag", "btn");

    // The picture keeps the screen's proportions and a fixed size, so that a
    // new picture never pushes the layout around.
    const QSize imageSize = small ? QSize(128, 75) : QSize(200, 117);
    ui->labImage->setFixedSize(imageSize);
    ui->labImage->setStyleSheet(QStringLiteral("border:2px solid #03C5ED;border-radius:3px;"));
    for (QPushButton *btn : {ui->btnPre, ui->btnNext}) {
        btn->setFixedWidth(imageSize.width());
        btn->setMinimumHeight(small ? 42 : 50);
    }
    if (small) {
        ui->layoutSwitch->setContentsMargins(8, 8, 12, 0);
        // Four characters in a 100 pixel field: no room for the usual padding.
        for (QLineEdit *field : modeFields()) {
            field->setStyleSheet(QStringLiteral("padding:0px;"));
        }
        ui->layoutGrid->setHorizontalSpacing(10);
        ui->layoutGrid->setVerticalSpacing(5);
        ui->layoutBody->setSpacing(10);
        ui->layoutReturn->setContentsMargins(0, 4, 0, 6);
    }
}

void frmConfigSwitch::initTable()
{
    QTableView *table = ui->tableMain;
    setupChoiceList(table, AppConfig::VerifyMode);
    table->setMinimumWidth(AppConfig::smallScreen() ? 110 : 150);
}

void frmConfigSwitch::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    initConfig();
}

void frmConfigSwitch::initConfig()
{
    ui->txtOpenMode->setText(modeText(AppConfig::OpenMode));
    ui->txtLogMode->setText(modeText(AppConfig::LogMode));
    ui->txtConfigMode->setText(modeText(AppConfig::ConfigMode));
    ui->btnOpenAuthor->setChecked(AppConfig::OpenAuthor);
    ui->btnLogAuthor->setChecked(AppConfig::LogAuthor);
    ui->btnConfigAuthor->setChecked(AppConfig::ConfigAuthor);
    ui->btnUserPwd->setChecked(AppConfig::UserPwd);
    ui->btnAdmin->setChecked(AppConfig::Admin);
    showImage();
}

bool frmConfigSwitch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        for (QLineEdit *field : modeFields()) {
            if (watched == field) {
                const int row = AppConfig::VerifyMode.indexOf(field->text());
                if (row >= 0) {
                    ui->tableMain->selectRow(row);
                } else {
                    ui->tableMain->clearSelection();
                }
                break;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmConfigSwitch::on_tableMain_pressed(const QModelIndex &index)
{
    if (!index.isValid()) {
        return;
    }
    for (QLineEdit *field : modeFields()) {
        if (field->hasFocus()) {
            field->setText(index.data().toString());
            return;
        }
    }
}

void frmConfigSwitch::saveConfig()
{
    AppConfig::OpenMode = modeIndex(ui->txtOpenMode, AppConfig::OpenMode);
    AppConfig::LogMode = modeIndex(ui->txtLogMode, AppConfig::LogMode);
    AppConfig::ConfigMode = modeIndex(ui->txtConfigMode, AppConfig::ConfigMode);
    AppConfig::OpenAuthor = ui->btnOpenAuthor->getChecked();
    AppConfig::LogAuthor = ui->btnLogAuthor->getChecked();
    AppConfig::ConfigAuthor = ui->btnConfigAuthor->getChecked();
    AppConfig::UserPwd = ui->btnUserPwd->getChecked();
    AppConfig::Admin = ui->btnAdmin->getChecked();
    frmConfig::saveSettings();
}

void frmConfigSwitch::stepImage(int delta)
{
    // The number sits at characters 9 and 10 of ":/bg/mainNN.jpg". A number
    // beyond the last picture steps back onto it rather than further out.
    const int number = qBound(0, AppConfig::BgImage.mid(9, 2).toInt(), LastImage + 1);
    const int target = number + delta;
    if (target < 0 || target > LastImage) {
        return;
    }
    AppConfig::BgImage = imageName(target);
    frmConfig::saveSettings();
    emit changeStyle();
    showImage();
}

void frmConfigSwitch::on_btnPre_clicked()
{
    stepImage(-1);
}

void frmConfigSwitch::on_btnNext_clicked()
{
    stepImage(1);
}

void frmConfigSwitch::showImage()
{
    const QPixmap pixmap(AppConfig::BgImage);
    if (pixmap.isNull()) {
        ui->labImage->clear();
        return;
    }
    ui->labImage->setPixmap(
        pixmap.scaled(ui->labImage->contentsRect().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}
