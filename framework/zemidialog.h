#ifndef ZEMIDIALOG_H
#define ZEMIDIALOG_H

#include <QDialog>
#include <QPoint>

class QLabel;
class QPushButton;
class QTimer;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;
class ZemiAnswer;

// What the framework's small dialogs share: a frameless window that stays on
// top with the title bar of the frameless main window, a close countdown,
// dragging by the mouse, and placement over the window they belong to.
class ZemiDialog : public QDialog
{
    Q_OBJECT
public:
    // Folder the dialogs read their optional pictures from (msg_info.png,
    // btn_ok.png, ...). Where a picture does not load, an icon glyph stands in.
    static QString imagePath();
    static void setImagePath(const QString &path);
    static QString imageFile(const QString &name);
    static bool hasImage(const QString &name);

    // The window a dialog centres over: the active window, else the largest
    // ordinary window shown (a kiosk without window manager activates none).
    static QWidget *mainWindow(const QWidget *except = nullptr);
    // Centres widget over its parent's window, else the main window, else the
    // available area of the screen, kept inside that screen.
    static void placeOverOwner(QWidget *widget);

    // Waits for the person, unless a test queued an answer (see
    // ZemiHelper::setNextAnswer): then the box takes it without showing, or,
    // for an act, shows and runs it at once.
    int exec() override;

protected:
    // The one shared dialog of a kind, made on first use; the language makes
    // that first use safe from any thread (a lock around the construction).
    template <typename T>
    static T *shared()
    {
        static T *const self = new T;
        return self;
    }

    explicit ZemiDialog(QWidget *parent, Qt::WindowFlags extraFlags = Qt::WindowFlags());

    // The frame a dialog's own widgets go in ("frame").
    static QFrame *newBodyFrame();
    // The row of 确定 and 取消 (btnOk, btnCancel) at the right of the body.
    static QHBoxLayout *newOkCancelRow(QWidget *body, QPushButton *&ok, QPushButton *&cancel);
    // Lays out the title bar over the body in the dialog's own layout (named
    // as the framework's windows name theirs); returns the body.
    QWidget *buildFrame(QWidget *body, const QString &layoutName = QStringLiteral("verticalLayout1"));
    void putIconMain(QChar glyph, uint size);
    // A push button of the body: minimum width, icon size, picture or glyph.
    void initBodyButton(QPushButton *button, const QString &image, int glyph);

    void restartCountdown(int closeSec);
    // One tick of the countdown: counts up to the close seconds, then closes.
    void countdownTick();
    void startCountdownTimer();

    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Whether showEvent centres the dialog; the tip box places itself.
    virtual bool centresItself() const { return true; }
    // Takes a queued answer as the box's buttons would and sets result to the
    // box's outcome; false when the answer does not fit this kind of box.
    // Here: accept and reject as QDialog's Accepted and Rejected.
    virtual bool takeAnswer(const ZemiAnswer &answer, int &result);

    QWidget *widgetTitle = nullptr;
    QLabel *labIco = nullptr;
    QLabel *labTitle = nullptr;
    QLabel *labTime = nullptr;
    QWidget *widgetMenu = nullptr;
    QPushButton *btnMenu_Close = nullptr;
    QWidget *widgetMainZemi = nullptr;

    QTimer *timerCountdown = nullptr;
    int closeSec = 0;
    int currentSec = 0;

private:
    bool mousePressed = false;
    QPoint mousePoint;
};

#endif // ZEMIDIALOG_H
