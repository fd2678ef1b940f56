// The toll console's pictures: header and backdrop, navigation icons, the
// camera still, the two lane pictures, the ring in both looks and the call buttons.
#include "pictures.h"

#include "common.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace pg {

namespace {

// FontAwesome 4.7 code points.
namespace fa {
constexpr ushort phone = 0xf095;
constexpr ushort videoCamera = 0xf03d;
constexpr ushort volumeUp = 0xf028;
constexpr ushort bell = 0xf0f3;
constexpr ushort arrowLeft = 0xf060;
constexpr ushort arrowRight = 0xf061;
} // namespace fa

QFont cjkFont(int pixelSize, bool bold)
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

QPainterPath rounded(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QImage mainBackdrop()
{
    const int W = 700, H = 800;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, QColor(0x12, 0x2B, 0x52));
    g.setColorAt(0.5, QColor(0x0C, 0x1E, 0x3C));
    g.setColorAt(1, QColor(0x07, 0x12, 0x26));
    p.fillRect(img.rect(), g);
    // a faint glow behind the video panels
    QRadialGradient glow(QPointF(W * 0.5, H * 0.35), W * 0.7);
    glow.setColorAt(0, QColor(0x2F, 0x6C, 0xC8, 70));
    glow.setColorAt(1, QColor(0x2F, 0x6C, 0xC8, 0));
    p.fillRect(img.rect(), glow);
    // fine diagonal hatching, like a technical drawing sheet
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = -H; x < W; x += 14)
        p.drawLine(QPointF(x, H), QPointF(x + H, 0));
    p.end();
    return img;
}

QImage titleBand()
{
    const int W = 700, H = 85;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, W, 0);
    g.setColorAt(0, QColor(0x1B, 0x4C, 0xA6));
    g.setColorAt(0.6, QColor(0x17, 0x3C, 0x84));
    g.setColorAt(1, QColor(0x0E, 0x27, 0x5A));
    p.fillRect(img.rect(), g);
    QLinearGradient shade(0, 0, 0, H);
    shade.setColorAt(0, QColor(255, 255, 255, 40));
    shade.setColorAt(0.5, QColor(255, 255, 255, 0));
    shade.setColorAt(1, QColor(0, 0, 0, 60));
    p.fillRect(img.rect(), shade);
    // a highway sweeping in from the right, its lanes as light lines
    for (int i = 0; i < 5; ++i) {
        QPainterPath road;
        road.moveTo(W + 10, H - 4 - i * 9);
        road.cubicTo(W - 140, H - 10 - i * 9, W - 230, 20 + i * 3, W - 420, 6 + i * 2);
        p.setPen(QPen(QColor(255, 255, 255, i == 2 ? 60 : 28), i == 2 ? 2 : 1.2, i % 2 ? Qt::DashLine : Qt::SolidLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(road);
    }
    // a bright rule along the bottom edge
    QLinearGradient rule(0, 0, W, 0);
    rule.setColorAt(0, QColor(0x7F, 0xE6, 0xFF, 0));
    rule.setColorAt(0.3, QColor(0x7F, 0xE6, 0xFF, 200));
    rule.setColorAt(1, QColor(0x7F, 0xE6, 0xFF, 40));
    p.fillRect(QRectF(0, H - 2, W, 2), rule);
    p.end();
    return img;
}

// A shield with a road running through a toll gate.
QImage logo()
{
    const int W = 64, H = 49;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shield;
    shield.moveTo(32, 2);
    shield.cubicTo(42, 6, 50, 6, 56, 5);
    shield.cubicTo(57, 26, 48, 40, 32, 47);
    shield.cubicTo(16, 40, 7, 26, 8, 5);
    shield.cubicTo(14, 6, 22, 6, 32, 2);
    shield.closeSubpath();
    QLinearGradient body(0, 0, 0, H);
    body.setColorAt(0, QColor(0x3A, 0xA8, 0xF0));
    body.setColorAt(1, QColor(0x0E, 0x4F, 0xA8));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.setBrush(body);
    p.drawPath(shield);
    // the road, narrowing to the horizon
    QPainterPath road;
    road.moveTo(22, 44);
    road.lineTo(30, 18);
    road.lineTo(34, 18);
    road.lineTo(42, 44);
    road.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x12, 0x22, 0x3A));
    p.drawPath(p.transform().map(road).intersected(shield));
    p.setPen(QPen(QColor(0xFF, 0xD5, 0x4A), 1.4, Qt::DashLine));
    p.drawLine(QPointF(32, 20), QPointF(32, 43));
    // the gate: a roof on two posts and a barrier arm
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(17, 13, 30, 4));
    p.drawRect(QRectF(18, 17, 3, 12));
    p.drawRect(QRectF(43, 17, 3, 12));
    p.setBrush(QColor(0xFF, 0x55, 0x00));
    p.drawRect(QRectF(21, 24, 12, 2.4));
    p.end();
    return img;
}

