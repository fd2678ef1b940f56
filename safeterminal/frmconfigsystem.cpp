#include "frmconfigsystem.h"
#include "ui_frmconfigsystem.h"

#include "appconfig.h"
#include "frmconfig.h"
#include "frmmessagebox.h"
#include "zemiclock.h"
#include "zemihelper.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QPainterPath>
#include <QRawFont>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

namespace {

QStringList numbered(int from, int to, const QString &unit)
{
    QStringList list;
    for (int i = from; i <= to; ++i) {
        list << QStringLiteral("%1 %2").arg(i).arg(unit);
    }
    return list;
}

// The number a tumbler value starts with ("7 日" gives 7), or -1 when it has none.
// Only these digits ever travel on to the clock.
int leadingNumber(const QString &value)
{
    int digits = 0;
    while (digits < value.size() && digits < 4 && value.at(digits) >= QLatin1Char('0')
           && value.at(digits) <= QLatin1Char('9')) {
        ++digits;
    }
    return digits == 0 ? -1 : value.left(digits).toInt();
}

// Whether the font draws the character, not just maps it: some CJK fonts map
// "℃" to an empty glyph.
bool drawsCharacter(const QFont &font, QChar ch)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QVector<quint32> glyphs = raw.glyphIndexesForString(QString(ch));
    return raw.isValid() && !glyphs.isEmpty() && glyphs.first() != 0 && !raw.pathForGlyph(glyphs.first()).isEmpty();
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

frmConfigSystem::frmConfigSystem(QWidget *parent) : QWidget(parent), ui(new Ui::frmConfigSystem)
{
    ui->setupUi(this);
    initForm();
}

frmConfigSystem::~frmConfigSystem() = default;

namespace {
const char *const clockRefused = "系统时间设置失败：\n系统拒绝修改时钟，权限不足。";
const char *const invalidDate = "系统时间未修改：\n所选日期不存在，请重新选择。";
const char *const settingsSaved = "参数已保存。";
} // namespace

QString frmConfigSystem::clockRefusedText()
{
    return QString::fromUtf8(settingsSaved) + QLatin1Char('\n') + QString::fromUtf8(clockRefused);
}

QString frmConfigSystem::invalidDateText()
{
    return QString::fromUtf8(settingsSaved) + QLatin1Char('\n') + QString::fromUtf8(invalidDate);
}


QList<Tumbler *> frmConfigSystem::tumblers() const
{
    return {ui->widgetYear, ui->widgetMonth, ui->widgetDay, ui->widgetHour, ui->widgetMin, ui->widgetSec};
}

void frmConfigSystem::initForm()
{
    const bool small = AppConfig::smallScreen();
    const QList<QLineEdit *> valueFields = {ui->txtTimeAlarm, ui->txtTemp, ui->txtVolumn, ui->txtTimeClose};
    for (QLineEdit *field : valueFields) {
        field->setProperty("noinput", true);
        // The sliders are the input; a typed value would be ignored on save.
        field->setReadOnly(true);
    }
    if (small) {
        ui->layoutSystem->setSpacing(10);
        ui->layoutSystem->setContentsMargins(20, 20, 20, 20);
        ui->layoutSwitch->setSpacing(10);
        ui->layoutSlider->setHorizontalSpacing(10);
        ui->layoutSlider->setVerticalSpacing(2);
        ui->layoutLeft->setSpacing(10);
        ui->layoutRight->setSpacing(10);
        ui->btnSave->setMinimumSize(90, 44);
        ui->btnReturn->setMinimumSize(90, 44);
    }
    const QSize controlSize = small ? QSize(100, 40) : QSize(120, 50);
    ui->btnVolumnTip->setFixedSize(controlSize);
    ui->btnLinkSnap->setFixedSize(controlSize);
    for (QLineEdit *field : valueFields) {
        field->setFixedSize(controlSize);
    }
    // The date and time take whatever width the sliders leave.
    ui->layoutSystem->setStretch(0, 1);
    ui->label->setFixedWidth(small ? 24 : 30);
    keepDegreeSignVisible();
    ui->txtOSD->setFixedHeight(controlSize.height());
    ui->txtOSD->setMinimumWidth(controlSize.width());

    connect(ui->btnReturn, &QPushButton::clicked, this, &frmConfigSystem::returnMain);
    // One press saves the settings first and then sets the clock.
    connect(ui->btnSave, &QPushButton::clicked, this, &frmConfigSystem::saveConfig);
    connect(ui->btnSave, &QPushButton::clicked, this, &frmConfigSystem::saveTime);
    ui->widgetReturn->setProperty("flag", "return");

    ui->sliderTimeAlarm->setRange(0, 3600);
    ui->sliderTemp->setRange(0, 100);
    ui->sliderVolumn->setRange(1, 100);
    ui->sliderTimeClose->setRange(1, 100);
    for (QSlider *slider : {ui->sliderTimeAlarm, ui->sliderTemp, ui->sliderVolumn, ui->sliderTimeClose}) {
        // Tall enough to catch a finger, though the groove stays slim.
        slider->setMinimumHeight(small ? 40 : 44);
        slider->setMinimumWidth(small ? 200 : 270);
        slider->setCursor(Qt::PointingHandCursor);
    }
    connect(ui->sliderTimeAlarm, &QSlider::valueChanged, this, &frmConfigSystem::setTimeAlarm);
    connect(ui->sliderTemp, &QSlider::valueChanged, this, &frmConfigSystem::setTemp);
    connect(ui->sliderVolumn, &QSlider::valueChanged, this, &frmConfigSystem::setVolumn);
    connect(ui->sliderTimeClose, &QSlider::valueChanged, this, &frmConfigSystem::setTimeClose);

    ui->widgetYear->setListValue(numbered(2016, 2030, QStringLiteral("年")));
    ui->widgetMonth->setListValue(numbered(1, 12, QStringLiteral("月")));
    ui->widgetDay->setListValue(numbered(1, 31, QStringLiteral("日")));
    ui->widgetHour->setListValue(numbered(0, 23, QStringLiteral("时")));
    ui->widgetMin->setListValue(numbered(0, 59, QStringLiteral("分")));
    ui->widgetSec->setListValue(numbered(0, 59, QStringLiteral("秒")));
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("clockTimer"));
    clockTimer->setInterval(1000);
    connect(clockTimer, &QTimer::timeout, this, &frmConfigSystem::followClock);
    for (Tumbler *tumbler : tumblers()) {
        // Any move the screen did not make itself is the operator's, even one turned back.
        connect(tumbler, &Tumbler::currentValueChanged, this, [this] {
            if (!followingClock) {
                clockTurned = true;
            }
        });
        tumbler->setBackground(QColor(8, 34, 52, 190));
        tumbler->setForeground(QColor(130, 175, 200));
        tumbler->setLineColor(QColor(3, 197, 237, 220));
        tumbler->setTextColor(QColor(255, 255, 255));
        tumbler->setCursor(Qt::PointingHandCursor);
    }
}

