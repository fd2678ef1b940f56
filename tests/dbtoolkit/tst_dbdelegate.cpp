#include "dbdelegate.h"
#include "zemistyle.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>

namespace {

// Keeps the texts the delegate hands to the display drawing.
class RecordingDelegate : public DbDelegate
{
public:
    mutable QStringList drawn;

protected:
    void drawDisplay(QPainter *painter, const QStyleOptionViewItem &option, const QRect &rect,
                     const QString &text) const override
    {
        drawn << text;
        DbDelegate::drawDisplay(painter, option, rect, text);
    }
};

QStyleOptionViewItem cellOption(const QRect &rect)
{
    QStyleOptionViewItem option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    option.palette = QApplication::palette();
    option.font = QApplication::font();
    option.fontMetrics = QFontMetrics(option.font);
    return option;
}

// Paints one cell into a white picture.
QImage paintCell(const DbDelegate &delegate, const QModelIndex &index)
{
    QImage image(60, 30, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    delegate.paint(&painter, cellOption(image.rect()), index);
    painter.end();
    return image;
}

} // namespace

class tst_DbDelegate : public QObject
{
    Q_OBJECT

    QTemporaryDir temp;
    QString redImage;
    QString blueImage;

private slots:
    void initTestCase();

    void editors_data();
    void editors();
    void editorStartsFromTheFirstValue_data();
    void editorStartsFromTheFirstValue();
    void valueChange();
    void passwordColumn_data();
    void passwordColumn();
    void checkComparison_data();
    void checkComparison();
    void checkIconIsDrawn_data();
    void checkIconIsDrawn();
    void defaultCheckShowsTheAlarm_data();
    void defaultCheckShowsTheAlarm();
};

void tst_DbDelegate::initTestCase()
{
    ZemiStyle::initResources();
    QVERIFY(temp.isValid());
    redImage = temp.filePath(QStringLiteral("red.png"));
    blueImage = temp.filePath(QStringLiteral("blue.png"));
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(QColor(255, 0, 0));
    QVERIFY(image.save(redImage));
    image.fill(QColor(0, 0, 255));
    QVERIFY(image.save(blueImage));
}

void tst_DbDelegate::editors_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("editorClass");
    QTest::addColumn<QString>("shown");   // what the editor shows for the cell
    QTest::addColumn<QString>("written"); // what it writes back unchanged

    const QStringList states = {"正常", "告警", "故障"};
    QTest::newRow("line edit") << "QLineEdit" << QStringList{""} << "管理员" << "QLineEdit" << "管理员" << "管理员";
    QTest::newRow("combo box") << "QComboBox" << states << "告警" << "QComboBox" << "告警" << "告警";
    QTest::newRow("combo box, other case") << "QComboBox" << QStringList{"Alarm", "Ok"} << "alarm" << "QComboBox"
                                           << "Alarm" << "Alarm";
    QTest::newRow("combo box, no match") << "QComboBox" << states << "其它" << "QComboBox" << "" << "";
    QTest::newRow("date-time edit") << "QDateTimeEdit" << QStringList{""} << "2024-02-29 13:45:10"
                                    << "QDateTimeEdit" << "2024-02-29 13:45:10" << "2024-02-29 13:45:10";
    QTest::newRow("date edit") << "QDateEdit" << QStringList{""} << "2024-02-29" << "QDateEdit" << "2024-02-29"
                               << "2024-02-29";
    QTest::newRow("time edit") << "QTimeEdit" << QStringList{""} << "23:59:58" << "QTimeEdit" << "23:59:58"
                               << "23:59:58";
    QTest::newRow("unknown kind") << "QSpinBox" << QStringList{""} << "5" << "QWidget" << "" << "untouched";
    QTest::newRow("kind is case-sensitive") << "qlineedit" << QStringList{""} << "5" << "QWidget" << ""
                                            << "untouched";
}