// A thin upright rule fading out at both ends.
QImage separator(int w, int h, int alpha)
{
    QImage img = newImage(w, h);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(255, 255, 255, 0));
    g.setColorAt(0.5, QColor(255, 255, 255, alpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(w / 2.0 - 1, 0, 2, h), g);
    p.end();
    return img;
}

// Navigation icon: a glossy disc of its own colour with a white glyph.
QImage navIcon(ushort code, QColor top, QColor bottom, QSizeF glyphBox)
{
    const int S = 55;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(3, 2, 49, 49);
    QPainterPath shape;
    shape.addEllipse(disc);
    softShadow(p, shape, img.size(), QColor(0, 0, 0, 120), 2, QPointF(0, 2));
    QLinearGradient body(disc.topLeft(), disc.bottomLeft());
    body.setColorAt(0, top);
    body.setColorAt(1, bottom);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.5));
    p.setBrush(body);
    p.drawEllipse(disc);
    QRadialGradient sheen(QPointF(20, 12), 30);
    sheen.setColorAt(0, QColor(255, 255, 255, 90));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(disc);
    QRectF box(QPointF(0, 0), glyphBox);
    box.moveCenter(disc.center());
    p.setBrush(Qt::white);
    p.drawPath(glyph(code, box));
    p.end();
    return img;
}

// A car seen from behind and above, for the camera still.
void carRear(QPainter &p, QPointF bottomCentre, double width, QColor paint)
{
    const double w = width, h = width * 0.62;
    const QRectF body(bottomCentre.x() - w / 2, bottomCentre.y() - h, w, h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(QRectF(body.left() - w * 0.05, body.bottom() - h * 0.12, w * 1.1, h * 0.24));
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, paint.lighter(130));
    g.setColorAt(1, paint.darker(150));
    p.setBrush(g);
    p.drawPath(rounded(body.adjusted(0, h * 0.28, 0, 0), w * 0.12));
    QPainterPath cabin;
    cabin.moveTo(body.left() + w * 0.14, body.top() + h * 0.32);
    cabin.lineTo(body.left() + w * 0.24, body.top());
    cabin.lineTo(body.right() - w * 0.24, body.top());
    cabin.lineTo(body.right() - w * 0.14, body.top() + h * 0.32);
    cabin.closeSubpath();
    p.setBrush(paint.darker(120));
    p.drawPath(cabin);
    p.setBrush(QColor(0x20, 0x2A, 0x36));
    p.drawPath(rounded(QRectF(body.left() + w * 0.22, body.top() + h * 0.06, w * 0.56, h * 0.22), 2));
    p.setBrush(QColor(0xE0, 0x20, 0x20));
    p.drawRect(QRectF(body.left() + w * 0.05, body.top() + h * 0.45, w * 0.18, h * 0.12));
    p.drawRect(QRectF(body.right() - w * 0.23, body.top() + h * 0.45, w * 0.18, h * 0.12));
    p.setBrush(QColor(0xF2, 0xF2, 0xE8));
    p.drawRect(QRectF(bottomCentre.x() - w * 0.13, body.top() + h * 0.64, w * 0.26, h * 0.14));
    p.setBrush(QColor(0x15, 0x15, 0x15));
    p.drawRect(QRectF(body.left() + w * 0.06, body.bottom() - h * 0.06, w * 0.16, h * 0.12));
    p.drawRect(QRectF(body.right() - w * 0.22, body.bottom() - h * 0.06, w * 0.16, h * 0.12));
}

