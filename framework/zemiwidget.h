#ifndef ZEMIWIDGET_H
#define ZEMIWIDGET_H

#include "zemistyle.h"

#include <QDialog>
#include <QPoint>

class QAbstractButton;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// A frameless window that wraps one content widget in a title bar of its own:
// icon, title, a menu of the colour styles, minimise, maximise and close. It
// moves by its title and maximises to the available desktop area.
class ZemiWidget : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString title READ getTitle WRITE setTitle)
    Q_PROPERTY(Qt::Alignment alignment READ getAlignment WRITE setAlignment)
    Q_PROPERTY(bool minHide READ getMinHide WRITE setMinHide)
    Q_PROPERTY(bool exitAll READ getExitAll WRITE setExitAll)

public:
    enum Widget {
        WidgetIcon = 0,
        WidgetMenuButton = 1,
        WidgetMinButton = 2,
        WidgetMaxButton = 3,   // the maximise button's glyph while maximised
        WidgetNormalButton = 4, // its glyph while normal
        WidgetCloseButton = 5
    };
    Q_ENUM(Widget)

    explicit ZemiWidget(QWidget *parent = nullptr);

    QString getTitle() const { return title; }
    Qt::Alignment getAlignment() const { return alignment; }
    bool getMinHide() const { return minHide; }
    bool getExitAll() const { return exitAll; }
    QWidget *mainWidget() const { return content; }

    // The maximised state and its saved rectangle belong to the process, not to
    // one window; a process that starts over (a test) resets them.
    static bool isMaximizedState();
    static void resetMaximizedState();

    using QDialog::setVisible;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QVBoxLayout *verticalLayout1 = nullptr;
    QWidget *widgetMainZemi = nullptr;
    QWidget *widgetTitle = nullptr;
    QLabel *labIco = nullptr;
    QLabel *labTitle = nullptr;
    QWidget *widgetMenu = nullptr;
    QToolButton *btnMenu = nullptr;
    QPushButton *btnMenu_Min = nullptr;
    QPushButton *btnMenu_Max = nullptr;
    QPushButton *btnMenu_Close = nullptr;
    QWidget *widget = nullptr;
    QVBoxLayout *verticalLayout3 = nullptr;

    QString title;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool minHide = false;
    bool exitAll = true;
    QWidget *content = nullptr;

    bool mousePressed = false;
    QPoint mousePoint;

    QAbstractButton *button(Widget which) const;

Q_SIGNALS:
    void changeStyle(const QString &qssFile);
    void closing();

private Q_SLOTS:
    void initControl();
    void initForm();
    void changeStyle();
    void on_btnMenu_Min_clicked();
    void on_btnMenu_Max_clicked();
    void on_btnMenu_Close_clicked();

public Q_SLOTS:
    void setIcon(ZemiWidget::Widget widget, QChar glyph, uint size = 12);
    void setIconMain(QChar glyph, uint size = 12);
    void setPixmap(ZemiWidget::Widget widget, const QString &file, const QSize &size = QSize(16, 16));
    void setVisible(ZemiWidget::Widget widget, bool visible = true);
    void setOnlyCloseBtn();
    void setTitleHeight(int height);
    void setBtnWidth(int width);
    void setTitle(const QString &title);
    void setAlignment(Qt::Alignment alignment);
    void setMinHide(bool minHide);
    void setExitAll(bool exitAll);
    void setMainWidget(QWidget *mainWidget);
};

#endif // ZEMIWIDGET_H
