// Full-window backdrops, 1024x600. All stay dark-to-mid so white text reads anywhere.
#include "pictures.h"

#include "common.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QConicalGradient>
#include <QVector3D>

#include <array>
#include <cmath>
#include <vector>

namespace pg {

namespace {

constexpr int W = 1024;
constexpr int H = 600;
constexpr double kPi = 3.14159265358979323846;

QImage canvas()
{
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    img.fill(pal::navyDeep());
    return img;
}

void fillLinear(QImage &img, QPointF a, QPointF b, const QGradientStops &stops)
{
    QPainter p(&img);
    QLinearGradient g(a, b);
    g.setStops(stops);
    p.fillRect(img.rect(), g);
}

// Soft light with a smooth (not conical) falloff.
void bloom(QPainter &p, QPointF c, qreal r, QColor col, qreal squash = 1.0)
{
    QRadialGradient g(QPointF(0, 0), r);
    const int a = col.alpha();
    for (int i = 0; i <= 8; ++i) {
        const double t = i / 8.0;
        const double k = std::pow(1.0 - t, 2.2);
        g.setColorAt(t, pal::withAlpha(col, static_cast<int>(a * k)));
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.translate(c);
    p.scale(1.0, squash);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), r, r);
    p.restore();
}

void vignette(QImage &img, int strength)
{
    QPainter p(&img);
    QRadialGradient g(QPointF(W / 2.0, H / 2.0), W * 0.72);
    g.setColorAt(0.0, QColor(0, 0, 0, 0));
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(1.0, QColor(0, 4, 10, strength));
    p.fillRect(img.rect(), g);
}

QImage finish(QImage img, std::uint32_t seed, int vignetteStrength = 110)
{
    vignette(img, vignetteStrength);
    img = img.convertToFormat(QImage::Format_RGB32);
    dither(img, seed);
    return img;
}

// Draws a separately painted layer twice: blurred as glow, then crisp.
void glowLayer(QImage &img, const QImage &layer, int radius, qreal glowOpacity = 1.0)
{
    QPainter p(&img);
    p.setOpacity(glowOpacity);
    p.drawImage(0, 0, blurred(layer, radius));
    p.setOpacity(1.0);
    p.drawImage(0, 0, layer);
}

QGradientStops stops(std::initializer_list<std::pair<qreal, QColor>> list)
{
    QGradientStops s;
    for (const auto &e : list)
        s.append(QGradientStop(e.first, e.second));
    return s;
}

// Honeycomb tiles fading in from the upper right, under a top bloom.
QImage hexagons()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {0, H}, stops({{0, QColor(0x0B, 0x2A, 0x48)}, {1, QColor(0x05, 0x15, 0x28)}}));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        bloom(p, {W * 0.5, -40}, 640, QColor(0, 150, 210, 80), 0.75);
        bloom(p, {W * 0.9, H * 0.95}, 420, QColor(0, 120, 150, 40));
    }
    QImage layer = newImage(W, H);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        Rng rng(1001);
        const double s = 30.0;
        const double dx = std::sqrt(3.0) * s;
        const double dy = 1.5 * s;
        for (int row = -1; row * dy < H + s; ++row) {
            for (int col = -1; col * dx < W + dx; ++col) {
                const QPointF c(col * dx + ((row & 1) ? dx / 2 : 0), row * dy);
                const double fade = smoothstep(0.15, 1.0, (c.x() / W) * 0.8 + (1.0 - c.y() / H) * 0.5);
                QPolygonF hex;
                for (int k = 0; k < 6; ++k) {
                    const double a = kPi / 180.0 * (60 * k - 30);
                    hex << c + QPointF(std::cos(a), std::sin(a)) * (s - 3.0);
                }
                const double pick = rng.uniform();
                QColor line(110, 215, 255, static_cast<int>(8 + 34 * fade));
                p.setPen(QPen(line, 1.2));
                p.setBrush(pick < 0.08 ? QBrush(QColor(0, 190, 235, static_cast<int>(6 + 18 * fade))) : QBrush(Qt::NoBrush));
                p.drawPolygon(hex);
            }
        }
    }
    glowLayer(img, layer, 6, 0.6);
    return finish(img, 1);
}

