#include "switchbutton.h"

#include <QSignalSpy>
#include <QtTest>

// Which picture the button's style names: "on", "off", or "?" for anything else.
static QString picture(const SwitchButton &button)
{
    const QString style = button.styleSheet();
    const bool on = style == QStringLiteral("border-image:url(:/image/btn_check_on.png);");
    const bool off = style == QStringLiteral("border-image:url(:/image/btn_check_off.png);");
    return on ? QStringLiteral("on") : off ? QStringLiteral("off") : QStringLiteral("?");
}

class tst_SwitchButton : public QObject
{
    Q_OBJECT

private slots:
    void newButtonIsOffWithoutFocus();
    void setCheckedFollowsTheValue_data();
    void setCheckedFollowsTheValue();
    void pressesToggle_data();
    void pressesToggle();
    void toggleHappensOnPressNotRelease();
};

void tst_SwitchButton::newButtonIsOffWithoutFocus()
{
    SwitchButton button;
    QCOMPARE(button.getChecked(), false);
    QCOMPARE(picture(button), QStringLiteral("off"));
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
    QVERIFY(!button.isCheckable());
}

void tst_SwitchButton::setCheckedFollowsTheValue_data()
{
    QTest::addColumn<QList<bool>>("calls");
    QTest::addColumn<bool>("expected");

    QTest::newRow("false on a new button changes nothing") << QList<bool>{false} << false;
    QTest::newRow("true") << QList<bool>{true} << true;
    QTest::newRow("true twice stays on") << QList<bool>{true, true} << true;
    QTest::newRow("true then false") << QList<bool>{true, false} << false;
    QTest::newRow("false twice stays off") << QList<bool>{false, false} << false;
}

void tst_SwitchButton::setCheckedFollowsTheValue()
{
    QFETCH(QList<bool>, calls);
    QFETCH(bool, expected);
    SwitchButton button;
    for (bool value : calls) {
        button.setChecked(value);
    }
    QCOMPARE(button.getChecked(), expected);
    QCOMPARE(picture(button), expected ? QStringLiteral("on") : QStringLiteral("off"));
}

void tst_SwitchButton::pressesToggle_data()
{
    QTest::addColumn<bool>("start");
    QTest::addColumn<int>("presses");
    QTest::addColumn<bool>("expected");

    QTest::newRow("off, one press") << false << 1 << true;
    QTest::newRow("off, two presses") << false << 2 << false;
    QTest::newRow("on, one press") << true << 1 << false;
    QTest::newRow("on, two presses") << true << 2 << true;
    QTest::newRow("off, three presses") << false << 3 << true;
}

void tst_SwitchButton::pressesToggle()
{
    QFETCH(bool, start);
    QFETCH(int, presses);
    QFETCH(bool, expected);
    SwitchButton button;
    button.resize(100, 40);
    button.setChecked(start);
    for (int i = 0; i < presses; ++i) {
        QTest::mouseClick(&button, Qt::LeftButton);
    }
    QCOMPARE(button.getChecked(), expected);
    QCOMPARE(picture(button), expected ? QStringLiteral("on") : QStringLiteral("off"));
}

void tst_SwitchButton::toggleHappensOnPressNotRelease()
{
    SwitchButton button;
    button.resize(100, 40);
    QSignalSpy clicked(&button, &QPushButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(button.getChecked(), true);
    QCOMPARE(picture(button), QStringLiteral("on"));
    QCOMPARE(clicked.count(), 0);
    // Released away from the button: no click, but the press has counted.
    QTest::mouseRelease(&button, Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    QCOMPARE(button.getChecked(), true);
    QCOMPARE(clicked.count(), 0);
}

QTEST_MAIN(tst_SwitchButton)
#include "tst_switchbutton.moc"
