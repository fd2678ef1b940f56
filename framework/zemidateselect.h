#ifndef ZEMIDATESELECT_H
#define ZEMIDATESELECT_H

#include "zemidialog.h"

class QDateTimeEdit;
class QFrame;

// Asks for a start and an end date-time. The result is QMessageBox::Ok with
// both as text in the display format, or QMessageBox::Cancel.
class ZemiDateSelect : public ZemiDialog
{
    Q_OBJECT
public:
    static ZemiDateSelect *instance();
    explicit ZemiDateSelect(QWidget *parent = nullptr);

    QString getStartDateTime() const { return startDateTime; }
    QString getEndDateTime() const { return endDateTime; }

protected:
    void showEvent(QShowEvent *event) override;
    // Accept is 确定 on the dates shown, dates 确定 on those (an end before
    // the start does not fit: the box itself refuses it), reject a close.
    bool takeAnswer(const ZemiAnswer &answer, int &result) override;

private:
    QFrame *frame = nullptr;
    QLabel *labStart = nullptr;
    QLabel *labEnd = nullptr;
    QDateTimeEdit *dateStart = nullptr;
    QDateTimeEdit *dateEnd = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnClose = nullptr;
    QString format = QStringLiteral("yyyy-MM-dd");
    QString startDateTime;
    QString endDateTime;

private Q_SLOTS:
    void initControl();
    void initForm();
    void on_btnOk_clicked();
    void on_btnMenu_Close_clicked();

public Q_SLOTS:
    void setIconMain(QChar glyph, uint size = 12);
    void setFormat(const QString &format);
};

#endif // ZEMIDATESELECT_H
