#include "appinit.h"
#include "frmmain.h"
#include "terminalstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    a.setFont(QFont(QStringLiteral("Microsoft Yahei"), 12));

    AppInit::Instance()->setStartStep(&TerminalStart::start);
    AppInit::Instance()->start();

    frmMain w;
    w.setWindowTitle(QStringLiteral("智能保险柜"));
    w.show();
    return a.exec();
}
