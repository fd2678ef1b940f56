// The two hands of the fingerprint enrolment screen. Each hand is drawn whole,
// once plain and once with every finger lit, and then cut on the screen's grid:
// four fingers in the top row, the palm under them, the thumb in its own column.
#include "pictures.h"

#include "common.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace pg {

namespace {

// Left hand canvas and grid; the right hand is its mirror image.
constexpr int kW = 240;
constexpr int kH = 288;
constexpr std::array<int, 6> kCol = {0, 41, 82, 123, 167, kW};
constexpr int kRow = 146;

struct V {
    double x, y;
};
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y}; }
V operator*(V a, double k) { return {a.x * k, a.y * k}; }
double dot(V a, V b) { return a.x * b.x + a.y * b.y; }
double length(V a) { return std::sqrt(dot(a, a)); }

// Polynomial smooth minimum; k is the width of the blend.
double smin(double a, double b, double k)
{
    const double h = std::max(k - std::abs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}
double smax(double a, double b, double k) { return -smin(-a, -b, k); }

// Circle ra at a, circle rb at b and the two tangents between them.
double roundCone(V p, V a, V b, double ra, double rb)
{
    const V ab = b - a;
    const double h = length(ab);
    const V u = ab * (1.0 / h);
    const V w = p - a;
    const V q{std::abs(w.x * u.y - w.y * u.x), dot(w, u)};
    const double s = (ra - rb) / h;
    const double c = std::sqrt(1 - s * s);
    const double k = -s * q.x + c * q.y;
    if (k < 0)
        return length(q) - ra;
    if (k > c * h)
        return length(q - V{0, h}) - rb;
    return c * q.x + s * q.y - ra;
}

double polygon(V p, const std::vector<V> &v)
{
    double d = dot(p - v[0], p - v[0]);
    double sign = 1;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        const V e = v[j] - v[i];
        const V w = p - v[i];
        const V b = w - e * std::clamp(dot(w, e) / dot(e, e), 0.0, 1.0);
        d = std::min(d, dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y < v[j].y, c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            sign = -sign;
    }
    return sign * std::sqrt(d);
}

// A finger or the thumb: a tapered capsule from base to tip, lit from the tip
// down to a shallow arc across it (the knuckle line).
struct Digit {
    V base, tip;
    double rb, rt;
    double cut;  // distance of the knuckle line from the base along the axis
    double dip;  // how far the arc sags towards the base in the middle

    double shape(V p) const { return roundCone(p, base, tip, rb, rt); }
    V axis() const { return (tip - base) * (1.0 / length(tip - base)); }
    // negative beyond the knuckle line
    double knuckle(V p) const
    {
        const V u = axis();
        const V w = p - base;
        const double s = dot(w, u);
        const double t = (w.x * u.y - w.y * u.x) / rb;
        return cut - dip * (1 - std::min(t * t, 1.0)) - s;
    }
    double lit(V p) const { return smax(shape(p), knuckle(p), 3.0); }
};

// Little, ring, middle, index, thumb (left hand, seen from the back); digit i
// lives in grid column i.
const std::array<Digit, 5> &digits()
{
    static const std::array<Digit, 5> d = {{
        {{24, 162}, {16, 74}, 15.5, 13.5, 26, 4},
        {{63, 152}, {59, 32}, 17.5, 15.5, 26, 4},
        {{103, 148}, {103, 23}, 18.0, 16.0, 26, 4},
        {{142, 150}, {147, 39}, 17.5, 15.5, 26, 4},
        {{172, 208}, {216, 162}, 21.0, 15.5, 24, 5},
    }};
    return d;
}

double palm(V p)
{
    static const std::vector<V> poly = {{26, 146}, {138, 140}, {150, 196}, {138, 266}, {56, 266}, {32, 236}, {23, 196}};
    return polygon(p, poly) - 16;
}

double hand(V p)
{
    double d = palm(p);
    const auto &ds = digits();
    for (int i = 0; i < 4; ++i)
        d = smin(d, ds[i].shape(p), 10);
    // the thumb's root runs down to the wrist
    d = smin(d, roundCone(p, {140, 250}, ds[4].base, 19, ds[4].rb + 1), 14);
    return smin(d, ds[4].shape(p), 8);
}

// Premultiplied float canvas; simpler than juggling QPainter layers per pixel.
class Canvas {
public:
    Canvas() : m_px(static_cast<size_t>(kW) * kH * 4, 0.0f) {}
    void over(int x, int y, const QColor &c, double a)
    {
        a = std::clamp(a * c.alphaF(), 0.0, 1.0);
        if (a <= 0)
            return;
        float *px = &m_px[(static_cast<size_t>(y) * kW + x) * 4];
        const double k = 1 - a;
        px[0] = static_cast<float>(c.redF() * a + px[0] * k);
        px[1] = static_cast<float>(c.greenF() * a + px[1] * k);
        px[2] = static_cast<float>(c.blueF() * a + px[2] * k);
        px[3] = static_cast<float>(a + px[3] * k);
    }
    QImage image() const
    {
        QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < kH; ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < kW; ++x) {
                const float *px = &m_px[(static_cast<size_t>(y) * kW + x) * 4];
                auto q = [](float v) { return std::clamp(static_cast<int>(std::lround(v * 255)), 0, 255); };
                line[x] = qRgba(q(px[0]), q(px[1]), q(px[2]), q(px[3]));
            }
        }
        return img;
    }

