#include "AnswerQueries.h"

#include <QHash>
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

// The widest a computer's offset from UTC can be, in seconds.
constexpr qint64 widestOffset = 18 * 3600;

// The days asked for, as the child's local days. Each is also said as a
// span of answered_at wide enough for any offset, which the index of a
// child's answers in time order finds without reading the others.
QString rangeCondition(const DayRange &range, QVariantMap *binds)
{
    QString condition;
    if (range.first.isValid()) {
        const qint64 first = epoch.daysTo(range.first);
        condition += QStringLiteral(" AND a.answered_at >= :firstAt AND ") + dayOf +
                     QStringLiteral(" >= :first");
        binds->insert(QStringLiteral(":firstAt"), (first * 86400 - widestOffset) * 1000);
        binds->insert(QStringLiteral(":first"), first);
    }
    if (range.last.isValid()) {
        const qint64 last = epoch.daysTo(range.last);
        condition += QStringLiteral(" AND a.answered_at < :lastAt AND ") + dayOf +
                     QStringLiteral(" <= :last");
        binds->insert(QStringLiteral(":lastAt"), ((last + 1) * 86400 + widestOffset) * 1000);
        binds->insert(QStringLiteral(":last"), last);
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

namespace {

// An answer's item for the review: a name's number, or a date's month
// as its first day (yyyymm00).
const QString itemOf =
    QStringLiteral("CASE WHEN a.items = 'date' THEN a.asked / 100 * 100 ELSE a.asked END");

// Reads rows of (child, items, item, day) as a review's days.
bool readDays(Statement &query, bool allRight, QList<AnswerDay> *days)
{
    const int childColumn = query.column("child"), items = query.column("items"),
              item = query.column("item"), day = query.column("day");
    while (query.next()) {
        const auto kind = itemsOfKey(query.value(items).toString());
        if (!kind)
            continue;
        const int number = query.value(item).toInt();
        days->append({query.value(childColumn).toString(), *kind, number, number,
                      dateOfDay(query.value(day).toLongLong()), allRight});
    }
    return query.finished();
}

} // namespace

bool AnswerQueries::lastMisses(const QString &child, QDate today, QList<AnswerDay> *misses)
{
    // A confused pair is missed on both sides; a wrong day, its asked month.
    QVariantMap binds = binds_;
    binds.insert(QStringLiteral(":today"), epoch.daysTo(today));
    QString condition = QStringLiteral(" AND a.is_right = 0 AND a.asked > 0 AND a.given > 0 AND ") +
                        dayOf + QStringLiteral(" <= :today") + scope_;
    if (!child.isEmpty()) {
        condition += QStringLiteral(" AND c.uuid = :child");
        binds.insert(QStringLiteral(":child"), child);
    }
    Statement query(db_,
                    QStringLiteral("SELECT child, items, item, MAX(day) AS day FROM ("
                                   " SELECT c.uuid AS child, a.items AS items, ") +
                        itemOf + QStringLiteral(" AS item, ") + dayOf + QStringLiteral(" AS day") +
                        from + QStringLiteral(" WHERE 1 = 1") + condition +
                        QStringLiteral(" UNION ALL SELECT c.uuid, a.items, a.given, ") + dayOf +
                        from + QStringLiteral(" WHERE a.items <> 'date'") + condition +
                        QStringLiteral(") AS misses GROUP BY child, items, item"),
                    binds, &error_);
    return query.ok() && readDays(query, false, misses);
}

bool AnswerQueries::rightDaysAfter(const QList<AnswerDay> &misses, QDate today,
                                   QList<AnswerDay> *days)
{
    // Nothing before an item's last miss counts: only the days answered
    // right since. One child's misses at a time, read from the index of a
    // child's answers in time order from the earliest of them on.
    if (misses.isEmpty())
        return true;
    QHash<std::pair<int, int>, QDate> last;
    QDate earliest;
    for (const AnswerDay &miss : misses) {
        last.insert({int(miss.items), miss.asked}, miss.day);
        if (!earliest.isValid() || miss.day < earliest)
            earliest = miss.day;
    }
    QVariantMap binds = binds_;
    binds.insert(QStringLiteral(":today"), epoch.daysTo(today));
    binds.insert(QStringLiteral(":child"), misses.first().child);
    // A day's answers lie within 14 hours of its UTC midnight, whatever the offset.
    constexpr qint64 dayMs = 86400000;
    constexpr qint64 widestOffsetMs = 14 * 3600000;
    binds.insert(QStringLiteral(":from"), epoch.daysTo(earliest) * dayMs - widestOffsetMs);
    Statement query(db_,
                    QStringLiteral("SELECT c.uuid AS child, a.items AS items, ") + itemOf +
                        QStringLiteral(" AS item, ") + dayOf + QStringLiteral(" AS day") + from +
                        QStringLiteral(" WHERE c.uuid = :child AND a.answered_at >= :from AND"
                                       " a.is_right = 1 AND a.asked > 0 AND ") +
                        dayOf + QStringLiteral(" <= :today") + scope_ +
                        QStringLiteral(" GROUP BY c.uuid, a.items, ") + itemOf +
                        QStringLiteral(", ") + dayOf,
                    binds, &error_);
    QList<AnswerDay> read;
    if (!query.ok() || !readDays(query, true, &read))
        return false;
    for (const AnswerDay &day : read) {
        const auto missed = last.constFind({int(day.items), day.asked});
        if (missed != last.cend() && day.day > missed.value())
            days->append(day);
    }
    return true;
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
