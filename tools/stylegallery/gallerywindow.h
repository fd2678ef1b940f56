#ifndef GALLERYWINDOW_H
#define GALLERYWINDOW_H

#include <QWidget>

// One window holding every kind of widget the programs use, in normal, checked
// and disabled states, with the framework's form, nav and flag properties set:
// a style sheet applied to it meets each of its rules.
class GalleryWindow : public QWidget
{
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget *parent = nullptr);

private:
    QWidget *createTitle();
    QWidget *createNavigation();
    QWidget *createInputs();
    QWidget *createChoices();
    QWidget *createViews();
    QWidget *createBottom();
};

#endif // GALLERYWINDOW_H