private:
    std::vector<float> m_px;
};

// Fraction of a pixel where inside() holds, from 4x4 samples.
template <typename F>
double coverage(int x, int y, F inside)
{
    int n = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            n += inside(V{x + (i + 0.5) / 4, y + (j + 0.5) / 4}) ? 1 : 0;
    return n / 16.0;
}

constexpr double kEdge = 1.5; // outline width

// The hand with every finger plain: translucent blue glass with a thin rim.
QImage plainHand()
{
    const QColor top(0x2C, 0x6E, 0xA4, 120), bottom(0x14, 0x40, 0x72, 150);
    const QColor rim(0x46, 0xB4, 0xDC, 70);
    const QColor edge(0x8E, 0xCB, 0xDE, 225);
    const QColor crease(0x8E, 0xCB, 0xDE, 90);
    Canvas c;
    const auto &ds = digits();
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double cov = coverage(x, y, [](V p) { return hand(p) < 0; });
            if (cov <= 0)
                continue;
            const double d = hand({x + 0.5, y + 0.5});
            // the wrist fades out instead of ending in a hard edge
            const double wrist = 1 - smoothstep(kH - 44, kH - 2, y + 0.5);
            c.over(x, y, mix(top, bottom, smoothstep(0, kH, y)), cov * (0.35 + 0.65 * wrist));
            c.over(x, y, rim, cov * wrist * (1 - smoothstep(0, 8, -d)));
            for (const Digit &g : ds) {
                const double a = coverage(x, y, [&](V p) { return std::abs(g.knuckle(p)) < 0.6 && g.shape(p) < -3.0; });
                c.over(x, y, crease, a * smoothstep(-3, -7, g.shape({x + 0.5, y + 0.5})));
            }
            c.over(x, y, edge, wrist * coverage(x, y, [](V p) {
                       const double h = hand(p);
                       return h < 0 && h > -kEdge;
                   }));
        }
    }
    return c.image();
}

// Distance from a pixel centre to the border of its grid cell.
double insideCell(const QRect &cell, int x, int y)
{
    const double cx = x + 0.5, cy = y + 0.5;
    return std::min({cx - cell.left(), cell.left() + cell.width() - cx, cy - cell.top(), cell.top() + cell.height() - cy});
}

QRect cellOf(int column)
{
    if (column == 4)
        return QRect(kCol[4], 0, kW - kCol[4], kH);
    return QRect(kCol[column], 0, kCol[column + 1] - kCol[column], kRow);
}

// Small whorl on the fingertip, drawn in the digit's own frame.
void whorl(QPainter &p, const Digit &g)
{
    const V u = g.axis();
    const double angle = std::atan2(u.x, -u.y) * 180 / 3.14159265358979323846;
    const V c = g.tip - u * 3.0;
    p.save();
    p.translate(c.x, c.y);
    p.rotate(angle);
    QPainterPath clip;
    clip.addEllipse(QPointF(0, -0.5), g.rt - 3.2, g.rt - 2.2);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(0x06, 0x5C, 0x52, 200), 1.15, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    // loops open towards the base, each a little wider than the last
    for (int k = 0; k < 5; ++k) {
        const double rx = 1.6 + 2.25 * k, ry = 2.3 + 2.6 * k;
        const QRectF r(-rx, -ry + 0.6 * k, 2 * rx, 2 * ry);
        const int gap = k == 0 ? 0 : 70 - 6 * k;
        p.drawArc(r, (270 + gap / 2) * 16, (360 - gap) * 16);
    }
    p.restore();
}

