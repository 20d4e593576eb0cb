#pragma once

#include <QIcon>
#include <QString>

// The program's pictures, drawn as SVG and compiled into the executable.
namespace Pictures {

QString calendarPage(); // tear-off page showing a red "12"
QString smilingFace();  // the exercise windows' icon
QString arrowRight();   // on the "avanti" button
QString laughingFace(); // after a right answer
QString sadFace();      // after a wrong answer

QIcon icon(const QString &resource);

} // namespace Pictures
