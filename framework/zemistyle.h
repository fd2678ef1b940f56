#ifndef ZEMISTYLE_H
#define ZEMISTYLE_H

#include <QList>
#include <QString>

// The seventeen colour styles. Every program and the frameless window refer to
// this one definition; the values are stored in settings, so they never move.
enum Style : int {
    Style_Silvery = 0,
    Style_Blue = 1,
    Style_LightBlue = 2,
    Style_DarkBlue = 3,
    Style_Gray = 4,
    Style_LightGray = 5,
    Style_DarkGray = 6,
    Style_Black = 7,
    Style_LightBlack = 8,
    Style_DarkBlack = 9,
    Style_PSBlack = 10,
    Style_FlatBlack = 11,
    Style_FlatWhite = 12,
    Style_FlatBlue = 13,
    Style_Purple = 14,
    Style_BlackBlue = 15,
    Style_BlackVideo = 16
};

namespace ZemiStyle {

constexpr int styleCount = 17;

// Every style in table order.
QList<Style> allStyles();
bool isStyle(int value);
// File base name ("lightblue"), resource (":/qss/lightblue.css") and display name ("浅蓝色").
// A value outside the table answers for lightblue.
QString styleName(Style style);
QString styleFile(Style style);
QString styleDisplayName(Style style);
// The style of a display name; ok is false (and lightblue returned) for an unknown name.
Style styleFromDisplayName(const QString &displayName, bool *ok = nullptr);

// Registers the framework's resources (sheets and their pictures, the icon fonts).
// A program calls it once at start; further calls do nothing.
void initResources();

} // namespace ZemiStyle

#endif // ZEMISTYLE_H
