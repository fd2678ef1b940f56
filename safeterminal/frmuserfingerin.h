#ifndef FRMUSERFINGERIN_H
#define FRMUSERFINGERIN_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmUserFingerIn;
}

// Enrolment of one finger: a press on the reader button stands for a good capture.
class frmUserFingerIn : public QWidget
{
    Q_OBJECT
public:
    explicit frmUserFingerIn(QWidget *parent = nullptr);
    ~frmUserFingerIn() override;

    static QString prompt();
    static QString saveFailedText();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmUserFingerIn> ui;
    QString userID;
    int fingerIndex = 0;

    bool storeFinger();

Q_SIGNALS:
    void returnMain(int index);
    void fingerFinsh(int index);

public Q_SLOTS:
    void initForm();
    void userFinger(const QString &userID);
    void userHand(int handIndex);

private Q_SLOTS:
    void on_btnReturn_clicked();
    void on_btnFinger_clicked();
};

#endif // FRMUSERFINGERIN_H
