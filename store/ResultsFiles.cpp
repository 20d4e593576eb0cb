#include "ResultsFiles.h"

#include "SetAside.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QRegularExpression &computerFileName()
{
    static const QRegularExpression name(QStringLiteral("^risultati-[a-z0-9_-]+\\.sqlite$"));
    return name;
}

const QRegularExpression &setAsideFileName()
{
    static const QRegularExpression name(QStringLiteral(
        "^risultati-[a-z0-9_-]+\\.danneggiato-\\d{4}-\\d{2}-\\d{2}(-\\d+)?\\.sqlite$"));
    return name;
}

QStringList filesMatching(const QString &folder, const QRegularExpression &name)
{
    QStringList paths;
    const QDir dir(folder);
    const QStringList entries = dir.entryList({QStringLiteral("risultati-*.sqlite")},
                                              QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &entry : entries) {
        if (name.match(entry).hasMatch())
            paths.append(dir.filePath(entry));
    }
    return paths;
}

bool anyExists(const QString &path)
{
    if (QFileInfo::exists(path))
        return true;
    for (const QString &suffix : ResultsFiles::companionSuffixes()) {
        if (QFileInfo::exists(path + suffix))
            return true;
    }
    return false;
}

} // namespace

namespace ResultsFiles {

QString safeHostName(const QString &host)
{
    // A host name is at most 63 characters; longer ones are cut, and hashed.
    constexpr int longest = 63;
    const QString lower = host.trimmed().toLower();
    QString safe;
    bool changed = false;
    for (const QChar c : lower) {
        const bool allowed =
            (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
        safe.append(allowed ? c : QChar(u'-'));
        changed = changed || !allowed;
    }
    if (safe.size() > longest) {
        safe.truncate(longest);
        changed = true;
    }
    if (safe.isEmpty())
        return QStringLiteral("senza-nome");
    if (changed) {
        const QByteArray hash =
            QCryptographicHash::hash(lower.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
        safe += u'-' + QString::fromLatin1(hash);
    }
    return safe;
}

QString fileNameFor(const QString &host)
{
    return QStringLiteral("risultati-%1.sqlite").arg(safeHostName(host));
}

QStringList computerFiles(const QString &folder)
{
    return filesMatching(folder, computerFileName());
}

QStringList setAsideFiles(const QString &folder)
{
    return filesMatching(folder, setAsideFileName());
}

QString setAsideNameFor(const QString &path, const QDate &day)
{
    const QFileInfo info(path);
    return setAsideName(
        info.dir().filePath(info.completeBaseName() + QStringLiteral(".danneggiato-")), day,
        QStringLiteral(".sqlite"), anyExists);
}

QStringList companionSuffixes()
{
    return {QStringLiteral("-wal"), QStringLiteral("-journal"), QStringLiteral("-shm")};
}

} // namespace ResultsFiles
