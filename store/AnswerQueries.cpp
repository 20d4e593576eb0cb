#include "AnswerQueries.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QDate epoch(1970, 1, 1);

// The child's own local day of an answer, as days since 1 January 1970:
// integer division in both SQLite and PostgreSQL.
const QString dayOf = QStringLiteral("((a.answered_at / 1000 + a.utc_offset) / 86400)");

const QString from = QStringLiteral(" FROM answers a JOIN children c ON c.id = a.child");

QDate dateOfDay(qint64 day)
{
    return epoch.addDays(day);
}

} // namespace

void AnswerSummary::append(const AnswerSummary &other)
{
    tallies += other.tallies;
    pairs += other.pairs;
    dateMisses += other.dateMisses;
    for (auto last = other.lastPlayed.cbegin(); last != other.lastPlayed.cend(); ++last) {
        QDate &day = lastPlayed[last.key()];
        if (!day.isValid() || last.value() > day)
            day = last.value();
    }
}

AnswerQueries::AnswerQueries(QSqlDatabase &db, QString scope, QVariantMap binds)
    : db_(db), scope_(std::move(scope)), binds_(std::move(binds))
{
}

namespace {

// A statement prepared with its named values; `error` set when it fails.
class Statement
{
public:
    Statement(QSqlDatabase &db, const QString &sql, const QVariantMap &binds, QSqlError *error)
        : query_(db), error_(error)
    {
        query_.setForwardOnly(true);
        ok_ = query_.prepare(sql);
        for (auto bind = binds.cbegin(); ok_ && bind != binds.cend(); ++bind) {
            if (sql.contains(bind.key()))
                query_.bindValue(bind.key(), bind.value());
        }
        ok_ = ok_ && query_.exec();
        if (!ok_)
            *error_ = query_.lastError();
    }
    bool ok() const { return ok_; }
    bool next() { return query_.next(); }
    // Every row read: a row that failed on the way is an error too.
    bool finished()
    {
        if (query_.lastError().isValid()) {
            *error_ = query_.lastError();
            return false;
        }
        return true;
    }
    int column(const char *name) const { return query_.record().indexOf(QLatin1String(name)); }
    QVariant value(int column) const { return query_.value(column); }

private:
    QSqlQuery query_;
    QSqlError *error_;
    bool ok_ = false;
};

QString rangeCondition(const DayRange &range, QVariantMap *binds)
{
    QString condition;
    if (range.first.isValid()) {
        condition += QStringLiteral(" AND ") + dayOf + QStringLiteral(" >= :first");
        binds->insert(QStringLiteral(":first"), epoch.daysTo(range.first));
    }
    if (range.last.isValid()) {
        condition += QStringLiteral(" AND ") + dayOf + QStringLiteral(" <= :last");
        binds->insert(QStringLiteral(":last"), epoch.daysTo(range.last));
    }
    return condition;
}

} // namespace

bool AnswerQueries::summary(const DayRange &range, AnswerSummary *summary)
{
    AnswerSummary made;
    if (!tallies(range, &made.tallies) || !pairs(range, &made.pairs) ||
        !dateMisses(range, &made.dateMisses) || !lastPlayed(&made.lastPlayed))
        return false;
    *summary = std::move(made);
    return true;
}

bool AnswerQueries::tallies(const DayRange &range, QList<TallyRow> *rows)
{
    QVariantMap binds = binds_;
    const QString condition = rangeCondition(range, &binds);
    Statement query(db_,
                    QStringLiteral("SELECT c.uuid AS child, a.exercise AS exercise, ") + dayOf +
                        QStringLiteral(" AS day, SUM(a.is_right) AS right_ones,"
                                       " COUNT(*) AS answers") +
                        from + QStringLiteral(" WHERE 1 = 1") + scope_ + condition +
                        QStringLiteral(" GROUP BY c.uuid, a.exercise, ") + dayOf,
                    binds, &error_);
    if (!query.ok())
        return false;
    const int child = query.column("child"), exercise = query.column("exercise"),
              day = query.column("day"), right = query.column("right_ones"),
              answers = query.column("answers");
    while (query.next())
        rows->append({query.value(child).toString(), query.value(exercise).toString(),
                      dateOfDay(query.value(day).toLongLong()), query.value(right).toInt(),
                      query.value(answers).toInt()});
    return query.finished();
}

