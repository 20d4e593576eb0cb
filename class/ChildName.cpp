#include "ChildName.h"

#include "Accents.h"

#include <QList>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace ChildName {

namespace {

bool isInvisible(QChar c)
{
    // Zero-width blanks and byte-order marks come with names pasted from
    // documents and spreadsheets.
    return c == QChar(0x200B) || c == QChar(0xFEFF) || c == QChar(0x00AD);
}

} // namespace

QString tidy(const QString &typed)
{
    QString s = typed.normalized(QString::NormalizationForm_C);
    s.removeIf(isInvisible);
    for (QChar &c : s) {
        // A tab or line break inside a name is a blank like any other.
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    }
    return s.simplified();
}

QString matchKey(const QString &name)
{
    QString s = withoutAccents(tidy(name), QString::NormalizationForm_KD);
    s.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    for (QChar &c : s) {
        switch (c.unicode()) {
        case 0x2018: // ‘
        case 0x2019: // ’
        case 0x02BC: // ʼ
        case 0x00B4: // ´
        case 0x0060: // `
            c = QLatin1Char('\'');
            break;
        case 0x2010: // hyphen
        case 0x2011: // non-breaking hyphen
            c = QLatin1Char('-');
            break;
        default:
            break;
        }
    }
    return s.toCaseFolded();
}

int length(const QString &name)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    int count = 0;
    while (graphemes.toNextBoundary() > 0)
        ++count;
    return count;
}

bool hasLetter(const QString &text)
{
    const QList<uint> points = text.toUcs4();
    return std::any_of(points.begin(), points.end(),
                       [](uint p) { return QChar::isLetter(char32_t(p)); });
}

QString clipOf(const QString &name)
{
    const QString clip = withoutAccents(tidy(name).toLower());
    if (clip.isEmpty() || clip == QLatin1String(".") || clip == QLatin1String("..") ||
        clip.contains(QLatin1Char('/')) || clip.contains(QLatin1Char('\\')))
        return {};
    return clip;
}

} // namespace ChildName
