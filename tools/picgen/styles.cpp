// Pictures of the colour styles: check boxes, radio buttons, tree branches,
// arrows and calendar marks, drawn in the colours each sheet declares.
#include "styles.h"

#include "common.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace pg {

namespace {

struct StyleColors {
    QColor text, panel, border, normalStart, normalEnd, darkStart, darkEnd, high;
    bool flat = false;
};

double luminance(const QColor &c)
{
    auto lin = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const StyleColors &c)
{
    return luminance(c.panel) < 0.2;
}

// White or near-black, whichever reads better on the colour.
QColor inkOn(const QColor &background)
{
    const QColor white(255, 255, 255), black(0x14, 0x14, 0x14);
    return contrast(white, background) >= contrast(black, background) ? white : black;
}

// Outline of a box or ring: the border colour pulled toward the text so that it
// shows even where a sheet's border colour is close to its panel.
QColor outline(const StyleColors &c)
{
    return mix(c.border, c.text, isDark(c) ? 0.30 : 0.25);
}

QColor boxFill(const StyleColors &c, bool top)
{
    if (isDark(c))
        return mix(c.panel, QColor(0, 0, 0), top ? 0.25 : 0.35);
    return top ? QColor(255, 255, 255) : mix(QColor(255, 255, 255), c.normalEnd, 0.45);
}

// Greyed copy for the disabled state: the picture fades into the panel.
QImage disabled(const QImage &img, const StyleColors &c)
{
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QColor px = QColor::fromRgba(line[x]);
            const int grey = qGray(px.rgb());
            QColor g = mix(QColor(grey, grey, grey), c.panel, 0.45);
            g.setAlpha(px.alpha() * 3 / 4);
            line[x] = g.rgba();
        }
    }
    return out;
}

QImage checkBox(const StyleColors &c, int state) // 0 unchecked, 1 checked, 2 partly
{
    const int S = 16;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, S - 1, S - 1);
    const qreal radius = c.flat ? 2.0 : 3.0;
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    if (state == 0) {
        if (c.flat) {
            p.setBrush(boxFill(c, false));
        } else {
            QLinearGradient g(box.topLeft(), box.bottomLeft());
            g.setColorAt(0, boxFill(c, true));
            g.setColorAt(1, boxFill(c, false));
            p.setBrush(g);
        }
        p.setPen(QPen(outline(c), 1.0));
        p.drawPath(shape);
        return img;
    }
    if (c.flat) {
        p.setBrush(c.high);
    } else {
        QLinearGradient g(box.topLeft(), box.bottomLeft());
        g.setColorAt(0, c.high.lighter(118));
        g.setColorAt(1, c.high.darker(112));
        p.setBrush(g);
    }
    p.setPen(QPen(c.high.darker(125), 1.0));
    p.drawPath(shape);
    const QColor ink = inkOn(c.high);
    p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    if (state == 1) {
        QPainterPath tick;
        tick.moveTo(4.0, 8.3);
        tick.lineTo(6.8, 11.0);
        tick.lineTo(12.0, 5.2);
        p.drawPath(tick);
    } else {
        p.drawLine(QPointF(4.5, 8.0), QPointF(11.5, 8.0));
    }
    return img;
}

QImage radioButton(const StyleColors &c, bool checked)
{
    const int S = 16;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring(0.75, 0.75, S - 1.5, S - 1.5);
    if (!checked) {
        if (c.flat) {
            p.setBrush(boxFill(c, false));
        } else {
            QLinearGradient g(ring.topLeft(), ring.bottomLeft());
            g.setColorAt(0, boxFill(c, true));
            g.setColorAt(1, boxFill(c, false));
            p.setBrush(g);
        }
        p.setPen(QPen(outline(c), 1.0));
        p.drawEllipse(ring);
        return img;
    }
    p.setBrush(boxFill(c, true));
    p.setPen(QPen(c.high, 1.6));
    p.drawEllipse(ring.adjusted(0.3, 0.3, -0.3, -0.3));
    const QRectF dot = QRectF(0, 0, 7, 7).translated(4.5, 4.5);
    if (c.flat) {
        p.setBrush(c.high);
    } else {
        QLinearGradient g(dot.topLeft(), dot.bottomLeft());
        g.setColorAt(0, c.high.lighter(125));
        g.setColorAt(1, c.high.darker(110));
        p.setBrush(g);
    }
    p.setPen(Qt::NoPen);
    p.drawEllipse(dot);
    return img;
}

// A chevron pointing right, rotated to the direction (degrees clockwise).
QImage chevron(const QColor &color, int size, double degrees, double stroke)
{
    QImage img = newImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(size / 2.0, size / 2.0);
    p.rotate(degrees);
    const double h = size * 0.30;
    QPainterPath path;
    path.moveTo(-h * 0.55, -h);
    path.lineTo(h * 0.55, 0);
    path.lineTo(-h * 0.55, h);
    p.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    return img;
}

