// picgen: draws the programs' backdrops, icons and control skins, and the
// pictures of the framework's colour styles.
//
//   picgen <out-dir> [--preview <dir>]
//   picgen --program tollconsole|toollauncher <out-dir>
//   picgen --styles <framework-dir>
//   picgen --platform-pictures <secplatform-dir>
//
// For the terminal: writes <out-dir>/bg/*.jpg, <out-dir>/image/*.png, <out-dir>/hand/*.png and
// <out-dir>/pictures.qrc; with --preview also a contact sheet and mock-ups into <dir>.
// For another program: <out-dir>/image/* and <out-dir>/<program>.qrc.
// With --styles it draws <framework-dir>/qss/<style>/*.png for every qss/<style>.css and the
// dialogs' <framework-dir>/image/*.png, and writes <framework-dir>/framework.qrc (sheets,
// their pictures, the dialogs' pictures and the icon fonts).
// With --platform-pictures it draws the platform's header picture <secplatform-dir>/image/bg.png.
#include "common.h"
#include "pictures.h"
#include "styles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

bool writeQrc(const QString &outDir, QStringList files, const QString &name = QStringLiteral("pictures"))
{
    std::sort(files.begin(), files.end());
    QFile f(QDir(outDir).filePath(name + QStringLiteral(".qrc")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    QTextStream out(&f);
    out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString &file : files)
        out << "    <file>" << file << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    return out.status() == QTextStream::Ok;
}

// The framework's resources: every sheet with its pictures, and the icon fonts.
int writeStyles(const QString &frameworkDir)
{
    const QDir fw(frameworkDir);
    const QDir qss(fw.filePath(QStringLiteral("qss")));
    const QStringList sheets = qss.entryList({QStringLiteral("*.css")}, QDir::Files, QDir::Name);
    if (sheets.isEmpty()) {
        std::fprintf(stderr, "no sheets in %s\n", qPrintable(qss.absolutePath()));
        return 1;
    }
    QStringList files;
    bool ok = true;
    for (const QString &sheet : sheets) {
        files << QStringLiteral("qss/") + sheet;
        const std::vector<pg::Picture> pictures = pg::stylePictures(qss.filePath(sheet));
        ok = !pictures.empty() && ok;
        for (const pg::Picture &pic : pictures) {
            qss.mkpath(QFileInfo(pic.path).path());
            ok = pg::savePng(pic.image, qss.filePath(pic.path)) && ok;
            files << QStringLiteral("qss/") + pic.path;
        }
    }
    for (const QString &font : {QStringLiteral("image/fontawesome-webfont.ttf"), QStringLiteral("image/iconfont.ttf")}) {
        if (fw.exists(font))
            files << font;
    }
    // The dialogs' pictures live beside the fonts.
    ok = pg::loadIconFont() && ok;
    for (const pg::Picture &pic : pg::dialogPictures()) {
        ok = pg::savePng(pic.image, fw.filePath(pic.path)) && ok;
        files << pic.path;
    }
    ok = writeQrc(frameworkDir, files, QStringLiteral("framework")) && ok;
    std::printf("%d sheets and their pictures listed in %s\n", static_cast<int>(sheets.size()),
                qPrintable(fw.absoluteFilePath(QStringLiteral("framework.qrc"))));
    return ok ? 0 : 1;
}

// One program's pictures into image/, saved by their extension, and its resource list.
int writeProgram(const QString &program, const QString &outDir)
{
    std::vector<pg::Picture> pictures;
    if (program == QLatin1String("tollconsole"))
        pictures = pg::consolePictures();
    else if (program == QLatin1String("toollauncher"))
        pictures = pg::launcherPictures();
    else {
        std::fprintf(stderr, "unknown program: %s\n", qPrintable(program));
        return 2;
    }
    const QDir out(outDir);
    out.mkpath(QStringLiteral("image"));
    QStringList written;
    bool ok = true;
    for (const pg::Picture &pic : pictures) {
        const QString file = out.filePath(pic.path);
        ok = (pic.path.endsWith(QLatin1String(".jpg")) ? pg::saveJpeg(pic.image, file, 90) : pg::savePng(pic.image, file)) && ok;
        written << pic.path;
    }
    if (!writeQrc(outDir, written, program)) {
        std::fprintf(stderr, "cannot write %s.qrc\n", qPrintable(program));
        ok = false;
    }
    std::printf("%d pictures written to %s\n", static_cast<int>(written.size()), qPrintable(out.absolutePath()));
    return ok ? 0 : 1;
}

// The platform reads its header picture beside the program, not from resources.
int writePlatform(const QString &platformDir)
{
    if (!pg::loadIconFont())
        return 1;
    const QDir out(platformDir);
    bool ok = true;
    for (const pg::Picture &pic : pg::platformPictures()) {
        out.mkpath(QFileInfo(pic.path).path());
        ok = pg::savePng(pic.image, out.filePath(pic.path)) && ok;
        std::printf("%s\n", qPrintable(out.absoluteFilePath(pic.path)));
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args.first() == QLatin1String("--styles"))
        return writeStyles(args.at(1));
    const int programAt = args.indexOf(QStringLiteral("--program"));
    if (programAt >= 0 && programAt + 1 < args.size() && args.size() == 3) {
        if (!pg::loadIconFont())
            return 1;
        const QString program = args.at(programAt + 1);
        args.erase(args.begin() + programAt, args.begin() + programAt + 2);
        return writeProgram(program, args.first());
    }
    if (args.size() == 2 && args.first() == QLatin1String("--platform-pictures"))
        return writePlatform(args.at(1));
    QString previewDir;
    const int at = args.indexOf(QStringLiteral("--preview"));
    if (at >= 0 && at + 1 < args.size()) {
        previewDir = args.at(at + 1);
        args.erase(args.begin() + at, args.begin() + at + 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: picgen <out-dir> [--preview <dir>] | picgen --styles <framework-dir>\n");
        return 2;
    }
    const QString outDir = args.first();
    if (!pg::loadIconFont())
        return 1;
    const QDir out(outDir);
    out.mkpath(QStringLiteral("bg"));
    out.mkpath(QStringLiteral("image"));
    out.mkpath(QStringLiteral("hand"));

    QStringList written;
    bool ok = true;
    for (const pg::Picture &pic : pg::backgrounds()) {
        ok = pg::saveJpeg(pic.image, out.filePath(pic.path), 90) && ok;
        written << pic.path;
    }
    for (const pg::Picture &pic : pg::icons()) {
        ok = pg::savePng(pic.image, out.filePath(pic.path)) && ok;
        written << pic.path;
    }
    for (const pg::Picture &pic : pg::hands()) {
        ok = pg::savePng(pic.image, out.filePath(pic.path)) && ok;
        written << pic.path;
    }
    if (!writeQrc(outDir, written)) {
        std::fprintf(stderr, "cannot write pictures.qrc\n");
        ok = false;
    }
    if (ok && !previewDir.isEmpty())
        ok = pg::writePreviews(outDir, previewDir);
    std::printf("%d pictures written to %s\n", static_cast<int>(written.size()), qPrintable(QDir(outDir).absolutePath()));
    return ok ? 0 : 1;
}
