#pragma once

#include <QString>
#include <QtGlobal>

// The scores are signed 16-bit counts, as the labels show them.
namespace Counts {

// One more answer; a count that has reached 32767 stays there instead of
// wrapping round to a negative number.
qint16 raised(qint16 count);

// The text of a count after an answer: a blank stands in the place of the
// sign (" 3"), a minus sign for a negative value.
QString text(qint16 count);

// What a count label reads when a window opens or the scores are reset.
inline QString zeroText()
{
    return QStringLiteral("0");
}

} // namespace Counts
