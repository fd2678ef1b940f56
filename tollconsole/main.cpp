#include "consolestart.h"
#include "frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    ConsoleStart::startApplication(a);

    frmMain w;
    w.show();
    return a.exec();
}
