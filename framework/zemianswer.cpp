#include "zemianswer.h"

ZemiAnswer ZemiAnswer::accept()
{
    return ZemiAnswer();
}

ZemiAnswer ZemiAnswer::reject()
{
    ZemiAnswer answer;
    answer.answerKind = Reject;
    return answer;
}

ZemiAnswer ZemiAnswer::text(const QString &value)
{
    ZemiAnswer answer;
    answer.answerKind = Text;
    answer.textValue = value;
    return answer;
}

ZemiAnswer ZemiAnswer::dates(const QDateTime &start, const QDateTime &end)
{
    ZemiAnswer answer;
    answer.answerKind = Dates;
    answer.startAt = start;
    answer.endAt = end;
    return answer;
}

ZemiAnswer ZemiAnswer::act(std::function<void(QDialog *)> action)
{
    ZemiAnswer answer;
    answer.answerKind = Act;
    answer.boxAction = std::move(action);
    return answer;
}

QString ZemiAnswer::describe() const
{
    switch (answerKind) {
    case Accept:
        return QStringLiteral("accept");
    case Reject:
        return QStringLiteral("reject");
    case Text:
        return QStringLiteral("text \"%1\"").arg(textValue);
    case Dates:
        return QStringLiteral("dates %1 to %2")
            .arg(startAt.toString(Qt::ISODate), endAt.toString(Qt::ISODate));
    case Act:
        return QStringLiteral("act");
    }
    return QString();
}
