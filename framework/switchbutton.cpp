#include "switchbutton.h"

SwitchButton::SwitchButton(QWidget *parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(offStyle());
    // On press, not on release: the finger sees the change at once.
    connect(this, &QPushButton::pressed, this, &SwitchButton::changeOnOff);
}

QString SwitchButton::onStyle()
{
    return QStringLiteral("border-image:url(:/image/btn_check_on.png);");
}

QString SwitchButton::offStyle()
{
    return QStringLiteral("border-image:url(:/image/btn_check_off.png);");
}

bool SwitchButton::getChecked() const
{
    return checked;
}

void SwitchButton::changeOnOff()
{
    checked = !checked;
    setStyleSheet(checked ? onStyle() : offStyle());
}

void SwitchButton::setChecked(bool value)
{
    if (value != checked) {
        changeOnOff();
    }
}
