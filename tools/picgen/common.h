// Shared palette, deterministic noise and drawing helpers for picgen.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace pg {

// One palette for every picture.
namespace pal {
inline QColor navyDeep() { return QColor(0x05, 0x12, 0x22); }
inline QColor navy() { return QColor(0x08, 0x20, 0x38); }
inline QColor navyMid() { return QColor(0x0C, 0x30, 0x4E); }
inline QColor teal() { return QColor(0x0B, 0x44, 0x58); }
inline QColor cyan() { return QColor(0x03, 0xC5, 0xED); }
inline QColor cyanSoft() { return QColor(0x00, 0xBB, 0xE2); }
inline QColor cyanLight() { return QColor(0x7F, 0xE6, 0xFF); }
inline QColor ice() { return QColor(0xE5, 0xF8, 0xF2); }
inline QColor green() { return QColor(0x1A, 0xBC, 0x9C); }
inline QColor greenBright() { return QColor(0x00, 0xF3, 0x0F); }
inline QColor red() { return QColor(0xFF, 0x69, 0x6B); }
inline QColor orange() { return QColor(0xFF, 0x55, 0x00); }
inline QColor withAlpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}
} // namespace pal

// Outline width shared by all control pictures.
constexpr qreal kLine = 2.0;

// Small portable PRNG (splitmix64); std distributions differ between libraries.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    double uniform(); // [0, 1)
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return static_cast<int>(uniform() * n); }

private:
    std::uint64_t m_state;
};

// Smooth value noise in [0, 1], stable for a given seed.
class ValueNoise {
public:
    explicit ValueNoise(std::uint32_t seed);
    double at(double x, double y) const;
    double fbm(double x, double y, int octaves) const;

private:
    double lattice(int x, int y) const;
    std::uint32_t m_seed;
};

QImage newImage(int w, int h);
void boxBlur(QImage &img, int radius); // three box passes ~ gaussian
QImage blurred(const QImage &img, int radius);
// Paints shape, offset and blurred, in col: the drop shadow under a tile or a badge.
void softShadow(QPainter &p, const QPainterPath &shape, QSize size, QColor col, int blur, QPointF offset);

// FontAwesome glyph as a path scaled to fit box and centred in it.
bool loadIconFont();
QPainterPath glyph(ushort code, const QRectF &box);

// Adds +-1 level of triangular noise to an opaque image so gradients do not band.
void dither(QImage &img, std::uint32_t seed);

double smoothstep(double e0, double e1, double x);
QColor mix(const QColor &a, const QColor &b, double t);

bool savePng(const QImage &img, const QString &path);
bool saveJpeg(const QImage &img, const QString &path, int quality);

} // namespace pg