void frmConfigSystem::keepDegreeSignVisible()
{
    const QChar degree(0x2103);
    QFont font = ui->txtTemp->font();
    if (drawsCharacter(font, degree)) {
        return;
    }
    // Sans-serif families first, to match the rest of the screen.
    QStringList families = QFontDatabase().families();
    std::stable_partition(families.begin(), families.end(), [](const QString &family) {
        return family.contains(QLatin1String("Sans")) && !family.contains(QLatin1String("Mono"));
    });
    for (const QString &family : qAsConst(families)) {
        font.setFamily(family);
        if (drawsCharacter(font, degree)) {
            ui->txtTemp->setFont(font);
            return;
        }
    }
}

void frmConfigSystem::setTimeAlarm(int value)
{
    ui->txtTimeAlarm->setFocus();
    ui->txtTimeAlarm->setText(QStringLiteral("%1 秒").arg(value));
}

void frmConfigSystem::setTemp(int value)
{
    ui->txtTemp->setFocus();
    ui->txtTemp->setText(QStringLiteral("%1 ℃").arg(value));
}

void frmConfigSystem::setVolumn(int value)
{
    ui->txtVolumn->setFocus();
    ui->txtVolumn->setText(QStringLiteral("%1 分贝").arg(value));
}

void frmConfigSystem::setTimeClose(int value)
{
    ui->txtTimeClose->setFocus();
    ui->txtTimeClose->setText(QStringLiteral("%1 分钟").arg(value));
}

void frmConfigSystem::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    initConfig();
    clockTurned = false;
    followClock();
    clockTimer->start();
}

