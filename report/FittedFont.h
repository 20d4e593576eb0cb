#pragma once

#include <QFont>

class QPaintDevice;

// `font`, made smaller if need be so that a line of it is no taller than
// `height` on `device`; never larger.
QFont fittedFont(const QFont &font, QPaintDevice *device, qreal height);