// Broad light beams falling from the upper left.
QImage beams()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {W, H}, stops({{0, QColor(0x0C, 0x2E, 0x4C)}, {0.55, QColor(0x08, 0x1F, 0x36)}, {1, QColor(0x04, 0x12, 0x22)}}));
    QImage light = newImage(W, H);
    {
        QPainter p(&light);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        const QPointF src(-180, -260);
        struct Beam {
            double angle, width, alpha;
        };
        const std::array<Beam, 6> list = {{{28, 3.5, 46}, {35, 1.6, 34}, {41, 5.0, 40}, {50, 2.2, 30}, {57, 4.0, 34}, {66, 1.8, 24}}};
        for (const Beam &b : list) {
            const double a0 = (b.angle - b.width / 2) * kPi / 180.0;
            const double a1 = (b.angle + b.width / 2) * kPi / 180.0;
            const double len = 1700;
            QPolygonF poly;
            poly << src << src + QPointF(std::cos(a0), std::sin(a0)) * len << src + QPointF(std::cos(a1), std::sin(a1)) * len;
            QRadialGradient g(src, len);
            g.setColorAt(0.0, QColor(120, 220, 255, static_cast<int>(b.alpha)));
            g.setColorAt(0.35, QColor(80, 200, 255, static_cast<int>(b.alpha * 0.8)));
            g.setColorAt(0.8, QColor(40, 160, 230, 0));
            p.setBrush(g);
            p.drawPolygon(poly);
        }
    }
    boxBlur(light, 16);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        p.drawImage(0, 0, light);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        bloom(p, {60, 40}, 420, QColor(60, 190, 240, 60));
        // a few motes drifting in the light
        Rng rng(2002);
        for (int i = 0; i < 60; ++i) {
            const QPointF c(rng.range(0, W * 0.8), rng.range(0, H));
            const double r = rng.range(0.8, 2.2);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(180, 235, 255, static_cast<int>(rng.range(15, 50))));
            p.drawEllipse(c, r, r);
        }
    }
    return finish(img, 2);
}

double waveY(double x, double base, double amp, double phase, double freq)
{
    return base + amp * std::sin(x * freq + phase) + amp * 0.45 * std::sin(x * freq * 2.3 + phase * 1.7 + 1.1);
}

// Layered translucent waves with a fine line mesh across the lower half.
QImage waves()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {0, H}, stops({{0, QColor(0x06, 0x18, 0x2E)}, {0.6, QColor(0x0A, 0x2C, 0x46)}, {1, QColor(0x07, 0x22, 0x38)}}));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    bloom(p, {W * 0.78, H * 0.18}, 460, QColor(0, 150, 210, 60));
    for (int k = 0; k < 4; ++k) {
        QPainterPath path;
        const double base = 300 + k * 62;
        path.moveTo(0, H);
        for (int x = 0; x <= W; x += 4)
            path.lineTo(x, waveY(x, base, 26 - k * 3, 0.9 * k + 0.3, 0.0052 + k * 0.0007));
        path.lineTo(W, H);
        path.closeSubpath();
        QLinearGradient g(0, base - 40, 0, H);
        g.setColorAt(0, QColor(0, 160, 200, 34));
        g.setColorAt(1, QColor(0, 80, 120, 8));
        p.setPen(QPen(QColor(90, 210, 245, 50 - k * 6), 1.2));
        p.setBrush(g);
        p.drawPath(path);
    }
    // mesh: lines interpolated between two different waves
    QImage mesh = newImage(W, H);
    {
        QPainter m(&mesh);
        m.setRenderHint(QPainter::Antialiasing);
        const int n = 28;
        for (int i = 0; i < n; ++i) {
            const double t = i / double(n - 1);
            QPainterPath path;
            for (int x = -10; x <= W + 10; x += 4) {
                const double a = waveY(x, 250, 60, 0.2, 0.0042);
                const double b = waveY(x, 430, 40, 2.6, 0.0036);
                const double y = a + (b - a) * t;
                if (x == -10)
                    path.moveTo(x, y);
                else
                    path.lineTo(x, y);
            }
            m.setPen(QPen(QColor(110, 225, 255, static_cast<int>(16 + 34 * std::sin(kPi * t))), 1.0));
            m.drawPath(path);
        }
    }
    p.end();
    glowLayer(img, mesh, 5, 0.9);
    return finish(img, 3);
}

