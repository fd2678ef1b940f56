#include "gallerywindow.h"
#include "widgettest.h"
#include "zemihelper.h"
#include "zemistyle.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using WidgetTest::contrast;

const char *const paletteKeys[] = {"TextColor", "PanelColor", "BorderColor", "NormalColorStart",
                                   "NormalColorEnd", "DarkColorStart", "DarkColorEnd", "HighColor"};

QString readSheet(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
}

QString paletteValue(const QString &sheet, const char *key)
{
    const QRegularExpression re(QStringLiteral("/\\*%1:(#[0-9A-Fa-f]{6})\\*/").arg(QLatin1String(key)));
    return re.match(sheet).captured(1);
}

QStringList capturedMessages;

void captureMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The offscreen platform's own remark about size hints is not the sheet's doing.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("This plugin does not support"))) {
        capturedMessages << message;
    }
}

void resetSharedColors()
{
    for (QString *value : {&ZemiHelper::textColor, &ZemiHelper::panelColor, &ZemiHelper::borderColor,
                           &ZemiHelper::normalColorStart, &ZemiHelper::normalColorEnd, &ZemiHelper::darkColorStart,
                           &ZemiHelper::darkColorEnd, &ZemiHelper::highColor}) {
        *value = QStringLiteral("#F0F0F0");
    }
}

} // namespace

class tst_Styles : public QObject
{
    Q_OBJECT

    // One row per style, for every test that looks at all seventeen sheets.
    static void styleRows();

private slots:
    void initTestCase();
    void cleanup();
    void applyStyleLoadsItsOwnFile_data();
    void applyStyleLoadsItsOwnFile();
    void valueOutsideTheTableLoadsLightBlue();
    void lightBlueColours();
    void missingFileChangesNothing();
    void applyStyleTextFillsTheCallersStrings();
    void missingPaletteKeysLeaveColoursAlone();
    void displayNamesRoundTrip();
    void statusLabelStyle_data();
    void statusLabelStyle();
    void generators_data();
    void generators();
    void sheetParsesWithoutWarnings_data() { styleRows(); }
    void sheetParsesWithoutWarnings();
    void sheetPicturesLoad_data() { styleRows(); }
    void sheetPicturesLoad();
    void sheetDeclaresItsPalette_data() { styleRows(); }
    void sheetDeclaresItsPalette();
    void sheetTextReadsOnItsPanel_data() { styleRows(); }
    void sheetTextReadsOnItsPanel();
    void flatSheetsHaveNoGradients_data();
    void flatSheetsHaveNoGradients();
};

void tst_Styles::initTestCase()
{
    ZemiStyle::initResources();
}

void tst_Styles::cleanup()
{
    qApp->setStyleSheet(QString());
    resetSharedColors();
}

void tst_Styles::applyStyleLoadsItsOwnFile_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("file");
    const QStringList names = {"silvery",    "blue",      "lightblue", "darkblue",  "gray",     "lightgray",
                               "darkgray",   "black",     "lightblack", "darkblack", "psblack", "flatblack",
                               "flatwhite",  "flatblue",  "purple",    "blackblue", "blackvideo"};
    for (int i = 0; i < names.size(); ++i) {
        QTest::newRow(qPrintable(names.at(i))) << i << QStringLiteral(":/qss/%1.css").arg(names.at(i));
    }
}

void tst_Styles::applyStyleLoadsItsOwnFile()
{
    QFETCH(int, style);
    QFETCH(QString, file);
    const QString sheet = readSheet(file);
    QVERIFY2(!sheet.isEmpty(), qPrintable(file));
    ZemiHelper::applyStyle(Style(style));
    QCOMPARE(qApp->styleSheet(), sheet);
    QCOMPARE(ZemiStyle::styleFile(Style(style)), file);
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(sheet.mid(20, 7)));
}

void tst_Styles::valueOutsideTheTableLoadsLightBlue()
{
    for (int value : {-1, 17, 100}) {
        qApp->setStyleSheet(QString());
        ZemiHelper::applyStyle(Style(value));
        QCOMPARE(qApp->styleSheet(), readSheet(QStringLiteral(":/qss/lightblue.css")));
    }
}

void tst_Styles::lightBlueColours()
{
    ZemiHelper::applyStyle(Style_LightBlue);
    QCOMPARE(ZemiHelper::textColor, QStringLiteral("#386487"));
    QCOMPARE(ZemiHelper::panelColor, QStringLiteral("#EAF7FF"));
    QCOMPARE(ZemiHelper::highColor, QStringLiteral("#00BB9E"));
    QCOMPARE(ZemiHelper::borderColor, QStringLiteral("#C0DCF2"));
    QCOMPARE(ZemiHelper::normalColorStart, QStringLiteral("#DEF0FE"));
    QCOMPARE(ZemiHelper::normalColorEnd, QStringLiteral("#C0DEF6"));
    QCOMPARE(ZemiHelper::darkColorStart, QStringLiteral("#F2F9FF"));
    QCOMPARE(ZemiHelper::darkColorEnd, QStringLiteral("#DAEFFF"));
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(QStringLiteral("#EAF7FF")));
    QVERIFY(qApp->styleSheet().startsWith(QLatin1String("QPalette{background:#EAF7FF;}")));
}

