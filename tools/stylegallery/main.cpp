// Renders the gallery window under each of the seventeen colour styles.
//   stylegallery [output folder]      (default docs/styles)
#include "appinit.h"
#include "gallerywindow.h"
#include "zemihelper.h"
#include "zemistyle.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppInit::Instance(); // the CJK font substitution for "Microsoft Yahei"
    app.setFont(QFont(ZemiHelper::fontName, 9));
    ZemiStyle::initResources();
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/styles");
    QDir().mkpath(outDir);

    GalleryWindow window;
    window.show();
    int failures = 0;
    for (Style style : ZemiStyle::allStyles()) {
        ZemiHelper::applyStyle(style);
        QApplication::processEvents();
        const QString file = QDir(outDir).filePath(ZemiStyle::styleName(style) + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(file));
    }
    return failures == 0 ? 0 : 1;
}