// Out-of-focus lights in two depths along a diagonal band.
QImage bokeh()
{
    QImage img = canvas();
    {
        QPainter p(&img);
        QRadialGradient g(QPointF(W * 0.32, H * 0.3), W * 0.9);
        g.setColorAt(0, QColor(0x0E, 0x36, 0x58));
        g.setColorAt(0.6, QColor(0x08, 0x20, 0x3A));
        g.setColorAt(1, QColor(0x04, 0x10, 0x20));
        p.fillRect(img.rect(), g);
    }
    Rng rng(3003);
    const std::array<QColor, 4> hues = {QColor(0, 190, 235), QColor(26, 188, 156), QColor(40, 120, 220), QColor(120, 220, 255)};
    auto drawLayer = [&](int count, double rMin, double rMax, int aMin, int aMax, int blur) {
        QImage layer = newImage(W, H);
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < count; ++i) {
            const double t = rng.uniform();
            // along the diagonal band from lower left to upper right
            const QPointF c(t * W * 1.1 - 40, H * 0.95 - t * H * 0.9 + rng.range(-170, 170));
            const double r = rng.range(rMin, rMax);
            QColor col = hues[static_cast<size_t>(rng.below(4))];
            const int a = static_cast<int>(rng.range(aMin, aMax));
            QRadialGradient g(c, r);
            g.setColorAt(0, pal::withAlpha(col, a * 6 / 10));
            g.setColorAt(0.82, pal::withAlpha(col, a * 8 / 10));
            g.setColorAt(0.94, pal::withAlpha(col, a));
            g.setColorAt(1, pal::withAlpha(col, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(c, r, r);
        }
        p.end();
        boxBlur(layer, blur);
        QPainter out(&img);
        out.setCompositionMode(QPainter::CompositionMode_Plus);
        out.drawImage(0, 0, layer);
    };
    drawLayer(26, 50, 120, 14, 30, 14);
    drawLayer(22, 16, 54, 18, 40, 3);
    drawLayer(30, 4, 12, 20, 50, 2);
    return finish(img, 4);
}

// Topographic contour lines over a faint survey grid.
QImage contours()
{
    QImage img = canvas();
    ValueNoise noise(4242);
    auto field = [&](double x, double y) { return noise.fbm(x / 320.0, y / 320.0, 3) * 1.2 + x / W * 0.25; };
    const double levels = 16.0;
    const QColor lo(0x05, 0x15, 0x27), hi(0x0D, 0x34, 0x52);
    for (int y = 0; y < H; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const double f = field(x, y);
            const double fx = field(x + 0.5, y) - field(x - 0.5, y);
            const double fy = field(x, y + 0.5) - field(x, y - 0.5);
            const double gradient = std::max(1e-6, std::hypot(fx, fy) * levels);
            const double v = f * levels;
            const double frac = v - std::floor(v);
            const double dist = std::min(frac, 1.0 - frac) / gradient; // pixels to the nearest contour
            const bool major = (static_cast<long>(std::lround(v)) % 5) == 0;
            const double lineAlpha = (1.0 - smoothstep(0.0, major ? 1.3 : 0.9, dist)) * (major ? 0.30 : 0.15);
            const double shade = std::clamp((f - 0.25) * 1.1 + (1.0 - double(y) / H) * 0.35, 0.0, 1.0);
            QColor c = mix(lo, hi, shade);
            c = mix(c, QColor(100, 215, 250), lineAlpha);
            line[x] = c.rgb();
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 210, 250, 16), 1.0));
    for (int x = 128; x < W; x += 128)
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, H));
    for (int y = 100; y < H; y += 100)
        p.drawLine(QPointF(0, y + 0.5), QPointF(W, y + 0.5));
    p.setPen(QPen(QColor(140, 225, 255, 46), 1.0));
    for (int x = 128; x < W; x += 128)
        for (int y = 100; y < H; y += 100) {
            p.drawLine(QPointF(x - 4, y + 0.5), QPointF(x + 5, y + 0.5));
            p.drawLine(QPointF(x + 0.5, y - 4), QPointF(x + 0.5, y + 5));
        }
    bloom(p, {W * 0.25, H * 0.1}, 520, QColor(0, 140, 200, 50));
    p.end();
    return finish(img, 5);
}