// A fixed camera over the plaza: canopy, booths, lanes and a few cars, with its caption and clock.
QImage cameraStill()
{
    const int W = 480, H = 300;
    const double horizon = 96;
    const QPointF vanish(W * 0.5, 70);
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, QColor(0x9C, 0xB8, 0xD0));
    sky.setColorAt(1, QColor(0xD8, 0xE2, 0xE6));
    p.fillRect(QRectF(0, 0, W, horizon), sky);
    // hills and trees on the horizon
    ValueNoise noise(71);
    QPainterPath hills;
    hills.moveTo(0, horizon);
    for (int x = 0; x <= W; x += 4)
        hills.lineTo(x, horizon - 14 - 22 * noise.fbm(x / 90.0, 0.5, 3));
    hills.lineTo(W, horizon);
    hills.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5E, 0x74, 0x62));
    p.drawPath(hills);

    // ground and the widening plaza
    QLinearGradient ground(0, horizon, 0, H);
    ground.setColorAt(0, QColor(0x7A, 0x80, 0x78));
    ground.setColorAt(1, QColor(0x5A, 0x60, 0x58));
    p.fillRect(QRectF(0, horizon, W, H - horizon), ground);
    auto atY = [&](double xBottom, double y) {
        const double t = (y - vanish.y()) / (H - vanish.y());
        return vanish.x() + (xBottom - vanish.x()) * t;
    };
    const double edgeL = -260, edgeR = W + 260;
    QPainterPath plaza;
    plaza.moveTo(atY(edgeL, horizon), horizon);
    plaza.lineTo(atY(edgeR, horizon), horizon);
    plaza.lineTo(edgeR, H);
    plaza.lineTo(edgeL, H);
    plaza.closeSubpath();
    QLinearGradient asphalt(0, horizon, 0, H);
    asphalt.setColorAt(0, QColor(0x6E, 0x72, 0x76));
    asphalt.setColorAt(1, QColor(0x48, 0x4C, 0x52));
    p.setBrush(asphalt);
    p.drawPath(plaza);

    // six lanes; their dividers meet at the vanishing point
    const int lanes = 6;
    const double laneBottom = (edgeR - edgeL) / lanes;
    for (int i = 1; i < lanes; ++i) {
        const double xb = edgeL + i * laneBottom;
        QPen pen(QColor(0xF4, 0xF4, 0xF0, 220), 1.0 + 2.5 * 0.5);
        pen.setDashPattern({6, 5});
        p.setPen(pen);
        p.drawLine(QPointF(atY(xb, horizon + 28), horizon + 28), QPointF(xb, H));
    }

    // toll islands under the canopy, one between every two lanes
    const double islandTop = horizon + 6, islandBottom = horizon + 30;
    for (int i = 1; i < lanes; ++i) {
        const double xb = edgeL + i * laneBottom;
        QPainterPath island;
        const double w0 = 3, w1 = 6;
        island.moveTo(atY(xb, islandTop) - w0, islandTop);
        island.lineTo(atY(xb, islandTop) + w0, islandTop);
        island.lineTo(atY(xb, islandBottom) + w1, islandBottom);
        island.lineTo(atY(xb, islandBottom) - w1, islandBottom);
        island.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE8, 0xC2, 0x2E));
        p.drawPath(island);
        // booth
        const double bx = atY(xb, islandBottom - 6);
        QRectF booth(bx - 7, islandBottom - 26, 14, 20);
        p.setBrush(QColor(0xEE, 0xF2, 0xF4));
        p.drawRect(booth);
        p.setBrush(QColor(0x4A, 0x7F, 0xB0));
        p.drawRect(QRectF(booth.left() + 2, booth.top() + 4, booth.width() - 4, 7));
    }

    // the canopy on its pillars
    const double canopyL = atY(edgeL + laneBottom * 0.6, islandBottom), canopyR = atY(edgeR - laneBottom * 0.6, islandBottom);
    const QRectF canopy(canopyL, 40, canopyR - canopyL, 26);
    p.setBrush(QColor(0x9A, 0xA2, 0xAA));
    for (int i = 0; i <= lanes; i += 2) {
        const double x = canopy.left() + canopy.width() * i / lanes;
        p.drawRect(QRectF(x - 2.5, canopy.bottom(), 5, islandBottom - canopy.bottom()));
    }
    QLinearGradient face(0, canopy.top(), 0, canopy.bottom());
    face.setColorAt(0, QColor(0x2A, 0x6A, 0xC0));
    face.setColorAt(1, QColor(0x1A, 0x44, 0x9A));
    p.setBrush(face);
    p.drawRect(canopy);
    p.setBrush(QColor(0xF2, 0xF5, 0xF8));
    p.drawRect(QRectF(canopy.left(), canopy.bottom() - 5, canopy.width(), 5));
    p.setPen(QColor(0xFF, 0xFF, 0xFF));
    p.setFont(cjkFont(13, true));
    p.drawText(canopy.adjusted(0, 0, 0, -5), Qt::AlignCenter, QStringLiteral("Norvale 收 费 站"));
    // a lane light above every lane: green arrows, one red cross
    for (int i = 0; i < lanes; ++i) {
        const double x = canopy.left() + canopy.width() * (i + 0.5) / lanes;
        const QRectF light(x - 6, canopy.bottom() - 4 + 7, 12, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x10, 0x14, 0x18));
        p.drawRect(light);
        p.setPen(QPen(i == 4 ? QColor(0xFF, 0x30, 0x30) : QColor(0x30, 0xFF, 0x60), 1.6));
        if (i == 4) {
            p.drawLine(light.topLeft() + QPointF(3, 2), light.bottomRight() - QPointF(3, 2));
            p.drawLine(light.topRight() + QPointF(-3, 2), light.bottomLeft() + QPointF(3, -2));
        } else {
            p.drawLine(QPointF(x, light.top() + 2), QPointF(x, light.bottom() - 2));
            p.drawLine(QPointF(x - 3, light.bottom() - 5), QPointF(x, light.bottom() - 2));
            p.drawLine(QPointF(x + 3, light.bottom() - 5), QPointF(x, light.bottom() - 2));
        }
    }

    // traffic: cars leaving the booths towards the camera
    struct Car {
        int lane;
        double y;
        QColor paint;
    };
    const Car cars[] = {{1, 150, QColor(0xC8, 0xCC, 0xD2)},
                        {2, 232, QColor(0x1E, 0x3E, 0x7A)},
                        {3, 168, QColor(0xB0, 0x22, 0x22)},
                        {4, 128, QColor(0x24, 0x24, 0x28)}};
    for (const Car &car : cars) {
        const double xb = edgeL + (car.lane + 0.5) * laneBottom;
        const double t = (car.y - vanish.y()) / (H - vanish.y());
        carRear(p, QPointF(atY(xb, car.y), car.y), laneBottom * t * 0.62, car.paint);
    }

    // camera caption and clock, white with a dark edge as on-screen text is
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(13);
    mono.setBold(true);
    p.setFont(mono);
    auto osd = [&](const QRectF &r, int flags, const QString &text) {
        p.setPen(QColor(0, 0, 0, 200));
        p.drawText(r.translated(1, 1), flags, text);
        p.setPen(QColor(255, 255, 255));
        p.drawText(r, flags, text);
    };
    osd(QRectF(8, 6, W - 16, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CAM-01  LANE 1-6"));
    osd(QRectF(8, 6, W - 16, 18), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("2024-05-18 14:32:07"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0x30, 0x30));
    p.drawEllipse(QRectF(10, H - 20, 9, 9));
    osd(QRectF(24, H - 24, 80, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("REC"));
    p.end();
    dither(img, 77);
    return img;
}

// A lane from above, traffic running left (or right when mirrored): islands with
// a booth and a barrier, a car coming up to it. Transparent at both ends so the
// page's grid can take its spacing out of the rim.
QImage lanePicture(bool towardsRight, QColor paint, QColor roof)
{
    const int W = 320, H = 180;
    const double rim = 30;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (towardsRight) {
        p.translate(W, 0);
        p.scale(-1, 1);
    }
    const QRectF area(rim, 4, W - 2 * rim, H - 8);
    const QPainterPath shape = rounded(area, 10);
    softShadow(p, shape, img.size(), QColor(0, 0, 0, 90), 3, QPointF(0, 2));
    p.setClipPath(shape);
    QLinearGradient asphalt(0, area.top(), 0, area.bottom());
    asphalt.setColorAt(0, QColor(0x5A, 0x5F, 0x66));
    asphalt.setColorAt(1, QColor(0x44, 0x48, 0x4E));
    p.fillRect(area, asphalt);

    // islands above and below the lane, hazard-striped at their noses
    const double laneTop = area.top() + 40, laneBottom = area.bottom() - 34;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0xCC, 0xCE));
    p.drawRect(QRectF(area.left() + 70, area.top(), 100, laneTop - area.top() - 6));
    p.drawRect(QRectF(area.left() + 70, laneBottom + 6, 100, area.bottom() - laneBottom - 6));
    for (int i = 0; i < 4; ++i) {
        p.setBrush(i % 2 ? QColor(0x20, 0x20, 0x20) : QColor(0xF2, 0xC2, 0x1A));
        p.drawRect(QRectF(area.left() + 62 + i * 2, area.top(), 2, laneTop - area.top() - 6));
        p.drawRect(QRectF(area.left() + 62 + i * 2, laneBottom + 6, 2, area.bottom() - laneBottom - 6));
    }
    // the booth with its roof
    const QRectF booth(area.left() + 96, area.top() + 3, 48, laneTop - area.top() - 12);
    p.setBrush(roof);
    p.drawPath(rounded(booth, 3));
    p.setBrush(roof.lighter(135));
    p.drawRect(QRectF(booth.left() + 4, booth.bottom() - 6, booth.width() - 8, 4));
    // lane edges and a dashed centre line beyond the gate
    p.setPen(QPen(QColor(0xF0, 0xF0, 0xF0), 2));
    p.drawLine(QPointF(area.left(), laneTop), QPointF(area.right(), laneTop));
    p.drawLine(QPointF(area.left(), laneBottom), QPointF(area.right(), laneBottom));
    // the barrier arm, red and white, lowered across the lane
    const double gateX = area.left() + 100;
    for (int i = 0; i < 8; ++i) {
        const double y0 = laneTop - 4 + i * ((laneBottom - laneTop + 4) / 8.0);
        p.setPen(Qt::NoPen);
        p.setBrush(i % 2 ? QColor(0xF4, 0xF4, 0xF4) : QColor(0xE0, 0x2A, 0x2A));
        p.drawRect(QRectF(gateX - 2.5, y0, 5, (laneBottom - laneTop + 4) / 8.0));
    }
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawEllipse(QPointF(gateX, laneTop - 5), 5, 5);
    // a direction arrow painted on the road, past the gate
    const double mid = (laneTop + laneBottom) / 2;
    QPainterPath arrow;
    arrow.moveTo(area.left() + 12, mid);
    arrow.lineTo(area.left() + 30, mid - 11);
    arrow.lineTo(area.left() + 30, mid - 4);
    arrow.lineTo(area.left() + 56, mid - 4);
    arrow.lineTo(area.left() + 56, mid + 4);
    arrow.lineTo(area.left() + 30, mid + 4);
    arrow.lineTo(area.left() + 30, mid + 11);
    arrow.closeSubpath();
    p.setBrush(QColor(0xF4, 0xF4, 0xF0, 220));
    p.drawPath(arrow);
    // the car, nose towards the gate
    const QRectF car(gateX + 22, mid - 22, 96, 44);
    softShadow(p, rounded(car, 12), img.size(), QColor(0, 0, 0, 140), 3, QPointF(0, 3));
    QLinearGradient body(0, car.top(), 0, car.bottom());
    body.setColorAt(0, paint.lighter(125));
    body.setColorAt(0.5, paint);
    body.setColorAt(1, paint.darker(140));
    p.setBrush(body);
    p.drawPath(rounded(car, 12));
    p.setBrush(QColor(0x1C, 0x26, 0x32));
    p.drawPath(rounded(QRectF(car.left() + 22, car.top() + 6, 16, car.height() - 12), 4));  // windscreen
    p.drawPath(rounded(QRectF(car.right() - 24, car.top() + 7, 12, car.height() - 14), 3)); // rear window
    p.setBrush(paint.lighter(110));
    p.drawPath(rounded(QRectF(car.left() + 40, car.top() + 7, car.width() - 66, car.height() - 14), 4)); // roof
    p.setBrush(QColor(0xFF, 0xF4, 0xC0));
    p.drawEllipse(QRectF(car.left() + 2, car.top() + 5, 6, 8));
    p.drawEllipse(QRectF(car.left() + 2, car.bottom() - 13, 6, 8));
    p.setBrush(QColor(0xD0, 0x20, 0x20));
    p.drawRect(QRectF(car.right() - 4, car.top() + 6, 3, 8));
    p.drawRect(QRectF(car.right() - 4, car.bottom() - 14, 3, 8));
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.5));
    p.drawPath(rounded(area.adjusted(0.75, 0.75, -0.75, -0.75), 9.5));
    p.end();
    return img;
}

