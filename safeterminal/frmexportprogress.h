#ifndef FRMEXPORTPROGRESS_H
#define FRMEXPORTPROGRESS_H

#include <QWidget>
#include <memory>

namespace Ui {
class frmExportProgress;
}
class QTimer;

// Covers the terminal's window while an export runs, so nothing underneath
// takes a press or a key; the clock beside it goes on. It is there from the
// start but shows its bar and its cancel button only once the export has
// taken half a second: a short one passes without a flash.
class frmExportProgress : public QWidget
{
    Q_OBJECT
public:
    explicit frmExportProgress(QWidget *window);
    ~frmExportProgress() override;

    bool isRevealed() const { return revealed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    std::unique_ptr<Ui::frmExportProgress> ui;
    QTimer *revealTimer = nullptr;
    bool revealed = false;

Q_SIGNALS:
    void cancelRequested();

public Q_SLOTS:
    void begin(const QString &title);
    void setProgress(qint64 rows, qint64 total);
    void reveal();
    void end();

private Q_SLOTS:
    void on_btnCancel_clicked();
};

#endif // FRMEXPORTPROGRESS_H
