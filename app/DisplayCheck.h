#pragma once

#include <QString>

#include <memory>

class QApplication;

namespace DisplayCheck {

// Whether a graphical display is set at all, by Qt's -platform and -display
// options or the environment; when it is not, `problem` says why in one
// line. Platforms other than X11 are left for Qt to judge.
bool displayAvailable(int argc, char **argv, QString *problem);

// While Qt opens the display: a display that cannot be reached ends the
// program with one clear line and status 2, instead of Qt's abort.
void guardOpening();
// Once the display is open, messages go their usual way again.
void openingDone();

// The application of both programs, on a display checked as above, named
// "Tempiolo", with one look on every desktop and Italian texts; null, once
// the reason is printed, when there is no display.
std::unique_ptr<QApplication> openApplication(int &argc, char **argv);

} // namespace DisplayCheck
