#ifndef FRMCALL_H
#define FRMCALL_H

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class frmCall;
}

class QGridLayout;

// The call page: a video panel per direction of the station and below each a
// row of lanes, every lane a picture with a ring button that toggles between
// "normal" and "alarm".
class frmCall : public QWidget
{
    Q_OBJECT
public:
    explicit frmCall(QWidget *parent = nullptr);
    ~frmCall() override;

    int leftCount() const { return countLeft; }
    int rightCount() const { return countRight; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Side;
    void fitPanels();
    void setCount(const Side &side, int count, int &current, QList<QWidget *> &widgets);

    std::unique_ptr<Ui::frmCall> ui;
    int countLeft = 0;
    int countRight = 0;
    QList<QWidget *> widgetsLeft;
    QList<QWidget *> widgetsRight;

private Q_SLOTS:
    void initForm();
    void initDriveway();
    void buttonClick();

public Q_SLOTS:
    // 0 keeps the lanes there are; a negative count removes them all.
    void setLeftCount(int count);
    void setRightCount(int count);

private Q_SLOTS:
    void on_btnOn_clicked();
    void on_btnOff_clicked();
};

#endif // FRMCALL_H