void tst_DbDelegate::editors()
{
    QFETCH(QString, type);
    QFETCH(QStringList, values);
    QFETCH(QString, cell);
    QFETCH(QString, editorClass);
    QFETCH(QString, shown);
    QFETCH(QString, written);

    QStandardItemModel model(1, 2);
    model.setData(model.index(0, 0), cell);
    model.setData(model.index(0, 1), QStringLiteral("untouched"));
    DbDelegate delegate;
    delegate.setDelegateType(type);
    delegate.setDelegateValue(values);
    QWidget parent;
    const QModelIndex index = model.index(0, 0);
    QWidget *editor = delegate.createEditor(&parent, cellOption(QRect(3, 4, 120, 24)), index);
    QCOMPARE(QString::fromLatin1(editor->metaObject()->className()), editorClass);
    QCOMPARE(editor->parentWidget(), &parent);

    delegate.updateEditorGeometry(editor, cellOption(QRect(3, 4, 120, 24)), index);
    QCOMPARE(editor->geometry(), QRect(3, 4, 120, 24));

    delegate.setEditorData(editor, index);
    QString display;
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        display = edit->text();
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        display = combo->currentText();
    } else if (auto *dateTime = qobject_cast<QDateTimeEdit *>(editor)) {
        display = dateTime->text();
    }
    QCOMPARE(display, shown);

    // Written back to the neighbouring cell, with the edit role.
    delegate.setModelData(editor, &model, model.index(0, 1));
    QCOMPARE(model.data(model.index(0, 1), Qt::EditRole).toString(), written);
}

void tst_DbDelegate::editorStartsFromTheFirstValue_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("first");
    QTest::addColumn<bool>("pwd");
    QTest::addColumn<bool>("editable");

    QTest::newRow("line edit") << "QLineEdit" << "默认" << false << false;
    QTest::newRow("password line edit") << "QLineEdit" << "secret" << true << false;
    QTest::newRow("editable combo box") << "QComboBox" << "甲" << false << true;
    QTest::newRow("fixed combo box") << "QComboBox" << "甲" << false << false;
    QTest::newRow("date-time edit") << "QDateTimeEdit" << "2023-12-31 23:00:00" << false << false;
    QTest::newRow("date edit") << "QDateEdit" << "2023-12-31" << false << false;
    QTest::newRow("time edit") << "QTimeEdit" << "07:08:09" << false << false;
}

void tst_DbDelegate::editorStartsFromTheFirstValue()
{
    QFETCH(QString, type);
    QFETCH(QString, first);
    QFETCH(bool, pwd);
    QFETCH(bool, editable);
    DbDelegate delegate;
    delegate.setDelegateType(type);
    delegate.setDelegateValue({first, QStringLiteral("乙")});
    delegate.setDelegatePwd(pwd);
    delegate.setDelegateEdit(editable);
    QStandardItemModel model(1, 1);
    QWidget parent;
    QWidget *editor = delegate.createEditor(&parent, cellOption(QRect(0, 0, 100, 20)), model.index(0, 0));
    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        QCOMPARE(edit->text(), first);
        QCOMPARE(edit->echoMode(), pwd ? QLineEdit::Password : QLineEdit::Normal);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentText(), first);
        QCOMPARE(combo->isEditable(), editable);
    } else if (auto *dateTime = qobject_cast<QDateTimeEdit *>(editor)) {
        QCOMPARE(dateTime->text(), first);
        // Only the time editor goes without a calendar.
        QCOMPARE(dateTime->calendarPopup(), type != QLatin1String("QTimeEdit"));
    } else {
        QFAIL("no editor");
    }
}

void tst_DbDelegate::valueChange()
{
    DbDelegate delegate;
    QSignalSpy spy(&delegate, &DbDelegate::valueChange);
    QStandardItemModel model(1, 1);
    QWidget parent;

    delegate.setDelegateType(QStringLiteral("QLineEdit"));
    auto *edit = qobject_cast<QLineEdit *>(delegate.createEditor(&parent, cellOption(QRect()), model.index(0, 0)));
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.last().first().toString(), QStringLiteral("ab"));

    spy.clear();
    delegate.setDelegateType(QStringLiteral("QComboBox"));
    delegate.setDelegateValue({QStringLiteral("正常"), QStringLiteral("告警")});
    auto *combo = qobject_cast<QComboBox *>(delegate.createEditor(&parent, cellOption(QRect()), model.index(0, 0)));
    spy.clear(); // the first item became current while the box was filled
    combo->setCurrentIndex(1);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), QStringLiteral("告警"));
}

void tst_DbDelegate::passwordColumn_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("dots");
    QTest::newRow("four characters") << "abcd" << 4;
    QTest::newRow("Chinese and digits") << "密码12" << 4;
    QTest::newRow("empty") << "" << 0;
}

