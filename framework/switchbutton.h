#ifndef SWITCHBUTTON_H
#define SWITCHBUTTON_H

#include <QPushButton>

// An on/off toggle drawn by two pictures: every press swaps the picture and
// the flag. The flag is its own, not QAbstractButton's checked state, so the
// button never needs to be checkable.
class SwitchButton : public QPushButton
{
    Q_OBJECT
public:
    explicit SwitchButton(QWidget *parent = nullptr);

    bool getChecked() const;

    static QString onStyle();
    static QString offStyle();

private:
    bool checked = false;

public Q_SLOTS:
    void changeOnOff();
    void setChecked(bool value);
};

#endif // SWITCHBUTTON_H
