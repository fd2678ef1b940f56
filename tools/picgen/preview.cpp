// Contact sheet and mock-ups built from the written pictures.
#include "pictures.h"

#include "common.h"

#include <QDir>
#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

namespace pg {

namespace {

QFont uiFont(int pt, bool bold = false)
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPointSize(pt);
    f.setBold(bold);
    return f;
}

QImage load(const QString &dir, const QString &name)
{
    QImage img(QDir(dir).filePath(name));
    if (img.isNull())
        qWarning("missing %s", qPrintable(name));
    return img;
}

QImage contactSheet(const QString &dir)
{
    const int W = 1400;
    QImage sheet(W, 1500, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x0B, 0x1A, 0x28));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setFont(uiFont(9));
    const QColor label(0xE5, 0xF8, 0xF2);
    int x = 20, y = 20;
    for (int i = 0; i < 13; ++i) {
        const QString name = QStringLiteral("bg/main%1.jpg").arg(i, 2, 10, QLatin1Char('0'));
        const QRect r(x, y, 256, 150);
        p.drawImage(r, load(dir, name));
        p.setPen(label);
        p.drawText(QRect(x, y + 152, 256, 18), Qt::AlignCenter, name);
        x += 272;
        if (x + 256 > W) {
            x = 20;
            y += 184;
        }
    }
    y += 200;
    x = 20;
    // icons at their own size on the panel colour, then on pure black
    const QStringList names = QDir(QDir(dir).filePath(QStringLiteral("image"))).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    int rowHeight = 0;
    for (const QString &n : names) {
        const QImage img = load(dir, QStringLiteral("image/") + n);
        const int w = std::max(img.width(), 120);
        if (x + w + 20 > W) {
            x = 20;
            y += rowHeight + 36;
            rowHeight = 0;
        }
        p.fillRect(QRect(x - 4, y - 4, img.width() + 8, img.height() + 8), QColor(0x10, 0x2C, 0x38));
        p.drawImage(x, y, img);
        p.setPen(label);
        p.drawText(QRect(x - 10, y + img.height() + 6, w + 20, 18), Qt::AlignLeft, n);
        x += w + 30;
        rowHeight = std::max(rowHeight, img.height());
    }
    p.end();
    return sheet.copy(0, 0, W, y + rowHeight + 40);
}

