#include "frmmain.h"
#include "launcherstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    LauncherStart::startApplication(a);

    frmMain w;
    w.show();
    return a.exec();
}