void tst_Styles::missingFileChangesNothing()
{
    ZemiHelper::applyStyle(Style_DarkBlue);
    const QString sheet = qApp->styleSheet();
    const QPalette palette = qApp->palette();
    const QString text = ZemiHelper::textColor;
    QTemporaryDir dir;
    ZemiHelper::applyStyleFile(dir.filePath(QStringLiteral("missing.css")));
    ZemiHelper::applyStyleFile(QStringLiteral(":/qss/missing.css"));
    QCOMPARE(qApp->styleSheet(), sheet);
    QCOMPARE(qApp->palette(), palette);
    QCOMPARE(ZemiHelper::textColor, text);
}

void tst_Styles::applyStyleTextFillsTheCallersStrings()
{
    QString colors[8];
    ZemiHelper::applyStyleText(QStringLiteral(":/qss/flatblue.css"), colors[0], colors[1], colors[2], colors[3],
                               colors[4], colors[5], colors[6], colors[7]);
    const QString sheet = readSheet(QStringLiteral(":/qss/flatblue.css"));
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(colors[i], paletteValue(sheet, paletteKeys[i]));
    }
    // The shared values stay as they were; the panel colour makes the palette.
    QCOMPARE(ZemiHelper::textColor, QStringLiteral("#F0F0F0"));
    QCOMPARE(qApp->palette().color(QPalette::Window), QColor(colors[1]));
    QCOMPARE(qApp->styleSheet(), sheet);
}

void tst_Styles::missingPaletteKeysLeaveColoursAlone()
{
    QString text = QStringLiteral("keep"), panel = QStringLiteral("keep"), border = QStringLiteral("keep"),
            ns = QStringLiteral("keep"), ne = QStringLiteral("keep"), ds = QStringLiteral("keep"),
            de = QStringLiteral("keep"), high = QStringLiteral("keep");
    ZemiHelper::readPaletteColors(QStringLiteral("QWidget{}/*PanelColor:#123456*//*HighColor:#ABCDEF*/"), text,
                                  panel, border, ns, ne, ds, de, high);
    QCOMPARE(panel, QStringLiteral("#123456"));
    QCOMPARE(high, QStringLiteral("#ABCDEF"));
    for (const QString &value : {text, border, ns, ne, ds, de}) {
        QCOMPARE(value, QStringLiteral("keep"));
    }
}

void tst_Styles::displayNamesRoundTrip()
{
    QSet<QString> names;
    for (Style style : ZemiStyle::allStyles()) {
        bool ok = false;
        QCOMPARE(ZemiStyle::styleFromDisplayName(ZemiStyle::styleDisplayName(style), &ok), style);
        QVERIFY(ok);
        names << ZemiStyle::styleDisplayName(style);
    }
    QCOMPARE(names.size(), ZemiStyle::styleCount);
    QCOMPARE(ZemiStyle::styleDisplayName(Style_Silvery), QStringLiteral("银色"));
    QCOMPARE(ZemiStyle::styleDisplayName(Style_BlackVideo), QStringLiteral("视频黑"));
    bool ok = true;
    QCOMPARE(ZemiStyle::styleFromDisplayName(QStringLiteral("绿色"), &ok), Style_LightBlue);
    QVERIFY(!ok);
}

void tst_Styles::statusLabelStyle_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");
    const QString disabled = QStringLiteral("QLabel::disabled{background:none;color:#C0DCF2;}");
    QTest::newRow("red") << 0 << "QLabel{border:none;background-color:rgb(214,64,48);color:rgb(255,255,255);}" + disabled;
    QTest::newRow("green") << 1 << "QLabel{border:none;background-color:rgb(46,138,87);color:rgb(255,255,255);}" + disabled;
    QTest::newRow("blue") << 2 << "QLabel{border:none;background-color:rgb(67,122,203);color:rgb(255,255,255);}" + disabled;
    QTest::newRow("grey") << 3 << "QLabel{border:none;background-color:rgb(75,75,75);color:rgb(255,255,255);}" + disabled;
    QTest::newRow("4 changes nothing") << 4 << "QLabel{color:red;}";
    QTest::newRow("-1 changes nothing") << -1 << "QLabel{color:red;}";
}

