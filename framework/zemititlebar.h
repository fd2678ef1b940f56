#ifndef ZEMITITLEBAR_H
#define ZEMITITLEBAR_H

#include <Qt>

class QAbstractButton;
class QHBoxLayout;
class QLabel;
class QWidget;

// The title bar of the framework's frameless windows and dialogs: the main
// icon, the title, and the menu buttons at the right, under the object names
// the colour styles address (widgetTitle, labIco, labTitle, widgetMenu).
struct ZemiTitleBar {
    QWidget *widgetTitle = nullptr;
    QLabel *labIco = nullptr;
    QLabel *labTitle = nullptr;
    QWidget *widgetMenu = nullptr;
    // The bar's row; a window adds what it shows between title and menu with insertBeforeMenu().
    QHBoxLayout *titleLayout = nullptr;

    ZemiTitleBar(QWidget *parent, int height, Qt::Alignment titleAlignment);
    // A button of the menu: never takes the focus, as tall as the bar.
    void addMenuButton(QAbstractButton *button);
    void insertBeforeMenu(QWidget *widget);
    void insertSpacingBeforeMenu(int size);

private:
    QHBoxLayout *menuLayout = nullptr;
};

#endif // ZEMITITLEBAR_H
