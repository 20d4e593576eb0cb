#include "Design.h"

#include <cmath>

namespace Design {

QFont arialBold(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(int(std::lround(points * 96.0 / 72.0)));
    return font;
}

} // namespace Design
