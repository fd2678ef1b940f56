#include "frmmain.h"
#include "launcherstart.h"
#include "testsupport.h"

#include <QApplication>
#include <QGridLayout>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

class tst_ToolLauncher : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir temp;
    std::unique_ptr<frmMain> w;

    QToolButton *button(const QString &name) const { return w->findChild<QToolButton *>(name); }

private Q_SLOTS:
    // Started as main() starts it, with the style file missing: the default look.
    void initTestCase()
    {
        QVERIFY(temp.isValid());
        const QPalette before = QApplication::palette();
        LauncherStart::stylePath = temp.filePath(QStringLiteral("missing/psblack.css"));
        LauncherStart::startApplication(*qApp);
        QCOMPARE(qApp->styleSheet(), QString());
        QCOMPARE(QApplication::palette(), before);
        QCOMPARE(QApplication::font().pointSize(), 9);
    }

    void init()
    {
        w = std::make_unique<frmMain>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup()
    {
        w.reset();
        QCOMPARE(QApplication::topLevelWidgets().size(), 0);
    }

    void startsWithTwelveButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picture");
        QTest::newRow("change background") << "btnCOMTool" << 0 << 0 << "更换背景" << "PNG112";
        QTest::newRow("exit") << "btnTCPTool" << 0 << 1 << "退出系统" << "PNG100";
        QTest::newRow("serial to network") << "btnCOMTCPTool" << 0 << 2 << "串口转网络工具" << "PNG99";
        QTest::newRow("device") << "btnAddressTool" << 0 << 3 << "设备调试工具" << "PNG101";
        QTest::newRow("tension batch") << "btnZhangLiTool" << 1 << 0 << "张力批量配置工具" << "PNG103";
        QTest::newRow("tension 5") << "btnZhangLi5Tool" << 1 << 1 << "5道张力调试工具" << "PNG104";
        QTest::newRow("pulse host") << "btnMaiChongTool" << 1 << 2 << "脉冲主机调试工具" << "PNG105";
        QTest::newRow("host") << "btnHostTool" << 1 << 3 << "主机内部调试工具" << "PNG108";
        QTest::newRow("linkage") << "btnLinkTool" << 2 << 0 << "联动模块调试工具" << "PNG109";
        QTest::newRow("curve") << "btnPlot" << 2 << 1 << "张力曲线图" << "PNG110";
        QTest::newRow("zones") << "btnDefence" << 2 << 2 << "防区管理" << "PNG111";
        QTest::newRow("config") << "btnConfig" << 2 << 3 << "系统配置" << "PNG114";
    }
    void startsWithTwelveButtons()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, picture);
        QCOMPARE(w->windowTitle(), QStringLiteral("九宫格主界面"));
        QCOMPARE(w->size(), QSize(800, 480));
        QCOMPARE(w->currentBackground(), QStringLiteral("main2.jpg"));
        auto *grid = w->findChild<QGridLayout *>(QStringLiteral("gridLayout"));
        QToolButton *b = button(name);
        QVERIFY(b);
        QCOMPARE(grid->itemAtPosition(row, column)->widget(), b);
        QCOMPARE(b->text(), text);
        QVERIFY(b->isVisible());
        const QImage expected(QStringLiteral(":/image/%1.png").arg(picture));
        QVERIFY(!expected.isNull());
        QCOMPARE(b->icon().pixmap(100, 100).toImage(), QIcon(QStringLiteral(":/image/%1.png").arg(picture)).pixmap(100, 100).toImage());
    }

    // Picture and caption of every button fit at both panel sizes.
    void everyButtonFits_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800x480") << QSize(800, 480);
        QTest::newRow("1024x600") << QSize(1024, 600);
    }
    void everyButtonFits()
    {
        QFETCH(QSize, size);
        w->resize(size);
        QTRY_COMPARE(w->findChild<QWidget *>(QStringLiteral("frm"))->size(), size);
        const QRect inside = w->findChild<QWidget *>(QStringLiteral("frm"))->rect();
        for (QToolButton *b : w->findChildren<QToolButton *>()) {
            const QSize need(qMax(100, b->fontMetrics().horizontalAdvance(b->text())),
                             100 + b->fontMetrics().height());
            QVERIFY2(inside.contains(b->geometry()), qPrintable(b->objectName()));
            QVERIFY2(b->width() >= need.width() && b->height() >= need.height(), qPrintable(b->objectName()));
        }
    }

    void changeBackgroundStepsThroughFivePictures()
    {
        QWidget *frm = w->findChild<QWidget *>(QStringLiteral("frm"));
        QImage shown = frm->grab().toImage();
        const QStringList expected = {"main3.jpg", "main4.jpg", "main5.jpg", "main1.jpg", "main2.jpg"};
        for (const QString &picture : expected) {
            QTest::mouseClick(button(QStringLiteral("btnCOMTool")), Qt::LeftButton);
            QCOMPARE(w->currentBackground(), picture);
            QCOMPARE(w->styleSheet(),
                     QStringLiteral("QWidget#frm{background-image: url(:/image/%1);}"
                                    "QToolButton{color:#E7ECF0;background-color:rgba(0,0,0,0);border-style:none;}")
                         .arg(picture));
            // The picture itself changes, not only the sheet naming it.
            const QImage now = frm->grab().toImage();
            QVERIFY2(now != shown, qPrintable(picture));
            shown = now;
        }
    }

    void toolButtonsChangeNothing_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"btnCOMTCPTool", "btnAddressTool", "btnZhangLiTool", "btnZhangLi5Tool",
                                 "btnMaiChongTool", "btnHostTool", "btnLinkTool", "btnPlot", "btnDefence",
                                 "btnConfig"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void toolButtonsChangeNothing()
    {
        QFETCH(QString, name);
        const QString sheet = w->styleSheet();
        const QImage before = w->grab().toImage();
        QTest::mouseClick(button(name), Qt::LeftButton);
        QApplication::processEvents();
        QCOMPARE(w->currentBackground(), QStringLiteral("main2.jpg"));
        QCOMPARE(w->styleSheet(), sheet);
        QVERIFY(w->isVisible());
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);
        QCOMPARE(w->grab().toImage(), before);
    }

    void styleFileIsReadUpToItsFirstNul()
    {
        const QByteArray text = "QPalette{background:#1A2B3C;}QWidget{color:#E0E0E0;}";
        const QString file = temp.filePath(QStringLiteral("style.css"));
        QVERIFY(TestSupport::writeFile(file, text + QByteArray(1, '\0') + "QLabel{color:#FF0000;}"));
        const QPalette before = QApplication::palette();
        QVERIFY(LauncherStart::applyStyle(file));
        const QString sheet = qApp->styleSheet();
        const QColor button = QApplication::palette().color(QPalette::Button);
        qApp->setStyleSheet(QString());
        QApplication::setPalette(before);
        QCOMPARE(sheet, QString::fromLatin1(text));
        QCOMPARE(button, QColor(0x1A, 0x2B, 0x3C));
        // A file that is not there changes nothing.
        QVERIFY(!LauncherStart::applyStyle(temp.filePath(QStringLiteral("none.css"))));
        QCOMPARE(qApp->styleSheet(), QString());
        QCOMPARE(QApplication::palette(), before);
    }

    void shipsThePhotoEditorBlackStyle()
    {
        LauncherStart::initResources();
        const QPalette before = QApplication::palette();
        QVERIFY(LauncherStart::applyStyle(QStringLiteral(":/qss/psblack.css")));
        const QColor window = QApplication::palette().color(QPalette::Window);
        const QString sheet = qApp->styleSheet();
        qApp->setStyleSheet(QString());
        QApplication::setPalette(before);
        QVERIFY(sheet.contains(QStringLiteral("QPushButton")));
        QVERIFY2(window.lightness() < 100, qPrintable(window.name())); // a dark grey
    }

    void exitEndsTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("exitCode"); // 0: the program ended; 5: it carried on
        QTest::newRow("退出系统") << "btnTCPTool" << 0;
        QTest::newRow("系统配置") << "btnConfig" << 5;
        QTest::newRow("更换背景") << "btnCOMTool" << 5;
    }
    void exitEndsTheProgram()
    {
        QFETCH(QString, name);
        QFETCH(int, exitCode);
        // A request to quit is for good within a process: every press gets a program of its own.
        QProcess child;
        child.setProcessEnvironment(TestSupport::childEnvironment());
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        const QString stage = temp.filePath(QStringLiteral("stage-") + name);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--press-child"), name, stage});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(TestSupport::readFile(stage), QByteArray("pressed"));
        QCOMPARE(child.exitCode(), exitCode);
    }
};

// Run as a child process: the launcher as main() starts it, then one press on the
// named button. Exits with 0 when the press ended the program, 5 when it carried on,
// other codes when the scene could not be set.
static int pressChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString name = QString::fromLocal8Bit(argv[2]);
    const QString stage = QString::fromLocal8Bit(argv[3]);
    LauncherStart::startApplication(app);
    frmMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        return 3;
    }
    auto *target = w.findChild<QToolButton *>(name);
    if (!target) {
        return 6;
    }
    // Run as main() runs: the application quits on its last window's close only
    // inside exec(), some turns of the loop after the close. A program still
    // running a good while after the press carried on.
    QTimer::singleShot(0, &w, [target, stage] {
        TestSupport::writeFile(stage, "pressed");
        QTest::mouseClick(target, Qt::LeftButton);
        QTimer::singleShot(1500, qApp, [] { QCoreApplication::exit(5); });
    });
    return app.exec();
}

int main(int argc, char *argv[])
{
    if (argc > 3 && qstrcmp(argv[1], "--press-child") == 0) {
        return pressChild(argc, argv);
    }
    QApplication app(argc, argv);
    tst_ToolLauncher test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_toollauncher.moc"