QImage laneTitleIcon(ushort code, QColor colour)
{
    const int S = 25;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(1, 1, 23, 23);
    QLinearGradient g(tile.topLeft(), tile.bottomLeft());
    g.setColorAt(0, colour.lighter(130));
    g.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(rounded(tile, 5));
    p.setBrush(Qt::white);
    p.drawPath(glyph(code, QRectF(6, 6, 13, 13)));
    p.end();
    return img;
}

// The ring (call) button: a bell on a green disc, or on a red one with sound waves.
QImage ring(bool alarm)
{
    const int S = 50;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(4, 3, 42, 42);
    QPainterPath shape;
    shape.addEllipse(disc);
    softShadow(p, shape, img.size(), QColor(0, 0, 0, 110), 2, QPointF(0, 2));
    QRadialGradient body(disc.center() - QPointF(6, 8), 30);
    body.setColorAt(0, alarm ? QColor(0xFF, 0x7A, 0x6E) : QColor(0x5E, 0xE0, 0x9A));
    body.setColorAt(1, alarm ? QColor(0xC0, 0x14, 0x1C) : QColor(0x14, 0x8A, 0x50));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.setBrush(body);
    p.drawEllipse(disc);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    const QPointF c = disc.center();
    p.drawPath(glyph(fa::bell, QRectF(c.x() - 10, c.y() - 10, 20, 20)));
    if (alarm) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xFF, 0xF2, 0xA0), 2, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 2; ++i) {
            const double r = 13 + i * 4;
            const QRectF arc(c.x() - r, c.y() - r, 2 * r, 2 * r);
            p.drawArc(arc, 20 * 16, 50 * 16);
            p.drawArc(arc, 110 * 16, 50 * 16);
        }
    }
    p.end();
    return img;
}

