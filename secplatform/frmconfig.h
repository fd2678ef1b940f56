#ifndef FRMCONFIG_H
#define FRMCONFIG_H

#include <QList>
#include <QWidget>
#include <memory>

class QPushButton;

namespace Ui {
class frmConfig;
}

// The system settings page: a column of buttons selecting the panel beside it.
class frmConfig : public QWidget
{
    Q_OBJECT
public:
    explicit frmConfig(QWidget *parent = nullptr);
    ~frmConfig() override;

public Q_SLOTS:
    void initForm();
    void initNav();
    // Also after every style change: the icons follow the text colour.
    void initIcon();
    void buttonClicked();

private:
    std::unique_ptr<Ui::frmConfig> ui;
    QList<QPushButton *> btns;
    QList<int> glyphs;
};

#endif // FRMCONFIG_H
