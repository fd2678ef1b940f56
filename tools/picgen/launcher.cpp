// The tools launcher's pictures: five backgrounds and the twelve tool icons.
#include "pictures.h"

#include "common.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace pg {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kW = 1024, kH = 600;

QImage canvas(const QColor &top, const QColor &bottom)
{
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    QLinearGradient g(0, 0, kW * 0.3, kH);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(img.rect(), g);
    return img;
}

// Deep blue with the traces and pads of a circuit board.
QImage circuit()
{
    QImage img = canvas(QColor(0x06, 0x1A, 0x3A), QColor(0x02, 0x08, 0x18));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(11);
    for (int i = 0; i < 140; ++i) {
        QPointF at(rng.range(0, kW), rng.range(0, kH));
        QPainterPath trace;
        trace.moveTo(at);
        for (int s = 0; s < 3; ++s) {
            const double len = rng.range(30, 140);
            if (s % 2 == 0)
                at.rx() += rng.uniform() < 0.5 ? -len : len;
            else
                at.ry() += rng.uniform() < 0.5 ? -len * 0.6 : len * 0.6;
            trace.lineTo(at);
        }
        const int alpha = 30 + rng.below(70);
        p.setPen(QPen(QColor(0x3C, 0xB4, 0xFF, alpha), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(trace);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x7F, 0xE6, 0xFF, alpha + 40));
        p.drawEllipse(at, 3, 3);
    }
    QRadialGradient glow(QPointF(kW * 0.7, kH * 0.3), kW * 0.6);
    glow.setColorAt(0, QColor(0x20, 0x80, 0xFF, 60));
    glow.setColorAt(1, QColor(0x20, 0x80, 0xFF, 0));
    p.fillRect(img.rect(), glow);
    p.end();
    return img;
}

// Navy into teal with slow light waves.
QImage waves()
{
    QImage img = canvas(QColor(0x04, 0x2A, 0x3E), QColor(0x03, 0x10, 0x22));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int band = 0; band < 14; ++band) {
        QPainterPath wave;
        const double base = kH * 0.35 + band * 16;
        wave.moveTo(0, base);
        for (int x = 0; x <= kW; x += 8)
            wave.lineTo(x, base + 60 * std::sin(x / 180.0 + band * 0.35) + 25 * std::sin(x / 67.0 + band));
        p.setPen(QPen(QColor(0x40, 0xE0, 0xD0, 18 + band * 5), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
    }
    p.end();
    return img;
}

// Violet with out-of-focus lights.
QImage bokeh()
{
    QImage img = canvas(QColor(0x2A, 0x0C, 0x44), QColor(0x0C, 0x04, 0x1C));
    QImage lights = newImage(kW, kH);
    {
        QPainter p(&lights);
        p.setRenderHint(QPainter::Antialiasing);
        Rng rng(23);
        for (int i = 0; i < 70; ++i) {
            const double r = rng.range(12, 70);
            const QColor c = rng.uniform() < 0.5 ? QColor(0xFF, 0x6A, 0xC8, 40 + rng.below(60))
                                                 : QColor(0x8A, 0x7C, 0xFF, 40 + rng.below(60));
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawEllipse(QPointF(rng.range(0, kW), rng.range(0, kH)), r, r);
        }
    }
    boxBlur(lights, 6);
    QPainter p(&img);
    p.drawImage(0, 0, lights);
    p.end();
    return img;
}

// Dark steel with a hexagon mesh lit from one corner.
QImage hexagons()
{
    QImage img = canvas(QColor(0x1E, 0x26, 0x30), QColor(0x0A, 0x0E, 0x14));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double r = 34, w = std::sqrt(3.0) * r;
    for (int row = -1; row * r * 1.5 < kH + r; ++row) {
        for (int col = -1; col * w < kW + w; ++col) {
            const QPointF c(col * w + (row % 2 ? w / 2 : 0), row * r * 1.5);
            QPolygonF hex;
            for (int k = 0; k < 6; ++k)
                hex << c + QPointF(r * std::cos(kPi / 6 + k * kPi / 3), r * std::sin(kPi / 6 + k * kPi / 3));
            const double d = std::hypot(c.x() - kW * 0.15, c.y() - kH * 0.2) / kW;
            const int alpha = int(110 * std::max(0.0, 1.0 - d * 1.3)) + 12;
            p.setPen(QPen(QColor(0x00, 0xC8, 0xF0, alpha), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(hex);
        }
    }
    p.end();
    return img;
}

// Dusk over a mountain ridge, with a streak of light across the sky.
QImage dusk()
{
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kH);
    sky.setColorAt(0, QColor(0x0E, 0x12, 0x3A));
    sky.setColorAt(0.55, QColor(0x5A, 0x2A, 0x5E));
    sky.setColorAt(0.8, QColor(0xB0, 0x52, 0x3A));
    sky.setColorAt(1, QColor(0x3A, 0x1A, 0x22));
    p.fillRect(img.rect(), sky);
    ValueNoise noise(5);
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath ridge;
        const double base = kH * (0.62 + layer * 0.1);
        ridge.moveTo(0, kH);
        for (int x = 0; x <= kW; x += 6)
            ridge.lineTo(x, base - 120 * noise.fbm(x / 260.0 + layer * 3, layer, 4) + 40);
        ridge.lineTo(kW, kH);
        ridge.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(mix(QColor(0x2A, 0x18, 0x30), QColor(0x08, 0x06, 0x10), layer / 2.0));
        p.drawPath(ridge);
    }
    QLinearGradient streak(0, 0, kW, 0);
    streak.setColorAt(0, QColor(255, 220, 180, 0));
    streak.setColorAt(0.5, QColor(255, 220, 180, 90));
    streak.setColorAt(1, QColor(255, 220, 180, 0));
    p.setPen(QPen(QBrush(streak), 2));
    p.drawLine(QPointF(0, kH * 0.3), QPointF(kW, kH * 0.18));
    p.end();
    return img;
}

// A rounded tile in the tool's own colour with a white glyph, and an optional badge.
QImage toolIcon(ushort code, QColor top, QColor bottom, const QString &badge = QString())
{
    const int S = 100;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(8, 6, 84, 84);
    QPainterPath shape;
    shape.addRoundedRect(tile, 20, 20);
    {
        QImage shadow = newImage(S, S);
        QPainter s(&shadow);
        s.setRenderHint(QPainter::Antialiasing);
        s.setPen(Qt::NoPen);
        s.setBrush(QColor(0, 0, 0, 150));
        s.translate(0, 3);
        s.drawPath(shape);
        s.end();
        boxBlur(shadow, 3);
        p.drawImage(0, 0, shadow);
    }
    QLinearGradient body(tile.topLeft(), tile.bottomLeft());
    body.setColorAt(0, top);
    body.setColorAt(1, bottom);
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shape);
    QRadialGradient sheen(tile.topLeft() + QPointF(16, 8), 90);
    sheen.setColorAt(0, QColor(255, 255, 255, 80));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.5));
    p.drawRoundedRect(tile.adjusted(0.75, 0.75, -0.75, -0.75), 19, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(glyph(code, QRectF(27, 25, 46, 46)));
    if (!badge.isEmpty()) {
        const QRectF b(64, 58, 28, 28);
        p.setBrush(QColor(0xFF, 0xB0, 0x20));
        p.setPen(QPen(Qt::white, 2));
        p.drawEllipse(b);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(17);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x40, 0x20, 0x00));
        p.drawText(b, Qt::AlignCenter, badge);
    }
    p.end();
    return img;
}

} // namespace

