#include "frmmain.h"
#include "ui_frmmain.h"

#include <QToolButton>

frmMain::frmMain(QWidget *parent) : QWidget(parent), ui(new Ui::frmMain)
{
    ui->setupUi(this);
    initForm();
}

frmMain::~frmMain() = default;

void frmMain::initForm()
{
    setWindowTitle(QStringLiteral("九宫格主界面"));
    currentImage = QStringLiteral("main2.jpg");
    const QList<QToolButton *> buttons = findChildren<QToolButton *>();
    for (QToolButton *button : buttons) {
        connect(button, &QToolButton::clicked, this, &frmMain::buttonClick);
    }
}

void frmMain::buttonClick()
{
    const QString name = sender()->objectName();
    if (name == QLatin1String("btnCOMTool")) {
        static const QStringList cycle = {QStringLiteral("main1.jpg"), QStringLiteral("main2.jpg"),
                                          QStringLiteral("main3.jpg"), QStringLiteral("main4.jpg"),
                                          QStringLiteral("main5.jpg")};
        const int at = cycle.indexOf(currentImage);
        if (at >= 0) {
            currentImage = cycle.at((at + 1) % cycle.size());
        }
        setStyleSheet(QStringLiteral("QWidget#frm{background-image: url(:/image/%1);}").arg(currentImage) +
                      QStringLiteral("QToolButton{color:#E7ECF0;background-color:rgba(0,0,0,0);border-style:none;}"));
    } else if (name == QLatin1String("btnTCPTool")) {
        close();
    }
}
