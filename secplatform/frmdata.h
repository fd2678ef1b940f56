#ifndef FRMDATA_H
#define FRMDATA_H

#include <QList>
#include <QWidget>
#include <memory>

class QPushButton;

namespace Ui {
class frmData;
}

// The data queries page: a column of buttons selecting the panel beside it.
class frmData : public QWidget
{
    Q_OBJECT
public:
    explicit frmData(QWidget *parent = nullptr);
    ~frmData() override;

public Q_SLOTS:
    void initForm();
    void initNav();
    // Also after every style change: the icons follow the text colour.
    void initIcon();
    void buttonClicked();

private:
    std::unique_ptr<Ui::frmData> ui;
    QList<QPushButton *> btns;
    QList<int> glyphs;
};

#endif // FRMDATA_H
