#ifndef BOTTOMWIDGET_H
#define BOTTOMWIDGET_H

#include <QWidget>

class QLabel;
class QTimer;

// The status bar along the bottom of a main window: welcome line, owner,
// current user, running time and clock. Nothing is built until start().
class BottomWidget : public QWidget
{
    Q_OBJECT
public:
    explicit BottomWidget(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString title = QStringLiteral("管理平台");
    QString version = QStringLiteral("V1.0");
    QString author = QStringLiteral("安防科技有限公司");
    QString currentUserName = QStringLiteral("admin");
    QString currentUserType = QStringLiteral("管理员");
    QString fontName = QStringLiteral("Microsoft Yahei");
    int fontSize = 9;
    bool lineFixedWidth = false;

    bool labTitleVisible = true;
    bool labAuthorVisible = true;
    bool labUserVisible = true;
    bool labLiveVisible = true;
    bool labDateTimeVisible = true;

    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    QLabel *labTitle = nullptr;
    QLabel *labAuthor = nullptr;
    QLabel *labUser = nullptr;
    QLabel *labLive = nullptr;
    QLabel *labDateTime = nullptr;
    QTimer *timer;

    void showTitle();
    void showAuthor();
    void showUser();

public Q_SLOTS:
    void showTime();
    void setLabTitleVisible(bool visible);
    void setLabAuthorVisible(bool visible);
    void setLabUserVisible(bool visible);
    void setLabLiveVisible(bool visible);
    void setLabDateTimeVisible(bool visible);
    void setTitle(const QString &title);
    void setVersion(const QString &version);
    void setAuthor(const QString &author);
    void setCurrentUserName(const QString &currentUserName);
    void setCurrentUserType(const QString &currentUserType);
    void setFontName(const QString &fontName);
    void setFontSize(int fontSize);
    void setLineFixedWidth(bool lineFixedWidth);
    void start(int interval);
    void start();
};

#endif // BOTTOMWIDGET_H
