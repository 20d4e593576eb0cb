#include "ServerSchema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>

#include <functional>

namespace {

bool run(QSqlQuery &query, const QStringList &statements)
{
    for (const QString &statement : statements) {
        if (!query.exec(statement))
            return false;
    }
    return true;
}

// From nothing to the first version. A child's answers go with the child:
// removing a child on the server removes every answer of theirs. The
// answers' columns are a results file's, so one set of queries reads both.
bool createVersion1(QSqlQuery &query)
{
    return run(query,
               {QStringLiteral("CREATE TABLE classes ("
                               " id bigserial PRIMARY KEY,"
                               " name text NOT NULL UNIQUE)"),
                QStringLiteral("CREATE TABLE children ("
                               " id bigserial PRIMARY KEY,"
                               " uuid text NOT NULL UNIQUE,"
                               " class_id bigint NOT NULL REFERENCES classes(id) ON DELETE CASCADE,"
                               " name text NOT NULL,"
                               " picture text NOT NULL DEFAULT '',"
                               " spoken_name bytea)"),
                QStringLiteral("CREATE INDEX children_class ON children (class_id)"),
                QStringLiteral("CREATE TABLE answers ("
                               " id bigserial PRIMARY KEY,"
                               " uuid text NOT NULL UNIQUE,"
                               " answered_at bigint NOT NULL,"
                               " utc_offset integer NOT NULL,"
                               " child bigint NOT NULL REFERENCES children(id) ON DELETE CASCADE,"
                               " computer text NOT NULL,"
                               " exercise text NOT NULL,"
                               " language text NOT NULL,"
                               " items text NOT NULL,"
                               " asked integer NOT NULL,"
                               " given integer NOT NULL,"
                               " round text,"
                               " is_right integer NOT NULL,"
                               " route text NOT NULL,"
                               " seconds double precision NOT NULL,"
                               " asked_text text,"
                               " given_text text)"),
                QStringLiteral("CREATE INDEX answers_child ON answers (child, answered_at,"
                               " utc_offset, items, asked, given, is_right)"),
                // What each PC still has to send, as it last said.
                QStringLiteral("CREATE TABLE computers ("
                               " name text PRIMARY KEY,"
                               " unsent bigint NOT NULL,"
                               " told_at timestamptz NOT NULL DEFAULT now())")});
}

// steps[v] brings the server from version v to v + 1.
const std::function<bool(QSqlQuery &)> steps[] = {createVersion1};
static_assert(std::size(steps) == ServerSchema::version);

// The roles and what each may do, granted anew every time: a right the
// tables gained in an upgrade reaches the roles, and nothing else changes.
// The PCs say what they still have to send through a function of the
// owner's, so they need no right to read the computers' table either.
bool grantRights(QSqlQuery &query)
{
    const QString pc = ServerSchema::pcRole;
    const QString teacher = ServerSchema::teacherRole;
    QStringList statements;
    for (const QString &role : {pc, teacher}) {
        statements << QStringLiteral("DO $$ BEGIN"
                                     " IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '%1')"
                                     " THEN CREATE ROLE %1 LOGIN; END IF; END $$")
                          .arg(role);
    }
    statements
        << QStringLiteral("REVOKE ALL ON classes, children, answers, computers FROM PUBLIC")
        << QStringLiteral("REVOKE ALL ON classes, children, answers, computers FROM %1, %2")
               .arg(pc, teacher)
        << QStringLiteral("DO $$ BEGIN EXECUTE format('GRANT CONNECT ON DATABASE %I TO %1, %2',"
                          " current_database()); END $$")
               .arg(pc, teacher)
        << QStringLiteral("GRANT USAGE ON SCHEMA public TO %1, %2").arg(pc, teacher)
        << QStringLiteral("GRANT SELECT ON classes, children TO %1").arg(pc)
        << QStringLiteral("GRANT INSERT ON answers TO %1").arg(pc)
        << QStringLiteral("GRANT USAGE ON SEQUENCE answers_id_seq TO %1").arg(pc)
        << QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON classes, children TO %1")
               .arg(teacher)
        << QStringLiteral("GRANT SELECT, DELETE ON answers TO %1").arg(teacher)
        << QStringLiteral("GRANT SELECT ON computers TO %1").arg(teacher)
        << QStringLiteral("GRANT USAGE ON SEQUENCE classes_id_seq, children_id_seq TO %1")
               .arg(teacher)
        << QStringLiteral(
               "CREATE OR REPLACE FUNCTION tempiolo_unsent(computer text, unsent bigint)"
               " RETURNS void LANGUAGE sql SECURITY DEFINER SET search_path = public AS $$"
               " INSERT INTO computers (name, unsent, told_at) VALUES ($1, $2, now())"
               " ON CONFLICT (name) DO UPDATE SET unsent = EXCLUDED.unsent, told_at = now() $$")
        << QStringLiteral("REVOKE ALL ON FUNCTION tempiolo_unsent(text, bigint) FROM PUBLIC")
        << QStringLiteral("GRANT EXECUTE ON FUNCTION tempiolo_unsent(text, bigint) TO %1").arg(pc);
    return run(query, statements);
}

} // namespace

namespace ServerSchema {

int versionOf(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT to_regclass('tempiolo_schema') IS NOT NULL")) ||
        !query.next())
        return -1;
    if (!query.value(0).toBool())
        return 0;
    if (!query.exec(QStringLiteral("SELECT version FROM tempiolo_schema")) || !query.next())
        return -1;
    return query.value(0).toInt();
}

Outcome prepare(QSqlDatabase &db, int *found, QSqlError *error)
{
    QSqlQuery query(db);
    const auto failed = [&] {
        *error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return Outcome::Failed;
    };
    // One technician's run at a time: the second waits, then finds it done.
    if (!query.exec(QStringLiteral("BEGIN")) ||
        !query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(7242010)")))
        return failed();
    *found = versionOf(db);
    if (*found < 0)
        return failed();
    if (*found > version) {
        query.exec(QStringLiteral("ROLLBACK"));
        return Outcome::Newer;
    }
    if (*found == 0 && !query.exec(QStringLiteral("CREATE TABLE tempiolo_schema ("
                                                  " version integer NOT NULL)")))
        return failed();
    for (int v = *found; v < version; ++v) {
        if (!steps[v](query))
            return failed();
    }
    if (!query.exec(QStringLiteral("DELETE FROM tempiolo_schema")) ||
        !query.exec(QStringLiteral("INSERT INTO tempiolo_schema VALUES (%1)").arg(version)) ||
        !query.exec(QStringLiteral("GRANT SELECT ON tempiolo_schema TO PUBLIC")) ||
        !grantRights(query) || !query.exec(QStringLiteral("COMMIT")))
        return failed();
    *error = QSqlError();
    if (*found == version)
        return Outcome::AlreadyThere;
    return *found == 0 ? Outcome::Made : Outcome::Upgraded;
}

} // namespace ServerSchema