// A call button: a pill with a handset and its caption.
QImage callButton(bool on)
{
    const int W = 274, H = 86;
    QImage img = newImage(W, H);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF pill(6, 8, W - 12, H - 18);
    const QPainterPath shape = rounded(pill, pill.height() / 2);
    softShadow(p, shape, img.size(), QColor(0, 0, 0, 160), 4, QPointF(0, 3));
    QLinearGradient body(pill.topLeft(), pill.bottomLeft());
    body.setColorAt(0, on ? QColor(0x4C, 0xD9, 0x7B) : QColor(0xF2, 0x5A, 0x4E));
    body.setColorAt(1, on ? QColor(0x13, 0x8A, 0x45) : QColor(0xA8, 0x16, 0x1C));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawPath(shape);
    QLinearGradient gloss(pill.topLeft(), QPointF(pill.left(), pill.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 90));
    gloss.setColorAt(1, QColor(255, 255, 255, 8));
    p.setBrush(gloss);
    p.drawPath(rounded(pill.adjusted(4, 3, -4, -pill.height() / 2), pill.height() / 4));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.5));
    p.drawPath(shape);
    // handset in a white disc; hung up it lies turned down
    const QRectF badge(pill.left() + 10, pill.top() + 8, pill.height() - 16, pill.height() - 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(badge);
    p.save();
    p.translate(badge.center());
    if (!on)
        p.rotate(135);
    p.setBrush(on ? QColor(0x13, 0x8A, 0x45) : QColor(0xA8, 0x16, 0x1C));
    p.drawPath(glyph(fa::phone, QRectF(-15, -15, 30, 30)));
    p.restore();
    const QRectF text(badge.right() + 6, pill.top(), pill.right() - badge.right() - 20, pill.height());
    p.setFont(cjkFont(28, true));
    p.setPen(QColor(0, 0, 0, 90));
    p.drawText(text.translated(0, 1.5), Qt::AlignCenter, on ? QStringLiteral("接通对讲") : QStringLiteral("挂断对讲"));
    p.setPen(Qt::white);
    p.drawText(text, Qt::AlignCenter, on ? QStringLiteral("接通对讲") : QStringLiteral("挂断对讲"));
    p.end();
    return img;
}

} // namespace

