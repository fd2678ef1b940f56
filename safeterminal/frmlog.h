#ifndef FRMLOG_H
#define FRMLOG_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmLog;
}
class DbPage;

// The log viewer: one log type at a time, newest first, page by page.
class frmLog : public QWidget
{
    Q_OBJECT
public:
    explicit frmLog(QWidget *parent = nullptr);
    ~frmLog() override;

    int rowsPerPage() const { return pageRows; }
    static const QStringList &logTypes();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmLog> ui;
    int pageRows = 10;
    QString whereSql;
    QStringList columnNames;
    QList<int> columnWidths;
    DbPage *dbPage = nullptr;

Q_SIGNALS:
    void returnMain();

public Q_SLOTS:
    void test();
    void initForm();
    void initTable();
    void buttonClick();
};

#endif // FRMLOG_H
