#pragma once

#include <QByteArray>
#include <QList>
#include <QVariantList>

// What can still be read of a damaged SQLite file, page by page, without
// SQLite: the rows on every table page that is still whole, whatever
// happened to the pages around them (the schema on the first page, an
// index, a page of the table itself). SQLite's own way, the shell's
// .recover, needs the sqlite_dbpage table, which Debian's SQLite library
// is built without.
namespace PageSalvage {

struct Record
{
    qint64 rowid = 0;
    // As SQLite keeps them: null, qint64, double, QString or QByteArray.
    QVariantList values;
};

// Every record of `fields` values on the file's table leaf pages, in the
// order of the pages. A cell that runs onto an overflow page, or does not
// decode, is left out.
QList<Record> records(const QByteArray &file, int fields);

} // namespace PageSalvage