std::vector<Picture> consolePictures()
{
    std::vector<Picture> out;
    out.push_back({QStringLiteral("image/bg_main.png"), mainBackdrop()});
    out.push_back({QStringLiteral("image/bg_title.png"), titleBand()});
    out.push_back({QStringLiteral("image/logo.png"), logo()});
    out.push_back({QStringLiteral("image/line_title.png"), separator(10, 60, 220)});
    out.push_back({QStringLiteral("image/line_nav.png"), separator(10, 70, 140)});
    out.push_back({QStringLiteral("image/nav_call.png"),
                   navIcon(fa::phone, QColor(0x3C, 0xD0, 0x8A), QColor(0x0E, 0x84, 0x5A), QSizeF(24, 24))});
    out.push_back({QStringLiteral("image/nav_video.png"),
                   navIcon(fa::videoCamera, QColor(0x4A, 0xA8, 0xFF), QColor(0x14, 0x52, 0xB8), QSizeF(28, 22))});
    out.push_back({QStringLiteral("image/nav_audio.png"),
                   navIcon(fa::volumeUp, QColor(0xFF, 0xB0, 0x48), QColor(0xD0, 0x62, 0x0E), QSizeF(27, 24))});
    out.push_back({QStringLiteral("image/bg_video.jpg"), cameraStill()});
    out.push_back({QStringLiteral("image/left_title.png"), laneTitleIcon(fa::arrowLeft, QColor(0x2E, 0x7D, 0x5A))});
    out.push_back({QStringLiteral("image/right_title.png"), laneTitleIcon(fa::arrowRight, QColor(0x1A, 0x44, 0x9A))});
    out.push_back({QStringLiteral("image/left_bg.png"),
                   lanePicture(false, QColor(0x2A, 0x6C, 0xD8), QColor(0x1E, 0x8C, 0x6A))});
    out.push_back({QStringLiteral("image/right_bg.png"),
                   lanePicture(true, QColor(0xD8, 0x8A, 0x1E), QColor(0x1A, 0x44, 0x9A))});
    out.push_back({QStringLiteral("image/ring_normal.png"), ring(false)});
    out.push_back({QStringLiteral("image/ring_alarm.png"), ring(true)});
    out.push_back({QStringLiteral("image/btnOn.png"), callButton(true)});
    out.push_back({QStringLiteral("image/btnOff.png"), callButton(false)});
    return out;
}

} // namespace pg