// Printed-circuit traces with 45 degree bends and pads.
QImage circuit()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {W * 0.3, H}, stops({{0, QColor(0x0A, 0x27, 0x44)}, {1, QColor(0x04, 0x12, 0x22)}}));
    {
        QPainter p(&img);
        bloom(p, {W * 0.3, H * 0.45}, 560, QColor(0, 130, 190, 55));
    }
    const int g = 16;
    const int cols = W / g + 1, rows = H / g + 1;
    std::vector<char> used(static_cast<size_t>(cols * rows), 0);
    auto cell = [&](int cx, int cy) -> char & { return used[static_cast<size_t>(cy * cols + cx)]; };
    const int dirs[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    QImage layer = newImage(W, H);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(5005);
    for (int n = 0; n < 220; ++n) {
        int cx = rng.below(cols), cy = rng.below(rows);
        if (cell(cx, cy))
            continue;
        int dir = rng.uniform() < 0.7 ? (rng.below(2) * 4) : rng.below(8);
        const int steps = 4 + rng.below(22);
        QPainterPath path;
        path.moveTo(cx * g, cy * g);
        cell(cx, cy) = 1;
        int done = 0;
        for (int s = 0; s < steps; ++s) {
            if (s > 1 && rng.uniform() < 0.18)
                dir = (dir + (rng.below(2) ? 1 : 7)) % 8;
            const int nx = cx + dirs[dir][0], ny = cy + dirs[dir][1];
            if (nx < 0 || ny < 0 || nx >= cols || ny >= rows || cell(nx, ny))
                break;
            cx = nx;
            cy = ny;
            cell(cx, cy) = 1;
            path.lineTo(cx * g, cy * g);
            ++done;
        }
        if (done < 3)
            continue;
        const int a = static_cast<int>(rng.range(26, 64));
        const QColor col(90, 205, 245, a);
        p.setPen(QPen(col, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setBrush(pal::withAlpha(col, a));
        p.setPen(Qt::NoPen);
        p.drawEllipse(path.elementAt(0), 2.2, 2.2);
        p.setPen(QPen(pal::withAlpha(QColor(140, 230, 255), a + 20), 1.3));
        p.setBrush(QColor(6, 24, 40, 255));
        const QPainterPath::Element e = path.elementAt(path.elementCount() - 1);
        p.drawEllipse(QPointF(e.x, e.y), 3.4, 3.4);
    }
    // a few chip outlines
    p.setBrush(QColor(8, 30, 50, 200));
    for (const QRectF &r : {QRectF(176, 112, 96, 64), QRectF(704, 384, 128, 80), QRectF(816, 96, 64, 64)}) {
        p.setPen(QPen(QColor(110, 215, 255, 60), 1.4));
        p.drawRoundedRect(r, 4, 4);
        p.setPen(QPen(QColor(110, 215, 255, 44), 1.6));
        for (qreal x = r.left() + 8; x < r.right() - 4; x += 8) {
            p.drawLine(QPointF(x, r.top() - 5), QPointF(x, r.top() - 1));
            p.drawLine(QPointF(x, r.bottom() + 1), QPointF(x, r.bottom() + 5));
        }
    }
    p.end();
    glowLayer(img, layer, 5, 1.0);
    return finish(img, 6);
}

// Perspective floor grid meeting a glowing horizon.
QImage horizon()
{
    QImage img = canvas();
    const double hy = 372;
    fillLinear(img, {0, 0}, {0, H}, stops({{0, QColor(0x05, 0x13, 0x25)}, {hy / H - 0.001, QColor(0x0C, 0x33, 0x52)}, {hy / H, QColor(0x09, 0x29, 0x42)}, {1, QColor(0x04, 0x10, 0x1E)}}));
    QImage layer = newImage(W, H);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        const QPointF vp(W / 2.0, hy);
        for (int i = -24; i <= 24; ++i) {
            const QPointF bottom(W / 2.0 + i * 84.0, H + 40);
            QLinearGradient g(vp, bottom);
            g.setColorAt(0, QColor(100, 215, 255, 0));
            g.setColorAt(1, QColor(100, 215, 255, 62));
            p.setPen(QPen(QBrush(g), 1.1));
            p.drawLine(vp, bottom);
        }
        for (int n = 0;; ++n) {
            const double y = hy + 6.0 * std::pow(1.42, n);
            if (y > H + 2)
                break;
            const double k = (y - hy) / (H - hy);
            p.setPen(QPen(QColor(100, 215, 255, static_cast<int>(8 + 54 * k)), 1.1));
            p.drawLine(QPointF(0, y), QPointF(W, y));
        }
    }
    glowLayer(img, layer, 4, 0.9);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    bloom(p, {W / 2.0, hy}, 560, QColor(0, 180, 235, 95), 0.22);
    bloom(p, {W / 2.0, hy}, 240, QColor(120, 225, 255, 60), 0.12);
    p.setPen(QPen(QColor(150, 230, 255, 90), 1.0));
    QLinearGradient lg(0, 0, W, 0);
    lg.setColorAt(0, QColor(150, 230, 255, 0));
    lg.setColorAt(0.5, QColor(170, 235, 255, 120));
    lg.setColorAt(1, QColor(150, 230, 255, 0));
    p.setPen(QPen(QBrush(lg), 1.0));
    p.drawLine(QPointF(0, hy + 0.5), QPointF(W, hy + 0.5));
    bloom(p, {W * 0.5, 0}, 520, QColor(0, 100, 170, 40), 0.6);
    p.end();
    return finish(img, 7);
}

// Halftone dot screen whose dot size follows a slow diagonal swell.
QImage halftone()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {W, H}, stops({{0, QColor(0x0B, 0x2B, 0x4A)}, {1, QColor(0x05, 0x16, 0x2A)}}));
    ValueNoise noise(7070);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const double step = 12.0;
    for (double y = step / 2; y < H; y += step) {
        for (double x = step / 2; x < W; x += step) {
            const double swell = 0.5 + 0.5 * std::sin(x * 0.0062 - y * 0.0085 + noise.fbm(x / 260.0, y / 260.0, 3) * 4.0);
            const double m = smoothstep(0.35, 1.0, swell);
            if (m <= 0.02)
                continue;
            const double r = 0.6 + 2.6 * m;
            p.setBrush(QColor(90, 205, 245, static_cast<int>(18 + 40 * m)));
            p.drawEllipse(QPointF(x, y), r, r);
        }
    }
    bloom(p, {W * 0.82, H * 0.12}, 480, QColor(0, 160, 220, 55));
    bloom(p, {W * 0.1, H * 0.95}, 380, QColor(20, 170, 150, 35));
    p.end();
    return finish(img, 8);
}

