#ifndef WIDGETTEST_H
#define WIDGETTEST_H

#include <QColor>
#include <QObject>
#include <QString>
#include <QtDebug>
#include <QtMath>

// Small helpers of the screen tests.
namespace WidgetTest {

// The descendant of parent of type T named name; one that is missing is
// written out before the test stumbles over the null pointer.
template <typename T>
T *child(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found) {
        qWarning() << "missing" << name << "in" << parent->objectName();
    }
    return found;
}

// WCAG 2 relative luminance and contrast ratio, for the legibility of text.
inline double luminance(const QColor &c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : qPow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

inline double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace WidgetTest

#endif // WIDGETTEST_H
