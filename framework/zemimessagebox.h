#ifndef ZEMIMESSAGEBOX_H
#define ZEMIMESSAGEBOX_H

#include "zemidialog.h"

class QFrame;

// Information, question or error, with an optional close countdown. The
// shared instance serves the boxes that do not block; a question is always a
// fresh box run modally, since a message never shows the cancel button again.
// The result is QMessageBox::Yes for OK and QMessageBox::No for a close.
class ZemiMessageBox : public ZemiDialog
{
    Q_OBJECT
public:
    static ZemiMessageBox *instance();
    explicit ZemiMessageBox(QWidget *parent = nullptr);

protected:
    // Accept is 确定 (Yes), reject a cancel or close (No).
    bool takeAnswer(const ZemiAnswer &answer, int &result) override;

private:
    QFrame *frame = nullptr;
    QLabel *labIcoMain = nullptr;
    QLabel *labInfo = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;

private Q_SLOTS:
    void initControl();
    void initForm();
    void checkSec();
    void on_btnOk_clicked();
    void on_btnMenu_Close_clicked();

public Q_SLOTS:
    void setIconMain(QChar glyph, uint size = 12);
    void setMessage(const QString &msg, int type, int closeSec = 0);
};

#endif // ZEMIMESSAGEBOX_H
