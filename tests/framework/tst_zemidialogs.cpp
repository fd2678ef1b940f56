#include "testseams.h"
#include "widgettest.h"
#include "zemiclock.h"
#include "zemidateselect.h"
#include "zemihelper.h"
#include "zemiinputbox.h"
#include "zemimessagebox.h"
#include "zemistyle.h"
#include "zemitipbox.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <optional>

namespace {

using WidgetTest::child;

// The framework's boxes shown while it lives.
class ShownBoxes : public QObject
{
public:
    ShownBoxes() { qApp->installEventFilter(this); }
    ~ShownBoxes() override { qApp->removeEventFilter(this); }
    int count() const { return shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<ZemiDialog *>(watched)) {
            ++shown;
        }
        return false;
    }

private:
    int shown = 0;
};

// A countdown the test steps by hand instead of waiting on the clock.
void stopClock(QWidget *box)
{
    child<QTimer>(box, "timerCountdown")->stop();
}

void tick(QWidget *box)
{
    QVERIFY(QMetaObject::invokeMethod(box, "checkSec"));
}

QImage solid(const QColor &color, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QColor iconCentre(const QAbstractButton *button)
{
    const QImage image = button->icon().pixmap(18, 18).toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace

Q_DECLARE_METATYPE(ZemiAnswer)

class tst_ZemiDialogs : public QObject
{
    Q_OBJECT

private:
    std::optional<TestSeams> seams;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sharedInstances();
    void countdownStepsThenCloses();
    void countdownOnTheClock();
    void questionResult_data();
    void questionResult();
    void messageKinds_data();
    void messageKinds();
    void tipBoxSlidesInAndOut();
    void inputBoxChoice_data();
    void inputBoxChoice();
    void inputBoxPassword();
    void dateSelectRefusesEndBeforeStart();
    void dateSelectWrapper_data();
    void dateSelectWrapper();
    void answersTakenWithoutShowing_data();
    void answersTakenWithoutShowing();
    void answersGoInTurn();
    void answerThatDoesNotFitIsReported_data();
    void answerThatDoesNotFitIsReported();
    void pictureOrGlyph_data();
    void pictureOrGlyph();
    void dragMovesTheBox();
};

void tst_ZemiDialogs::initTestCase()
{
    ZemiStyle::initResources();
    ZemiHelper::applyStyle(Style_LightBlue);
}

void tst_ZemiDialogs::init()
{
    seams.emplace();
}

void tst_ZemiDialogs::cleanup()
{
    ZemiMessageBox::instance()->hide();
    ZemiTipBox::instance()->QWidget::hide();
    seams.reset();
}

void tst_ZemiDialogs::sharedInstances()
{
    QCOMPARE(ZemiMessageBox::instance(), ZemiMessageBox::instance());
    QCOMPARE(ZemiTipBox::instance(), ZemiTipBox::instance());
    QCOMPARE(ZemiInputBox::instance(), ZemiInputBox::instance());
    QCOMPARE(ZemiDateSelect::instance(), ZemiDateSelect::instance());
    QCOMPARE(ZemiMessageBox::instance()->size(), QSize(280, 150));
    QCOMPARE(ZemiTipBox::instance()->size(), QSize(280, 150));
    QCOMPARE(ZemiInputBox::instance()->size(), QSize(280, 150));
    QCOMPARE(ZemiDateSelect::instance()->size(), QSize(320, 130));
}

void tst_ZemiDialogs::countdownStepsThenCloses()
{
    ZemiMessageBox box;
    box.setMessage(QStringLiteral("三秒后关闭"), 0, 3);
    box.show();
    stopClock(&box);
    QLabel *labTime = child<QLabel>(&box, "labTime");
    QCOMPARE(labTime->text(), QStringLiteral("关闭倒计时 3 s"));
    tick(&box);
    QCOMPARE(labTime->text(), QStringLiteral("关闭倒计时 2 s"));
    tick(&box);
    QCOMPARE(labTime->text(), QStringLiteral("关闭倒计时 1 s"));
    QVERIFY(box.isVisible());
    tick(&box);
    QVERIFY(!box.isVisible());

    // Without close seconds the box stays and shows no countdown.
    box.setMessage(QStringLiteral("不关闭"), 0, 0);
    box.show();
    for (int i = 0; i < 5; ++i) {
        tick(&box);
    }
    QVERIFY(box.isVisible());
    QVERIFY(labTime->text().isEmpty());
}

void tst_ZemiDialogs::countdownOnTheClock()
{
    QElapsedTimer clock;
    clock.start();
    ZemiHelper::showMessageBoxInfo(QStringLiteral("两秒"), 2);
    ZemiMessageBox *box = ZemiMessageBox::instance();
    QVERIFY(box->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!box->isVisible(), 5000);
    // Shown for its two seconds: "2", then "1", closed on the second tick.
    QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
}

void tst_ZemiDialogs::questionResult_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << "btnOk" << int(QMessageBox::Yes);
    QTest::newRow("cancel") << "btnCancel" << int(QMessageBox::No);
    QTest::newRow("title close button") << "btnMenu_Close" << int(QMessageBox::No);
}

void tst_ZemiDialogs::questionResult()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    bool cancelShown = false;
    ZemiHelper::setNextAnswer(ZemiAnswer::act([&](QDialog *box) {
        cancelShown = !child<QPushButton>(box, "btnCancel")->isHidden();
        QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
    }));
    QCOMPARE(ZemiHelper::showMessageBoxQuestion(QStringLiteral("确定要删除吗?")), result);
    QVERIFY(cancelShown);
}