// A solid triangle pointing right, rotated; the tree branches use it.
QImage triangle(const QColor &color, int size, double degrees)
{
    QImage img = newImage(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(size / 2.0, size / 2.0);
    p.rotate(degrees);
    const double h = size * 0.30;
    QPainterPath path;
    path.moveTo(-h * 0.7, -h);
    path.lineTo(h * 0.8, 0);
    path.lineTo(-h * 0.7, h);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
    return img;
}

// A small wall calendar: a coloured header with two rings, a grid of days.
QImage calendar(const StyleColors &c)
{
    const int S = 16;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF page(1.5, 2.5, 13, 12);
    p.setPen(QPen(c.text, 1.0));
    p.setBrush(isDark(c) ? mix(c.panel, c.text, 0.15) : QColor(255, 255, 255));
    p.drawRoundedRect(page, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(c.high);
    p.drawRect(QRectF(2, 3, 12, 3.5));
    p.setBrush(c.text);
    p.drawRoundedRect(QRectF(4, 1, 1.6, 3.5), 0.8, 0.8);
    p.drawRoundedRect(QRectF(10.4, 1, 1.6, 3.5), 0.8, 0.8);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(3.5 + col * 3.2, 8.2 + row * 2.8, 2.0, 1.6));
    return img;
}

bool readColors(const QString &cssFile, StyleColors &c)
{
    QFile f(cssFile);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString css = QString::fromLatin1(f.readAll());
    const struct {
        const char *key;
        QColor *color;
    } keys[] = {
        {"TextColor:", &c.text},           {"PanelColor:", &c.panel},       {"BorderColor:", &c.border},
        {"NormalColorStart:", &c.normalStart}, {"NormalColorEnd:", &c.normalEnd}, {"DarkColorStart:", &c.darkStart},
        {"DarkColorEnd:", &c.darkEnd},     {"HighColor:", &c.high},
    };
    for (const auto &k : keys) {
        const int at = css.indexOf(QLatin1String(k.key));
        if (at < 0)
            return false;
        *k.color = QColor(css.mid(at + int(qstrlen(k.key)), 7));
        if (!k.color->isValid())
            return false;
    }
    // A sheet that uses no gradient gets flat pictures.
    c.flat = !css.contains(QLatin1String("qlineargradient"));
    return true;
}

} // namespace

std::vector<Picture> stylePictures(const QString &cssFile)
{
    StyleColors c;
    if (!readColors(cssFile, c)) {
        qWarning("no palette comments in %s", qPrintable(cssFile));
        return {};
    }
    const QString dir = QFileInfo(cssFile).completeBaseName() + QLatin1Char('/');
    std::vector<Picture> out;
    auto add = [&](const QString &name, const QImage &img) { out.push_back({dir + name, img}); };

    const QImage unchecked = checkBox(c, 0), checked = checkBox(c, 1), partly = checkBox(c, 2);
    add(QStringLiteral("checkbox_unchecked.png"), unchecked);
    add(QStringLiteral("checkbox_checked.png"), checked);
    add(QStringLiteral("checkbox_indeterminate.png"), partly);
    add(QStringLiteral("checkbox_unchecked_disabled.png"), disabled(unchecked, c));
    add(QStringLiteral("checkbox_checked_disabled.png"), disabled(checked, c));
    add(QStringLiteral("checkbox_indeterminate_disabled.png"), disabled(partly, c));

    const QImage radioOff = radioButton(c, false), radioOn = radioButton(c, true);
    add(QStringLiteral("radiobutton_unchecked.png"), radioOff);
    add(QStringLiteral("radiobutton_checked.png"), radioOn);
    add(QStringLiteral("radiobutton_unchecked_disabled.png"), disabled(radioOff, c));
    add(QStringLiteral("radiobutton_checked_disabled.png"), disabled(radioOn, c));

    add(QStringLiteral("branch_open.png"), triangle(c.text, 10, 90));
    add(QStringLiteral("branch_close.png"), triangle(c.text, 10, 0));

    const double stroke = c.flat ? 1.6 : 1.8;
    add(QStringLiteral("arrow_up.png"), chevron(c.text, 10, -90, stroke));
    add(QStringLiteral("arrow_down.png"), chevron(c.text, 10, 90, stroke));
    add(QStringLiteral("arrow_left.png"), chevron(c.text, 10, 180, stroke));
    add(QStringLiteral("arrow_right.png"), chevron(c.text, 10, 0, stroke));
    const QColor faded = mix(c.text, c.panel, 0.55);
    add(QStringLiteral("arrow_down_disabled.png"), chevron(faded, 10, 90, stroke));

    add(QStringLiteral("calendar_prevmonth.png"), chevron(c.text, 16, 180, 2.0));
    add(QStringLiteral("calendar_nextmonth.png"), chevron(c.text, 16, 0, 2.0));
    add(QStringLiteral("calendar.png"), calendar(c));
    return out;
}

} // namespace pg