// Small pieces blown up without smoothing, to check edges pixel by pixel.
QImage zoomSheet(const QString &dir)
{
    QImage sheet(1400, 900, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x0B, 0x1A, 0x28));
    QPainter p(&sheet);
    auto blow = [&](const QString &name, QRect src, int k, QPoint at) {
        QImage img = load(dir, QStringLiteral("image/") + name);
        if (src.isNull())
            src = img.rect();
        img = img.copy(src);
        p.drawImage(at, img.scaled(img.size() * k, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    };
    int x = 10;
    for (const char *n : {"netok.png", "neterror.png", "ac220ok.png", "ac220error.png", "powerok.png", "powererror.png"}) {
        blow(QLatin1String(n), QRect(), 4, QPoint(x, 10));
        x += 38 * 4 + 16;
    }
    blow(QStringLiteral("topbg1.png"), QRect(0, 0, 340, 56), 2, QPoint(10, 180));
    blow(QStringLiteral("topbg1.png"), QRect(684, 0, 340, 56), 2, QPoint(700, 180));
    x = 10;
    for (const char *n : {"btn_check_off1.png", "btn_check_on1.png", "btn_check_off2.png", "btn_check_on2.png"}) {
        blow(QLatin1String(n), QRect(), 2, QPoint(x, 310));
        x += 340;
    }
    blow(QStringLiteral("btn_check_off.png"), QRect(), 3, QPoint(10, 440));
    blow(QStringLiteral("btn_check_on.png"), QRect(), 3, QPoint(330, 440));
    blow(QStringLiteral("navlabel.png"), QRect(), 2, QPoint(660, 440));
    blow(QStringLiteral("btnbgtop.png"), QRect(), 2, QPoint(10, 580));
    blow(QStringLiteral("btnbgleft.png"), QRect(), 2, QPoint(320, 580));
    blow(QStringLiteral("main_open.png"), QRect(), 2, QPoint(740, 580));
    p.end();
    return sheet;
}

// Home screen: backdrop, title bar, status icons, five navigation buttons.
QImage homeMock(const QString &dir, int bg, QSize size)
{
    const double k = size.width() / 1024.0;
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(img.rect(), load(dir, QStringLiteral("bg/main%1.jpg").arg(bg, 2, 10, QLatin1Char('0'))));
    const int barH = size.width() >= 1024 ? 56 : 46;
    p.drawImage(QRect(0, 0, size.width(), barH), load(dir, QStringLiteral("image/topbg1.png")));
    p.setPen(QColor(0xE5, 0xF8, 0xF2));
    p.setFont(uiFont(size.width() >= 1024 ? 18 : 15, true));
    p.drawText(QRect(20, 0, 400, barH - 2), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("智能保险柜终端"));
    p.setFont(uiFont(size.width() >= 1024 ? 15 : 12));
    const int iconY = (barH - 2 - 38) / 2;
    int ix = size.width() - 16 - 38;
    for (const char *n : {"powerok.png", "ac220error.png", "netok.png"}) {
        p.drawImage(ix, iconY, load(dir, QStringLiteral("image/") + QLatin1String(n)));
        ix -= 44;
    }
    p.drawText(QRect(ix - 230, 0, 220, barH - 2), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("2024-05-18 09:41:26"));

    const std::pair<const char *, const char *> items[] = {
        {"main_user.png", "用户管理"}, {"main_open.png", "开柜"}, {"main_log.png", "日志"}, {"main_config.png", "设置"}, {"main_status.png", "状态"}};
    const int cell = static_cast<int>(180 * k);
    const int x0 = (size.width() - cell * 5) / 2;
    const int y0 = static_cast<int>(220 * k);
    p.setFont(uiFont(15));
    for (int i = 0; i < 5; ++i) {
        const QImage icon = load(dir, QStringLiteral("image/") + QLatin1String(items[i].first));
        const int s = static_cast<int>(128 * k);
        const QRect ir(x0 + i * cell + (cell - s) / 2, y0, s, s);
        p.drawImage(ir, icon);
        p.setPen(QColor(255, 255, 255));
        p.drawText(QRect(x0 + i * cell, y0 + s + 6, cell, 30), Qt::AlignCenter, QString::fromUtf8(items[i].second));
    }
    p.setFont(uiFont(12));
    p.setPen(QColor(0xE5, 0xF8, 0xF2));
    p.drawText(QRect(0, size.height() - 40, size.width(), 30), Qt::AlignCenter, QStringLiteral("请选择操作  ·  设备编号 A-0217  ·  版本 1.0"));
    p.end();
    return img;
}

// A form page using the control skins.
QImage formMock(const QString &dir, int bg)
{
    QImage img(1024, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(img.rect(), load(dir, QStringLiteral("bg/main%1.jpg").arg(bg, 2, 10, QLatin1Char('0'))));
    p.drawImage(QRect(0, 0, 1024, 56), load(dir, QStringLiteral("image/topbg1.png")));
    const QColor text(0xE5, 0xF8, 0xF2);
    p.setPen(text);
    p.setFont(uiFont(18, true));
    p.drawText(QRect(20, 0, 400, 54), Qt::AlignVCenter, QStringLiteral("用户管理"));
    p.drawImage(QRect(1024 - 54, 9, 38, 38), load(dir, QStringLiteral("image/neterror.png")));
    p.drawImage(QRect(1024 - 98, 9, 38, 38), load(dir, QStringLiteral("image/ac220ok.png")));
    p.drawImage(QRect(1024 - 142, 9, 38, 38), load(dir, QStringLiteral("image/powererror.png")));

    // left navigation
    p.fillRect(QRect(0, 56, 200, 544), QColor(16, 44, 56, 150));
    const char *left[] = {"添加用户", "修改用户", "删除用户", "指纹录入"};
    p.setFont(uiFont(16));
    for (int i = 0; i < 4; ++i) {
        const QRect r(0, 76 + i * 74, 200, 70);
        if (i == 0)
            p.drawImage(r, load(dir, QStringLiteral("image/btnbgleft.png")));
        p.setPen(text);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(left[i]));
    }
    // top tabs
    const char *tabs[] = {"基本信息", "权限", "指纹"};
    for (int i = 0; i < 3; ++i) {
        const QRect r(220 + i * 144, 64, 140, 60);
        if (i == 1)
            p.drawImage(r, load(dir, QStringLiteral("image/btnbgtop.png")));
        p.setPen(text);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(tabs[i]));
    }
    p.drawImage(QRect(740, 70, 260, 48), load(dir, QStringLiteral("image/navlabel.png")));
    p.drawText(QRect(740, 70, 260, 48), Qt::AlignCenter, QStringLiteral("第 1 步 / 共 3 步"));

    p.setFont(uiFont(20));
    const std::pair<const char *, const char *> checks[] = {
        {"btn_check_on1.png", "管理员"}, {"btn_check_off2.png", "外门"}, {"btn_check_on2.png", "内门1"}, {"btn_check_off1.png", "内门2"}};
    for (int i = 0; i < 4; ++i) {
        const QRect r(230 + (i % 2) * 180, 150 + (i / 2) * 72, 160, 56);
        p.drawImage(r, load(dir, QStringLiteral("image/") + QLatin1String(checks[i].first)));
        p.setPen(Qt::white);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(checks[i].second));
    }
    p.setFont(uiFont(15));
    for (int i = 0; i < 2; ++i) {
        p.setPen(text);
        p.drawText(QRect(230, 310 + i * 56, 140, 40), Qt::AlignVCenter, i ? QStringLiteral("声音提示") : QStringLiteral("启用双人开柜"));
        p.drawImage(QRect(400, 310 + i * 56, 100, 40), load(dir, i ? QStringLiteral("image/btn_check_off.png") : QStringLiteral("image/btn_check_on.png")));
    }
    // finger button, outlined in the control style
    const QRect fb(580, 150, 220, 260);
    p.setPen(QPen(QColor(3, 197, 237), 2));
    p.setBrush(QColor(55, 100, 139, 100));
    p.drawRoundedRect(fb, 10, 10);
    p.drawImage(QRect(590, 160, 200, 200), load(dir, QStringLiteral("image/handin.png")));
    p.setPen(text);
    p.drawText(QRect(580, 362, 220, 40), Qt::AlignCenter, QStringLiteral("请按压手指"));
    p.drawImage(QRect(830, 160, 160, 160), load(dir, QStringLiteral("image/authoring.png")));
    p.drawImage(QRect(830, 380, 160, 160), load(dir, QStringLiteral("image/authorok.png")));
    p.drawText(QRect(810, 322, 200, 30), Qt::AlignCenter, QStringLiteral("等待远程审核…"));
    p.drawText(QRect(810, 542, 200, 30), Qt::AlignCenter, QStringLiteral("审核通过"));
    p.end();
    return img;
}

