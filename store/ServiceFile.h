#pragma once

#include <QString>
#include <QStringList>

// libpq's connection service file, looked for the way libpq looks for it:
// the file PGSERVICEFILE names, else ~/.pg_service.conf, then the system's
// pg_service.conf (PGSYSCONFDIR, Debian's /etc/postgresql-common). The
// program only asks whether a service is defined; what it holds (host,
// user, sslmode) is for libpq alone, and passwords stay in ~/.pgpass.
namespace ServiceFile {

// The school's server, for the children's PCs and for La classe, and the
// owner's connection that prepares it.
inline const QString children = QStringLiteral("tempiolo");
inline const QString teacher = QStringLiteral("tempiolo-insegnante");
inline const QString owner = QStringLiteral("tempiolo-admin");

// The files libpq reads, in its order, whether they exist or not.
QStringList candidates();
// Whether any of those files has a section [service].
bool defines(const QString &service);

} // namespace ServiceFile
