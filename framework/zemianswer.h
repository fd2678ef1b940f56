#ifndef ZEMIANSWER_H
#define ZEMIANSWER_H

#include <QDateTime>
#include <QString>
#include <functional>

class QDialog;

// A test's answer to the next box of the framework run with exec(), given to
// ZemiHelper::setNextAnswer(): the box takes it instead of waiting for a
// person. Accept and reject are its 确定 and its cancel or close; text is an
// input box's value (typed, or the choice of that text), dates a date box's
// start and end. With act, the box is shown as usual and the function runs
// on it as soon as it waits, to press its buttons as a person would; the box
// must be closed when the function returns.
class ZemiAnswer
{
public:
    enum Kind { Accept, Reject, Text, Dates, Act };

    ZemiAnswer() = default;
    static ZemiAnswer accept();
    static ZemiAnswer reject();
    static ZemiAnswer text(const QString &value);
    static ZemiAnswer dates(const QDateTime &start, const QDateTime &end);
    static ZemiAnswer act(std::function<void(QDialog *box)> action);

    Kind kind() const { return answerKind; }
    QString value() const { return textValue; }
    QDateTime start() const { return startAt; }
    QDateTime end() const { return endAt; }
    const std::function<void(QDialog *)> &action() const { return boxAction; }
    // For messages about an answer: "accept", "text \"abc\"", ...
    QString describe() const;

private:
    Kind answerKind = Accept;
    QString textValue;
    QDateTime startAt;
    QDateTime endAt;
    std::function<void(QDialog *)> boxAction;
};

#endif // ZEMIANSWER_H
