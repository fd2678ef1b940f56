// Pictures that one style sheet refers to, named "<style>/<picture>.png".
#pragma once

#include "pictures.h"

namespace pg {

// Reads the sheet's palette comments; empty when it has none.
std::vector<Picture> stylePictures(const QString &cssFile);

} // namespace pg
