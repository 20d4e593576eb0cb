#include "Counts.h"

#include <limits>

namespace Counts {

qint16 raised(qint16 count)
{
    return count < std::numeric_limits<qint16>::max() ? qint16(count + 1) : count;
}

QString text(qint16 count)
{
    return (count < 0 ? QStringLiteral("-") : QStringLiteral(" ")) +
           QString::number(qAbs(int(count)));
}

} // namespace Counts
