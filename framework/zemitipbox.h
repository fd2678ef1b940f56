#ifndef ZEMITIPBOX_H
#define ZEMITIPBOX_H

#include "zemidialog.h"

class QPropertyAnimation;

// A notice that slides up into the lower right corner of the screen and, on
// hide(), slides back down below it.
class ZemiTipBox : public ZemiDialog
{
    Q_OBJECT
public:
    static ZemiTipBox *instance();
    explicit ZemiTipBox(QWidget *parent = nullptr);

protected:
    bool centresItself() const override { return false; }

private:
    QLabel *labInfo = nullptr;
    QPropertyAnimation *animation = nullptr;
    bool fullScreen = false;

    QRect referenceArea() const;

private Q_SLOTS:
    void initControl();
    void initForm();
    void checkSec();
    void on_btnMenu_Close_clicked();

public Q_SLOTS:
    void setIconMain(QChar glyph, uint size = 12);
    void setTip(const QString &title, const QString &tip, bool fullScreen = false, bool center = true,
                int closeSec = 0);
    // Slides the box out of sight; the window itself stays shown.
    void hide();
};

#endif // ZEMITIPBOX_H
