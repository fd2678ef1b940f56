#include "common.h"

#include <QDebug>
#include <QFont>
#include <QFontDatabase>
#include <QImageWriter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pg {

std::uint64_t Rng::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform()
{
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

ValueNoise::ValueNoise(std::uint32_t seed) : m_seed(seed) {}

double ValueNoise::lattice(int x, int y) const
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + m_seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / double(0xFFFFFF);
}

double ValueNoise::at(double x, double y) const
{
    const int xi = static_cast<int>(std::floor(x));
    const int yi = static_cast<int>(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    // quintic fade keeps the field free of grid creases
    const double u = fx * fx * fx * (fx * (fx * 6 - 15) + 10);
    const double v = fy * fy * fy * (fy * (fy * 6 - 15) + 10);
    const double a = lattice(xi, yi), b = lattice(xi + 1, yi);
    const double c = lattice(xi, yi + 1), d = lattice(xi + 1, yi + 1);
    return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

double ValueNoise::fbm(double x, double y, int octaves) const
{
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * at(x, y);
        norm += amp;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
        amp *= 0.5;
    }
    return sum / norm;
}

QImage newImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

namespace {

// One horizontal box pass over premultiplied pixels, edges clamped.
void boxPass(std::vector<std::uint32_t> &src, std::vector<std::uint32_t> &dst, int w, int h, int r, bool horizontal)
{
    const int len = horizontal ? w : h;
    const int lines = horizontal ? h : w;
    const int win = 2 * r + 1;
    for (int l = 0; l < lines; ++l) {
        auto px = [&](int i) -> std::uint32_t & {
            i = std::clamp(i, 0, len - 1);
            return horizontal ? src[static_cast<size_t>(l) * w + i] : src[static_cast<size_t>(i) * w + l];
        };
        long sum[4] = {0, 0, 0, 0};
        for (int i = -r; i <= r; ++i) {
            const std::uint32_t p = px(i);
            for (int c = 0; c < 4; ++c)
                sum[c] += (p >> (8 * c)) & 0xFF;
        }
        for (int i = 0; i < len; ++i) {
            std::uint32_t out = 0;
            for (int c = 0; c < 4; ++c)
                out |= static_cast<std::uint32_t>((sum[c] + win / 2) / win) << (8 * c);
            (horizontal ? dst[static_cast<size_t>(l) * w + i] : dst[static_cast<size_t>(i) * w + l]) = out;
            const std::uint32_t add = px(i + r + 1);
            const std::uint32_t sub = px(i - r);
            for (int c = 0; c < 4; ++c)
                sum[c] += static_cast<long>((add >> (8 * c)) & 0xFF) - static_cast<long>((sub >> (8 * c)) & 0xFF);
        }
    }
}

} // namespace

void boxBlur(QImage &img, int radius)
{
    if (radius < 1)
        return;
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = img.width(), h = img.height();
    std::vector<std::uint32_t> a(static_cast<size_t>(w) * h), b(a.size());
    for (int y = 0; y < h; ++y)
        std::copy_n(reinterpret_cast<const std::uint32_t *>(img.constScanLine(y)), w, a.begin() + static_cast<long>(y) * w);
    // three passes of a box of radius r/sqrt(3) approximate a gaussian of radius r
    const int r = std::max(1, static_cast<int>(std::lround(radius / 1.7)));
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(a, b, w, h, r, true);
        boxPass(b, a, w, h, r, false);
    }
    for (int y = 0; y < h; ++y)
        std::copy_n(a.begin() + static_cast<long>(y) * w, w, reinterpret_cast<std::uint32_t *>(img.scanLine(y)));
}

QImage blurred(const QImage &img, int radius)
{
    QImage copy = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    boxBlur(copy, radius);
    return copy;
}

static QString s_iconFamily;

bool loadIconFont()
{
    const QStringList candidates = {
        QStringLiteral("/usr/share/fonts/truetype/font-awesome/fontawesome-webfont.ttf"),
        QStringLiteral("/usr/share/fonts-font-awesome/fonts/fontawesome-webfont.ttf"),
    };
    for (const QString &file : candidates) {
        const int id = QFontDatabase::addApplicationFont(file);
        if (id >= 0) {
            const QStringList families = QFontDatabase::applicationFontFamilies(id);
            if (!families.isEmpty()) {
                s_iconFamily = families.first();
                return true;
            }
        }
    }
    qWarning() << "FontAwesome not found; install fonts-font-awesome";
    return false;
}

QPainterPath glyph(ushort code, const QRectF &box)
{
    QFont font(s_iconFamily);
    font.setPixelSize(512);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath raw;
    raw.addText(0, 0, font, QString(QChar(code)));
    const QRectF br = raw.boundingRect();
    if (br.isEmpty())
        return raw;
    const qreal s = std::min(box.width() / br.width(), box.height() / br.height());
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(s, s);
    t.translate(-br.center().x(), -br.center().y());
    return t.map(raw);
}

void dither(QImage &img, std::uint32_t seed)
{
    Rng rng(seed);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const std::uint64_t r = rng.next();
            const int d = static_cast<int>(r & 1) + static_cast<int>((r >> 1) & 1) - 1; // -1, 0, 0, +1
            const QRgb p = line[x];
            auto c = [&](int v) { return std::clamp(v + d, 0, 255); };
            line[x] = qRgba(c(qRed(p)), c(qGreen(p)), c(qBlue(p)), qAlpha(p));
        }
    }
}

double smoothstep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

bool savePng(const QImage &img, const QString &path)
{
    QImageWriter w(path, "png");
    w.setQuality(0); // for png this selects the strongest deflate level
    if (!w.write(img.convertToFormat(QImage::Format_ARGB32))) {
        qWarning() << "cannot write" << path << w.errorString();
        return false;
    }
    return true;
}

bool saveJpeg(const QImage &img, const QString &path, int quality)
{
    QImageWriter w(path, "jpeg");
    w.setQuality(quality);
    w.setOptimizedWrite(true);
    if (!w.write(img.convertToFormat(QImage::Format_RGB32))) {
        qWarning() << "cannot write" << path << w.errorString();
        return false;
    }
    return true;
}

void softShadow(QPainter &p, const QPainterPath &shape, QSize size, QColor col, int blur, QPointF offset)
{
    QImage layer = newImage(size.width(), size.height());
    {
        QPainter s(&layer);
        s.setRenderHint(QPainter::Antialiasing);
        s.setPen(Qt::NoPen);
        s.setBrush(col);
        s.translate(offset);
        s.drawPath(shape);
    }
    boxBlur(layer, blur);
    p.drawImage(0, 0, layer);
}

} // namespace pg
