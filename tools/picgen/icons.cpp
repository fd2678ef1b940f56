// Icons and control skins. Each is drawn at the exact size it is shown.
#include "pictures.h"

#include "common.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <vector>

namespace pg {

namespace {

constexpr double kPi = 3.14159265358979323846;

// FontAwesome 4.7 code points.
namespace fa {
constexpr ushort users = 0xf0c0;
constexpr ushort unlockAlt = 0xf13e;
constexpr ushort listAlt = 0xf022;
constexpr ushort cogs = 0xf085;
constexpr ushort tachometer = 0xf0e4;
constexpr ushort sitemap = 0xf0e8;
constexpr ushort plug = 0xf1e6;
constexpr ushort batteryFull = 0xf240;
constexpr ushort batteryQuarter = 0xf243;
constexpr ushort hourglassHalf = 0xf252;
} // namespace fa

QPainterPath roundRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// Rounded glass tile with a white glyph, for the main navigation.
QImage navTile(ushort code, QSizeF glyphBox, QColor top, QColor bottom)
{
    const int S = 128;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(11, 8, 106, 106);
    const QPainterPath shape = roundRect(tile, 24);
    softShadow(p, shape, img.size(), QColor(0, 8, 18, 150), 8, QPointF(0, 4));

    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0, top);
    body.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shape);

    // soft light from the upper left, no hard gloss edge
    QRadialGradient sheen(tile.topLeft() + QPointF(18, 8), 110);
    sheen.setColorAt(0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.6, QColor(255, 255, 255, 12));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawPath(shape);