// One hand laid out like the screen's zero-spacing grid: column widths and row
// heights come from the single-cell pieces, spanning pieces must fill theirs.
struct Piece {
    int row, column, rowSpan, columnSpan;
    QImage image;
};

void drawGrid(QPainter &p, QPoint at, const std::vector<Piece> &pieces, const char *what)
{
    int widths[5] = {0, 0, 0, 0, 0}, heights[2] = {0, 0};
    for (const Piece &c : pieces) {
        if (c.columnSpan == 1)
            widths[c.column] = std::max(widths[c.column], c.image.width());
        if (c.rowSpan == 1)
            heights[c.row] = std::max(heights[c.row], c.image.height());
    }
    for (const Piece &c : pieces) {
        int x = at.x(), y = at.y(), w = 0, h = 0;
        for (int i = 0; i < c.column; ++i)
            x += widths[i];
        for (int i = 0; i < c.row; ++i)
            y += heights[i];
        for (int i = c.column; i < c.column + c.columnSpan; ++i)
            w += widths[i];
        for (int i = c.row; i < c.row + c.rowSpan; ++i)
            h += heights[i];
        if (c.image.size() != QSize(w, h))
            std::fprintf(stderr, "%s: piece at row %d column %d is %dx%d, its cell %dx%d\n", what, c.row, c.column,
                         c.image.width(), c.image.height(), w, h);
        p.drawImage(x, y, c.image);
    }
}

