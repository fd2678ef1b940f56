// Renders the platform's main window, filling the screen, under several
// colour styles and on several pages into PNG files named after the screen size.
//   platform_screenshots <output folder>
// The window needs a real screen of desktop size: run it on an X server (Xvfb).
#include "frmmain.h"
#include "platformstart.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QtDebug>
#include <iterator>

namespace {

struct Shot {
    const char *style;  // display name in the window's style menu
    const char *button; // navigation button pressed first
    const char *page;   // page button pressed after it, if any
    const char *name;
};

void press(QWidget &root, const char *name)
{
    if (auto *button = root.findChild<QPushButton *>(QLatin1String(name))) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        qWarning() << "no button" << name;
    }
}

bool chooseStyle(QWidget &window, const QString &text)
{
    for (QAction *action : window.actions()) {
        if (action->text() == text) {
            action->trigger();
            return true;
        }
    }
    qWarning() << "no style" << text;
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        qWarning("usage: platform_screenshots <output folder>");
        return 2;
    }
    const QDir out(app.arguments().at(1));
    out.mkpath(QStringLiteral("."));
    PlatformStart::startApplication(app);
    PlatformStart::setPictureDirectory(QStringLiteral(PLATFORM_PICTURES));

    frmMain window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        qWarning("the window was never shown");
        return 1;
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const QString size = QStringLiteral("%1x%2").arg(screen.width()).arg(screen.height());

    // Light and dark styles, each on a different page.
    const Shot shots[] = {
        {"蓝色扁平", "btnViewData", nullptr, "flatblue-view"},
        {"蓝色", "btnConfig", "btnConfigSystem", "blue-config"},
        {"银色", "btnData", nullptr, "silvery-data"},
        {"浅灰色", "btnViewMap", nullptr, "lightgray-map"},
        {"白色扁平", "btnConfig", nullptr, "flatwhite-config"},
        {"黑色", "btnData", "btnDataNode", "black-data"},
        {"PS黑色", "btnConfig", "btnConfigDebug", "psblack-config"},
        {"深蓝色", "btnViewDevice", nullptr, "darkblue-device"},
        {"紫色", "btnData", nullptr, "purple-data"},
        {"视频黑", "btnConfig", nullptr, "blackvideo-config"},
    };
    // At desktop size the full set; at larger sizes two tell enough.
    const int count = screen.width() <= 1280 ? int(std::size(shots)) : 2;
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        const Shot &shot = shots[i];
        ok = chooseStyle(window, QString::fromUtf8(shot.style)) && ok;
        press(window, shot.button);
        if (shot.page) {
            press(window, shot.page);
        }
        QTest::qWait(150);
        const QString file = out.filePath(QStringLiteral("platform-%1-%2.png").arg(size, QLatin1String(shot.name)));
        if (window.grab().save(file)) {
            qInfo().noquote() << file;
        } else {
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