void tst_DbDelegate::passwordColumn()
{
    QFETCH(QString, text);
    QFETCH(int, dots);
    QStandardItemModel model(1, 2);
    model.setData(model.index(0, 0), QStringLiteral("admin"));
    model.setData(model.index(0, 1), text);
    RecordingDelegate delegate;
    delegate.setPwdColumn(1);
    paintCell(delegate, model.index(0, 1));
    QCOMPARE(delegate.drawn, QStringList{QString(dots, QChar(0x25CF))});

    // Other columns show their text.
    delegate.drawn.clear();
    paintCell(delegate, model.index(0, 0));
    QCOMPARE(delegate.drawn, QStringList{QStringLiteral("admin")});
}

void tst_DbDelegate::checkComparison_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("holds");

    QTest::newRow("contains, first part") << "contains" << "门磁告警" << "告警|故障" << true;
    QTest::newRow("contains, second part only") << "contains" << "电源故障" << "告警|故障" << true;
    QTest::newRow("contains, neither part") << "contains" << "正常" << "告警|故障" << false;
    QTest::newRow("==") << "==" << "10" << "10" << true;
    QTest::newRow("== differs") << "==" << "10" << "010" << false;
    QTest::newRow("> as strings: 9 over 10") << ">" << "9" << "10" << true;
    QTest::newRow("> as strings: 10 not over 9") << ">" << "10" << "9" << false;
    QTest::newRow(">= equal") << ">=" << "abc" << "abc" << true;
    QTest::newRow("< as strings") << "<" << "10" << "9" << true;
    QTest::newRow("<= greater") << "<=" << "b" << "a" << false;
    QTest::newRow("!=") << "!=" << "a" << "b" << true;
    QTest::newRow("unknown type") << "=~" << "告警" << "告警" << false;
    QTest::newRow("type is exact") << "Contains" << "告警" << "告警" << false;
}

void tst_DbDelegate::checkComparison()
{
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(bool, holds);
    QCOMPARE(DbDelegate::checkMatches(type, text, value), holds);
}

void tst_DbDelegate::checkIconIsDrawn_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("holds");
    QTest::newRow("contains second part") << "contains" << "电源故障" << "告警|故障" << true;
    QTest::newRow("9 > 10") << ">" << "9" << "10" << true;
    QTest::newRow("unknown type") << "like" << "告警" << "告警" << false;
}

void tst_DbDelegate::checkIconIsDrawn()
{
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(bool, holds);
    QStandardItemModel model(1, 3);
    model.setData(model.index(0, 1), text);
    model.setData(model.index(0, 2), QStringLiteral("not drawn as text"));
    DbDelegate delegate;
    delegate.setCheckColumn(2);
    delegate.setCheckTarget(1);
    delegate.setCheckType(type);
    delegate.setCheckValue(value);
    delegate.setCheckOkImage(redImage);
    delegate.setCheckNoImage(blueImage);
    delegate.setCheckImageWidth(12);
    delegate.setCheckImageHeight(12);
    const QImage cell = paintCell(delegate, model.index(0, 2));
    const QColor centre = cell.pixelColor(cell.rect().center());
    QCOMPARE(centre, holds ? QColor(255, 0, 0) : QColor(0, 0, 255));
    // The icon has the size asked for: 12 pixels of colour across the middle row.
    int coloured = 0;
    for (int x = 0; x < cell.width(); ++x) {
        coloured += cell.pixelColor(x, cell.rect().center().y()) == centre ? 1 : 0;
    }
    QCOMPARE(coloured, 12);
}

void tst_DbDelegate::defaultCheckShowsTheAlarm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("alarm");
    QTest::newRow("告警 in the middle") << "门磁告警中" << true;
    QTest::newRow("no alarm") << "正常" << false;
}

void tst_DbDelegate::defaultCheckShowsTheAlarm()
{
    QFETCH(QString, text);
    QFETCH(bool, alarm);
    QStandardItemModel model(1, 4);
    model.setData(model.index(0, 2), text);
    DbDelegate delegate;
    delegate.setCheckColumn(3);
    delegate.setCheckTarget(2);
    const QImage cell = paintCell(delegate, model.index(0, 3));
    // The error badge is red, the information badge blue; read the ring left of the glyph.
    const QColor ring = cell.pixelColor(cell.rect().center() - QPoint(5, 0));
    if (alarm) {
        QVERIFY2(ring.red() > ring.blue() + 60, qPrintable(ring.name()));
    } else {
        QVERIFY2(ring.blue() > ring.red() + 60, qPrintable(ring.name()));
    }
}

QTEST_MAIN(tst_DbDelegate)
#include "tst_dbdelegate.moc"
