#include "iconfont.h"
#include "iconhelper.h"
#include "zemistyle.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QRawFont>
#include <QToolButton>
#include <QtTest>

namespace {

// Opaque pixels of a picture.
int inkOf(const QImage &image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        }
    }
    return ink;
}

QImage iconImage(const QToolButton *button)
{
    return button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
}

QColor dominantColor(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255) {
                return QColor(image.pixel(x, y)).toRgb();
            }
        }
    }
    return QColor();
}

// The code points the platform's screens use.
const QList<int> platformGlyphs = {0xE6F2, 0xEA00, 0xE695, 0xE60A, 0xEA44, 0xEA5B,
                                   0xEA59, 0xE60D, 0xE9C1, 0xE603, 0xE6A3, 0xE702};

} // namespace

class tst_IconHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fontsLoad();
    void getPixmapDrawsTheGlyph();
    void setIconPutsTheGlyphOnLabels();
    void navigationNeedsPairedLists();
    void navigationSheetFollowsThePosition_data();
    void navigationSheetFollowsThePosition();
    void checkedButtonKeepsItsDarkPicture();
    void restylingReplacesPictures();
    void iconFontHasEveryPlatformGlyph();
};

void tst_IconHelper::initTestCase()
{
    ZemiStyle::initResources();
}

void tst_IconHelper::fontsLoad()
{
    QCOMPARE(IconHelper::instance()->family(), QStringLiteral("FontAwesome"));
    QCOMPARE(IconFont::instance()->family(), QStringLiteral("iconfont"));
    QVERIFY(QFontDatabase().families().contains(QStringLiteral("FontAwesome")));
    QVERIFY(QFontDatabase().families().contains(QStringLiteral("iconfont")));
}

void tst_IconHelper::getPixmapDrawsTheGlyph()
{
    const QImage shield = IconHelper::instance()->getPixmap(QColor(Qt::red), QChar(0xF132), 20, 24, 24).toImage();
    QCOMPARE(shield.size(), QSize(24, 24));
    QVERIFY(inkOf(shield) > 40);
    QCOMPARE(dominantColor(shield.convertToFormat(QImage::Format_ARGB32)), QColor(Qt::red));
    // A code point the font lacks draws nothing of its own.
    QVERIFY(inkOf(IconHelper::instance()->getPixmap(QColor(Qt::red), QChar(' '), 20, 24, 24).toImage()) == 0);
}

void tst_IconHelper::setIconPutsTheGlyphOnLabels()
{
    QLabel label;
    IconHelper::instance()->setIcon(&label, QChar(0xF072), 18);
    QCOMPARE(label.text(), QString(QChar(0xF072)));
    QCOMPARE(label.font().family(), QStringLiteral("FontAwesome"));
    QCOMPARE(label.font().pixelSize(), 18);
}

void tst_IconHelper::navigationNeedsPairedLists()
{
    QWidget bar;
    bar.setObjectName(QStringLiteral("widgetNav"));
    bar.setStyleSheet(QStringLiteral("QWidget{color:red;}"));
    QList<QToolButton *> buttons;
    for (int i = 0; i < 3; ++i) {
        buttons << new QToolButton(&bar);
    }
    IconHelper::instance()->setStyle(&bar, buttons, {0xF015, 0xF0E8});
    IconFont::instance()->setStyle(&bar, buttons, {0xE6F2, 0xEA00});
    QCOMPARE(bar.styleSheet(), QStringLiteral("QWidget{color:red;}"));
    for (QToolButton *button : buttons) {
        QVERIFY(button->icon().isNull());
    }
}

void tst_IconHelper::navigationSheetFollowsThePosition_data()
{
    QTest::addColumn<bool>("iconFont");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("border");
    QTest::newRow("helper left") << false << "left" << "border-width:0px 0px 0px 3px;padding-left:3px;padding-right:6px;";
    QTest::newRow("helper top") << false << "top" << "border-width:3px 0px 0px 0px;padding-top:3px;padding-bottom:6px;";
    QTest::newRow("helper other") << false << "middle" << "border-width:0px 0px 0px 3px;padding-left:3px;padding-right:6px;";
    QTest::newRow("font right") << true << "right" << "border-width:0px 3px 0px 0px;padding:6px 3px 6px 6px;";
    QTest::newRow("font bottom") << true << "bottom" << "border-width:0px 0px 3px 0px;padding:6px 6px 3px 6px;";
}

