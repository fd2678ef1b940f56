#include "platformstyle.h"
#include "zemihelper.h"

QStringList PlatformStyle::screenRules(int fontSize, bool dark)
{
    const int f = fontSize;
    const QString &border = ZemiHelper::borderColor;
    QStringList rules;
    rules << QStringLiteral("QWidget#widgetMain{background:%1;}").arg(border);
    rules << QStringLiteral("#labLogoCn{font-size:%1px;}#labLogoEn{font-size:%2px;}").arg(f + 13).arg(f + 4);
    rules << QStringLiteral("QWidget#widgetMenu>QPushButton{border-radius:0px;padding:0px;margin:1px 1px 2px 1px;}");
    rules << QStringLiteral("QWidget#widgetVideo>QLabel{font-size:%1px;border:2px solid %2;background:%3;}")
                 .arg(f + 10)
                 .arg(border, ZemiHelper::normalColorStart);
    rules << QStringLiteral("QWidget#widgetVideo>QLabel:focus{border:2px solid %1;background:%2;}")
                 .arg(ZemiHelper::highColor, dark ? ZemiHelper::normalColorEnd : ZemiHelper::darkColorStart);
    rules << QStringLiteral("QWidget#widgetSplite>QPushButton{background:transparent;border:none;}");
    rules << QStringLiteral("QWidget#widgetBtn>QPushButton{font-size:%1px;background:transparent;border:none;"
                            "border-radius:%2px;}")
                 .arg(f + 3)
                 .arg(20);
    rules << QStringLiteral("QWidget#widgetBtn>QPushButton:checked,QWidget#widgetBtn>QPushButton:hover{"
                            "background:%1;border:2px solid %2;}")
                 .arg(ZemiHelper::darkColorEnd, border);
    rules << QStringLiteral("QWidget[flag=\"btn\"]>QPushButton{min-height:%1px;max-height:%1px;}").arg(30);
    rules << QStringLiteral("QWidget[flag=\"btn\"]>QPushButton{font-size:%1px;background:transparent;border:none;"
                            "border-radius:%2px;}")
                 .arg(f + 3)
                 .arg(5);
    rules << QStringLiteral("QWidget[flag=\"btn\"]>QPushButton:checked,QWidget[flag=\"btn\"]>QPushButton:hover{"
                            "background:%1;border:2px solid %2;}")
                 .arg(ZemiHelper::darkColorEnd, border);
    rules << QStringLiteral("QFrame[flag=\"btn\"]{background:%1;}").arg(border);
    rules << QStringLiteral("QFrame[flag=\"btn\"]>QPushButton{font-size:%1px;font-weight:bold;}").arg(f + 3);
    rules << QStringLiteral("QFrame[flag=\"navlab\"] QLabel{min-height:%1px;max-height:%1px;font:%2px;}")
                 .arg(30)
                 .arg(f + 3);
    rules << QStringLiteral("#widgetControl>QLabel{font-size:%1px;}").arg(f + 12);
    rules << QStringLiteral("#widgetControl>QCheckBox::indicator{width:%1px;height:%1px;}").arg(30);
    rules << QStringLiteral("QLineEdit#txtCard,QLabel#labTip,QLabel#labCard,QLabel#labTime{font-weight:bold;"
                            "font-size:%1px;min-height:%2px;qproperty-alignment:AlignCenter;}")
                 .arg(f + 2)
                 .arg(28);
    rules << QStringLiteral("QWidget[flag=\"navbtn\"] QPushButton,QFrame[flag=\"navbtn\"] QPushButton{"
                            "qproperty-iconSize:%1px;min-width:%2px;}")
                 .arg(18)
                 .arg(80);
    rules << QStringLiteral("QLCDNumber{background-color:rgb(0,0,0);color:%1;}").arg(QStringLiteral("yellow"));
    rules << QStringLiteral("QTabWidget::pane{border:0px;}QTabBar::tab{min-width:%1px;min-height:%2px;}")
                 .arg(64)
                 .arg(20);
    rules << QStringLiteral("QListView,QTreeView,#widgetLeft>QTableView{border-width:0px;}");
    rules << QStringLiteral("QTreeView{padding:5px 0px 0px 0px;}");
    rules << QStringLiteral("NavTitle{qproperty-bgColor:%1;qproperty-textColor:%2;qproperty-borderColor:%3;}")
                 .arg(ZemiHelper::normalColorStart, ZemiHelper::textColor, border);
    rules << QStringLiteral("SwitchButton{min-width:62px;max-height:25px;}");
    return rules;
}