// Soft aurora ribbons with thin highlight strands.
QImage aurora()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {0, H}, stops({{0, QColor(0x04, 0x10, 0x1F)}, {1, QColor(0x09, 0x22, 0x3A)}}));
    struct Ribbon {
        QPointF a, c1, c2, b;
        double width;
        QColor col;
    };
    const std::array<Ribbon, 4> list = {{
        {{-100, 470}, {300, 150}, {650, 560}, {1140, 180}, 200, QColor(20, 150, 150, 52)},
        {{-100, 330}, {320, 120}, {720, 430}, {1140, 90}, 110, QColor(0, 170, 230, 62)},
        {{-100, 600}, {420, 380}, {700, 700}, {1140, 380}, 160, QColor(10, 100, 170, 48)},
        {{-100, 250}, {200, 140}, {760, 320}, {1140, 200}, 70, QColor(90, 220, 230, 50)},
    }};
    QImage glow = newImage(W, H);
    {
        QPainter p(&glow);
        p.setRenderHint(QPainter::Antialiasing);
        for (const Ribbon &r : list) {
            QPainterPath path(r.a);
            path.cubicTo(r.c1, r.c2, r.b);
            p.setPen(QPen(r.col, r.width, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(path);
        }
    }
    boxBlur(glow, 48);
    {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        p.drawImage(0, 0, glow);
    }
    QImage strands = newImage(W, H);
    {
        QPainter p(&strands);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 28; ++i) {
            const double t = (i % 14) / 13.0;
            const Ribbon &r = list[i < 14 ? 1 : 0];
            const QPointF off(0, (t - 0.5) * (i < 14 ? 70 : 110));
            QPainterPath path(r.a + off);
            path.cubicTo(r.c1 + off * 1.6, r.c2 + off * 0.6, r.b + off * 1.2);
            p.setPen(QPen(QColor(140, 230, 255, static_cast<int>(10 + 26 * std::sin(kPi * t))), 1.0));
            p.drawPath(path);
        }
    }
    glowLayer(img, strands, 3, 0.8);
    return finish(img, 9, 90);
}

