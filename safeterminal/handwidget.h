#ifndef HANDWIDGET_H
#define HANDWIDGET_H

#include <QStringList>
#include <QWidget>

class QLabel;

// One hand made of a palm and five finger pictures; a left press on a finger
// reports its number. The finger's picture shows whether it is enrolled.
class HandWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HandWidget(QWidget *parent = nullptr);

    bool isEnrolled(int index) const;

protected:
    // Fingers in order, with their picture names ("%1" is empty when enrolled, "1" when not),
    // the palm and its picture, and the number of the first finger (1 or 6).
    void setParts(const QList<QLabel *> &fingers, const QStringList &pictures, QLabel *palm,
                  const QString &palmPicture, int firstNumber);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLabel *> fingers;
    QStringList pictures;
    QList<bool> enrolled;
    int firstNumber = 1;

Q_SIGNALS:
    void handPressed(int index);

public Q_SLOTS:
    void initForm();
    void setHand(int index, bool ok);
    void clear();
};

#endif // HANDWIDGET_H
