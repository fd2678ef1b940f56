// Colour styles and the sheet generators.

#include "zemihelper.h"
#include "appinit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QToolButton>

QString ZemiHelper::fontName = QStringLiteral("Microsoft Yahei");
int ZemiHelper::iconMain = 0xF072;
int ZemiHelper::fontSize = 12;
QString ZemiHelper::textColor = QStringLiteral("#F0F0F0");
QString ZemiHelper::panelColor = QStringLiteral("#F0F0F0");
QString ZemiHelper::borderColor = QStringLiteral("#F0F0F0");
QString ZemiHelper::normalColorStart = QStringLiteral("#F0F0F0");
QString ZemiHelper::normalColorEnd = QStringLiteral("#F0F0F0");
QString ZemiHelper::darkColorStart = QStringLiteral("#F0F0F0");
QString ZemiHelper::darkColorEnd = QStringLiteral("#F0F0F0");
QString ZemiHelper::highColor = QStringLiteral("#F0F0F0");

namespace {

// Sheets are ASCII; a missing file yields nothing and changes nothing.
bool readStyleSheet(const QString &qssFile, QString &qss)
{
    QFile file(qssFile);
    if (!file.open(QFile::ReadOnly)) {
        return false;
    }
    qss = QString::fromLatin1(file.readAll());
    return true;
}

// Applies the palette before the sheet: the sheet's polish then sees the final palette once.
void applySheet(const QString &qss, const QString &paletteColor)
{
    const QColor color(paletteColor);
    if (color.isValid() && qApp->palette() != QPalette(color)) {
        qApp->setPalette(QPalette(color));
    }
    qApp->setStyleSheet(qss);
}

} // namespace

void ZemiHelper::applyStyle(Style style)
{
    applyStyleFile(ZemiStyle::styleFile(style));
}

void ZemiHelper::applyStyleFile(const QString &qssFile)
{
    QString qss;
    if (!readStyleSheet(qssFile, qss)) {
        return;
    }
    readPaletteColors(qss, textColor, panelColor, borderColor, normalColorStart, normalColorEnd, darkColorStart,
                      darkColorEnd, highColor);
    applySheet(qss, qss.mid(20, 7));
}

void ZemiHelper::applyStyleText(const QString &qssFile, QString &textColor, QString &panelColor,
                                QString &borderColor, QString &normalColorStart, QString &normalColorEnd,
                                QString &darkColorStart, QString &darkColorEnd, QString &highColor)
{
    QString qss;
    if (!readStyleSheet(qssFile, qss)) {
        return;
    }
    readPaletteColors(qss, textColor, panelColor, borderColor, normalColorStart, normalColorEnd, darkColorStart,
                      darkColorEnd, highColor);
    applySheet(qss, panelColor);
}

void ZemiHelper::readPaletteColors(const QString &qss, QString &textColor, QString &panelColor,
                                   QString &borderColor, QString &normalColorStart, QString &normalColorEnd,
                                   QString &darkColorStart, QString &darkColorEnd, QString &highColor)
{
    const struct {
        const char *key;
        QString &value;
    } keys[] = {
        {"TextColor:", textColor},         {"PanelColor:", panelColor},
        {"BorderColor:", borderColor},     {"NormalColorStart:", normalColorStart},
        {"NormalColorEnd:", normalColorEnd}, {"DarkColorStart:", darkColorStart},
        {"DarkColorEnd:", darkColorEnd},   {"HighColor:", highColor},
    };
    for (const auto &entry : keys) {
        const QLatin1String key(entry.key);
        const int at = qss.indexOf(key);
        if (at >= 0) {
            entry.value = qss.mid(at + key.size(), 7);
        }
    }
}

void ZemiHelper::setStatusLabelStyle(QLabel *label, int index)
{
    static const char *const sheets[] = {
        "QLabel{border:none;background-color:rgb(214,64,48);color:rgb(255,255,255);}",
        "QLabel{border:none;background-color:rgb(46,138,87);color:rgb(255,255,255);}",
        "QLabel{border:none;background-color:rgb(67,122,203);color:rgb(255,255,255);}",
        "QLabel{border:none;background-color:rgb(75,75,75);color:rgb(255,255,255);}",
    };
    if (!label || index < 0 || index > 3) {
        return;
    }
    label->setStyleSheet(QString::fromLatin1(sheets[index]) +
                         QStringLiteral("QLabel::disabled{background:none;color:%1;}").arg(borderColor));
}

