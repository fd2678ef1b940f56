#ifndef FRMSELECTAUTHOR_H
#define FRMSELECTAUTHOR_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmSelectAuthor;
}

// Remote approval: shows the request in progress, then success one second later.
class frmSelectAuthor : public QWidget
{
    Q_OBJECT
public:
    explicit frmSelectAuthor(QWidget *parent = nullptr);
    ~frmSelectAuthor() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmSelectAuthor> ui;

public Q_SLOTS:
    void initForm();
    void verifyok();
};

#endif // FRMSELECTAUTHOR_H
