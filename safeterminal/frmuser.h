#ifndef FRMUSER_H
#define FRMUSER_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmUser;
}
class DbPage;

// User management: the list of users page by page, the edit form and the
// fingerprint enrolment screens.
class frmUser : public QWidget
{
    Q_OBJECT
public:
    explicit frmUser(QWidget *parent = nullptr);
    ~frmUser() override;

    int rowsPerPage() const { return pageRows; }
    static QString deleteFailedText();

protected:
    // Entering user management starts at the list, even when a form was left
    // open (the screen saver leaves forms unsaved).
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmUser> ui;
    int pageRows = 11;
    QString whereSql = QStringLiteral("where 1=1");
    QStringList columnNames;
    QList<int> columnWidths;
    DbPage *dbPage = nullptr;
    bool deleteAsked = false; // the shared message box answers every asker
    QString deleteID;

    QString currentUserID() const;
    void refresh();

Q_SIGNALS:
    void returnMain();
    void receiveUserInfo(const QString &userID);

public Q_SLOTS:
    void initForm();
    void initTable();
    void returnThis(int index);
    void result(bool ok);
    void receivePage(quint32 pageCurrent, quint32 pageCount, quint32 resultCount, quint32 resultCurrent);

private Q_SLOTS:
    void on_btnAdd_clicked();
    void on_btnDelete_clicked();
    void on_btnUpdate_clicked();
};

#endif // FRMUSER_H
