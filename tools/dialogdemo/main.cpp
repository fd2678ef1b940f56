// The framework's frameless window holding a paged table with the item
// delegates, and the framework's dialogs.
//   dialogdemo                   the demo window
//   dialogdemo --shots DIR       renders the dialogs and the window under a light and a dark style into DIR
//   dialogdemo --placement FILE  on an X server: the window, a message box and a tip box as placed, whole screen
#include "appinit.h"
#include "demotable.h"
#include "zemidateselect.h"
#include "zemihelper.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"
#include "zemistyle.h"
#include "zemitipbox.h"
#include "zemiwidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

ZemiWidget *demoWindow(const QString &databaseFile)
{
    auto *window = new ZemiWidget;
    window->setTitle(QStringLiteral("用户管理 - 框架演示"));
    auto *table = new DemoTable(databaseFile);
    table->resize(900, 300);
    window->setMainWidget(table);
    QObject::connect(window, &ZemiWidget::closing, qApp, &QApplication::quit);
    return window;
}

bool save(QWidget *widget, const QString &dir, const QString &name)
{
    widget->show();
    QApplication::processEvents();
    const QString file = QDir(dir).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    widget->hide();
    return true;
}

int takeShots(const QString &dir, const QString &databaseFile)
{
    QDir().mkpath(dir);
    bool ok = true;
    for (Style style : {Style_LightBlue, Style_PSBlack}) {
        ZemiHelper::applyStyle(style);
        const QString suffix = QLatin1Char('-') + ZemiStyle::styleName(style);

        ZemiMessageBox info;
        info.setMessage(QStringLiteral("用户信息已保存!"), 0, 5);
        ok = save(&info, dir, QStringLiteral("dialog-info") + suffix) && ok;
        ZemiMessageBox question;
        question.setMessage(QStringLiteral("确定要删除选中的用户吗?"), 1);
        ok = save(&question, dir, QStringLiteral("dialog-question") + suffix) && ok;
        ZemiMessageBox error;
        error.setMessage(QStringLiteral("开始时间不能大于结束时间!"), 2, 3);
        ok = save(&error, dir, QStringLiteral("dialog-error") + suffix) && ok;

        ZemiTipBox tip;
        tip.setTip(QStringLiteral("告警通知"), QStringLiteral("2号柜门未关闭"), false, true, 10);
        ok = save(&tip, dir, QStringLiteral("dialog-tip") + suffix) && ok;

        ZemiInputBox input;
        input.setParameter(QStringLiteral("请输入管理员密码"), 0, 0, QStringLiteral("密码"), true,
                           QStringLiteral("123456"));
        ok = save(&input, dir, QStringLiteral("dialog-input") + suffix) && ok;
        ZemiInputBox choice;
        choice.setParameter(QStringLiteral("请选择用户类型"), 1, 0, QString(), false,
                            QStringLiteral("管理员|操作员|审计员"));
        ok = save(&choice, dir, QStringLiteral("dialog-choice") + suffix) && ok;

        ZemiDateSelect date;
        date.setFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
        ok = save(&date, dir, QStringLiteral("dialog-date") + suffix) && ok;

        ZemiWidget *window = demoWindow(databaseFile);
        window->show();
        // The row count comes from a thread and the page is shown again with it.
        QElapsedTimer settle;
        settle.start();
        while (settle.elapsed() < 800) {
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        if (auto *table = window->findChild<DemoTable *>()) {
            table->openEditors();
        }
        ok = save(window, dir, QStringLiteral("zemiwidget") + suffix) && ok;
        delete window;
    }

    // Without pictures the dialogs draw glyphs.
    ZemiHelper::applyStyle(Style_LightBlue);
    QTemporaryDir empty;
    ZemiDialog::setImagePath(empty.path());
    ZemiMessageBox glyphs;
    glyphs.setMessage(QStringLiteral("确定要删除选中的用户吗?"), 1);
    ok = save(&glyphs, dir, QStringLiteral("dialog-question-glyphs-lightblue")) && ok;
    return ok ? 0 : 1;
}

int showPlacement(const QString &file, const QString &databaseFile)
{
    ZemiHelper::applyStyle(Style_LightBlue);
    ZemiWidget *window = demoWindow(databaseFile);
    window->move(300, 200);
    window->show();
    QTimer::singleShot(300, [] {
        ZemiHelper::showMessageBoxInfo(QStringLiteral("用户信息已保存!"), 10);
        ZemiHelper::showTipBox(QStringLiteral("告警通知"), QStringLiteral("2号柜门未关闭"), false, true, 10);
    });
    int status = 1;
    QTimer::singleShot(1800, [&status, file] {
        QScreen *screen = QGuiApplication::primaryScreen();
        status = screen && screen->grabWindow(0).save(file) ? 0 : 1;
        std::printf("%s\n", qPrintable(file));
        QApplication::quit();
    });
    QApplication::exec();
    delete window;
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    const QStringList args = [argc, argv] {
        QStringList list;
        for (int i = 1; i < argc; ++i) {
            list << QString::fromLocal8Bit(argv[i]);
        }
        return list;
    }();
    if (args.value(0) == QLatin1String("--shots")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    AppInit::Instance(); // the CJK font for "Microsoft Yahei"
    QFont font(ZemiHelper::fontName);
    font.setPixelSize(ZemiHelper::fontSize);
    app.setFont(font);
    ZemiStyle::initResources();

    QTemporaryDir temp;
    const QString databaseFile = temp.filePath(QStringLiteral("demo.db"));
    if (args.value(0) == QLatin1String("--shots")) {
        return takeShots(args.value(1, QStringLiteral("docs/screenshots")), databaseFile);
    }
    if (args.value(0) == QLatin1String("--placement")) {
        return showPlacement(args.value(1, QStringLiteral("placement.png")), databaseFile);
    }
    ZemiHelper::applyStyle(Style_LightBlue);
    ZemiWidget *window = demoWindow(databaseFile);
    ZemiHelper::centerWidget(window);
    window->show();
    const int status = QApplication::exec();
    delete window;
    return status;
}
