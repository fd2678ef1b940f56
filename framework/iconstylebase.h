#ifndef ICONSTYLEBASE_H
#define ICONSTYLEBASE_H

#include <QFont>
#include <QList>
#include <QObject>
#include <QPixmap>

class QAbstractButton;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;

// Colours of a navigation bar whose hover, pressed and checked states differ.
struct NavigationColors {
    QString position = QStringLiteral("left");
    int iconSize = 12;
    int iconWidth = 15;
    int iconHeight = 15;
    int borderWidth = 3;
    QString borderColor = QStringLiteral("#029FEA");
    QString normalBgColor = QStringLiteral("#292F38");
    QString normalTextColor = QStringLiteral("#B5B5B5");
    QString hoverBgColor = QStringLiteral("#1D2025");
    QString hoverTextColor = QStringLiteral("#FFFFFF");
    QString pressedBgColor = QStringLiteral("#1D2025");
    QString pressedTextColor = QStringLiteral("#FFFFFF");
    QString checkedBgColor = QStringLiteral("#1D2025");
    QString checkedTextColor = QStringLiteral("#FFFFFF");
};

// What IconHelper (FontAwesome) and IconFont (the platform's own font) share:
// glyphs on labels and buttons, glyph pixmaps, and sheets for tool-button bars
// whose icons follow the cursor.
class IconStyleBase : public QObject
{
    Q_OBJECT
public:
    QFont font() const;
    QString family() const;

    void setIcon(QLabel *label, QChar glyph, quint32 size = 12);
    void setIcon(QAbstractButton *button, QChar glyph, quint32 size = 12);
    QPixmap getPixmap(const QColor &color, QChar glyph, quint32 size = 12, quint32 pixWidth = 15,
                      quint32 pixHeight = 15);

    // A bar of tool buttons inside a frame.
    void setStyle(QFrame *frame, const QList<QToolButton *> &buttons, const QList<int> &glyphs, quint32 iconSize = 12,
                  quint32 iconWidth = 15, quint32 iconHeight = 15,
                  const QString &normalBgColor = QStringLiteral("#2FC5A2"),
                  const QString &darkBgColor = QStringLiteral("#3EA7E9"),
                  const QString &normalTextColor = QStringLiteral("#EEEEEE"),
                  const QString &darkTextColor = QStringLiteral("#FFFFFF"));
    // A navigation bar with an indicator line on the side named by position
    // ("left", "right", "top", "bottom"); the widget carries the dynamic property
    // flag with that text. Nothing happens unless buttons and glyphs pair up.
    void setStyle(QWidget *widget, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                  quint32 iconSize = 12, quint32 iconWidth = 15, quint32 iconHeight = 15,
                  const QString &position = QStringLiteral("left"), int borderWidth = 3,
                  const QString &borderColor = QStringLiteral("#029FEA"),
                  const QString &normalBgColor = QStringLiteral("#292F38"),
                  const QString &darkBgColor = QStringLiteral("#1D2025"),
                  const QString &normalTextColor = QStringLiteral("#B5B5B5"),
                  const QString &darkTextColor = QStringLiteral("#FFFFFF"));
    void setStyle(QWidget *widget, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                  const NavigationColors &colors);

protected:
    IconStyleBase(const QString &family, const QString &resource, const QString &fontFile, QObject *parent);

    bool eventFilter(QObject *watched, QEvent *event) override;

    // Padding of the indicator side; the two fonts pad differently.
    virtual QString borderPart(const QString &position, int borderWidth) const = 0;
    // The rules for the tool buttons directly inside the bar.
    virtual QStringList toolButtonRules(const QString &container, const QString &normalBgColor,
                                        const QString &normalTextColor) const = 0;

private:
    struct Entry {
        QToolButton *button;
        QPixmap normal, hover, pressed, checked;
    };
    void registerButton(QToolButton *button, const QPixmap &normal, const QPixmap &hover, const QPixmap &pressed,
                        const QPixmap &checked, quint32 iconWidth, quint32 iconHeight);
    QStringList navigationRules(QWidget *widget, const QList<QToolButton *> &buttons,
                                const NavigationColors &colors, bool separateStates) const;
    void applyNavigation(QWidget *widget, const QList<QToolButton *> &buttons, const QList<int> &glyphs,
                         const NavigationColors &colors, bool separateStates);

    QFont iconFont;
    QList<Entry> entries;
};

#endif // ICONSTYLEBASE_H
