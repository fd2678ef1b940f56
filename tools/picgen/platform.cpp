// The platform's header picture: a badge with a lock and radar arcs on a
// transparent ground, so that it sits on every style's header colour.
#include "common.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace pg {

namespace {

constexpr ushort kLock = 0xF023; // FontAwesome lock

QImage headerBadge()
{
    const int w = 250, h = 120;
    QImage img = newImage(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Badge: a rounded square with a deep blue to cyan sweep and a soft glow.
    const QRectF badge(14, 8, 104, 104);
    QPainterPath outline;
    outline.addRoundedRect(badge, 24, 24);
    QImage glow = newImage(w, h);
    {
        QPainter g(&glow);
        g.setRenderHint(QPainter::Antialiasing);
        g.fillPath(outline, pal::withAlpha(pal::cyan(), 150));
    }
    p.drawImage(0, 0, blurred(glow, 6));
    QLinearGradient fill(badge.topLeft(), badge.bottomRight());
    fill.setColorAt(0.0, pal::cyanSoft());
    fill.setColorAt(0.55, pal::navyMid());
    fill.setColorAt(1.0, pal::navyDeep());
    p.fillPath(outline, fill);
    p.setPen(QPen(pal::withAlpha(pal::cyanLight(), 200), kLine));
    p.drawPath(outline);

    // A lock in brushed white.
    QLinearGradient metal(badge.topLeft(), badge.bottomLeft());
    metal.setColorAt(0.0, Qt::white);
    metal.setColorAt(1.0, pal::ice());
    p.fillPath(glyph(kLock, badge.adjusted(26, 20, -26, -20)), metal);

    // Radar arcs sweeping out to the right.
    const QPointF centre(badge.right() - 4, badge.center().y());
    for (int i = 0; i < 4; ++i) {
        const qreal r = 26 + i * 22;
        const int alpha = 220 - i * 45;
        p.setPen(QPen(pal::withAlpha(pal::cyanLight(), alpha), 6 - i, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), -35 * 16, 70 * 16);
    }
    QRadialGradient dot(QPointF(centre.x() + 108, centre.y() - 30), 10);
    dot.setColorAt(0.0, Qt::white);
    dot.setColorAt(0.4, pal::greenBright());
    dot.setColorAt(1.0, pal::withAlpha(pal::green(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(dot);
    p.drawEllipse(QPointF(centre.x() + 108, centre.y() - 30), 10, 10);
    return img;
}

} // namespace

std::vector<Picture> platformPictures()
{
    return {{QStringLiteral("image/bg.png"), headerBadge()}};
}

} // namespace pg
