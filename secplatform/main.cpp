#include "frmmain.h"
#include "platformstart.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    PlatformStart::startApplication(a);

    frmMain w;
    w.show();
    return a.exec();
}
