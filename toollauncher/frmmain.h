#ifndef FRMMAIN_H
#define FRMMAIN_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmMain;
}

// The launcher's one window: twelve picture buttons over a background.
// "更换背景" steps the background through five pictures, "退出系统" closes
// the window; the ten tool buttons start nothing yet.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    QString currentBackground() const { return currentImage; }

private:
    std::unique_ptr<Ui::frmMain> ui;
    QString currentImage;

private Q_SLOTS:
    void initForm();
    void buttonClick();
};

#endif // FRMMAIN_H