void tst_ZemiDialogs::messageKinds_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("cancelHidden");
    QTest::newRow("information") << 0 << "提示" << true;
    QTest::newRow("question") << 1 << "询问" << false;
    QTest::newRow("error") << 2 << "错误" << true;
}

void tst_ZemiDialogs::messageKinds()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(bool, cancelHidden);
    ZemiMessageBox box;
    box.setMessage(QStringLiteral("内容"), type);
    QCOMPARE(child<QPushButton>(&box, "btnCancel")->isHidden(), cancelHidden);
    QCOMPARE(child<QLabel>(&box, "labTitle")->text(), title);
    QCOMPARE(box.windowTitle(), title);
    QCOMPARE(child<QLabel>(&box, "labInfo")->text(), QStringLiteral("内容"));
    QVERIFY(box.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(box.windowFlags() & Qt::WindowStaysOnTopHint);
}

void tst_ZemiDialogs::tipBoxSlidesInAndOut()
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ZemiHelper::showTipBox(QStringLiteral("通知"), QStringLiteral("柜门已打开"), false, true, 0);
    ZemiTipBox *box = ZemiTipBox::instance();
    QVERIFY(box->isVisible());
    QVERIFY(box->windowFlags() & Qt::X11BypassWindowManagerHint);
    const QPoint corner(area.x() + area.width() - box->width(), area.y() + area.height() - box->height());
    // It starts below the screen and rises into the corner.
    QVERIFY2(box->y() > corner.y(), qPrintable(QString::number(box->y())));
    QTRY_COMPARE(box->pos(), corner);
    QCOMPARE(child<QLabel>(box, "labTitle")->text(), QStringLiteral("通知"));
    QCOMPARE(child<QLabel>(box, "labInfo")->alignment(), Qt::AlignCenter);

    ZemiHelper::hideTipBox();
    QTRY_COMPARE(box->pos(), QPoint(corner.x(), area.y() + area.height()));
    // Out of sight, not hidden.
    QVERIFY(box->isVisible());
}

void tst_ZemiDialogs::inputBoxChoice_data()
{
    QTest::addColumn<int>("choose");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("second word, OK") << 1 << "btnOk" << "乙";
    QTest::newRow("third word, OK") << 2 << "btnOk" << "丙";
    QTest::newRow("cancelled") << 1 << "btnCancel" << "";
    QTest::newRow("closed") << 1 << "btnMenu_Close" << "";
}

void tst_ZemiDialogs::inputBoxChoice()
{
    QFETCH(int, choose);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    QStringList offered;
    bool lineEditHidden = false;
    ZemiHelper::setNextAnswer(ZemiAnswer::act([&](QDialog *box) {
        auto *combo = child<QComboBox>(box, "cboxValue");
        for (int i = 0; i < combo->count(); ++i) {
            offered << combo->itemText(i);
        }
        lineEditHidden = child<QLineEdit>(box, "txtValue")->isHidden();
        combo->setCurrentIndex(choose);
        QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
    }));
    QCOMPARE(ZemiHelper::showInputBox(QStringLiteral("请选择"), 1, 0, QString(), false, QStringLiteral("甲|乙|丙")),
             expected);
    QCOMPARE(offered, (QStringList{"甲", "乙", "丙"}));
    QVERIFY(lineEditHidden);
}

