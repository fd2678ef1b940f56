#ifndef PAGEPANEL_H
#define PAGEPANEL_H

#include <QList>
#include <QPixmap>
#include <QString>

class QLabel;
class QPushButton;
class QStackedWidget;

// What the platform's pages share: the placeholder panel every entry shows
// until its real content exists, glyph icons in the current text colour, and
// the one-checked-button selection of a page's button list.
namespace PagePanel {

// Glyphs at or above this code come from FontAwesome, below it from the platform's own font.
constexpr int fontAwesomeFrom = 0xF000;

QLabel *create(const QString &name);
void addPanels(QStackedWidget *stack, const QStringList &names);
QPixmap glyphPixmap(int glyph, int width, int height);
// Checks only the sender and shows the panel of its index; false for a stranger.
bool select(const QList<QPushButton *> &buttons, QStackedWidget *stack, QObject *sender);

} // namespace PagePanel

#endif // PAGEPANEL_H