void tst_Styles::statusLabelStyle()
{
    QFETCH(int, index);
    QFETCH(QString, expected);
    ZemiHelper::applyStyle(Style_LightBlue);
    QLabel label;
    label.setStyleSheet(QStringLiteral("QLabel{color:red;}"));
    ZemiHelper::setStatusLabelStyle(&label, index);
    QCOMPARE(label.styleSheet(), expected);
}

void tst_Styles::generators_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("button") << "button"
                            << "QPushButton{border-style:none;padding:6px;border-radius:4px;color:#111111;background:#AAAAAA;}"
                               "QPushButton:hover{color:#222222;background:#BBBBBB;}"
                               "QPushButton:pressed{color:#333333;background:#CCCCCC;}";
    QTest::newRow("line edit") << "lineEdit"
                               << "QLineEdit{border-style:none;padding:3px;border-radius:3px;border:2px solid #DDDDDD;}"
                                  "QLineEdit:focus{border:2px solid #EEEEEE;}";
    QTest::newRow("progress bar")
        << "progressBar"
        << "QProgressBar{font:9pt;background:#101010;max-height:12px;border-radius:5px;text-align:center;border:1px solid #101010;}"
           "QProgressBar:chunk{border-radius:5px;background-color:#202020;}";
    const QString handle = QStringLiteral("background:qradialgradient(spread:pad,cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
                                          "stop:0.6 #444444,stop:0.8 #333333);}");
    QTest::newRow("slider")
        << "slider"
        << "QSlider::horizontal{min-height:16px;color:#555555;}"
           "QSlider::groove:horizontal{background:#111111;height:8px;border-radius:4px;}"
           "QSlider::add-page:horizontal{background:#111111;height:8px;border-radius:4px;}"
           "QSlider::sub-page:horizontal{background:#222222;height:8px;border-radius:4px;}"
           "QSlider::handle:horizontal{width:16px;margin-top:-4px;margin-bottom:-4px;border-radius:8px;" + handle +
           "QSlider::vertical{min-width:16px;color:#555555;}"
           "QSlider::groove:vertical{background:#111111;width:8px;border-radius:4px;}"
           "QSlider::add-page:vertical{background:#222222;width:8px;border-radius:4px;}"
           "QSlider::sub-page:vertical{background:#111111;width:8px;border-radius:4px;}"
           "QSlider::handle:vertical{height:16px;margin-left:-4px;margin-right:-4px;border-radius:8px;" + handle;
    QTest::newRow("radio button")
        << "radioButton"
        << "QRadioButton::indicator{border-radius:7px;width:14px;height:14px;}"
           "QRadioButton::indicator::unchecked{background:qradialgradient(spread:pad,cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
           "stop:0.6 #FFFFFF,stop:0.7 #D7DBDE);}"
           "QRadioButton::indicator::checked{background:qradialgradient(spread:pad,cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
           "stop:0 #34495E,stop:0.3 #34495E,stop:0.4 #FFFFFF,stop:0.6 #FFFFFF,stop:0.7 #34495E);}";
    QString scroll;
    for (const char *dir : {"horizontal", "vertical"}) {
        const bool h = qstrcmp(dir, "horizontal") == 0;
        scroll += QStringLiteral("QScrollBar:%1{background:#010101;padding:0px;border-radius:6px;min-%2:12px;max-%2:12px;}"
                                 "QScrollBar::handle:%1{background:#020202;min-%3:120px;border-radius:6px;}"
                                 "QScrollBar::handle:%1:hover{background:#030303;}"
                                 "QScrollBar::handle:%1:pressed{background:#040404;}"
                                 "QScrollBar::add-page:%1{background:none;}QScrollBar::sub-page:%1{background:none;}"
                                 "QScrollBar::add-line:%1{background:none;}QScrollBar::sub-line:%1{background:none;}")
                      .arg(QLatin1String(dir), h ? QStringLiteral("height") : QStringLiteral("width"),
                           h ? QStringLiteral("width") : QStringLiteral("height"));
    }
    QTest::newRow("scroll bar") << "scrollBar" << scroll;
}

