#ifndef FRMMAIN_H
#define FRMMAIN_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmMain;
}

// The console's one window: picture header with the station title, three
// navigation buttons and the call, video and audio pages in a stacked widget.
// It also owns the style sheet of every page.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    static QString styleSheetText();

private:
    std::unique_ptr<Ui::frmMain> ui;

private Q_SLOTS:
    void initForm();
    void buttonClick();
};

#endif // FRMMAIN_H