void tst_IconHelper::navigationSheetFollowsThePosition()
{
    QFETCH(bool, iconFont);
    QFETCH(QString, position);
    QFETCH(QString, border);
    QWidget bar;
    bar.setObjectName(QStringLiteral("widgetNav"));
    bar.setProperty("flag", position);
    auto *button = new QToolButton(&bar);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    IconStyleBase *styler = iconFont ? static_cast<IconStyleBase *>(IconFont::instance()) : IconHelper::instance();
    styler->setStyle(&bar, {button}, {iconFont ? 0xE6F2 : 0xF015}, 12, 15, 15, position, 3,
                     QStringLiteral("#029FEA"), QStringLiteral("#292F38"), QStringLiteral("#1D2025"),
                     QStringLiteral("#B5B5B5"), QStringLiteral("#FFFFFF"));
    const QString sheet = bar.styleSheet();
    QVERIFY(sheet.startsWith(QStringLiteral("QWidget[flag=\"%1\"] QAbstractButton{border-style:solid;border-radius:0px;%2"
                                            "border-color:#292F38;color:#B5B5B5;background:#292F38;}")
                                 .arg(position, border)));
    QVERIFY(sheet.contains(QStringLiteral("QWidget#widgetNav{background:#292F38;}")));
    QVERIFY(sheet.contains(QStringLiteral("border-color:#029FEA;color:#FFFFFF;background:#1D2025;}")));
    QCOMPARE(button->iconSize(), QSize(15, 15));
}

void tst_IconHelper::checkedButtonKeepsItsDarkPicture()
{
    QWidget bar;
    bar.setObjectName(QStringLiteral("widgetNav"));
    bar.setProperty("flag", QStringLiteral("left"));
    auto *layout = new QHBoxLayout(&bar);
    auto *checked = new QToolButton(&bar);
    auto *unchecked = new QToolButton(&bar);
    for (QToolButton *button : {checked, unchecked}) {
        button->setCheckable(true);
        button->setMinimumSize(40, 40);
        layout->addWidget(button);
    }
    checked->setChecked(true);
    const QColor normal(0x11, 0x22, 0x33), dark(0xEE, 0xDD, 0xCC);
    IconHelper::instance()->setStyle(&bar, {checked, unchecked}, {0xF015, 0xF0E8}, 12, 15, 15,
                                     QStringLiteral("left"), 3, QStringLiteral("#029FEA"), QStringLiteral("#292F38"),
                                     QStringLiteral("#1D2025"), normal.name(), dark.name());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    for (QToolButton *button : {checked, unchecked}) {
        QCOMPARE(dominantColor(iconImage(button)), normal);
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(button, &enter);
        QCOMPARE(dominantColor(iconImage(button)), dark);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
    }
    QCOMPARE(dominantColor(iconImage(checked)), dark);
    QCOMPARE(dominantColor(iconImage(unchecked)), normal);
    QTest::mousePress(unchecked, Qt::LeftButton);
    QCOMPARE(dominantColor(iconImage(unchecked)), dark);
    QTest::mouseRelease(unchecked, Qt::LeftButton);
}

void tst_IconHelper::restylingReplacesPictures()
{
    QFrame frame;
    auto *button = new QToolButton(&frame);
    IconHelper::instance()->setStyle(&frame, {button}, {0xF015}, 12, 15, 15, QStringLiteral("#000000"),
                                     QStringLiteral("#111111"), QStringLiteral("#102030"), QStringLiteral("#405060"));
    // A second style, as after a style change: the new colours win on hover.
    IconHelper::instance()->setStyle(&frame, {button}, {0xF015}, 12, 15, 15, QStringLiteral("#000000"),
                                     QStringLiteral("#111111"), QStringLiteral("#A0B0C0"), QStringLiteral("#D0E0F0"));
    QCOMPARE(dominantColor(iconImage(button)), QColor(QStringLiteral("#A0B0C0")));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(button, &enter);
    QCOMPARE(dominantColor(iconImage(button)), QColor(QStringLiteral("#D0E0F0")));
    QVERIFY(frame.styleSheet().startsWith(
        QLatin1String("QFrame>QToolButton{border-style:none;border-width:0px;background-color:#000000;color:#A0B0C0;}")));
}

void tst_IconHelper::iconFontHasEveryPlatformGlyph()
{
    QFont font = IconFont::instance()->font();
    font.setPixelSize(48);
    const QRawFont raw = QRawFont::fromFont(font);
    QVERIFY(raw.isValid());
    QSet<QByteArray> pictures;
    for (int code : platformGlyphs) {
        QVERIFY2(raw.supportsCharacter(uint(code)), qPrintable(QString::number(code, 16)));
        const QImage image = IconFont::instance()->getPixmap(QColor(Qt::black), QChar(code), 48, 56, 56).toImage();
        QVERIFY2(inkOf(image) > 200, qPrintable(QString::number(code, 16)));
        pictures << QByteArray(reinterpret_cast<const char *>(image.constBits()), int(image.sizeInBytes()));
    }
    QCOMPARE(pictures.size(), platformGlyphs.size());
}

QTEST_MAIN(tst_IconHelper)
#include "tst_iconhelper.moc"
