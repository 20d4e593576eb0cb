#include "Palette.h"

#include "RandomSource.h"

namespace Palette {

QColor fromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

int drawEntry(RandomSource &random)
{
    return random.below(18) + 1;
}

QColor drawColour(RandomSource &random)
{
    return fromBgr(entries[std::size_t(drawEntry(random))]);
}

QColor orange()
{
    return QColor(255, 128, 0);
}

QColor cyan()
{
    return fromBgr(0x00FFFF00);
}

QColor lightCyan()
{
    return fromBgr(0x00FFFF80);
}

QColor white()
{
    return QColor(255, 255, 255);
}

QColor yellow()
{
    return QColor(255, 255, 0);
}

} // namespace Palette
