// Every picture picgen draws, named by its path under the output folder.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace pg {

struct Picture {
    QString path; // relative, e.g. "image/netok.png"
    QImage image;
};

std::vector<Picture> backgrounds(); // bg/*.jpg
std::vector<Picture> icons();       // image/*.png
std::vector<Picture> hands();       // hand/*.png, the enrolment screen's hands in pieces
std::vector<Picture> platformPictures(); // the platform's image/bg.png

std::vector<Picture> consolePictures();  // the toll console's image/*
std::vector<Picture> launcherPictures(); // the tools launcher's image/*
std::vector<Picture> dialogPictures();   // the framework dialogs' image/msg_*.png and image/btn_*.png

// Contact sheet and a title-bar mock-up, for looking at the set as a whole.
bool writePreviews(const QString &outDir, const QString &previewDir);

} // namespace pg
