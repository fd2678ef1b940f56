#ifndef FRMHANDRIGHT_H
#define FRMHANDRIGHT_H

#include "handwidget.h"

#include <memory>

namespace Ui {
class frmHandRight;
}

// The right hand: fingers 6 to 10.
class frmHandRight : public HandWidget
{
    Q_OBJECT
public:
    explicit frmHandRight(QWidget *parent = nullptr);
    ~frmHandRight() override;

private:
    std::unique_ptr<Ui::frmHandRight> ui;
};

#endif // FRMHANDRIGHT_H
