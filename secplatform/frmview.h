#ifndef FRMVIEW_H
#define FRMVIEW_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmView;
}

// The three monitoring views, chosen by the main window's navigation.
class frmView : public QWidget
{
    Q_OBJECT
public:
    explicit frmView(QWidget *parent = nullptr);
    ~frmView() override;

public Q_SLOTS:
    void initForm();
    void initNav();
    // 0 device, 1 map, 2 data monitoring.
    void setIndex(int index);

private:
    std::unique_ptr<Ui::frmView> ui;
};

#endif // FRMVIEW_H
