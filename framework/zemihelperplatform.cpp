// Platform services: setting the system clock and starting with the system, each
// with its Windows branch beside the Linux one.

#include "zemihelper.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QtGlobal>

namespace {

ZemiHelper::ClockSetter &installedClockSetter()
{
    static ZemiHelper::ClockSetter setter = &ZemiHelper::systemClockSetter;
    return setter;
}

bool allDigits(const QString &text)
{
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}


// The program path as the command of a desktop entry's Exec key: quoted when it holds
// a reserved character, "%" doubled so no launcher takes it for a field code, then
// escaped as a string of the desktop file format.
QString desktopExecCommand(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = path.isEmpty();
    for (const QChar ch : path) {
        if (reserved.contains(ch)) {
            quote = true;
            break;
        }
    }
    QString command;
    for (const QChar ch : path) {
        if (quote && (ch == QLatin1Char('"') || ch == QLatin1Char('`') || ch == QLatin1Char('$')
                      || ch == QLatin1Char('\\'))) {
            command += QLatin1Char('\\');
        }
        command += ch;
        if (ch == QLatin1Char('%')) {
            command += QLatin1Char('%');
        }
    }
    if (quote) {
        command = QLatin1Char('"') + command + QLatin1Char('"');
    }

    QString escaped;
    for (const QChar ch : qAsConst(command)) {
        switch (ch.unicode()) {
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped += ch;
        }
    }
    return escaped;
}

} // namespace

ZemiHelper::ClockSetter ZemiHelper::clockSetter()
{
    return installedClockSetter();
}

void ZemiHelper::setClockSetter(ClockSetter setter)
{
    installedClockSetter() = std::move(setter);
}

bool ZemiHelper::setSystemDateTime(const QString &year, const QString &month, const QString &day,
                                   const QString &hour, const QString &minute, const QString &second)
{
    return installedClockSetter()(year, month, day, hour, minute, second);
}

bool ZemiHelper::systemClockSetter(const QString &year, const QString &month, const QString &day,
                                   const QString &hour, const QString &minute, const QString &second)
{
    // Only plain digits ever reach the command.
    for (const QString &part : {year, month, day, hour, minute, second}) {
        if (!allDigits(part)) {
            return false;
        }
    }
#ifdef Q_OS_WIN
    auto runCmd = [](const QString &line) {
        QProcess p;
        p.start(QStringLiteral("cmd"));
        p.waitForStarted(30000);
        p.write(line.toLatin1());
        p.closeWriteChannel();
        p.waitForFinished(1000);
        const bool ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        p.close();
        return ok;
    };
    const bool dateOk = runCmd(QStringLiteral("date %1-%2-%3\n").arg(year, month, day));
    const bool timeOk = runCmd(QStringLiteral("time %1:%2:%3.00\n").arg(hour, minute, second));
    return dateOk && timeOk;
#else
    const QString stamp = QStringLiteral("%1-%2-%3 %4:%5:%6").arg(year, month, day, hour, minute, second);
    QProcess p;
    p.start(QStringLiteral("date"), {QStringLiteral("-s"), stamp});
    if (!p.waitForStarted(30000) || !p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
#endif
}

QString ZemiHelper::autoStartFile(const QString &name)
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configHome.isEmpty()) {
        configHome = QDir::homePath() + QStringLiteral("/.config");
    }
    return QStringLiteral("%1/autostart/%2.desktop").arg(configHome, name);
}

void ZemiHelper::setAutoStart(const QString &name, const QString &programPath, bool enable)
{
#ifdef Q_OS_WIN
    QSettings reg(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"),
                  QSettings::NativeFormat);
    reg.setValue(name, enable ? programPath : QString());
#else
    // Disabling keeps the entry and switches it off, as the registry value is kept but emptied.
    const QString fileName = autoStartFile(name);
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return;
    }
    const QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                        "Hidden=%3\nX-GNOME-Autostart-enabled=%4\n")
                             .arg(name, desktopExecCommand(programPath),
                                  enable ? QStringLiteral("false") : QStringLiteral("true"),
                                  enable ? QStringLiteral("true") : QStringLiteral("false"));
    file.write(text.toUtf8());
    file.commit();
#endif
}