void tst_ZemiDialogs::inputBoxPassword()
{
    QString shown;
    QString placeholder;
    bool comboHidden = false;
    ZemiHelper::setNextAnswer(ZemiAnswer::act([&](QDialog *box) {
        auto *edit = child<QLineEdit>(box, "txtValue");
        comboHidden = child<QComboBox>(box, "cboxValue")->isHidden();
        placeholder = edit->placeholderText();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("s3cr"));
        shown = edit->displayText();
        QTest::mouseClick(child<QPushButton>(box, "btnOk"), Qt::LeftButton);
    }));
    const QString value = ZemiHelper::showInputBox(QStringLiteral("请输入密码"), 0, 0, QStringLiteral("密码"), true,
                                                   QStringLiteral("old"));
    QCOMPARE(value, QStringLiteral("s3cr"));
    QCOMPARE(placeholder, QStringLiteral("密码"));
    QVERIFY(comboHidden);
    const QChar dot(QApplication::style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter));
    QCOMPARE(shown, QString(4, dot));
}

void tst_ZemiDialogs::dateSelectRefusesEndBeforeStart()
{
    // Late on the last day of a year: tomorrow is in the next one.
    ZemiClock::setNow(QDateTime(QDate(2025, 12, 31), QTime(23, 59, 30)));
    ZemiDateSelect select;
    select.show();
    auto *start = child<QDateTimeEdit>(&select, "dateStart");
    auto *end = child<QDateTimeEdit>(&select, "dateEnd");
    QCOMPARE(start->dateTime(), QDateTime(QDate(2025, 12, 31), QTime(0, 0)));
    QCOMPARE(end->dateTime(), QDateTime(QDate(2026, 1, 1), QTime(0, 0)));
    QVERIFY(start->calendarPopup());
    QCOMPARE(start->locale().language(), QLocale::Chinese);

    start->setDate(QDate(2024, 5, 10));
    end->setDate(QDate(2024, 5, 9));
    QSignalSpy finished(&select, &QDialog::finished);
    QTest::mouseClick(child<QPushButton>(&select, "btnOk"), Qt::LeftButton);
    QVERIFY(select.isVisible());
    QCOMPARE(finished.count(), 0);
    ZemiMessageBox *error = ZemiMessageBox::instance();
    QVERIFY(error->isVisible());
    QCOMPARE(child<QLabel>(error, "labInfo")->text(), QStringLiteral("开始时间不能大于结束时间!"));
    QCOMPARE(child<QLabel>(error, "labTime")->text(), QStringLiteral("关闭倒计时 3 s"));
    QTRY_VERIFY_WITH_TIMEOUT(!error->isVisible(), 6000);
    QVERIFY(select.isVisible());

    end->setDate(QDate(2024, 5, 10)); // the same moment is a valid range
    QTest::mouseClick(child<QPushButton>(&select, "btnOk"), Qt::LeftButton);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(select.result(), int(QMessageBox::Ok));
    QCOMPARE(select.getStartDateTime(), QStringLiteral("2024-05-10"));
    QCOMPARE(select.getEndDateTime(), QStringLiteral("2024-05-10"));
}

void tst_ZemiDialogs::dateSelectWrapper_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("OK") << "btnOk" << "2024-01-02 08:30" << "2024-01-03 17:45";
    QTest::newRow("close button") << "btnClose" << "" << "";
    QTest::newRow("title close button") << "btnMenu_Close" << "" << "";
}

void tst_ZemiDialogs::dateSelectWrapper()
{
    QFETCH(QString, button);
    QFETCH(QString, start);
    QFETCH(QString, end);
    ZemiHelper::setNextAnswer(ZemiAnswer::act([&](QDialog *box) {
        child<QDateTimeEdit>(box, "dateStart")->setDateTime(QDateTime(QDate(2024, 1, 2), QTime(8, 30)));
        child<QDateTimeEdit>(box, "dateEnd")->setDateTime(QDateTime(QDate(2024, 1, 3), QTime(17, 45)));
        QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
    }));
    QString from = QStringLiteral("was");
    QString to = QStringLiteral("was");
    ZemiHelper::showDateSelect(from, to, QStringLiteral("yyyy-MM-dd HH:mm"));
    QCOMPARE(from, start);
    QCOMPARE(to, end);
}

// What a box run by a wrapper gives back for an answer: the result, else the value.
QString wrapperOutcome(const QString &box)
{
    if (box == QLatin1String("question")) {
        return QString::number(ZemiHelper::showMessageBoxQuestion(QStringLiteral("确定要删除吗?")));
    }
    if (box == QLatin1String("typed")) {
        return ZemiHelper::showInputBox(QStringLiteral("请输入"), 0, 0, QString(), false, QStringLiteral("旧值"));
    }
    if (box == QLatin1String("choice")) {
        return ZemiHelper::showInputBox(QStringLiteral("请选择"), 1, 0, QString(), false, QStringLiteral("甲|乙|丙"));
    }
    if (box == QLatin1String("dates")) {
        QString from = QStringLiteral("was");
        QString to = QStringLiteral("was");
        ZemiHelper::showDateSelect(from, to, QStringLiteral("yyyy-MM-dd HH:mm"));
        return from + QLatin1Char('|') + to;
    }
    // A message run modally gives nothing back; its own exec() says how it closed.
    ZemiMessageBox message;
    message.setMessage(QStringLiteral("已保存"), 0);
    return QString::number(message.exec());
}

