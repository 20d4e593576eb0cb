#include "NameListFile.h"

#include "ChildName.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

namespace NameListFile {

namespace {

QString decode(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    // Excel's "Unicode text" is UTF-16 with a byte-order mark.
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE)(bytes.mid(2));
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Otherwise what Excel and Notepad save on an Italian Windows.
    return QStringDecoder("windows-1252")(bytes);
}

bool startsWithAny(const QByteArray &bytes, std::initializer_list<const char *> magics)
{
    return std::any_of(magics.begin(), magics.end(),
                       [&](const char *magic) { return bytes.startsWith(magic); });
}

bool hasBinaryControl(const QString &text)
{
    // Tab, line breaks, vertical tab, form feed and the old end-of-file mark
    // are all text does hold.
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x20 && u != '\t' && u != '\n' && u != '\v' && u != '\f' && u != '\r' &&
                u != 0x1A) ||
               u == 0x7F;
    });
}

// The fields of a line, separated by ';', ',' or tab, each perhaps in
// double quotes (a quote inside written twice).
QStringList fields(const QString &line)
{
    QStringList result;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() &&
                line.at(i + 1) == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty()) {
            field.clear();
            quoted = true;
        } else if (c == QLatin1Char(';') || c == QLatin1Char(',') || c == QLatin1Char('\t')) {
            result << field;
            field.clear();
        } else {
            field += c;
        }
    }
    result << field;
    return result;
}

bool isHeaderWord(const QString &field)
{
    static const QSet<QString> words = {
        QStringLiteral("nome"),
        QStringLiteral("nomi"),
        QStringLiteral("cognome"),
        QStringLiteral("cognomi"),
        QStringLiteral("nome e cognome"),
        QStringLiteral("cognome e nome"),
        QStringLiteral("nome cognome"),
        QStringLiteral("cognome nome"),
        QStringLiteral("nominativo"),
        QStringLiteral("nominativi"),
        QStringLiteral("alunno"),
        QStringLiteral("alunna"),
        QStringLiteral("alunni"),
        QStringLiteral("alunno/a"),
        QStringLiteral("alunni/e"),
        QStringLiteral("bambino"),
        QStringLiteral("bambina"),
        QStringLiteral("bambini"),
        QStringLiteral("bambino/a"),
        QStringLiteral("studente"),
        QStringLiteral("studentessa"),
        QStringLiteral("studenti"),
        QStringLiteral("allievo"),
        QStringLiteral("allieva"),
        QStringLiteral("allievi"),
        QStringLiteral("n"),
        QStringLiteral("nr"),
        QStringLiteral("n°"),
        QStringLiteral("num"),
        QStringLiteral("numero"),
        QStringLiteral("classe"),
        QStringLiteral("sezione"),
        QStringLiteral("sesso"),
        QStringLiteral("data di nascita"),
        QStringLiteral("name"),
        QStringLiteral("names"),
        QStringLiteral("first name"),
        QStringLiteral("last name"),
        QStringLiteral("surname"),
        QStringLiteral("given name"),
        QStringLiteral("family name"),
        QStringLiteral("pupil"),
        QStringLiteral("student"),
    };
    QString key = ChildName::matchKey(field);
    while (key.endsWith(QLatin1Char('.')) || key.endsWith(QLatin1Char(':')))
        key.chop(1);
    return words.contains(key.trimmed());
}

// Only a first line made of nothing but column names is a header.
bool isHeader(const QStringList &lineFields)
{
    bool named = false;
    for (const QString &field : lineFields) {
        const QString f = ChildName::tidy(field);
        if (f.isEmpty() || !ChildName::hasLetter(f))
            continue;
        if (!isHeaderWord(f))
            return false;
        named = true;
    }
    return named;
}

QString nameOf(const QStringList &lineFields)
{
    QStringList parts;
    for (const QString &field : lineFields) {
        // Row numbers and birth dates come along with the names in an
        // export: a field without a single letter is not part of a name.
        const QString f = ChildName::tidy(field);
        if (ChildName::hasLetter(f))
            parts << f;
    }
    return ChildName::tidy(parts.join(QLatin1Char(' ')));
}

Names refused(const QString &fileName, const char *why)
{
    return {{}, QString::fromUtf8(why).arg(fileName)};
}

} // namespace

Names read(const QString &path)
{
    const QString fileName = QFileInfo(path).fileName();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return refused(fileName, "Non è possibile leggere il file «%1»: nessun bambino aggiunto.");
    // A byte more than a list may hold is enough for parse() to refuse it,
    // however large the file is or grows while it is read.
    return parse(file.read(maxBytes + 1), fileName);
}

Names parse(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.size() > maxBytes)
        return refused(fileName, "Il file «%1» è troppo grande per essere un elenco di nomi "
                                 "(più di 1 MB): nessun bambino aggiunto.");
    // .xlsx and .ods are zip archives, .xls an OLE2 compound file.
    if (startsWithAny(bytes, {"PK\x03\x04", "PK\x05\x06", "\xD0\xCF\x11\xE0"}))
        return refused(fileName,
                       "Il file «%1» è un foglio di calcolo, non un testo: salvatelo come CSV o "
                       "come testo (.txt) e importate quello. Nessun bambino aggiunto.");
    // Pictures and other binary files hold NULs and other control bytes,
    // which no decoding turns into letters.
    const QString text = decode(bytes);
    if (hasBinaryControl(text))
        return refused(fileName, "Il file «%1» non è un file di testo: nessun bambino aggiunto.");

    Names result;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    bool first = true;
    for (const QString &line : normalised.split(QLatin1Char('\n'))) {
        QString l = line;
        l.remove(QChar(0x1A));
        if (ChildName::tidy(l).isEmpty())
            continue;
        // Excel's hint at the separator, on a line of its own.
        if (first && l.trimmed().startsWith(QLatin1String("sep="), Qt::CaseInsensitive)) {
            continue;
        }
        const QStringList lineFields = fields(l);
        if (first && isHeader(lineFields)) {
            first = false;
            continue;
        }
        first = false;
        const QString name = nameOf(lineFields);
        if (!name.isEmpty())
            result.names << name;
    }
    if (result.names.isEmpty())
        result.problem = QStringLiteral("Il file «%1» non contiene nomi: nessun bambino aggiunto.")
                             .arg(fileName);
    return result;
}

} // namespace NameListFile
