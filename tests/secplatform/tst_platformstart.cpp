#include "platformfixture.h"

#include "appinit.h"
#include "platformstart.h"
#include "platformstyle.h"
#include "zemihelper.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

// The platform's start-up and its style application, without a window.
class tst_PlatformStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startSetsFrameworkValues();
    void startInstallsNoDragFilter();
    void startAppliesFlatBlueWithScreenRules();
    void screenRulesFollowBaseFontSize_data();
    void screenRulesFollowBaseFontSize();
    void darkStylesAreToldByName_data();
    void darkStylesAreToldByName();
    void sheetStopsAtFirstNul();
    void unreadableStyleChangesNothing();

private:
    std::unique_ptr<PlatformFixture> fixture;
};

void tst_PlatformStart::initTestCase()
{
    fixture.reset(new PlatformFixture);
    QVERIFY(fixture->isValid());
}

void tst_PlatformStart::startSetsFrameworkValues()
{
    QCOMPARE(ZemiHelper::iconMain, 0xF108);
    QCOMPARE(ZemiHelper::fontSize, 12);
    QCOMPARE(qApp->font().pixelSize(), 12);
    QCOMPARE(qApp->font().family(), ZemiHelper::fontName);
    QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray("UTF-8"));
}

void tst_PlatformStart::startInstallsNoDragFilter()
{
    QVERIFY(!AppInit::Instance()->dragFilterEnabled());
    QWidget widget;
    widget.setProperty("canMove", true);
    widget.setGeometry(100, 100, 200, 100);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QPoint start = widget.pos();
    const QPoint global = widget.mapToGlobal(QPoint(10, 10));
    QMouseEvent press(QEvent::MouseButtonPress, QPoint(10, 10), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent move(QEvent::MouseMove, QPoint(50, 40), global + QPoint(40, 30), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
    QCOMPARE(widget.pos(), start);
}

void tst_PlatformStart::startAppliesFlatBlueWithScreenRules()
{
    QFile file(PlatformStart::defaultStyle());
    QVERIFY(file.open(QFile::ReadOnly));
    const QString sheet = QString::fromLatin1(file.readAll());
    const QString rules = PlatformStyle::screenRules(12, false).join(QString());
    QCOMPARE(qApp->styleSheet(), sheet + rules);
    QVERIFY(sheet.contains(QStringLiteral("BorderColor:") + ZemiHelper::borderColor));
    QVERIFY(rules.startsWith(QStringLiteral("QWidget#widgetMain{background:%1;}").arg(ZemiHelper::borderColor)));
}

void tst_PlatformStart::screenRulesFollowBaseFontSize_data()
{
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<int>("rule");
    QTest::addColumn<QString>("expected");

    QTest::newRow("logo labels at 12") << 12 << 2 << "#labLogoCn{font-size:25px;}#labLogoEn{font-size:16px;}";
    QTest::newRow("header buttons at 12")
        << 12 << 7 << "QWidget#widgetBtn>QPushButton{font-size:15px;background:transparent;border:none;"
                      "border-radius:20px;}";
    QTest::newRow("page buttons at 12")
        << 12 << 10 << "QWidget[flag=\"btn\"]>QPushButton{font-size:15px;background:transparent;border:none;"
                       "border-radius:5px;}";
    QTest::newRow("video labels at 12") << 12 << 4 << "font-size:22px;";
    QTest::newRow("card texts at 12") << 12 << 17 << "font-size:14px;min-height:28px;";
    QTest::newRow("logo labels at 16") << 16 << 2 << "#labLogoCn{font-size:29px;}#labLogoEn{font-size:20px;}";
    QTest::newRow("control labels at 16") << 16 << 15 << "#widgetControl>QLabel{font-size:28px;}";
}

void tst_PlatformStart::screenRulesFollowBaseFontSize()
{
    QFETCH(int, fontSize);
    QFETCH(int, rule);
    QFETCH(QString, expected);

    const QStringList rules = PlatformStyle::screenRules(fontSize, false);
    QCOMPARE(rules.size(), 24);
    QVERIFY2(rules.at(rule - 1).contains(expected), qPrintable(rules.at(rule - 1)));
}

void tst_PlatformStart::darkStylesAreToldByName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("dark");
    QTest::newRow("blackvideo") << ":/qss/blackvideo.css" << true;
    QTest::newRow("darkblue") << ":/qss/darkblue.css" << true;
    QTest::newRow("purple") << ":/qss/purple.css" << true;
    QTest::newRow("psblack") << ":/qss/psblack.css" << true;
    QTest::newRow("blue") << ":/qss/blue.css" << false;
    QTest::newRow("darkgray") << ":/qss/darkgray.css" << false;
    QTest::newRow("flatwhite") << ":/qss/flatwhite.css" << false;
}

void tst_PlatformStart::darkStylesAreToldByName()
{
    QFETCH(QString, file);
    QFETCH(bool, dark);
    QCOMPARE(AppInit::isDarkStyle(file), dark);

    ZemiHelper::applyProgramStyle(file);
    const QString focus = QStringLiteral("QWidget#widgetVideo>QLabel:focus{border:2px solid %1;background:%2;}")
                              .arg(ZemiHelper::highColor,
                                   dark ? ZemiHelper::normalColorEnd : ZemiHelper::darkColorStart);
    QVERIFY2(qApp->styleSheet().endsWith(PlatformStyle::screenRules(12, dark).join(QString())), qPrintable(file));
    QVERIFY(qApp->styleSheet().contains(focus));
}

void tst_PlatformStart::sheetStopsAtFirstNul()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile source(QStringLiteral(":/qss/blue.css"));
    QVERIFY(source.open(QFile::ReadOnly));
    const QByteArray sheet = source.readAll();
    QFile file(dir.filePath(QStringLiteral("padded.css")));
    QVERIFY(file.open(QFile::WriteOnly));
    file.write(sheet + QByteArray(1, '\0') + QByteArrayLiteral("QWidget{color:#123456;}"));
    file.close();

    ZemiHelper::applyProgramStyle(file.fileName());
    QCOMPARE(qApp->styleSheet(), QString::fromLatin1(sheet) + PlatformStyle::screenRules(12, false).join(QString()));
}

void tst_PlatformStart::unreadableStyleChangesNothing()
{
    ZemiHelper::applyProgramStyle(QStringLiteral(":/qss/purple.css"));
    const QString before = qApp->styleSheet();
    const QString text = ZemiHelper::textColor;
    ZemiHelper::applyProgramStyle(QStringLiteral(":/qss/nosuchstyle.css"));
    QCOMPARE(qApp->styleSheet(), before);
    QCOMPARE(ZemiHelper::textColor, text);
}

QTEST_MAIN(tst_PlatformStart)
#include "tst_platformstart.moc"
