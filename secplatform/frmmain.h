#ifndef FRMMAIN_H
#define FRMMAIN_H

#include <QList>
#include <QRect>
#include <QWidget>
#include <memory>

class FramelessHelper;
class QPushButton;

namespace Ui {
class frmMain;
}

// The platform's frameless main window: logo header with window buttons and
// five navigation buttons over the pages, a status bar, and a right-click
// menu of the colour styles.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    FramelessHelper *framelessHelper() const { return frameless; }

    // The geometry moved and, if need be, shrunk into the area, so that a
    // window restored on a smaller screen keeps its header within reach.
    static QRect clampedInto(QRect rect, const QRect &area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

Q_SIGNALS:
    void setIndex(int index);
    void changeStyle();

private Q_SLOTS:
    void initForm();
    void initText();
    void initNav();
    // Also after every style change: logo and icons follow the text colour.
    void initIcon();
    void buttonClicked();
    void initStyle();
    void on_btnMenu_Min_clicked();
    void on_btnMenu_Max_clicked();
    void on_btnMenu_Close_clicked();

private:
    std::unique_ptr<Ui::frmMain> ui;
    FramelessHelper *frameless = nullptr;
    QList<QPushButton *> btns;
    bool maximized = false;
    QRect location;
};

#endif // FRMMAIN_H