// Radar rings and a faint sweep off to the right.
QImage radar()
{
    QImage img = canvas();
    const QPointF c(W * 0.74, H * 0.52);
    {
        QPainter p(&img);
        QRadialGradient g(c, W * 0.85);
        g.setColorAt(0, QColor(0x0E, 0x37, 0x58));
        g.setColorAt(0.5, QColor(0x08, 0x20, 0x38));
        g.setColorAt(1, QColor(0x04, 0x10, 0x1F));
        p.fillRect(img.rect(), g);
    }
    QImage layer = newImage(W, H);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        for (int i = 1; i < 22; ++i) {
            const double r = i * 44.0;
            const int a = static_cast<int>(std::max(8.0, 50 - i * 2.0));
            p.setPen(QPen(QColor(100, 215, 255, i % 4 == 0 ? a + 16 : a), i % 4 == 0 ? 1.4 : 1.0));
            p.drawEllipse(c, r, r);
        }
        for (int deg = 0; deg < 360; deg += 5) {
            const double a = deg * kPi / 180.0;
            const double r0 = 176, r1 = deg % 30 == 0 ? 190 : 183;
            p.setPen(QPen(QColor(130, 225, 255, deg % 30 == 0 ? 70 : 40), 1.2));
            p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r0, c + QPointF(std::cos(a), std::sin(a)) * r1);
        }
        for (int deg = 0; deg < 180; deg += 30) {
            const double a = deg * kPi / 180.0;
            const QPointF d(std::cos(a) * 1400, std::sin(a) * 1400);
            p.setPen(QPen(QColor(100, 215, 255, deg % 90 == 0 ? 26 : 13), 1.0));
            p.drawLine(c - d, c + d);
        }
        const std::array<QPointF, 4> blips = {{{-120, -90}, {70, 150}, {-260, 40}, {190, -60}}};
        for (const QPointF &b : blips) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(150, 235, 255, 120));
            p.drawEllipse(c + b, 2.5, 2.5);
            p.setPen(QPen(QColor(120, 225, 255, 60), 1.0));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c + b, 7, 7);
        }
    }
    glowLayer(img, layer, 5, 0.8);
    QImage sweep = newImage(W, H);
    {
        QPainter p(&sweep);
        p.setRenderHint(QPainter::Antialiasing);
        QConicalGradient g(c, 40);
        g.setColorAt(0.0, QColor(0, 200, 240, 46));
        g.setColorAt(0.16, QColor(0, 200, 240, 0));
        g.setColorAt(1.0, QColor(0, 200, 240, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, 520, 520);
    }
    boxBlur(sweep, 14);
    QPainter p(&img);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.drawImage(0, 0, sweep);
    p.end();
    return finish(img, 10);
}

// Low-poly facets shaded by a soft top-left light.
QImage facets()
{
    QImage img = canvas();
    Rng rng(8080);
    const int cw = 118, ch = 104;
    const int nx = (W + 60) / cw + 2, ny = (H + 60) / ch + 2;
    std::vector<QPointF> pts(static_cast<size_t>(nx * ny));
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const bool edge = i == 0 || j == 0 || i == nx - 1 || j == ny - 1;
            const double jx = edge ? 0 : rng.range(-0.38, 0.38) * cw;
            const double jy = edge ? 0 : rng.range(-0.38, 0.38) * ch;
            pts[static_cast<size_t>(j * nx + i)] = QPointF(i * cw - 30 + jx, j * ch - 30 + jy);
        }
    const QColor tl(0x10, 0x3C, 0x5E), br(0x04, 0x12, 0x22);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    auto tri = [&](QPointF a, QPointF b, QPointF c) {
        const QPointF m = (a + b + c) / 3.0;
        const double t = std::clamp((m.x() / W) * 0.55 + (m.y() / H) * 0.65, 0.0, 1.0);
        QColor col = mix(tl, br, t);
        const double light = rng.range(-0.10, 0.10);
        col = light > 0 ? mix(col, QColor(40, 140, 190), light) : mix(col, QColor(2, 8, 16), -light);
        QPolygonF poly;
        poly << a << b << c;
        p.setPen(QPen(col, 0.8));
        p.setBrush(col);
        p.drawPolygon(poly);
    };
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            const QPointF a = pts[static_cast<size_t>(j * nx + i)], b = pts[static_cast<size_t>(j * nx + i + 1)];
            const QPointF c = pts[static_cast<size_t>((j + 1) * nx + i)], d = pts[static_cast<size_t>((j + 1) * nx + i + 1)];
            if ((i + j) % 2) {
                tri(a, b, d);
                tri(a, d, c);
            } else {
                tri(a, b, c);
                tri(b, d, c);
            }
        }
    // faint edges only
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 215, 255, 14), 1.0));
    for (int j = 0; j + 1 < ny; ++j)
        for (int i = 0; i + 1 < nx; ++i) {
            const QPointF a = pts[static_cast<size_t>(j * nx + i)], b = pts[static_cast<size_t>(j * nx + i + 1)];
            const QPointF c = pts[static_cast<size_t>((j + 1) * nx + i)], d = pts[static_cast<size_t>((j + 1) * nx + i + 1)];
            p.drawLine(a, b);
            p.drawLine(a, c);
            p.drawLine((i + j) % 2 ? a : b, (i + j) % 2 ? d : c);
        }
    bloom(p, {W * 0.2, H * 0.15}, 520, QColor(0, 160, 220, 45));
    p.end();
    return finish(img, 11);
}