void tst_ZemiDialogs::answersTakenWithoutShowing_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<ZemiAnswer>("answer");
    QTest::addColumn<QString>("outcome");

    const QString yes = QString::number(QMessageBox::Yes);
    const QString no = QString::number(QMessageBox::No);
    const QDateTime from(QDate(2024, 1, 2), QTime(8, 30));
    const QDateTime to(QDate(2024, 1, 3), QTime(17, 45));
    QTest::newRow("question accepted") << "question" << ZemiAnswer::accept() << yes;
    QTest::newRow("question rejected") << "question" << ZemiAnswer::reject() << no;
    QTest::newRow("typed text") << "typed" << ZemiAnswer::text(QStringLiteral("新值")) << "新值";
    QTest::newRow("typed, accepted as shown") << "typed" << ZemiAnswer::accept() << "旧值";
    QTest::newRow("typed, cancelled") << "typed" << ZemiAnswer::reject() << "";
    QTest::newRow("choice by its text") << "choice" << ZemiAnswer::text(QStringLiteral("丙")) << "丙";
    QTest::newRow("choice, accepted as shown") << "choice" << ZemiAnswer::accept() << "甲";
    QTest::newRow("dates") << "dates" << ZemiAnswer::dates(from, to) << "2024-01-02 08:30|2024-01-03 17:45";
    QTest::newRow("the same moment twice") << "dates" << ZemiAnswer::dates(from, from)
                                           << "2024-01-02 08:30|2024-01-02 08:30";
    QTest::newRow("dates, closed") << "dates" << ZemiAnswer::reject() << "|";
    QTest::newRow("message closed with OK") << "message" << ZemiAnswer::accept() << yes;
    QTest::newRow("message closed by its title") << "message" << ZemiAnswer::reject() << no;
}

void tst_ZemiDialogs::answersTakenWithoutShowing()
{
    QFETCH(QString, box);
    QFETCH(ZemiAnswer, answer);
    QFETCH(QString, outcome);
    ShownBoxes shown;
    ZemiHelper::setNextAnswer(answer);
    QCOMPARE(wrapperOutcome(box), outcome);
    QCOMPARE(shown.count(), 0);
    QVERIFY(ZemiHelper::takeAnswers().isEmpty());
    QCOMPARE(ZemiHelper::takeAnswerProblems(), QStringList());
}

void tst_ZemiDialogs::answersGoInTurn()
{
    ZemiHelper::setNextAnswer(ZemiAnswer::reject());
    ZemiHelper::setNextAnswer(ZemiAnswer::text(QStringLiteral("第二")));
    ZemiHelper::setNextAnswer(ZemiAnswer::accept());
    QCOMPARE(wrapperOutcome(QStringLiteral("question")), QString::number(QMessageBox::No));
    QCOMPARE(wrapperOutcome(QStringLiteral("typed")), QStringLiteral("第二"));
    QCOMPARE(ZemiHelper::takeAnswers().size(), 1);
    // A box only shown is no box run: it takes none.
    ZemiHelper::setNextAnswer(ZemiAnswer::reject());
    ZemiHelper::showMessageBoxInfo(QStringLiteral("提示"));
    QCOMPARE(ZemiHelper::takeAnswers().size(), 1);
}

void tst_ZemiDialogs::answerThatDoesNotFitIsReported_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<ZemiAnswer>("answer");
    QTest::addColumn<QString>("outcome"); // as the box's cancel
    QTest::addColumn<QString>("problem");

    const QString no = QString::number(QMessageBox::No);
    const QDateTime from(QDate(2024, 1, 2), QTime(8, 30));
    QTest::newRow("text for a question") << "question" << ZemiAnswer::text(QStringLiteral("是")) << no
                                         << "ZemiMessageBox cannot take the answer text \"是\"";
    QTest::newRow("dates for an input box") << "typed" << ZemiAnswer::dates(from, from) << ""
                                            << "ZemiInputBox cannot take the answer dates";
    QTest::newRow("a choice not offered") << "choice" << ZemiAnswer::text(QStringLiteral("丁")) << ""
                                          << "ZemiInputBox cannot take the answer text \"丁\"";
    QTest::newRow("an end before the start") << "dates" << ZemiAnswer::dates(from, from.addSecs(-60)) << "|"
                                             << "ZemiDateSelect cannot take the answer dates";
    QTest::newRow("an act that leaves the box open") << "question" << ZemiAnswer::act([](QDialog *) {}) << no
                                                     << "ZemiMessageBox still open after its answer";
}