    // inner rim: bright at the top, fading down
    QLinearGradient rim(tile.topLeft(), tile.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 150));
    rim.setColorAt(0.5, QColor(255, 255, 255, 40));
    rim.setColorAt(1, QColor(255, 255, 255, 25));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(rim), 1.5));
    p.drawPath(roundRect(tile.adjusted(0.75, 0.75, -0.75, -0.75), 23.25));

    const QRectF box(QPointF(0, 0), glyphBox);
    QRectF at = box;
    at.moveCenter(tile.center() + QPointF(0, 1));
    const QPainterPath icon = glyph(code, at);
    softShadow(p, icon, img.size(), QColor(0, 40, 70, 120), 3, QPointF(0, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(icon);
    p.end();
    return img;
}

enum class State { Ok, Error };

// 38x38 status glyph; errors get a red badge with a cross.
QImage statusIcon(ushort code, QSizeF glyphBox, State state)
{
    const int S = 38;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRectF at(QPointF(0, 0), glyphBox);
    at.moveCenter(QPointF(18, 19));
    const QPainterPath icon = glyph(code, at);
    QLinearGradient fill(at.topLeft(), at.bottomLeft());
    if (state == State::Ok) {
        fill.setColorAt(0, QColor(0x8A, 0xFF, 0xD8));
        fill.setColorAt(1, QColor(0x1A, 0xD6, 0x9C));
        softShadow(p, icon, img.size(), QColor(0, 230, 160, 110), 4, QPointF(0, 0));
    } else {
        fill.setColorAt(0, QColor(0xFF, 0x8A, 0x8B));
        fill.setColorAt(1, QColor(0xF0, 0x50, 0x52));
        softShadow(p, icon, img.size(), QColor(255, 80, 80, 90), 4, QPointF(0, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(icon);
    if (state == State::Error) {
        const QPointF c(29.5, 29.5);
        // knock the glyph out around the badge so it stays legible
        p.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        p.setBrush(Qt::black);
        p.drawEllipse(c, 9.0, 9.0);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QLinearGradient b(c - QPointF(0, 7), c + QPointF(0, 7));
        b.setColorAt(0, QColor(0xFF, 0x6A, 0x3A));
        b.setColorAt(1, QColor(0xE8, 0x2E, 0x2E));
        p.setBrush(b);
        p.drawEllipse(c, 7.5, 7.5);
        p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
        const qreal d = 3.0;
        p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
        p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
    }
    p.end();
    return img;
}

// Title bar strip: dark glass, cyan baseline, accents only near the ends.
QImage topBar()
{
    const int W = 1024, H = 56;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, H);
    body.setColorAt(0, QColor(4, 18, 34, 235));
    body.setColorAt(1, QColor(8, 36, 60, 215));
    p.fillRect(QRectF(0, 0, W, H), body);
    QLinearGradient sheen(0, 0, 0, H / 2.0);
    sheen.setColorAt(0, QColor(120, 210, 255, 26));
    sheen.setColorAt(1, QColor(120, 210, 255, 0));
    p.fillRect(QRectF(0, 0, W, H / 2.0), sheen);
    p.fillRect(QRectF(0, 0, W, 1), QColor(140, 220, 255, 40));

    // glow rising from the baseline
    QLinearGradient glow(0, H - 14, 0, H);
    glow.setColorAt(0, QColor(3, 197, 237, 0));
    glow.setColorAt(1, QColor(3, 197, 237, 60));
    p.fillRect(QRectF(0, H - 14, W, 14), glow);

    QLinearGradient line(0, 0, W, 0);
    line.setColorAt(0, QColor(3, 197, 237, 150));
    line.setColorAt(0.5, QColor(90, 225, 255, 255));
    line.setColorAt(1, QColor(3, 197, 237, 150));
    p.fillRect(QRectF(0, H - 2, W, 2), line);

    // thicker accent tabs with chamfered inner ends, plus small chevrons
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(3, 197, 237));
    const qreal tab = 180, th = 4;
    QPolygonF left;
    left << QPointF(0, H - 2 - th) << QPointF(tab, H - 2 - th) << QPointF(tab + th, H - 2) << QPointF(0, H - 2);
    p.drawPolygon(left);
    QPolygonF right;
    right << QPointF(W, H - 2 - th) << QPointF(W - tab, H - 2 - th) << QPointF(W - tab - th, H - 2) << QPointF(W, H - 2);
    p.drawPolygon(right);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(QColor(3, 197, 237, 200 - i * 60));
        const qreal x = tab + 14 + i * 12;
        QPolygonF chev;
        chev << QPointF(x, H - 2 - th) << QPointF(x + 6, H - 2 - th) << QPointF(x + 6 + th, H - 2) << QPointF(x + th, H - 2);
        p.drawPolygon(chev);
        const qreal xr = W - x;
        QPolygonF chevR;
        chevR << QPointF(xr, H - 2 - th) << QPointF(xr - 6, H - 2 - th) << QPointF(xr - 6 - th, H - 2) << QPointF(xr - th, H - 2);
        p.drawPolygon(chevR);
    }
    p.end();
    return img;
}

QImage navLabel()
{
    const int W = 260, H = 48;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, W - 2, H - 2);
    QLinearGradient fill(0, 0, W, 0);
    fill.setColorAt(0, QColor(0, 187, 226, 110));
    fill.setColorAt(1, QColor(55, 100, 139, 90));
    p.setPen(QPen(pal::cyan(), kLine));
    p.setBrush(fill);
    p.drawRoundedRect(r, 12, 12);
    QLinearGradient sheen(0, 2, 0, H / 2.0);
    sheen.setColorAt(0, QColor(255, 255, 255, 40));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawRoundedRect(r.adjusted(2, 2, -2, -H / 2.0), 10, 10);
    p.end();
    return img;
}

enum class Check { AdminOff, Admin, DoorOff, Door };