QString ZemiHelper::buttonStyle(QPushButton *button, int radius, int padding, const QString &normalColor,
                                const QString &normalTextColor, const QString &hoverColor,
                                const QString &hoverTextColor, const QString &pressedColor,
                                const QString &pressedTextColor)
{
    QStringList list;
    list << QStringLiteral("QPushButton{border-style:none;padding:%1px;border-radius:%2px;color:%3;background:%4;}")
                .arg(padding).arg(radius).arg(normalTextColor, normalColor);
    list << QStringLiteral("QPushButton:hover{color:%1;background:%2;}").arg(hoverTextColor, hoverColor);
    list << QStringLiteral("QPushButton:pressed{color:%1;background:%2;}").arg(pressedTextColor, pressedColor);
    const QString qss = list.join(QString());
    button->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::lineEditStyle(QLineEdit *lineEdit, int radius, int borderWidth, const QString &normalColor,
                                  const QString &focusColor)
{
    QStringList list;
    list << QStringLiteral("QLineEdit{border-style:none;padding:3px;border-radius:%1px;border:%2px solid %3;}")
                .arg(radius).arg(borderWidth).arg(normalColor);
    list << QStringLiteral("QLineEdit:focus{border:%1px solid %2;}").arg(borderWidth).arg(focusColor);
    const QString qss = list.join(QString());
    lineEdit->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::progressBarStyle(QProgressBar *progressBar, int maxHeight, int radius, int fontSize,
                                     const QString &normalColor, const QString &chunkColor)
{
    QStringList list;
    list << QStringLiteral("QProgressBar{font:%1pt;background:%2;max-height:%3px;border-radius:%4px;"
                           "text-align:center;border:1px solid %2;}")
                .arg(fontSize).arg(normalColor).arg(maxHeight).arg(radius);
    list << QStringLiteral("QProgressBar:chunk{border-radius:%2px;background-color:%1;}").arg(chunkColor).arg(radius);
    const QString qss = list.join(QString());
    progressBar->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::sliderStyle(QSlider *slider, int sliderHeight, const QString &normalColor,
                                const QString &grooveColor, const QString &handleBorderColor,
                                const QString &handleColor, const QString &textColor)
{
    const int sliderRadius = sliderHeight / 2;
    const int handleSize = sliderHeight * 2;
    const int handleOffset = sliderHeight / 2;
    const int handleRadius = handleSize / 2;
    const QString handle = QStringLiteral("qradialgradient(spread:pad,cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
                                          "stop:0.6 %1,stop:0.8 %2)")
                               .arg(handleColor, handleBorderColor);
    QStringList list;
    list << QStringLiteral("QSlider::horizontal{min-height:%1px;color:%2;}").arg(handleSize).arg(textColor);
    list << QStringLiteral("QSlider::groove:horizontal{background:%1;height:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::add-page:horizontal{background:%1;height:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::sub-page:horizontal{background:%1;height:%2px;border-radius:%3px;}")
                .arg(grooveColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::handle:horizontal{width:%2px;margin-top:-%3px;margin-bottom:-%3px;"
                           "border-radius:%4px;background:%1;}")
                .arg(handle).arg(handleSize).arg(handleOffset).arg(handleRadius);
    list << QStringLiteral("QSlider::vertical{min-width:%1px;color:%2;}").arg(handleSize).arg(textColor);
    list << QStringLiteral("QSlider::groove:vertical{background:%1;width:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::add-page:vertical{background:%1;width:%2px;border-radius:%3px;}")
                .arg(grooveColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::sub-page:vertical{background:%1;width:%2px;border-radius:%3px;}")
                .arg(normalColor).arg(sliderHeight).arg(sliderRadius);
    list << QStringLiteral("QSlider::handle:vertical{height:%2px;margin-left:-%3px;margin-right:-%3px;"
                           "border-radius:%4px;background:%1;}")
                .arg(handle).arg(handleSize).arg(handleOffset).arg(handleRadius);
    const QString qss = list.join(QString());
    slider->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::radioButtonStyle(QRadioButton *radioButton, int indicatorRadius, const QString &normalColor,
                                     const QString &checkedColor)
{
    QStringList list;
    list << QStringLiteral("QRadioButton::indicator{border-radius:%1px;width:%2px;height:%2px;}")
                .arg(indicatorRadius).arg(indicatorRadius * 2);
    list << QStringLiteral("QRadioButton::indicator::unchecked{background:qradialgradient(spread:pad,cx:0.5,cy:0.5,"
                           "radius:0.5,fx:0.5,fy:0.5,stop:0.6 #FFFFFF,stop:0.7 %1);}")
                .arg(normalColor);
    list << QStringLiteral("QRadioButton::indicator::checked{background:qradialgradient(spread:pad,cx:0.5,cy:0.5,"
                           "radius:0.5,fx:0.5,fy:0.5,stop:0 %1,stop:0.3 %1,stop:0.4 #FFFFFF,stop:0.6 #FFFFFF,"
                           "stop:0.7 %1);}")
                .arg(checkedColor);
    const QString qss = list.join(QString());
    radioButton->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::scrollBarStyle(QScrollBar *scrollBar, int handleRadius, int handleMinLength, int barSize,
                                   const QString &bgColor, const QString &handleColor,
                                   const QString &handleHoverColor, const QString &handlePressedColor)
{
    const int padding = 0;
    QStringList list;
    for (const QString &dir : {QStringLiteral("horizontal"), QStringLiteral("vertical")}) {
        const bool horizontal = dir == QLatin1String("horizontal");
        list << QStringLiteral("QScrollBar:%1{background:%2;padding:%3px;border-radius:%4px;min-%5:%6px;max-%5:%6px;}")
                    .arg(dir, bgColor)
                    .arg(padding)
                    .arg(handleRadius)
                    .arg(horizontal ? QStringLiteral("height") : QStringLiteral("width"))
                    .arg(barSize);
        list << QStringLiteral("QScrollBar::handle:%1{background:%2;min-%3:%4px;border-radius:%5px;}")
                    .arg(dir, handleColor, horizontal ? QStringLiteral("width") : QStringLiteral("height"))
                    .arg(handleMinLength)
                    .arg(handleRadius);
        list << QStringLiteral("QScrollBar::handle:%1:hover{background:%2;}").arg(dir, handleHoverColor);
        list << QStringLiteral("QScrollBar::handle:%1:pressed{background:%2;}").arg(dir, handlePressedColor);
        list << QStringLiteral("QScrollBar::add-page:%1{background:none;}").arg(dir);
        list << QStringLiteral("QScrollBar::sub-page:%1{background:none;}").arg(dir);
        list << QStringLiteral("QScrollBar::add-line:%1{background:none;}").arg(dir);
        list << QStringLiteral("QScrollBar::sub-line:%1{background:none;}").arg(dir);
    }
    const QString qss = list.join(QString());
    scrollBar->setStyleSheet(qss);
    return qss;
}

QString ZemiHelper::navigationStyle(QWidget *widget, const QString &position, int borderWidth,
                                    const QString &borderColor, const QString &normalBgColor,
                                    const QString &darkBgColor, const QString &normalTextColor,
                                    const QString &darkTextColor)
{
    QString border;
    if (position == QLatin1String("top")) {
        border = QStringLiteral("border-width:%1px 0px 0px 0px;padding-top:%1px;padding-bottom:%2px;");
    } else if (position == QLatin1String("right")) {
        border = QStringLiteral("border-width:0px %1px 0px 0px;padding-right:%1px;padding-left:%2px;");
    } else if (position == QLatin1String("bottom")) {
        border = QStringLiteral("border-width:0px 0px %1px 0px;padding-bottom:%1px;padding-top:%2px;");
    } else {
        border = QStringLiteral("border-width:0px 0px 0px %1px;padding-left:%1px;padding-right:%2px;");
    }
    border = border.arg(borderWidth).arg(borderWidth * 2);

    // Text under an icon keeps an invisible border, so the layout does not jump on hover.
    const QList<QToolButton *> buttons = widget->findChildren<QToolButton *>();
    const bool textUnderIcon = !buttons.isEmpty() && buttons.first()->toolButtonStyle() == Qt::ToolButtonTextUnderIcon;
    QStringList list;
    if (textUnderIcon) {
        list << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:solid;border-radius:0px;%2"
                               "border-color:%3;color:%4;background:%5;}")
                    .arg(position, border, normalBgColor, normalTextColor, normalBgColor);
    } else {
        list << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:none;border-radius:0px;padding:5px;"
                               "color:%2;background:%3;}")
                    .arg(position, normalTextColor, normalBgColor);
    }
    list << QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton:hover,QWidget[flag=\"%1\"] QAbstractButton:pressed,"
                           "QWidget[flag=\"%1\"] QAbstractButton:checked{border-style:solid;%2border-color:%3;"
                           "color:%4;background:%5;}")
                .arg(position, border, borderColor, darkTextColor, darkBgColor);
    const QString qss = list.join(QString());
    widget->setStyleSheet(qss);
    return qss;
}

void ZemiHelper::applyProgramStyle(const QString &styleName)
{
    QFile file(styleName);
    if (!file.open(QFile::ReadOnly)) {
        return;
    }
    QByteArray data = file.readAll();
    file.close();
    const int nul = data.indexOf('\0');
    if (nul >= 0) {
        data.truncate(nul);
    }
    QString qss = QString::fromLatin1(data);
    readPaletteColors(qss, textColor, panelColor, borderColor, normalColorStart, normalColorEnd, darkColorStart,
                      darkColorEnd, highColor);
    qss += AppInit::Instance()->styleRules(fontSize, AppInit::isDarkStyle(styleName)).join(QString());

    // Palette before sheet, so that polishing under the new sheet sees the final palette once.
    const QPalette palette{QColor(panelColor)};
    if (qApp->palette() != palette) {
        qApp->setPalette(palette);
    }
    qApp->setStyleSheet(qss);
}
