#ifndef FRMLOG_H
#define FRMLOG_H

#include <QPointer>
#include <QWidget>
#include <memory>

namespace Ui {
class frmLog;
}
class DbPage;
class DbCsvExportThread;
class frmExportProgress;
class QDateTime;

// The log viewer: one log type at a time, newest first, page by page.
class frmLog : public QWidget
{
    Q_OBJECT
public:
    explicit frmLog(QWidget *parent = nullptr);
    ~frmLog() override;

    int rowsPerPage() const { return pageRows; }
    static const QStringList &logTypes();

    // Where an export is offered first: the first mounted removable medium
    // (the alphabetically first folder under /media/<user>, then
    // /run/media/<user>), else the program's folder. Tests give a root of
    // their own to look in instead.
    static QString mediaRoot();
    static void setMediaRoot(const QString &root);
    static QString exportFolder();
    static QString exportFileName(const QString &logType, const QDateTime &at);
    // Rows an export reads at a time, 0 for the export thread's own; tests
    // make a long export last with small ones.
    static int exportChunkRows();
    static void setExportChunkRows(int rows);
    bool isExporting() const { return exportThread != nullptr; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmLog> ui;
    int pageRows = 10;
    QString whereSql;
    QStringList columnNames;
    QList<int> columnWidths;
    DbPage *dbPage = nullptr;
    DbCsvExportThread *exportThread = nullptr;
    // A child of the window, which may go before this page does.
    QPointer<frmExportProgress> exportProgress;
    QString exportType;

    int currentType() const;

Q_SIGNALS:
    void returnMain();

public Q_SLOTS:
    void test();
    void initForm();
    void initTable();
    void buttonClick();

private Q_SLOTS:
    void on_btnExport_clicked();
    void exportFinished(int result, qint64 rows);
};

#endif // FRMLOG_H
