#include "ServerClass.h"

#include "AnswerQueries.h"
#include "ServerConnection.h"

#include <QMap>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The answers' queries narrowed to the children of one class.
AnswerQueries classQueries(QSqlDatabase &db, const QString &className)
{
    return AnswerQueries(
        db, QStringLiteral(" AND c.class_id IN (SELECT id FROM classes WHERE name = :class)"),
        {{QStringLiteral(":class"), className}});
}

QString textOf(const QSqlError &error)
{
    // A role without the right to it: the server was prepared by hand, or long ago.
    return ServerConnection::state(error) == QLatin1String("42501")
               ? QStringLiteral("manca il permesso (va fatto di nuovo tempiolo --prepara-server)")
               : error.databaseText().trimmed();
}

bool failed(const QSqlQuery &query, QString *error)
{
    *error = textOf(query.lastError());
    return false;
}

bool failedAndRolledBack(QSqlDatabase &db, const QSqlQuery &query, QString *error)
{
    failed(query, error);
    db.rollback();
    return false;
}

} // namespace

namespace ServerClass {

bool classes(QSqlDatabase &db, QStringList *names, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT name FROM classes ORDER BY name")))
        return failed(query, error);
    names->clear();
    while (query.next())
        *names << query.value(0).toString();
    return true;
}

bool publish(QSqlDatabase &db, const QString &className, const QList<ServerChild> &children,
             QString *error)
{
    if (!db.transaction()) {
        *error = db.lastError().databaseText().trimmed();
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO classes (name) VALUES (?) ON CONFLICT DO NOTHING"));
    query.addBindValue(className);
    if (!query.exec())
        return failedAndRolledBack(db, query, error);
    query.prepare(QStringLiteral("SELECT id FROM classes WHERE name = ?"));
    query.addBindValue(className);
    if (!query.exec() || !query.next())
        return failedAndRolledBack(db, query, error);
    const qint64 classId = query.value(0).toLongLong();
    // A child moved here from another class keeps their id and answers.
    QSqlQuery upsert(db);
    upsert.prepare(QStringLiteral(
        "INSERT INTO children (uuid, class_id, name, picture, spoken_name) VALUES (?, ?, ?, ?, ?)"
        " ON CONFLICT (uuid) DO UPDATE SET class_id = EXCLUDED.class_id, name = EXCLUDED.name,"
        " picture = EXCLUDED.picture, spoken_name = EXCLUDED.spoken_name"));
    QSet<QString> kept;
    for (const ServerChild &child : children) {
        upsert.addBindValue(child.id);
        upsert.addBindValue(classId);
        // Qt binds a null string as NULL, which the table refuses: "" it is.
        upsert.addBindValue(child.name.isNull() ? QStringLiteral("") : child.name);
        upsert.addBindValue(child.picture.isNull() ? QStringLiteral("") : child.picture);
        upsert.addBindValue(child.spokenName.isEmpty() ? QVariant(QMetaType(QMetaType::QByteArray))
                                                       : QVariant(child.spokenName));
        if (!upsert.exec())
            return failedAndRolledBack(db, upsert, error);
        kept.insert(child.id);
    }
    // The others of the class go, and their answers with them.
    query.prepare(QStringLiteral("SELECT uuid FROM children WHERE class_id = ?"));
    query.addBindValue(classId);
    if (!query.exec())
        return failedAndRolledBack(db, query, error);
    QStringList gone;
    while (query.next()) {
        if (!kept.contains(query.value(0).toString()))
            gone << query.value(0).toString();
    }
    QSqlQuery remove(db);
    remove.prepare(QStringLiteral("DELETE FROM children WHERE uuid = ?"));
    for (const QString &id : std::as_const(gone)) {
        remove.addBindValue(id);
        if (!remove.exec())
            return failedAndRolledBack(db, remove, error);
    }
    if (!db.commit()) {
        *error = db.lastError().databaseText().trimmed();
        db.rollback();
        return false;
    }
    return true;
}

bool rename(QSqlDatabase &db, const QString &from, const QString &to, QString *error)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE classes SET name = ? WHERE name = ?"));
    query.addBindValue(to);
    query.addBindValue(from);
    return query.exec() || failed(query, error);
}

bool children(QSqlDatabase &db, const QString &className, QList<ServerChild> *children,
              QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT c.uuid, c.name, c.picture, c.spoken_name"
                                 " FROM children c JOIN classes k ON k.id = c.class_id"
                                 " WHERE k.name = ? ORDER BY c.id"));
    query.addBindValue(className);
    if (!query.exec())
        return failed(query, error);
    children->clear();
    while (query.next())
        children->append({query.value(0).toString(), query.value(1).toString(),
                          query.value(2).toString(), query.value(3).toByteArray()});
    return true;
}

bool summarise(QSqlDatabase &db, const QString &className, const DayRange &range,
               AnswerSummary *summary, QString *error)
{
    AnswerQueries queries = classQueries(db, className);
    if (queries.summary(range, summary))
        return true;
    *error = textOf(queries.lastError());
    return false;
}

bool daysOfAll(QSqlDatabase &db, const QString &className, QDate today, QList<AnswerDay> *days,
               QString *error)
{
    AnswerQueries queries = classQueries(db, className);
    QList<AnswerDay> misses;
    if (!queries.lastMisses(QString(), today, &misses)) {
        *error = textOf(queries.lastError());
        return false;
    }
    // Child by child, so that each is found by the index of their answers.
    QMap<QString, QList<AnswerDay>> byChild;
    for (const AnswerDay &miss : std::as_const(misses))
        byChild[miss.child].append(miss);
    *days = misses;
    for (const QList<AnswerDay> &ofOne : std::as_const(byChild)) {
        if (!queries.rightDaysAfter(ofOne, today, days)) {
            *error = textOf(queries.lastError());
            return false;
        }
    }
    return true;
}

static bool failedToRead(const QString &error, QString *problem)
{
    *problem = QStringLiteral("La classe non si legge dal server della scuola: %1").arg(error);
    return false;
}

bool read(const QString &service, const QString &className, ServerClassList *list, QString *problem)
{
    ServerConnection server(service);
    if (!server.open()) {
        *problem = server.reason();
        return false;
    }
    QString error;
    if (!classes(server.db(), &list->classes, &error))
        return failedToRead(error, problem);
    // A server of one class: that is the class, whatever was asked.
    const QString name = !list->classes.contains(className) && list->classes.size() == 1
                             ? list->classes.first()
                             : className;
    if (!children(server.db(), name, &list->children, &error))
        return failedToRead(error, problem);
    QSqlQuery every(server.db());
    every.setForwardOnly(true);
    if (!every.exec(QStringLiteral("SELECT uuid FROM children")))
        return failedToRead(every.lastError().databaseText().trimmed(), problem);
    list->everyChild.clear();
    while (every.next())
        list->everyChild << every.value(0).toString();
    return true;
}

bool unsent(QSqlDatabase &db, QList<UnsentAnswers> *computers, QString *error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT name, unsent, told_at FROM computers"
                                   " WHERE unsent > 0 ORDER BY name")))
        return failed(query, error);
    computers->clear();
    while (query.next())
        computers->append(
            {query.value(0).toString(), query.value(1).toLongLong(), query.value(2).toDateTime()});
    return true;
}

} // namespace ServerClass