std::vector<Picture> launcherPictures()
{
    std::vector<Picture> out;
    out.push_back({QStringLiteral("image/main1.jpg"), circuit()});
    out.push_back({QStringLiteral("image/main2.jpg"), waves()});
    out.push_back({QStringLiteral("image/main3.jpg"), bokeh()});
    out.push_back({QStringLiteral("image/main4.jpg"), hexagons()});
    out.push_back({QStringLiteral("image/main5.jpg"), dusk()});
    for (Picture &pic : out)
        dither(pic.image, 31);

    struct Tool {
        const char *file;
        ushort code;
        QColor top, bottom;
        const char *badge;
    };
    const Tool tools[] = {
        {"PNG112", 0xf03e, QColor(0x4F, 0xC3, 0xF7), QColor(0x1E, 0x6F, 0xC8), ""},  // change background: picture
        {"PNG100", 0xf011, QColor(0xFF, 0x6E, 0x6E), QColor(0xC0, 0x1A, 0x2A), ""},  // exit: power
        {"PNG99", 0xf0ec, QColor(0x5C, 0xE1, 0xC6), QColor(0x10, 0x8C, 0x7A), ""},   // serial to network: exchange
        {"PNG101", 0xf0ad, QColor(0xFF, 0xC1, 0x5A), QColor(0xD0, 0x78, 0x10), ""},  // device debugging: wrench
        {"PNG103", 0xf1de, QColor(0xA7, 0x8B, 0xFA), QColor(0x5B, 0x3C, 0xC4), ""},  // tension batch: sliders
        {"PNG104", 0xf0e4, QColor(0x7C, 0x9C, 0xFF), QColor(0x2C, 0x48, 0xB8), "5"}, // five-lane tension: gauge
        {"PNG105", 0xf21e, QColor(0xFF, 0x80, 0xB0), QColor(0xC2, 0x24, 0x6A), ""},  // pulse host: heartbeat
        {"PNG108", 0xf233, QColor(0x90, 0xA4, 0xB8), QColor(0x3E, 0x50, 0x66), ""},  // host internals: server
        {"PNG109", 0xf0c1, QColor(0x66, 0xD9, 0x6E), QColor(0x1E, 0x8E, 0x3A), ""},  // linkage module: link
        {"PNG110", 0xf201, QColor(0x4D, 0xD0, 0xE1), QColor(0x00, 0x78, 0x9A), ""},  // tension curve: line chart
        {"PNG111", 0xf132, QColor(0xFF, 0x9A, 0x62), QColor(0xC6, 0x46, 0x1E), ""},  // zones: shield
        {"PNG114", 0xf085, QColor(0xB0, 0xBE, 0xC5), QColor(0x54, 0x6E, 0x7A), ""},  // system configuration: cogs
    };
    for (const Tool &t : tools)
        out.push_back({QStringLiteral("image/%1.png").arg(QLatin1String(t.file)),
                       toolIcon(t.code, t.top, t.bottom, QLatin1String(t.badge))});
    return out;
}

} // namespace pg
