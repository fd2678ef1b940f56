#ifndef FRMHANDLEFT_H
#define FRMHANDLEFT_H

#include "handwidget.h"

#include <memory>

namespace Ui {
class frmHandLeft;
}

// The left hand: fingers 1 to 5.
class frmHandLeft : public HandWidget
{
    Q_OBJECT
public:
    explicit frmHandLeft(QWidget *parent = nullptr);
    ~frmHandLeft() override;

private:
    std::unique_ptr<Ui::frmHandLeft> ui;
};

#endif // FRMHANDLEFT_H
