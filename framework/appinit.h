#ifndef APPINIT_H
#define APPINIT_H

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <functional>

// Process-wide start-up object. start() runs the program's own start-up steps,
// if it registered any, and then installs the window-drag filter (unless the
// program turned it off): any widget whose dynamic property canMove is true
// can be dragged with the left button.
class AppInit : public QObject
{
    Q_OBJECT
public:
    using StartStep = std::function<void(AppInit *appInit)>;

    static AppInit *Instance();
    static AppInit *instance() { return Instance(); }

    // The program's own start-up work, run by start() before the filter goes in.
    void setStartStep(StartStep step);
    // A program whose windows move by other means starts without the filter.
    void setDragFilterEnabled(bool enabled);
    bool dragFilterEnabled() const { return dragFilter; }

    // The program's own rules that ZemiHelper::applyProgramStyle() appends to
    // every style file it loads, for the base font size and a dark or light style.
    using StyleRules = std::function<QStringList(int fontSize, bool dark)>;
    void setStyleRules(StyleRules rules);
    QStringList styleRules(int fontSize, bool dark) const;
    // Dark styles are told by their file name.
    static bool isDarkStyle(const QString &styleName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void start();

private:
    explicit AppInit(QObject *parent = nullptr);

    StartStep startStep;
    StyleRules styleRulesOf;
    bool dragFilter = true;
    bool mousePressed = false;
    QPoint mousePoint;
};

#endif // APPINIT_H
