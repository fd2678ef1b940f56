// Renders the toll console's pages at its fixed 700x800 into PNG files.
//   screenshots_tollconsole <output folder>
#include "consolestart.h"
#include "frmmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QtDebug>

namespace {

void click(QWidget &root, const char *name)
{
    if (auto *button = root.findChild<QAbstractButton *>(QLatin1String(name))) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        qWarning() << "no button" << name;
    }
}

bool save(QWidget &w, const QDir &out, const QString &name)
{
    QApplication::processEvents();
    const QString file = out.filePath(QStringLiteral("tollconsole-%1-700x800.png").arg(name));
    if (!w.grab().save(file)) {
        qWarning() << "cannot write" << file;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: screenshots_tollconsole <output folder>");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    out.mkpath(QStringLiteral("."));
    ConsoleStart::startApplication(app);

    frmMain w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        qWarning("not exposed");
        return 1;
    }
    if (!QTest::qWaitFor([&w] { return w.findChild<QWidget *>(QStringLiteral("btnRight3")) != nullptr; })) {
        qWarning("the lanes were not laid out");
        return 1;
    }
    bool ok = save(w, out, QStringLiteral("call"));
    click(w, "btnLeft2");
    click(w, "btnRight1");
    click(w, "btnOn");
    click(w, "btnOff");
    click(w, "btnRight3");
    ok = save(w, out, QStringLiteral("call-lanes-changed")) && ok;
    click(w, "btnVideo");
    ok = save(w, out, QStringLiteral("video")) && ok;
    click(w, "btnAudio");
    ok = save(w, out, QStringLiteral("audio")) && ok;
    return ok ? 0 : 1;
}