// Checkable push-button skin with a tick box at the left edge.
QImage checkButton(Check kind)
{
    const int W = 160, H = 56;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, W - 2, H - 2);
    const QRectF box(11, 19, 18, 18);
    if (kind == Check::AdminOff || kind == Check::DoorOff) {
        // the empty box carries a hint of the colour it turns when checked
        const QColor boxEdge = kind == Check::AdminOff ? QColor(120, 190, 215, 210) : QColor(120, 200, 180, 210);
        QLinearGradient fill(0, 0, 0, H);
        fill.setColorAt(0, QColor(22, 56, 72, 170));
        fill.setColorAt(1, QColor(12, 36, 48, 170));
        p.setPen(QPen(QColor(110, 160, 180, 170), kLine));
        p.setBrush(fill);
        p.drawRoundedRect(r, 10, 10);
        p.setPen(QPen(boxEdge, kLine));
        p.setBrush(QColor(5, 20, 30, 140));
        p.drawRoundedRect(box, 3.5, 3.5);
    } else {
        const bool admin = kind == Check::Admin;
        const QColor top = admin ? QColor(0x14, 0xB8, 0xE2) : QColor(0x1E, 0xB8, 0x97);
        const QColor bottom = admin ? QColor(0x06, 0x78, 0xA4) : QColor(0x0D, 0x7A, 0x64);
        const QColor edge = admin ? QColor(0x7F, 0xE6, 0xFF) : QColor(0x86, 0xF2, 0xD6);
        const QColor glowCol = admin ? pal::cyan() : pal::green();
        QPainterPath shape = roundRect(r, 10);
        softShadow(p, shape, img.size(), pal::withAlpha(glowCol, 90), 3, QPointF(0, 0));
        QLinearGradient fill(0, 0, 0, H);
        fill.setColorAt(0, top);
        fill.setColorAt(1, bottom);
        p.setPen(QPen(edge, kLine));
        p.setBrush(fill);
        p.drawPath(shape);
        QLinearGradient sheen(0, 2, 0, H / 2.0);
        sheen.setColorAt(0, QColor(255, 255, 255, 50));
        sheen.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(sheen);
        p.drawRoundedRect(QRectF(3, 3, W - 6, H / 2.0 - 3), 8, 8);
        p.setPen(QPen(Qt::white, kLine));
        p.setBrush(QColor(255, 255, 255, 45));
        p.drawRoundedRect(box, 3.5, 3.5);
        QPainterPath tick;
        tick.moveTo(box.left() + 4, box.center().y() + 0.5);
        tick.lineTo(box.left() + 7.5, box.center().y() + 4);
        tick.lineTo(box.right() - 3.5, box.top() + 5);
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    p.end();
    return img;
}

// Checked background of a top navigation button; accent bar at the bottom.
QImage navTop()
{
    const int W = 140, H = 60;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, H);
    fill.setColorAt(0, QColor(0, 187, 226, 10));
    fill.setColorAt(1, QColor(0, 187, 226, 110));
    p.fillRect(QRectF(0, 0, W, H), fill);
    // flattened glow standing on the accent bar
    const qreal rx = W * 0.55, ry = H * 0.5;
    QRadialGradient spot(QPointF(0, 0), rx);
    spot.setColorAt(0, QColor(120, 230, 255, 70));
    spot.setColorAt(1, QColor(120, 230, 255, 0));
    p.save();
    p.translate(W / 2.0, H);
    p.scale(1, ry / rx);
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
    p.fillRect(QRectF(0, H - 3, W, 3), pal::cyan());
    p.fillRect(QRectF(W * 0.2, H - 3, W * 0.6, 1), QColor(190, 245, 255, 160));
    p.end();
    return img;
}

// Checked background of a left navigation button; accent bar at the left.
QImage navLeft()
{
    const int W = 200, H = 70;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, W, 0);
    fill.setColorAt(0, QColor(0, 187, 226, 120));
    fill.setColorAt(1, QColor(0, 187, 226, 8));
    p.fillRect(QRectF(0, 0, W, H), fill);
    QLinearGradient edge(0, 0, W, 0);
    edge.setColorAt(0, QColor(120, 230, 255, 120));
    edge.setColorAt(1, QColor(120, 230, 255, 0));
    p.fillRect(QRectF(0, 0, W, 1), edge);
    p.fillRect(QRectF(0, H - 1, W, 1), edge);
    p.fillRect(QRectF(0, 0, 4, H), pal::cyan());
    p.fillRect(QRectF(0, H * 0.2, 1, H * 0.6), QColor(190, 245, 255, 170));
    p.end();
    return img;
}