// A wireframe globe with dotted land masses at the right.
QImage globe()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {W, H}, stops({{0, QColor(0x06, 0x17, 0x2A)}, {1, QColor(0x09, 0x25, 0x3E)}}));
    const QPointF c(W * 0.77, H * 0.6);
    const double R = 320;
    const double tilt = 22 * kPi / 180.0, spin = 35 * kPi / 180.0;
    // orthographic view of a point on (or above) the tilted, spun sphere
    auto projectVec = [&](const QVector3D &v, double &z) {
        const double y1 = v.y() * std::cos(tilt) - v.z() * std::sin(tilt);
        z = v.y() * std::sin(tilt) + v.z() * std::cos(tilt);
        return QPointF(c.x() + v.x() * R, c.y() - y1 * R);
    };
    auto unit = [&](double lat, double lon) {
        return QVector3D(static_cast<float>(std::cos(lat) * std::sin(lon + spin)), static_cast<float>(std::sin(lat)),
                         static_cast<float>(std::cos(lat) * std::cos(lon + spin)));
    };
    auto project = [&](double lat, double lon, double &z) { return projectVec(unit(lat, lon), z); };
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        bloom(p, c, R * 1.35, QColor(0, 150, 210, 60));
        QRadialGradient body(c + QPointF(-R * 0.35, -R * 0.4), R * 1.4);
        body.setColorAt(0, QColor(20, 110, 160, 70));
        body.setColorAt(1, QColor(4, 20, 40, 90));
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(c, R, R);
    }
    QImage layer = newImage(W, H);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        auto curve = [&](auto point, int steps) {
            QPointF prev;
            double prevZ = 0;
            for (int s = 0; s <= steps; ++s) {
                double z = 0;
                const QPointF q = point(s / double(steps), z);
                if (s > 0) {
                    const double front = (z + prevZ) / 2;
                    p.setPen(QPen(QColor(110, 215, 255, front > 0 ? static_cast<int>(24 + 30 * front) : 9), 1.0));
                    p.drawLine(prev, q);
                }
                prev = q;
                prevZ = z;
            }
        };
        for (int lat = -75; lat <= 75; lat += 15)
            curve([&](double t, double &z) { return project(lat * kPi / 180.0, t * 2 * kPi, z); }, 180);
        for (int lon = 0; lon < 180; lon += 15)
            curve([&](double t, double &z) { return project(-kPi / 2 + t * kPi, lon * kPi / 180.0, z); }, 120);
        for (int lon = 180; lon < 360; lon += 15)
            curve([&](double t, double &z) { return project(-kPi / 2 + t * kPi, lon * kPi / 180.0, z); }, 120);
        // dotted "land" from a seeded noise field on the sphere
        ValueNoise noise(9191);
        p.setPen(Qt::NoPen);
        for (double lat = -80; lat <= 80; lat += 2.2) {
            const double la = lat * kPi / 180.0;
            const double stepLon = 2.2 / std::max(0.2, std::cos(la));
            for (double lon = 0; lon < 360; lon += stepLon) {
                const double lo = lon * kPi / 180.0;
                const double n = noise.fbm(std::cos(la) * std::cos(lo) * 1.6 + 5, std::cos(la) * std::sin(lo) * 1.6 + std::sin(la) * 1.3 + 5, 4);
                if (n < 0.45)
                    continue;
                double z = 0;
                const QPointF q = project(la, lo, z);
                if (z <= 0.2)
                    continue;
                p.setBrush(QColor(120, 225, 255, static_cast<int>(100 * std::pow(z, 1.5))));
                p.drawEllipse(q, 1.5, 1.5);
            }
        }
        // a few links arching above the surface
        const std::array<std::array<double, 4>, 4> links = {{{35, -70, 50, -15}, {12, -45, 38, 5}, {48, -30, 20, 25}, {20, -85, 5, -30}}};
        for (const auto &l : links) {
            const QVector3D a = unit(l[0] * kPi / 180, l[1] * kPi / 180);
            const QVector3D b = unit(l[2] * kPi / 180, l[3] * kPi / 180);
            QPainterPath path;
            double z = 0;
            for (int i = 0; i <= 40; ++i) {
                const double t = i / 40.0;
                QVector3D v = (a * static_cast<float>(1 - t) + b * static_cast<float>(t)).normalized();
                v *= static_cast<float>(1.0 + 0.12 * std::sin(kPi * t));
                const QPointF q = projectVec(v, z);
                if (i == 0)
                    path.moveTo(q);
                else
                    path.lineTo(q);
            }
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(QColor(160, 235, 255, 80), 1.2));
            p.drawPath(path);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(190, 245, 255, 160));
            p.drawEllipse(projectVec(a, z), 2.6, 2.6);
            p.drawEllipse(projectVec(b, z), 2.6, 2.6);
        }
    }
    glowLayer(img, layer, 4, 0.9);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // rim light
    QImage rim = newImage(W, H);
    {
        QPainter r(&rim);
        r.setRenderHint(QPainter::Antialiasing);
        r.setPen(QPen(QColor(90, 210, 255, 120), 3.0));
        r.setBrush(Qt::NoBrush);
        r.drawEllipse(c, R, R);
    }
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.drawImage(0, 0, blurred(rim, 14));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(QColor(130, 225, 255, 70), 1.2));
    p.drawEllipse(c, R, R);
    p.end();
    return finish(img, 12);
}