bool AnswerQueries::pairs(const DayRange &range, QList<PairRow> *rows)
{
    QVariantMap binds = binds_;
    const QString condition = rangeCondition(range, &binds);
    // Answers an older build kept in words it did not know have no numbers.
    Statement query(
        db_,
        QStringLiteral("SELECT c.uuid AS child, a.items AS items, a.language AS language,"
                       " a.asked AS asked, a.given AS given, COUNT(*) AS times") +
            from +
            QStringLiteral(" WHERE a.items IN ('mesi', 'giorni') AND a.asked > 0 AND"
                           " a.given > 0") +
            scope_ + condition +
            QStringLiteral(" GROUP BY c.uuid, a.items, a.language, a.asked, a.given"),
        binds, &error_);
    if (!query.ok())
        return false;
    const int child = query.column("child"), items = query.column("items"),
              language = query.column("language"), asked = query.column("asked"),
              given = query.column("given"), times = query.column("times");
    while (query.next()) {
        rows->append({query.value(child).toString(),
                      itemsOfKey(query.value(items).toString()).value_or(Items::Months),
                      query.value(language).toString(), query.value(asked).toInt(),
                      query.value(given).toInt(), query.value(times).toInt()});
    }
    return query.finished();
}

bool AnswerQueries::dateMisses(const DayRange &range, QList<DateMissRow> *rows)
{
    QVariantMap binds = binds_;
    const QString condition = rangeCondition(range, &binds);
    Statement query(db_,
                    QStringLiteral("SELECT c.uuid AS child, a.asked AS asked, a.given AS given,"
                                   " COUNT(*) AS times") +
                        from +
                        QStringLiteral(" WHERE a.items = 'date' AND a.is_right = 0 AND"
                                       " a.asked > 0") +
                        scope_ + condition + QStringLiteral(" GROUP BY c.uuid, a.asked, a.given"),
                    binds, &error_);
    if (!query.ok())
        return false;
    const int child = query.column("child"), asked = query.column("asked"),
              given = query.column("given"), times = query.column("times");
    while (query.next())
        rows->append({query.value(child).toString(), query.value(asked).toInt(),
                      query.value(given).toInt(), query.value(times).toInt()});
    return query.finished();
}

bool AnswerQueries::lastPlayed(QHash<QString, QDate> *days)
{
    // Each child's last answer, found by the index of a child's answers in
    // time order rather than by reading them all.
    Statement query(db_,
                    QStringLiteral("SELECT c.uuid AS child, (SELECT ") + dayOf +
                        QStringLiteral(" FROM answers a WHERE a.child = c.id"
                                       " ORDER BY a.answered_at DESC LIMIT 1) AS day"
                                       " FROM children c WHERE 1 = 1") +
                        scope_,
                    binds_, &error_);
    if (!query.ok())
        return false;
    const int child = query.column("child"), day = query.column("day");
    while (query.next()) {
        if (!query.value(day).isNull())
            days->insert(query.value(child).toString(), dateOfDay(query.value(day).toLongLong()));
    }
    return query.finished();
}

bool AnswerQueries::days(const QString &child, QList<AnswerDay> *days)
{
    QVariantMap binds = binds_;
    binds.insert(QStringLiteral(":child"), child);
    return this->days(QStringLiteral(" AND c.uuid = :child"), binds, days);
}