void tst_ZemiDialogs::answerThatDoesNotFitIsReported()
{
    QFETCH(QString, box);
    QFETCH(ZemiAnswer, answer);
    QFETCH(QString, outcome);
    QFETCH(QString, problem);
    ZemiHelper::setNextAnswer(answer);
    QCOMPARE(wrapperOutcome(box), outcome);
    const QStringList problems = ZemiHelper::takeAnswerProblems();
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().startsWith(problem), qPrintable(problems.first()));
}

void tst_ZemiDialogs::pictureOrGlyph_data()
{
    QTest::addColumn<QString>("pictures"); // "resources", "elsewhere" or "none"
    QTest::newRow("pictures in the resources") << "resources";
    QTest::newRow("pictures in another folder") << "elsewhere";
    QTest::newRow("no pictures: glyphs") << "none";
}

void tst_ZemiDialogs::pictureOrGlyph()
{
    QFETCH(QString, pictures);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QColor marker(255, 0, 255);
    if (pictures == QLatin1String("elsewhere")) {
        for (const char *name : {"msg_info.png", "msg_question.png", "msg_error.png", "btn_ok.png", "btn_close.png"}) {
            QVERIFY(solid(marker, 36).save(folder.filePath(QLatin1String(name))));
        }
    }
    if (pictures != QLatin1String("resources")) {
        ZemiDialog::setImagePath(folder.path());
    }
    const bool images = pictures != QLatin1String("none");

    const QList<QPair<int, QString>> kinds = {{0xF05A, "msg_info.png"}, {0xF059, "msg_question.png"},
                                              {0xF057, "msg_error.png"}};
    for (int type = 0; type < kinds.size(); ++type) {
        ZemiMessageBox box;
        box.setMessage(QStringLiteral("内容"), type);
        auto *icon = child<QLabel>(&box, "labIcoMain");
        if (images) {
            QCOMPARE(icon->styleSheet(),
                     QStringLiteral("border-image: url(%1);").arg(ZemiDialog::imageFile(kinds.at(type).second)));
            QVERIFY(icon->text().isEmpty());
        } else {
            QVERIFY(icon->styleSheet().isEmpty());
            QCOMPARE(icon->text(), QString(QChar(kinds.at(type).first)));
            QCOMPARE(icon->font().pixelSize(), 30);
        }
    }

    // Every body button carries a picture or, without one, its glyph.
    ZemiMessageBox message;
    ZemiInputBox input;
    ZemiDateSelect date;
    const QList<QAbstractButton *> buttons = {
        child<QPushButton>(&message, "btnOk"), child<QPushButton>(&message, "btnCancel"),
        child<QPushButton>(&input, "btnOk"),   child<QPushButton>(&input, "btnCancel"),
        child<QPushButton>(&date, "btnOk"),    child<QPushButton>(&date, "btnClose")};
    for (QAbstractButton *button : buttons) {
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->iconSize(), QSize(18, 18));
        QVERIFY(button->minimumWidth() >= 80);
        QCOMPARE(iconCentre(button) == marker, pictures == QLatin1String("elsewhere"));
    }
}

void tst_ZemiDialogs::dragMovesTheBox()
{
    ZemiMessageBox box;
    box.setMessage(QStringLiteral("拖动"), 0);
    box.show();
    box.move(100, 100);
    const QPoint from = box.mapToGlobal(QPoint(100, 60));
    QMouseEvent press(QEvent::MouseButtonPress, box.mapFromGlobal(from), from, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    const QPoint to = from + QPoint(40, 25);
    QMouseEvent move(QEvent::MouseMove, box.mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, box.mapFromGlobal(to), to, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&box, &release);
    QCOMPARE(box.pos(), QPoint(140, 125));

    // After the release a move does nothing.
    QMouseEvent stray(QEvent::MouseMove, QPoint(5, 5), box.mapToGlobal(QPoint(5, 5)) + QPoint(50, 50),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &stray);
    QCOMPARE(box.pos(), QPoint(140, 125));
}

QTEST_MAIN(tst_ZemiDialogs)
#include "tst_zemidialogs.moc"
