#ifndef FRMUSERFINGERIN_H
#define FRMUSERFINGERIN_H

#include "fingerprints.h"

#include <QVector>
#include <QWidget>
#include <memory>

namespace Ui {
class frmUserFingerIn;
}

// Enrolment of one finger. With the reader in use the page runs the reader's
// enrolment as soon as it shows and stores the print; without a reader at
// start a press on the button stands for a good capture.
class frmUserFingerIn : public QWidget
{
    Q_OBJECT
public:
    explicit frmUserFingerIn(QWidget *parent = nullptr);
    ~frmUserFingerIn() override;

    static QString prompt();
    static QString saveFailedText();

    // "该指纹已被用户%1录入" with the other user's name and ID.
    static QString duplicateText(const QString &person);
    // The reader refused a finger it keeps already; one more press tells whose it is.
    static QString duplicateAgainText();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    std::unique_ptr<Ui::frmUserFingerIn> ui;
    QString userID;
    int fingerIndex = 0;
    // The reader is enrolling for this page, or waits to be back to start it.
    bool enrolling = false;
    bool waitingForReader = false;
    // Looking for the user whose finger the reader already keeps.
    bool findingOwner = false;
    QVector<FingerPrints::Print> owners;

    // Stores the finger's time, and its print when there is one, in one transaction.
    bool storeFinger(const QByteArray &print = QByteArray());
    void startEnrolment();
    void enrolled(int outcome, const QByteArray &print, const QString &error);
    void finished();
    void ownerFound(int outcome, int index);

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