bool AnswerQueries::days(const QString &condition, const QVariantMap &binds, QList<AnswerDay> *days)
{
    Statement query(db_,
                    QStringLiteral("SELECT c.uuid AS child, a.items AS items, a.asked AS asked,"
                                   " a.given AS given, ") +
                        dayOf + QStringLiteral(" AS day, MIN(a.is_right) AS all_right") + from +
                        QStringLiteral(" WHERE a.asked > 0 AND a.given > 0") + scope_ + condition +
                        QStringLiteral(" GROUP BY c.uuid, a.items, a.asked, a.given, ") + dayOf,
                    binds, &error_);
    if (!query.ok())
        return false;
    const int childColumn = query.column("child"), items = query.column("items"),
              asked = query.column("asked"), given = query.column("given"),
              day = query.column("day"), allRight = query.column("all_right");
    while (query.next()) {
        const auto kind = itemsOfKey(query.value(items).toString());
        if (!kind)
            continue;
        days->append({query.value(childColumn).toString(), *kind, query.value(asked).toInt(),
                      query.value(given).toInt(), dateOfDay(query.value(day).toLongLong()),
                      query.value(allRight).toInt() != 0});
    }
    return query.finished();
}

bool AnswerQueries::answers(QList<KeptAnswer> *answers)
{
    Statement query(db_,
                    QStringLiteral("SELECT a.uuid AS answer, a.answered_at AS answered_at,"
                                   " a.utc_offset AS utc_offset, c.uuid AS child,"
                                   " a.computer AS computer, a.exercise AS exercise,"
                                   " a.language AS language, a.items AS items, a.asked AS asked,"
                                   " a.given AS given, a.round AS round, a.is_right AS is_right,"
                                   " a.route AS route, a.seconds AS seconds,"
                                   " a.asked_text AS asked_text, a.given_text AS given_text") +
                        from + QStringLiteral(" WHERE 1 = 1") + scope_ +
                        QStringLiteral(" ORDER BY a.id"),
                    binds_, &error_);
    if (!query.ok())
        return false;
    const int id = query.column("answer"), at = query.column("answered_at"),
              offset = query.column("utc_offset"), child = query.column("child"),
              computer = query.column("computer"), exercise = query.column("exercise"),
              language = query.column("language"), items = query.column("items"),
              asked = query.column("asked"), given = query.column("given"),
              round = query.column("round"), right = query.column("is_right"),
              route = query.column("route"), seconds = query.column("seconds"),
              askedText = query.column("asked_text"), givenText = query.column("given_text");
    // A class's texts are a few dozen, repeated: each kept once, shared.
    QHash<QString, QString> shared;
    const auto text = [&](int column) {
        const QString value = query.value(column).toString();
        return *shared.insert(value, value);
    };
    while (query.next()) {
        KeptAnswer answer;
        answer.id = QUuid::fromString(query.value(id).toString());
        answer.when = QDateTime::fromMSecsSinceEpoch(
            query.value(at).toLongLong(), Qt::OffsetFromUTC, query.value(offset).toInt());
        answer.child = text(child);
        answer.computer = text(computer);
        answer.exercise = text(exercise);
        answer.language = text(language);
        answer.items = itemsOfKey(query.value(items).toString()).value_or(Items::Months);
        answer.asked = query.value(asked).toInt();
        answer.given = query.value(given).toInt();
        answer.round = QUuid::fromString(query.value(round).toString());
        answer.right = query.value(right).toInt() != 0;
        answer.route = text(route);
        answer.seconds = query.value(seconds).toDouble();
        answer.askedText = query.value(askedText).toString();
        answer.givenText = query.value(givenText).toString();
        answers->append(std::move(answer));
    }
    return query.finished();
}

bool AnswerQueries::count(const QString &child, qint64 *count)
{
    QVariantMap binds = binds_;
    binds.insert(QStringLiteral(":child"), child);
    Statement query(db_,
                    QStringLiteral("SELECT COUNT(*) AS answers") + from +
                        QStringLiteral(" WHERE c.uuid = :child") + scope_,
                    binds, &error_);
    if (!query.ok())
        return false;
    if (!query.next()) {
        query.finished();
        return false;
    }
    *count = query.value(0).toLongLong();
    return true;
}