void frmConfigSystem::hideEvent(QHideEvent *event)
{
    clockTimer->stop();
    QWidget::hideEvent(event);
}

void frmConfigSystem::followClock()
{
    if (clockTurned) {
        return;
    }
    const QDateTime now = ZemiClock::now();
    const QStringList parts = now.toString(QStringLiteral("yyyy 年-M 月-d 日-H 时-m 分-s 秒")).split(QLatin1Char('-'));
    const QList<Tumbler *> list = tumblers();
    followingClock = true;
    for (int i = 0; i < list.size() && i < parts.size(); ++i) {
        if (list.at(i)->getCurrentValue() != parts.at(i)) {
            list.at(i)->setCurrentValue(parts.at(i));
        }
    }
    followingClock = false;
}

void frmConfigSystem::initConfig()
{
    ui->btnVolumnTip->setChecked(AppConfig::VolumnTip);
    ui->btnLinkSnap->setChecked(AppConfig::LinkSnap);
    ui->txtOSD->setText(AppConfig::OSD);
    {
        // Showing the stored values is no operator move: no field takes the focus.
        const QSignalBlocker b1(ui->sliderTimeAlarm);
        const QSignalBlocker b2(ui->sliderTemp);
        const QSignalBlocker b3(ui->sliderVolumn);
        const QSignalBlocker b4(ui->sliderTimeClose);
        ui->sliderTimeAlarm->setValue(AppConfig::TimeAlarm);
        ui->sliderTemp->setValue(AppConfig::Temp);
        ui->sliderVolumn->setValue(AppConfig::Volumn);
        ui->sliderTimeClose->setValue(AppConfig::TimeClose);
    }
    showValues();
}

// The value fields as the sliders stand.
void frmConfigSystem::showValues()
{
    ui->txtTimeAlarm->setText(QStringLiteral("%1 秒").arg(ui->sliderTimeAlarm->value()));
    ui->txtTemp->setText(QStringLiteral("%1 ℃").arg(ui->sliderTemp->value()));
    ui->txtVolumn->setText(QStringLiteral("%1 分贝").arg(ui->sliderVolumn->value()));
    ui->txtTimeClose->setText(QStringLiteral("%1 分钟").arg(ui->sliderTimeClose->value()));
}

void frmConfigSystem::saveConfig()
{
    AppConfig::VolumnTip = ui->btnVolumnTip->getChecked();
    AppConfig::LinkSnap = ui->btnLinkSnap->getChecked();
    AppConfig::OSD = ui->txtOSD->text();
    AppConfig::TimeAlarm = ui->sliderTimeAlarm->value();
    AppConfig::Temp = ui->sliderTemp->value();
    AppConfig::Volumn = ui->sliderVolumn->value();
    AppConfig::TimeClose = ui->sliderTimeClose->value();
    configSaved = frmConfig::saveSettings();
}

void frmConfigSystem::saveTime()
{
    if (!clockTurned) {
        return; // the operator left the clock alone
    }
    const int year = leadingNumber(ui->widgetYear->getCurrentValue());
    const int month = leadingNumber(ui->widgetMonth->getCurrentValue());
    const int day = leadingNumber(ui->widgetDay->getCurrentValue());
    const int hour = leadingNumber(ui->widgetHour->getCurrentValue());
    const int minute = leadingNumber(ui->widgetMin->getCurrentValue());
    const int second = leadingNumber(ui->widgetSec->getCurrentValue());
    // The day list runs to 31 whatever the month; a day the month lacks never reaches the clock.
    if (year < 1000 || !QDate(year, month, day).isValid() || !QTime(hour, minute, second).isValid()) {
        showClockFailure(QString::fromUtf8(invalidDate));
        return;
    }
    if (!ZemiHelper::setSystemDateTime(QString::number(year), twoDigits(month), twoDigits(day), twoDigits(hour),
                                       twoDigits(minute), twoDigits(second))) {
        showClockFailure(QString::fromUtf8(clockRefused));
        return;
    }
    // Set: the tumblers go back to following the clock.
    clockTurned = false;
}

void frmConfigSystem::showClockFailure(const QString &text)
{
    const QString settings = configSaved ? QString::fromUtf8(settingsSaved) : frmConfig::saveFailedText();
    frmMessageBox::Instance()->tell(settings + QLatin1Char('\n') + text);
}
