#pragma once

// Pictures with words in them have Traditional twins, drawn by tools/artwork with the words
// written as each Traditional edition writes them (see tools/artwork/twins.h). A built-in
// picture's path is turned into the edition's twin here, in one place, for every caller that
// shows a picture; where a picture has no twin the Simplified one is shown.

#include "text/hanconvert.h"

#include <QString>

namespace base {

// The resource path of the picture to show for ":/pictures/NAME.jpg" in `edition`: the edition's
// own twin ":/pictures/hant-tw/NAME.jpg" or ":/pictures/hant-hk/NAME.jpg", else the twin both
// Traditional editions share ":/pictures/hant/NAME.jpg", else the path itself. In the Simplified
// edition, and for any path not under ":/pictures/", the path itself.
QString editionPicture(const QString &resourcePath, text::Edition edition);
// The same for the edition in use (base/edition.h).
QString editionPicture(const QString &resourcePath);

} // namespace base
