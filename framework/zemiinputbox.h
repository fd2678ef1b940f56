#ifndef ZEMIINPUTBOX_H
#define ZEMIINPUTBOX_H

#include "zemidialog.h"

class QComboBox;
class QFrame;
class QLineEdit;

// Asks for one value: typed (type 0, optionally as a password) or chosen from
// the "|"-separated default value (type 1). The result is QMessageBox::Ok
// with the value in getValue(), or QMessageBox::Cancel.
class ZemiInputBox : public ZemiDialog
{
    Q_OBJECT
public:
    static ZemiInputBox *instance();
    explicit ZemiInputBox(QWidget *parent = nullptr);

    QString getValue() const { return value; }

protected:
    // Accept is 确定 on the value shown, text 确定 on that value (for a choice,
    // one of the choices), reject a cancel or close.
    bool takeAnswer(const ZemiAnswer &answer, int &result) override;

private:
    QFrame *frame = nullptr;
    QLabel *labInfo = nullptr;
    QLineEdit *txtValue = nullptr;
    QComboBox *cboxValue = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
    QString value;

private Q_SLOTS:
    void initControl();
    void initForm();
    void checkSec();
    void on_btnOk_clicked();
    void on_btnMenu_Close_clicked();

public Q_SLOTS:
    void setIconMain(QChar glyph, uint size = 12);
    void setParameter(const QString &title, int type = 0, int closeSec = 0,
                      const QString &placeholderText = QString(), bool pwd = false,
                      const QString &defaultValue = QString());
};

#endif // ZEMIINPUTBOX_H