// Finger selection screen: 1..5 left little..thumb, 6..10 right thumb..little.
QImage handsMock(const QString &dir, const std::vector<int> &enrolled)
{
    auto on = [&](int n) { return std::find(enrolled.begin(), enrolled.end(), n) != enrolled.end(); };
    auto piece = [&](const char *side, int n, const char *cell) {
        return load(dir, QStringLiteral("hand/hand%1%2_%3.png")
                             .arg(QLatin1String(side), on(n) ? QString() : QStringLiteral("1"), QLatin1String(cell)));
    };
    const std::vector<Piece> left = {
        {0, 0, 1, 1, piece("left", 1, "r1_c1")}, {0, 1, 1, 1, piece("left", 2, "r1_c2")},
        {0, 2, 1, 1, piece("left", 3, "r1_c3")}, {0, 3, 1, 1, piece("left", 4, "r1_c4")},
        {0, 4, 2, 1, piece("left", 5, "r2_c5")}, {1, 0, 1, 4, load(dir, QStringLiteral("hand/handleft1_r2_c1.png"))}};
    const std::vector<Piece> right = {
        {0, 0, 2, 1, piece("right", 6, "r1_c1")}, {0, 1, 1, 1, piece("right", 7, "r1_c3")},
        {0, 2, 1, 1, piece("right", 8, "r1_c4")}, {0, 3, 1, 1, piece("right", 9, "r1_c5")},
        {0, 4, 1, 1, piece("right", 10, "r2_c1")}, {1, 1, 1, 4, load(dir, QStringLiteral("hand/handright1_r2_c2.png"))}};

    QImage img(800, 480, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(img.rect(), load(dir, QStringLiteral("bg/main10.jpg")));
    p.drawImage(QRect(0, 0, 800, 46), load(dir, QStringLiteral("image/topbg1.png")));
    const QColor text(0xE5, 0xF8, 0xF2);
    p.setPen(text);
    p.setFont(uiFont(15, true));
    p.drawText(QRect(20, 0, 400, 44), Qt::AlignVCenter, QStringLiteral("指纹录入"));
    p.setFont(uiFont(12));
    p.drawText(QRect(380, 0, 400, 44), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("用户：张三  ·  已录入 %1 枚").arg(enrolled.size()));
    const int top = 46 + 40;
    drawGrid(p, QPoint(130, top), left, "left hand");
    drawGrid(p, QPoint(430, top), right, "right hand");
    p.setFont(uiFont(13));
    p.drawText(QRect(130, top + 296, 240, 28), Qt::AlignCenter, QStringLiteral("左手"));
    p.drawText(QRect(430, top + 296, 240, 28), Qt::AlignCenter, QStringLiteral("右手"));
    p.setFont(uiFont(12));
    p.drawText(QRect(0, 52, 800, 28), Qt::AlignCenter, QStringLiteral("请点击要录入的手指"));
    p.end();
    return img;
}

double linear(int v)
{
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// Prints how white text fares on the brightest 1% of a backdrop.
void reportContrast(const QString &name, const QImage &img)
{
    std::vector<double> lum;
    lum.reserve(static_cast<size_t>(img.width() * img.height()));
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            lum.push_back(0.2126 * linear(qRed(p)) + 0.7152 * linear(qGreen(p)) + 0.0722 * linear(qBlue(p)));
        }
    std::sort(lum.begin(), lum.end());
    const double median = lum[lum.size() / 2];
    const double p99 = lum[lum.size() * 99 / 100];
    std::printf("%s  median L %.3f  p99 L %.3f  white contrast at p99 %.1f:1\n", qPrintable(name), median, p99, 1.05 / (p99 + 0.05));
}

} // namespace

bool writePreviews(const QString &outDir, const QString &previewDir)
{
    QDir().mkpath(previewDir);
    const QDir d(previewDir);
    bool ok = savePng(contactSheet(outDir), d.filePath(QStringLiteral("picsheet.png")));
    ok = savePng(zoomSheet(outDir), d.filePath(QStringLiteral("zoom.png"))) && ok;
    for (int bg : {0, 5, 11})
        ok = savePng(homeMock(outDir, bg, {1024, 600}), d.filePath(QStringLiteral("mock_home_%1.png").arg(bg))) && ok;
    ok = savePng(homeMock(outDir, 2, {800, 480}), d.filePath(QStringLiteral("mock_home_800.png"))) && ok;
    ok = savePng(formMock(outDir, 3), d.filePath(QStringLiteral("mock_form.png"))) && ok;
    ok = savePng(handsMock(outDir, {}), d.filePath(QStringLiteral("mock_hands_none.png"))) && ok;
    const QImage mixed = handsMock(outDir, {4, 6, 9});
    ok = savePng(mixed, d.filePath(QStringLiteral("mock_hands_mixed.png"))) && ok;
    ok = savePng(handsMock(outDir, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), d.filePath(QStringLiteral("mock_hands_all.png"))) && ok;
    // the mixed hands blown up, to look for seams between pieces
    const QImage hands = mixed.copy(120, 76, 560, 308);
    ok = savePng(hands.scaled(hands.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                 d.filePath(QStringLiteral("mock_hands_zoom.png"))) && ok;
    // full-size copies as png, for viewers without jpeg support
    for (int i = 0; i < 13; ++i) {
        const QString name = QStringLiteral("main%1").arg(i, 2, 10, QLatin1Char('0'));
        const QImage bg = load(outDir, QStringLiteral("bg/") + name + QStringLiteral(".jpg"));
        reportContrast(name, bg);
        ok = savePng(bg, d.filePath(name + QStringLiteral(".png"))) && ok;
    }
    return ok;
}

} // namespace pg
