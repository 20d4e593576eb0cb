#include "ServiceFile.h"

#include <QDir>
#include <QFile>

namespace {

// Where Debian's libpq was built to look (its sysconfdir).
const QString debianSystemFolder = QStringLiteral("/etc/postgresql-common");

bool hasSection(const QString &path, const QString &service)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QByteArray wanted = '[' + service.toUtf8() + ']';
    while (!file.atEnd()) {
        // As libpq reads it: blanks around a line do not count, '#' starts a comment.
        const QByteArray line = file.readLine().trimmed();
        if (line == wanted)
            return true;
    }
    return false;
}

} // namespace

namespace ServiceFile {

QStringList candidates()
{
    QStringList files;
    const QString named = qEnvironmentVariable("PGSERVICEFILE");
    files << (named.isEmpty() ? QDir::home().filePath(QStringLiteral(".pg_service.conf")) : named);
    const QString system = qEnvironmentVariable("PGSYSCONFDIR", debianSystemFolder);
    files << QDir(system).filePath(QStringLiteral("pg_service.conf"));
    return files;
}

bool defines(const QString &service)
{
    const QStringList files = candidates();
    return std::any_of(files.cbegin(), files.cend(),
                       [&](const QString &file) { return hasSection(file, service); });
}

} // namespace ServiceFile
