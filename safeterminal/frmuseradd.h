#ifndef FRMUSERADD_H
#define FRMUSERADD_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmUserAdd;
}
class QAbstractButton;
class QLineEdit;

// The user edit form: a new user when opened with an empty ID.
class frmUserAdd : public QWidget
{
    Q_OBJECT
public:
    explicit frmUserAdd(QWidget *parent = nullptr);
    ~frmUserAdd() override;

    static QString saveFailedText();
    static QString readFailedText();

private:
    std::unique_ptr<Ui::frmUserAdd> ui;
    QString userID;

    QList<QAbstractButton *> adminButtons() const;
    QList<QAbstractButton *> doorButtons() const;
    void refuse(const QString &message, QLineEdit *field);

Q_SIGNALS:
    void returnMain(int index);
    void userFinger(const QString &userID);

public Q_SLOTS:
    void initForm();
    bool checkUser();
    void receiveUserInfo(const QString &userID);

private Q_SLOTS:
    void on_btnFinger_clicked();
    void on_btnSave_clicked();
    void on_btnReturn_clicked();
};

#endif // FRMUSERADD_H
