#include "frmmain.h"
#include "terminalstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    TerminalStart::startApplication(a);

    frmMain w;
    w.setWindowTitle(TerminalStart::windowTitle());
    w.show();
    return a.exec();
}
