#include "zemistyle.h"
#include "frameworkresources.h"

#include <QtGlobal>

namespace {

struct StyleRow {
    const char *name;
    const char *displayName;
};

// Indexed by the enumeration's value.
const StyleRow styleTable[ZemiStyle::styleCount] = {
    {"silvery", "银色"},      {"blue", "蓝色"},         {"lightblue", "浅蓝色"},   {"darkblue", "深蓝色"},
    {"gray", "灰色"},         {"lightgray", "浅灰色"},  {"darkgray", "深灰色"},    {"black", "黑色"},
    {"lightblack", "浅黑色"}, {"darkblack", "深黑色"},  {"psblack", "PS黑色"},     {"flatblack", "黑色扁平"},
    {"flatwhite", "白色扁平"}, {"flatblue", "蓝色扁平"}, {"purple", "紫色"},        {"blackblue", "黑蓝色"},
    {"blackvideo", "视频黑"},
};

const StyleRow &row(Style style)
{
    return styleTable[ZemiStyle::isStyle(style) ? int(style) : int(Style_LightBlue)];
}

} // namespace

namespace ZemiStyle {

QList<Style> allStyles()
{
    QList<Style> styles;
    for (int i = 0; i < styleCount; ++i) {
        styles << Style(i);
    }
    return styles;
}

bool isStyle(int value)
{
    return value >= 0 && value < styleCount;
}

QString styleName(Style style)
{
    return QString::fromLatin1(row(style).name);
}

QString styleFile(Style style)
{
    return QStringLiteral(":/qss/%1.css").arg(styleName(style));
}

QString styleDisplayName(Style style)
{
    return QString::fromUtf8(row(style).displayName);
}

Style styleFromDisplayName(const QString &displayName, bool *ok)
{
    for (int i = 0; i < styleCount; ++i) {
        if (displayName == QString::fromUtf8(styleTable[i].displayName)) {
            if (ok) {
                *ok = true;
            }
            return Style(i);
        }
    }
    if (ok) {
        *ok = false;
    }
    return Style_LightBlue;
}

void initResources()
{
    FrameworkResources::init();
}

} // namespace ZemiStyle