// Pill switch; knob at the right when on.
QImage toggle(bool on)
{
    const int W = 100, H = 40;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF pill(2, 4, W - 4, H - 8);
    const qreal rad = pill.height() / 2;
    QLinearGradient fill(pill.topLeft(), pill.topRight());
    if (on) {
        fill.setColorAt(0, QColor(0x03, 0xC5, 0xED));
        fill.setColorAt(1, QColor(0x1A, 0xBC, 0x9C));
        p.setPen(QPen(QColor(0x8A, 0xEE, 0xF2), 1.5));
    } else {
        fill = QLinearGradient(pill.topLeft(), pill.bottomLeft());
        fill.setColorAt(0, QColor(0x22, 0x2E, 0x38));
        fill.setColorAt(1, QColor(0x34, 0x42, 0x4E));
        p.setPen(QPen(QColor(0x5C, 0x6E, 0x7C), 1.5));
    }
    p.setBrush(fill);
    p.drawRoundedRect(pill.adjusted(0.75, 0.75, -0.75, -0.75), rad - 0.75, rad - 0.75);
    // small mark on the free side: a bar when on, a ring when off
    if (on) {
        p.setPen(QPen(QColor(255, 255, 255, 230), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(30, 14), QPointF(30, 26));
    } else {
        p.setPen(QPen(QColor(0x8C, 0x9C, 0xA8), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(70, 20), 5.5, 5.5);
    }
    const QPointF knob(on ? W - 2 - rad : 2 + rad, H / 2.0);
    QPainterPath k;
    k.addEllipse(knob, rad - 3, rad - 3);
    softShadow(p, k, img.size(), QColor(0, 0, 0, 120), 2, QPointF(0, 1.5));
    QRadialGradient kg(knob - QPointF(4, 5), rad);
    if (on) {
        kg.setColorAt(0, QColor(255, 255, 255));
        kg.setColorAt(1, QColor(0xDD, 0xEE, 0xF2));
    } else {
        kg.setColorAt(0, QColor(0xB8, 0xC4, 0xCC));
        kg.setColorAt(1, QColor(0x84, 0x94, 0xA0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(kg);
    p.drawPath(k);
    p.end();
    return img;
}

// Polyline sampled along a ridge; ridges are drawn as runs between gaps.
struct Ridge {
    std::vector<QPointF> pts;
    std::vector<double> at; // cumulative length
};

void addRun(QPainterPath &path, const Ridge &r, double from, double to)
{
    bool started = false;
    for (size_t i = 0; i < r.pts.size(); ++i) {
        if (r.at[i] < from || r.at[i] > to)
            continue;
        if (!started)
            path.moveTo(r.pts[i]);
        else
            path.lineTo(r.pts[i]);
        started = true;
    }
}

// Stylised fingerprint inside scanner corners, with a scan line.
QImage fingerprint()
{
    const int S = 200;
    QImage img = newImage(S, S);
    const QPointF c(100, 92);
    // fingertip outline the ridges end against
    const double padRx = 64, padRy = 84;
    const QPointF pad(100, 104);
    QPainterPath ridges;
    Rng rng(6161);
    for (int k = 0; k < 8; ++k) {
        const double rx = 7 + 8.2 * k;
        const double ry = 9 + 8.6 * k;
        const QPointF ck = c + QPointF(k * 0.6, 0);
        Ridge r;
        // left leg up, arch over the top, right leg down
        auto legBottom = [&](double x) {
            const double u = (x - pad.x()) / padRx;
            if (std::abs(u) >= 1)
                return ck.y();
            return pad.y() + padRy * std::sqrt(1 - u * u) - 10;
        };
        const double legL = std::min(legBottom(ck.x() - rx), ck.y() + 14 + 9.0 * k);
        const double legR = std::min(legBottom(ck.x() + rx), ck.y() + 8 + 8.0 * k);
        for (double y = legL; y > ck.y(); y -= 2)
            r.pts.emplace_back(ck.x() - rx - (y - ck.y()) * 0.04, y);
        for (int i = 0; i <= 90; ++i) {
            const double a = kPi - kPi * i / 90.0;
            r.pts.emplace_back(ck.x() + rx * std::cos(a), ck.y() - ry * std::sin(a));
        }
        for (double y = ck.y() + 2; y <= legR; y += 2)
            r.pts.emplace_back(ck.x() + rx + (y - ck.y()) * 0.04, y);
        double len = 0;
        r.at.push_back(0);
        for (size_t i = 1; i < r.pts.size(); ++i) {
            const QPointF d = r.pts[i] - r.pts[i - 1];
            len += std::hypot(d.x(), d.y());
            r.at.push_back(len);
        }
        // one or two gaps per ridge, none on the core
        std::vector<std::pair<double, double>> gaps;
        if (k > 0) {
            const int n = k > 3 ? 2 : 1;
            for (int g = 0; g < n; ++g) {
                const double mid = len * rng.range(0.12 + g * 0.45, 0.42 + g * 0.45);
                const double half = rng.range(5, 9);
                gaps.emplace_back(mid - half, mid + half);
            }
        }
        double from = 0;
        for (const auto &g : gaps) {
            addRun(ridges, r, from, g.first);
            from = g.second;
        }
        addRun(ridges, r, from, len);
    }
    const QPen ridgePen(Qt::black, 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPainterPathStroker stroker(ridgePen);
    const QPainterPath ink = stroker.createStroke(ridges);

    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // glow
    {
        QImage glow = newImage(S, S);
        QPainter g(&glow);
        g.setRenderHint(QPainter::Antialiasing);
        g.setPen(Qt::NoPen);
        g.setBrush(QColor(3, 197, 237, 200));
        g.drawPath(ink);
        g.end();
        boxBlur(glow, 10);
        p.drawImage(0, 0, glow);
    }
    QLinearGradient fill(0, 10, 0, 190);
    fill.setColorAt(0, QColor(0xA6, 0xF3, 0xFF));
    fill.setColorAt(0.45, QColor(0x1C, 0xCF, 0xF4));
    fill.setColorAt(1, QColor(0x04, 0x8E, 0xC2));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(ink);

    // ridges just above the scan line light up
    const double sy = 118;
    QLinearGradient band(0, sy - 36, 0, sy);
    band.setColorAt(0, QColor(255, 255, 255, 0));
    band.setColorAt(1, QColor(255, 255, 255, 190));
    p.save();
    p.setClipPath(ink);
    p.fillRect(QRectF(0, sy - 36, S, 36), band);
    p.restore();
    {
        QImage line = newImage(S, S);
        QPainter l(&line);
        l.setRenderHint(QPainter::Antialiasing);
        QLinearGradient lg(24, 0, 176, 0);
        lg.setColorAt(0, QColor(255, 255, 255, 0));
        lg.setColorAt(0.2, QColor(255, 255, 255, 255));
        lg.setColorAt(0.8, QColor(255, 255, 255, 255));
        lg.setColorAt(1, QColor(255, 255, 255, 0));
        l.fillRect(QRectF(24, sy - 1.5, 152, 3), lg);
        l.end();
        QImage g = blurred(line, 6);
        QPainter tint(&g);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(g.rect(), QColor(60, 220, 255));
        tint.end();
        p.drawImage(0, 0, g);
        p.drawImage(0, 0, g);
        p.drawImage(0, 0, line);
    }
    // scanner corners
    p.setPen(QPen(pal::ice(), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const double m = 12, len = 30;
    for (int i = 0; i < 4; ++i) {
        const double x = (i & 1) ? S - m : m;
        const double y = (i & 2) ? S - m : m;
        const double dx = (i & 1) ? -len : len;
        const double dy = (i & 2) ? -len : len;
        QPainterPath corner;
        corner.moveTo(x, y + dy);
        corner.lineTo(x, y);
        corner.lineTo(x + dx, y);
        p.drawPath(corner);
    }
    p.end();
    return img;
}

// The look of a glossy result disc: glow, gradient fill and rim, and a soft sheen.
struct DiscLook {
    QColor glow, top, bottom, rim;
    QPointF sheenOffset;
    double sheenRadius;
    int sheenAlpha;
};

// A disc of the given outer radius around c; the fill sits 1 px and the sheen 2 px inside it.
void glossyDisc(QPainter &p, QSize size, QPointF c, double radius, const DiscLook &look)
{
    QPainterPath disc;
    disc.addEllipse(c, radius, radius);
    softShadow(p, disc, size, look.glow, 10, QPointF(0, 0));
    QLinearGradient fill(c - QPointF(0, radius), c + QPointF(0, radius));
    fill.setColorAt(0, look.top);
    fill.setColorAt(1, look.bottom);
    p.setPen(QPen(look.rim, kLine));
    p.setBrush(fill);
    p.drawEllipse(c, radius - 1, radius - 1);
    QRadialGradient sheen(c - look.sheenOffset, look.sheenRadius);
    sheen.setColorAt(0, QColor(255, 255, 255, look.sheenAlpha));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(c, radius - 2, radius - 2);
}

// Remote review pending: hourglass in a cyan disc inside a spinner ring.
QImage authoring()
{
    const int S = 160;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(80, 80);
    glossyDisc(p, img.size(), c, 56, {QColor(3, 197, 237, 120), QColor(0x2A, 0xD6, 0xFA), QColor(0x05, 0x7E, 0xB0),
                                      QColor(0x9A, 0xEE, 0xFF), QPointF(22, 30), 70, 60});
    const QPainterPath icon = glyph(fa::hourglassHalf, QRectF(c.x() - 24, c.y() - 28, 48, 56));
    softShadow(p, icon, img.size(), QColor(0, 50, 80, 120), 3, QPointF(0, 2));
    p.setBrush(Qt::white);
    p.drawPath(icon);
    for (int i = 0; i < 12; ++i) {
        const double a = -kPi / 2 + i * kPi / 6;
        const QPointF d = c + QPointF(std::cos(a), std::sin(a)) * 71;
        p.setBrush(QColor(120, 230, 255, 255 - i * 18));
        p.drawEllipse(d, 4.2 - i * 0.12, 4.2 - i * 0.12);
    }
    p.end();
    return img;
}

// Approved: green disc with a white check.
QImage authorOk()
{
    const int S = 160;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(80, 80);
    glossyDisc(p, img.size(), c, 66, {QColor(0, 243, 15, 110), QColor(0x52, 0xF7, 0x5E), QColor(0x00, 0xA8, 0x1A),
                                      QColor(0xB0, 0xFF, 0xB8), QPointF(26, 36), 80, 70});
    QPainterPath check;
    check.moveTo(48, 82);
    check.lineTo(70, 104);
    check.lineTo(114, 58);
    QPainterPathStroker st(QPen(Qt::black, 13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPainterPath mark = st.createStroke(check);
    softShadow(p, mark, img.size(), QColor(0, 70, 10, 120), 3, QPointF(0, 2));
    p.setBrush(Qt::white);
    p.drawPath(mark);
    p.end();
    return img;
}

} // namespace

std::vector<Picture> icons()
{
    const QColor top(0x2C, 0xD8, 0xFA), bottom(0x06, 0x6E, 0xA0);
    std::vector<Picture> list;
    auto add = [&](const char *name, QImage img) { list.push_back({QStringLiteral("image/") + QLatin1String(name), std::move(img)}); };
    add("main_user.png", navTile(fa::users, {64, 52}, top, bottom));
    add("main_open.png", navTile(fa::unlockAlt, {46, 56}, top, bottom));
    add("main_log.png", navTile(fa::listAlt, {58, 50}, top, bottom));
    add("main_config.png", navTile(fa::cogs, {62, 56}, top, bottom));
    add("main_status.png", navTile(fa::tachometer, {64, 52}, top, bottom));

    add("netok.png", statusIcon(fa::sitemap, {28, 24}, State::Ok));
    add("neterror.png", statusIcon(fa::sitemap, {28, 24}, State::Error));
    add("ac220ok.png", statusIcon(fa::plug, {26, 26}, State::Ok));
    add("ac220error.png", statusIcon(fa::plug, {26, 26}, State::Error));
    add("powerok.png", statusIcon(fa::batteryFull, {30, 18}, State::Ok));
    add("powererror.png", statusIcon(fa::batteryQuarter, {30, 18}, State::Error));

    add("topbg1.png", topBar());
    add("navlabel.png", navLabel());
    add("btn_check_off1.png", checkButton(Check::AdminOff));
    add("btn_check_on1.png", checkButton(Check::Admin));
    add("btn_check_off2.png", checkButton(Check::DoorOff));
    add("btn_check_on2.png", checkButton(Check::Door));
    add("btnbgtop.png", navTop());
    add("btnbgleft.png", navLeft());
    add("btn_check_on.png", toggle(true));
    add("btn_check_off.png", toggle(false));
    add("handin.png", fingerprint());
    add("authoring.png", authoring());
    add("authorok.png", authorOk());
    return list;
}

} // namespace pg
