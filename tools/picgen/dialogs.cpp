// The framework dialogs' pictures: the message box's three round badges and
// the two button icons, drawn large enough to stay sharp at 30 and 18 pixels.
#include "common.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace pg {

namespace {

// A glossy round badge with a white glyph.
QImage badge(ushort code, const QColor &top, const QColor &bottom, qreal glyphScale)
{
    const int S = 64;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(4, 3, S - 8, S - 8);
    QPainterPath circle;
    circle.addEllipse(disc);
    softShadow(p, circle, img.size(), QColor(0, 0, 0, 90), 3, QPointF(0, 1.5));

    QLinearGradient body(disc.topLeft(), disc.bottomLeft());
    body.setColorAt(0, top);
    body.setColorAt(1, bottom);
    p.setPen(QPen(bottom.darker(125), 1.5));
    p.setBrush(body);
    p.drawEllipse(disc);

    // Highlight across the upper half.
    QRadialGradient sheen(disc.center().x(), disc.top() + disc.height() * 0.28, disc.width() * 0.55);
    sheen.setColorAt(0, QColor(255, 255, 255, 120));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(disc.adjusted(4, 3, -4, -disc.height() * 0.45));

    const qreal g = disc.width() * glyphScale;
    const QRectF at(disc.center().x() - g / 2, disc.center().y() - g / 2, g, g);
    const QPainterPath mark = glyph(code, at);
    softShadow(p, mark, img.size(), QColor(0, 0, 0, 80), 2, QPointF(0, 1));
    p.setBrush(Qt::white);
    p.drawPath(mark);
    return img;
}

// A button icon: the glyph alone in a colour that reads on light and dark buttons.
QImage buttonIcon(ushort code, const QColor &top, const QColor &bottom)
{
    const int S = 36;
    QImage img = newImage(S, S);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath mark = glyph(code, QRectF(4, 4, S - 8, S - 8));
    softShadow(p, mark, img.size(), QColor(0, 0, 0, 70), 2, QPointF(0, 1));
    QLinearGradient fill(0, 4, 0, S - 4);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(bottom.darker(130), 1.0));
    p.setBrush(fill);
    p.drawPath(mark);
    return img;
}

} // namespace

std::vector<Picture> dialogPictures()
{
    return {
        {QStringLiteral("image/msg_info.png"), badge(0xF129, QColor(0x4F, 0xA8, 0xF0), QColor(0x1E, 0x6F, 0xC8), 0.50)},
        {QStringLiteral("image/msg_question.png"), badge(0xF128, QColor(0xFF, 0xB8, 0x3D), QColor(0xE0, 0x7B, 0x0C), 0.52)},
        {QStringLiteral("image/msg_error.png"), badge(0xF00D, QColor(0xFF, 0x6A, 0x5E), QColor(0xC9, 0x2A, 0x2A), 0.46)},
        {QStringLiteral("image/btn_ok.png"), buttonIcon(0xF00C, QColor(0x3D, 0xD6, 0x8C), QColor(0x14, 0x9A, 0x5A))},
        {QStringLiteral("image/btn_close.png"), buttonIcon(0xF00D, QColor(0xFF, 0x72, 0x66), QColor(0xCC, 0x30, 0x30))},
    };
}

} // namespace pg
