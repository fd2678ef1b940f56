#ifndef FRMMAIN_H
#define FRMMAIN_H

#include <QWidget>

// The terminal's one top-level window.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
};

#endif // FRMMAIN_H
