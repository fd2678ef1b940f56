#include "consolefixture.h"

#include "appinit.h"
#include "consolestart.h"
#include "frmcall.h"
#include "frmmain.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QTest>
#include <QToolButton>

ConsoleFixture::ConsoleFixture()
{
    static bool started = false;
    if (!started) {
        ConsoleStart::startApplication(*qApp);
        started = true;
    }
    main = std::make_unique<frmMain>();
    main->show();
    lanesShown = !lanes(QStringLiteral("Left")).isEmpty() || !lanes(QStringLiteral("Right")).isEmpty();
    exposed = QTest::qWaitForWindowExposed(main.get());
}

ConsoleFixture::~ConsoleFixture() = default;

frmCall *ConsoleFixture::call() const
{
    return main->findChild<frmCall *>();
}

bool ConsoleFixture::waitForLanes() const
{
    return QTest::qWaitFor([this] {
        return main->findChild<QWidget *>(QStringLiteral("btnLeft1")) &&
               main->findChild<QWidget *>(QStringLiteral("btnRight1"));
    });
}

QStringList ConsoleFixture::lanes(const QString &side) const
{
    auto *grid = main->findChild<QGridLayout *>(QStringLiteral("gridLayout") + side);
    QStringList names;
    if (!grid) {
        return names;
    }
    for (int column = 0; column < grid->columnCount(); ++column) {
        for (int row = 0; row < grid->rowCount(); ++row) {
            QLayoutItem *item = grid->itemAtPosition(row, column);
            if (item && item->widget()) {
                names << QStringLiteral("%1@%2,%3").arg(item->widget()->objectName()).arg(row).arg(column);
            }
        }
    }
    return names;
}

QToolButton *ConsoleFixture::ring(const QString &name) const
{
    return main->findChild<QToolButton *>(name);
}

bool ConsoleFixture::showsRing(QToolButton *button, const QString &look)
{
    const QImage shown = button->icon().pixmap(50, 50).toImage();
    const QImage expected = QIcon(QStringLiteral(":/image/ring_%1.png").arg(look)).pixmap(50, 50).toImage();
    return !expected.isNull() && shown == expected;
}
