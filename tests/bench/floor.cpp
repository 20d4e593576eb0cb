// The floor Tempiolo's start-up is measured against: the smallest Qt Widgets
// program, one window with one label, built with the same flags.
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Tempiolo"));
    label.resize(653, 642);
    label.show();
    if (FirstPaint::reportRequested())
        FirstPaint::report(&label);
    return app.exec();
}
