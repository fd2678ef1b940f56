#include "dbdelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionButton>
#include <QTimeEdit>

namespace {

const QString dateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QString dateFormat = QStringLiteral("yyyy-MM-dd");
const QString timeFormat = QStringLiteral("HH:mm:ss");

} // namespace

DbDelegate::DbDelegate(QObject *parent)
    : QItemDelegate(parent)
{
    button.setStyleSheet(QStringLiteral("QPushButton{border:none;background:none;}"));
}

bool DbDelegate::checkMatches(const QString &type, const QString &text, const QString &value)
{
    // Plain string comparisons, as the cells hold text.
    if (type == QLatin1String("==")) {
        return text == value;
    }
    if (type == QLatin1String(">")) {
        return text > value;
    }
    if (type == QLatin1String(">=")) {
        return text >= value;
    }
    if (type == QLatin1String("<")) {
        return text < value;
    }
    if (type == QLatin1String("<=")) {
        return text <= value;
    }
    if (type == QLatin1String("!=")) {
        return text != value;
    }
    if (type == QLatin1String("contains")) {
        const QStringList parts = value.split(QLatin1Char('|'));
        for (const QString &part : parts) {
            if (text.contains(part)) {
                return true;
            }
        }
        return false;
    }
    return false;
}

void DbDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (pwdColumn >= 0 && index.column() == pwdColumn) {
        const QString text = index.data(Qt::DisplayRole).toString();
        // The cell's own alignment, font and colours, as for any other text.
        const QStyleOptionViewItem cell = setOptions(index, option);
        painter->save();
        drawBackground(painter, cell, index);
        drawDisplay(painter, cell, cell.rect, QString(text.size(), QChar(0x25CF)));
        drawFocus(painter, cell, cell.rect);
        painter->restore();
        return;
    }
    if (checkColumn >= 0 && index.column() == checkColumn && checkTarget >= 0) {
        const QString text = index.sibling(index.row(), checkTarget).data(Qt::DisplayRole).toString();
        const bool ok = checkMatches(checkType, text, checkValue);
        QStyleOptionButton buttonOption;
        buttonOption.state |= QStyle::State_Enabled;
        buttonOption.rect = option.rect;
        buttonOption.icon = QIcon(ok ? checkOkImage : checkNoImage);
        buttonOption.iconSize = QSize(checkImageWidth, checkImageHeight);
        QApplication::style()->drawControl(QStyle::CE_PushButton, &buttonOption, painter, &button);
        return;
    }
    QItemDelegate::paint(painter, option, index);
}

QWidget *DbDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    // The editors report to the delegate and it filters their keys; neither changes its settings.
    auto *self = const_cast<DbDelegate *>(this);
    QWidget *editor = nullptr;
    const QString first = delegateValue.value(0);
    if (delegateType == QLatin1String("QLineEdit")) {
        auto *edit = new QLineEdit(parent);
        edit->setText(first);
        connect(edit, &QLineEdit::textChanged, this, &DbDelegate::valueChange);
        if (delegatePwd) {
            edit->setEchoMode(QLineEdit::Password);
        }
        editor = edit;
    } else if (delegateType == QLatin1String("QComboBox")) {
        auto *combo = new QComboBox(parent);
        combo->setEditable(delegateEdit);
        combo->addItems(delegateValue);
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [self, combo](int row) { emit self->valueChange(combo->itemText(row)); });
        editor = combo;
    } else if (delegateType == QLatin1String("QDateTimeEdit")) {
        auto *edit = new QDateTimeEdit(parent);
        edit->setDisplayFormat(dateTimeFormat);
        edit->setCalendarPopup(true);
        edit->setDateTime(QDateTime::fromString(first, dateTimeFormat));
        editor = edit;
    } else if (delegateType == QLatin1String("QDateEdit")) {
        auto *edit = new QDateEdit(parent);
        edit->setDisplayFormat(dateFormat);
        edit->setCalendarPopup(true);
        edit->setDate(QDate::fromString(first, dateFormat));
        editor = edit;
    } else if (delegateType == QLatin1String("QTimeEdit")) {
        auto *edit = new QTimeEdit(parent);
        edit->setDisplayFormat(timeFormat);
        edit->setCalendarPopup(false);
        edit->setTime(QTime::fromString(first, timeFormat));
        editor = edit;
    } else {
        editor = new QWidget(parent);
    }
    editor->installEventFilter(self);
    return editor;
}

void DbDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    // Most derived first: a date edit is also a date-time edit.
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(text);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(combo->findText(text, Qt::MatchFixedString));
    } else if (auto *date = qobject_cast<QDateEdit *>(editor)) {
        date->setDate(QDate::fromString(text, dateFormat));
    } else if (auto *time = qobject_cast<QTimeEdit *>(editor)) {
        time->setTime(QTime::fromString(text, timeFormat));
    } else if (auto *dateTime = qobject_cast<QDateTimeEdit *>(editor)) {
        dateTime->setDateTime(QDateTime::fromString(text, dateTimeFormat));
    }
}

void DbDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        model->setData(index, combo->currentText(), Qt::EditRole);
    } else if (auto *date = qobject_cast<QDateEdit *>(editor)) {
        model->setData(index, date->date().toString(dateFormat), Qt::EditRole);
    } else if (auto *time = qobject_cast<QTimeEdit *>(editor)) {
        model->setData(index, time->time().toString(timeFormat), Qt::EditRole);
    } else if (auto *dateTime = qobject_cast<QDateTimeEdit *>(editor)) {
        model->setData(index, dateTime->dateTime().toString(dateTimeFormat), Qt::EditRole);
    }
}

void DbDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                      const QModelIndex &index) const
{
    Q_UNUSED(index)
    editor->setGeometry(option.rect);
}

void DbDelegate::setDelegateType(const QString &delegateType)
{
    this->delegateType = delegateType;
}

void DbDelegate::setDelegateEdit(bool edit)
{
    delegateEdit = edit;
}

void DbDelegate::setDelegatePwd(bool pwd)
{
    delegatePwd = pwd;
}

void DbDelegate::setDelegateValue(const QStringList &delegateValue)
{
    this->delegateValue = delegateValue;
}

void DbDelegate::setPwdColumn(int pwdColumn)
{
    this->pwdColumn = pwdColumn;
}

void DbDelegate::setCheckColumn(int checkColumn)
{
    this->checkColumn = checkColumn;
}

void DbDelegate::setCheckTarget(int checkTarget)
{
    this->checkTarget = checkTarget;
}

void DbDelegate::setCheckType(const QString &checkType)
{
    this->checkType = checkType;
}

void DbDelegate::setCheckValue(const QString &checkValue)
{
    this->checkValue = checkValue;
}

void DbDelegate::setCheckOkImage(const QString &checkOkImage)
{
    this->checkOkImage = checkOkImage;
}

void DbDelegate::setCheckNoImage(const QString &checkNoImage)
{
    this->checkNoImage = checkNoImage;
}

void DbDelegate::setCheckImageWidth(int checkImageWidth)
{
    this->checkImageWidth = checkImageWidth;
}

void DbDelegate::setCheckImageHeight(int checkImageHeight)
{
    this->checkImageHeight = checkImageHeight;
}
