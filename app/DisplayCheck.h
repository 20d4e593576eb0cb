#pragma once

#include <QString>

namespace DisplayCheck {

// Whether a graphical display can be reached; when it cannot, `problem`
// says why in one line. Platforms other than X11 are left for Qt to judge.
bool displayAvailable(QString *problem);

} // namespace DisplayCheck