// The plain hand with one digit lit; nothing leaves that digit's grid cell.
QImage litHand(const QImage &plain, int index)
{
    const Digit &g = digits()[static_cast<size_t>(index)];
    const QRect cell = cellOf(index);
    const QColor tip(0x74, 0xF8, 0xDC), base(0x15, 0xB2, 0x94);
    const QColor edge(0xD2, 0xFF, 0xF2, 235);
    const QColor glow(0x2E, 0xF2, 0xC4, 150);
    const QColor sheen(255, 255, 255, 70);
    const V u = g.axis();
    const double tipS = dot(g.tip - g.base, u) + g.rt;
    Canvas c;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const V at{x + 0.5, y + 0.5};
            const double d = g.lit(at);
            if (d > 0) {
                const double f = 1 - smoothstep(0, 7, d);
                c.over(x, y, glow, f * f * smoothstep(0.5, 4.5, insideCell(cell, x, y)));
            }
            const double cov = coverage(x, y, [&](V p) { return g.lit(p) < 0; });
            if (cov <= 0)
                continue;
            const double s = dot(at - g.base, u);
            c.over(x, y, mix(base, tip, smoothstep(g.cut, tipS, s)), cov);
            // soft light down the middle of the finger
            const double across = std::abs((at - g.base).x * u.y - (at - g.base).y * u.x);
            c.over(x, y, sheen, cov * (1 - smoothstep(0, g.rt * 0.8, across)) * smoothstep(g.cut, tipS, s));
            c.over(x, y, QColor(0x06, 0x6A, 0x5C, 60), cov * (1 - smoothstep(0, 4, -d)));
            c.over(x, y, edge, coverage(x, y, [&](V p) {
                       const double l = g.lit(p);
                       return l < 0 && l > -kEdge;
                   }));
        }
    }
    QImage overlay = c.image();
    {
        QPainter p(&overlay);
        p.setRenderHint(QPainter::Antialiasing);
        whorl(p, g);
    }
    QImage out = plain;
    QPainter p(&out);
    p.drawImage(0, 0, overlay);
    p.end();
    return out;
}

// Warns when a lit digit changed a pixel on its cell border.
void checkBorder(const QImage &plain, const QImage &lit, const QRect &cell, const char *what)
{
    int worst = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            if (x != cell.left() && x != cell.right() && y != cell.top() && y != cell.bottom())
                continue;
            const QRgb a = plain.pixel(x, y), b = lit.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b)),
                              std::abs(qAlpha(a) - qAlpha(b))});
        }
    if (worst > 1)
        std::fprintf(stderr, "hands: lit %s touches its cell border (%d)\n", what, worst);
}

} // namespace

std::vector<Picture> hands()
{
    const QImage plain = plainHand();
    std::array<QImage, 5> lit;
    const char *names[5] = {"little", "ring", "middle", "index", "thumb"};
    for (int i = 0; i < 5; ++i) {
        lit[static_cast<size_t>(i)] = litHand(plain, i);
        checkBorder(plain, lit[static_cast<size_t>(i)], cellOf(i), names[i]);
    }

    std::vector<Picture> list;
    auto add = [&](const QString &name, const QImage &img, const QRect &r) {
        list.push_back({QStringLiteral("hand/") + name, img.copy(r)});
    };
    // left hand: fingers r1_c1..c4, thumb r2_c5, palm r2_c1
    const char *left[5] = {"r1_c1", "r1_c2", "r1_c3", "r1_c4", "r2_c5"};
    // right hand: thumb r1_c1, index r1_c3, middle r1_c4, ring r1_c5, little r2_c1
    const char *right[5] = {"r2_c1", "r1_c5", "r1_c4", "r1_c3", "r1_c1"};
    const QImage plainR = plain.mirrored(true, false);
    for (int i = 0; i < 5; ++i) {
        const QRect cell = cellOf(i);
        const QRect mirrored(kW - cell.left() - cell.width(), cell.top(), cell.width(), cell.height());
        const QImage litR = lit[static_cast<size_t>(i)].mirrored(true, false);
        add(QStringLiteral("handleft_%1.png").arg(QLatin1String(left[i])), lit[static_cast<size_t>(i)], cell);
        add(QStringLiteral("handleft1_%1.png").arg(QLatin1String(left[i])), plain, cell);
        add(QStringLiteral("handright_%1.png").arg(QLatin1String(right[i])), litR, mirrored);
        add(QStringLiteral("handright1_%1.png").arg(QLatin1String(right[i])), plainR, mirrored);
    }
    const QRect palmCell(0, kRow, kCol[4], kH - kRow);
    add(QStringLiteral("handleft1_r2_c1.png"), plain, palmCell);
    add(QStringLiteral("handright1_r2_c2.png"), plainR, QRect(kW - kCol[4], kRow, kCol[4], kH - kRow));
    return list;
}

} // namespace pg