void tst_Styles::generators()
{
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QString returned;
    QWidget *widget = nullptr;
    QPushButton button;
    QLineEdit lineEdit;
    QProgressBar progressBar;
    QSlider slider;
    QRadioButton radioButton;
    QScrollBar scrollBar;
    if (kind == QLatin1String("button")) {
        returned = ZemiHelper::buttonStyle(&button, 4, 6, QStringLiteral("#AAAAAA"), QStringLiteral("#111111"),
                                           QStringLiteral("#BBBBBB"), QStringLiteral("#222222"),
                                           QStringLiteral("#CCCCCC"), QStringLiteral("#333333"));
        widget = &button;
    } else if (kind == QLatin1String("lineEdit")) {
        returned = ZemiHelper::lineEditStyle(&lineEdit, 3, 2, QStringLiteral("#DDDDDD"), QStringLiteral("#EEEEEE"));
        widget = &lineEdit;
    } else if (kind == QLatin1String("progressBar")) {
        returned = ZemiHelper::progressBarStyle(&progressBar, 12, 5, 9, QStringLiteral("#101010"),
                                                QStringLiteral("#202020"));
        widget = &progressBar;
    } else if (kind == QLatin1String("slider")) {
        returned = ZemiHelper::sliderStyle(&slider, 8, QStringLiteral("#111111"), QStringLiteral("#222222"),
                                           QStringLiteral("#333333"), QStringLiteral("#444444"),
                                           QStringLiteral("#555555"));
        widget = &slider;
    } else if (kind == QLatin1String("radioButton")) {
        returned = ZemiHelper::radioButtonStyle(&radioButton, 7, QStringLiteral("#D7DBDE"), QStringLiteral("#34495E"));
        widget = &radioButton;
    } else {
        returned = ZemiHelper::scrollBarStyle(&scrollBar, 6, 120, 12, QStringLiteral("#010101"),
                                              QStringLiteral("#020202"), QStringLiteral("#030303"),
                                              QStringLiteral("#040404"));
        widget = &scrollBar;
    }
    QCOMPARE(returned, expected);
    QCOMPARE(widget->styleSheet(), expected);
}

void tst_Styles::styleRows()
{
    QTest::addColumn<int>("style");
    for (Style style : ZemiStyle::allStyles()) {
        QTest::newRow(qPrintable(ZemiStyle::styleName(style))) << int(style);
    }
}

void tst_Styles::sheetParsesWithoutWarnings()
{
    QFETCH(int, style);
    GalleryWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    capturedMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(captureMessages);
    ZemiHelper::applyStyle(Style(style));
    // Painting resolves every rule that applies to what is shown.
    window.grab();
    qInstallMessageHandler(previous);
    QVERIFY2(capturedMessages.isEmpty(), qPrintable(capturedMessages.join(QLatin1Char('\n'))));
    QCOMPARE(qApp->styleSheet(), readSheet(ZemiStyle::styleFile(Style(style))));
}

void tst_Styles::sheetPicturesLoad()
{
    QFETCH(int, style);
    const QString sheet = readSheet(ZemiStyle::styleFile(Style(style)));
    const QString own = QStringLiteral(":/qss/%1/").arg(ZemiStyle::styleName(Style(style)));
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("url\\(([^)]*)\\)")).globalMatch(sheet);
    int count = 0;
    while (it.hasNext()) {
        const QString file = it.next().captured(1);
        QVERIFY2(!QPixmap(file).isNull(), qPrintable(file));
        QVERIFY2(file.startsWith(own), qPrintable(file + QStringLiteral(" is not in ") + own));
        ++count;
    }
    QVERIFY(count >= 20);
}

void tst_Styles::sheetDeclaresItsPalette()
{
    QFETCH(int, style);
    const QString sheet = readSheet(ZemiStyle::styleFile(Style(style)));
    QVERIFY(QRegularExpression(QStringLiteral("^QPalette\\{background:#[0-9A-F]{6};\\}")).match(sheet).hasMatch());
    for (const char *key : paletteKeys) {
        QVERIFY2(QColor(paletteValue(sheet, key)).isValid(), key);
    }
    // The first line's colour is the panel's.
    QCOMPARE(sheet.mid(20, 7), paletteValue(sheet, "PanelColor"));
    // Sheets are read as Latin-1: they must be plain ASCII.
    for (const QChar ch : sheet) {
        QVERIFY(ch.unicode() < 128);
    }
}

void tst_Styles::sheetTextReadsOnItsPanel()
{
    QFETCH(int, style);
    const QString sheet = readSheet(ZemiStyle::styleFile(Style(style)));
    const double ratio = contrast(QColor(paletteValue(sheet, "TextColor")), QColor(paletteValue(sheet, "PanelColor")));
    QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
}

void tst_Styles::flatSheetsHaveNoGradients_data()
{
    QTest::addColumn<int>("style");
    for (Style style : {Style_FlatBlack, Style_FlatWhite, Style_FlatBlue}) {
        QTest::newRow(qPrintable(ZemiStyle::styleName(style))) << int(style);
    }
}

void tst_Styles::flatSheetsHaveNoGradients()
{
    QFETCH(int, style);
    QVERIFY(!readSheet(ZemiStyle::styleFile(Style(style))).contains(QLatin1String("gradient")));
}

QTEST_MAIN(tst_Styles)
#include "tst_styles.moc"