// Flowing bundle of fine silk threads.
QImage silk()
{
    QImage img = canvas();
    fillLinear(img, {0, 0}, {0, H}, stops({{0, QColor(0x07, 0x1A, 0x30)}, {1, QColor(0x0A, 0x2A, 0x44)}}));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        bloom(p, {W * 0.55, H * 0.55}, 600, QColor(0, 130, 190, 55), 0.6);
    }
    QImage layer = newImage(W, H);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        struct Curve {
            QPointF a, c1, c2, b;
        };
        auto bundle = [&](const Curve &u, const Curve &v, int n, QColor col, int aMin, int aMax) {
            for (int i = 0; i < n; ++i) {
                const double t = i / double(n - 1);
                auto lerp = [t](QPointF x, QPointF y) { return x + (y - x) * t; };
                QPainterPath path(lerp(u.a, v.a));
                path.cubicTo(lerp(u.c1, v.c1), lerp(u.c2, v.c2), lerp(u.b, v.b));
                p.setPen(QPen(pal::withAlpha(col, static_cast<int>(aMin + (aMax - aMin) * std::sin(kPi * t))), 1.0));
                p.drawPath(path);
            }
        };
        bundle({{-60, 520}, {300, 560}, {520, 80}, {1090, 240}}, {{-60, 300}, {380, 120}, {640, 640}, {1090, 330}}, 64, QColor(90, 215, 255), 10, 46);
        bundle({{-60, 600}, {360, 420}, {760, 560}, {1090, 420}}, {{-60, 560}, {420, 600}, {700, 330}, {1090, 520}}, 36, QColor(40, 200, 170), 8, 34);
    }
    glowLayer(img, layer, 6, 1.0);
    return finish(img, 13);
}

} // namespace

std::vector<Picture> backgrounds()
{
    return {
        {QStringLiteral("bg/main00.jpg"), hexagons()}, {QStringLiteral("bg/main01.jpg"), beams()},
        {QStringLiteral("bg/main02.jpg"), waves()},    {QStringLiteral("bg/main03.jpg"), bokeh()},
        {QStringLiteral("bg/main04.jpg"), contours()}, {QStringLiteral("bg/main05.jpg"), circuit()},
        {QStringLiteral("bg/main06.jpg"), horizon()},  {QStringLiteral("bg/main07.jpg"), halftone()},
        {QStringLiteral("bg/main08.jpg"), aurora()},   {QStringLiteral("bg/main09.jpg"), radar()},
        {QStringLiteral("bg/main10.jpg"), facets()},   {QStringLiteral("bg/main11.jpg"), globe()},
        {QStringLiteral("bg/main12.jpg"), silk()},
    };
}

} // namespace pg
