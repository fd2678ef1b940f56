#ifndef FRMSTATUS_H
#define FRMSTATUS_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmStatus;
}
class DbPage;
class QTableView;
class QLabel;
class QPushButton;

// Cabinet status: basic device information, the goods with EPC tags and the faults.
class frmStatus : public QWidget
{
    Q_OBJECT
public:
    explicit frmStatus(QWidget *parent = nullptr);
    ~frmStatus() override;

    int rowsPerPage() const { return pageRows; }

private:
    std::unique_ptr<Ui::frmStatus> ui;
    int pageRows = 13;
    QString whereSql = QStringLiteral("where 1=1");
    DbPage *goodsPage = nullptr;
    DbPage *errorPage = nullptr;

    DbPage *createPage(QTableView *table, QLabel *pageCount, QLabel *pageCurrent, QLabel *resultCount,
                       QLabel *resultCurrent, QPushButton *first, QPushButton *pre, QPushButton *next,
                       QPushButton *last, const QString &columns, const QString &tableName,
                       const QStringList &names, const QList<int> &widths);

Q_SIGNALS:
    void returnMain();
    // 休眠: the screen saver, at once.
    void dormant();

public Q_SLOTS:
    void test();
    void initForm();
    void buttonClick();
    void initTable();
    void initTable1();
    void initTable2();
    void setItem(int index, const QString &text);
    void setValue(int index, const QString &text);
};

#endif // FRMSTATUS_H
