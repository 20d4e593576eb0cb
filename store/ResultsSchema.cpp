#include "ResultsSchema.h"

#include "KeptAnswer.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtEndian>

#include <functional>

namespace {

// From no tables to the first version: children by their id in the class
// list (names never come here), and their answers. The time is kept as UTC
// with the offset the computer had, so the local time the child saw comes
// back the same wherever the file is read.
bool createVersion1(QSqlQuery &query)
{
    return query.exec(QStringLiteral("CREATE TABLE children ("
                                     " id INTEGER PRIMARY KEY,"
                                     " uuid TEXT NOT NULL UNIQUE)")) &&
           query.exec(QStringLiteral("CREATE TABLE answers ("
                                     " id INTEGER PRIMARY KEY,"
                                     " answered_at INTEGER NOT NULL,"
                                     " utc_offset INTEGER NOT NULL,"
                                     " child INTEGER NOT NULL REFERENCES children(id),"
                                     " computer TEXT NOT NULL,"
                                     " exercise TEXT NOT NULL,"
                                     " language TEXT NOT NULL,"
                                     " asked TEXT NOT NULL,"
                                     " given TEXT NOT NULL,"
                                     " is_right INTEGER NOT NULL,"
                                     " route TEXT NOT NULL,"
                                     " seconds REAL NOT NULL)"));
}

// The words version 1 kept, as its windows wrote them, and their numbers.
// Frozen here: this is what those files hold, whatever the windows write now.
struct Word
{
    Items items;
    int number;
};

QHash<QString, Word> version1Words()
{
    const QStringList months[] = {{"gennaio", "febbraio", "marzo", "aprile", "maggio", "giugno",
                                   "luglio", "agosto", "settembre", "ottobre", "novembre",
                                   "dicembre"},
                                  {"january", "february", "march", "april", "may", "june", "july",
                                   "august", "september", "october", "november", "december"}};
    const QStringList days[] = {
        {QStringLiteral("lunedì"), QStringLiteral("martedì"), QStringLiteral("mercoledì"),
         QStringLiteral("giovedì"), QStringLiteral("venerdì"), QStringLiteral("sabato"),
         QStringLiteral("domenica")},
        {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"}};
    QHash<QString, Word> words;
    for (const QStringList &names : months) {
        for (int i = 0; i < names.size(); ++i)
            words.insert(names[i], {Items::Months, i + 1});
    }
    for (const QStringList &names : days) {
        for (int i = 0; i < names.size(); ++i)
            words.insert(names[i], {Items::Days, i + 1});
    }
    return words;
}

// The exercises as version 1 named them, by their menu captions.
const QHash<QString, QString> &version1Exercises()
{
    static const QHash<QString, QString> keys{
        {QStringLiteral("Riordina i mesi (1)"), QStringLiteral("riordina-mesi-1")},
        {QStringLiteral("Riordina i mesi (2)"), QStringLiteral("riordina-mesi-2")},
        {QStringLiteral("Riordina i giorni (1)"), QStringLiteral("riordina-giorni-1")},
        {QStringLiteral("Riordina i giorni (2)"), QStringLiteral("riordina-giorni-2")},
        {QStringLiteral("Ciclo dei mesi"), QStringLiteral("ciclo-mesi")},
        {QStringLiteral("Ciclo dei giorni"), QStringLiteral("ciclo-giorni")},
        {QStringLiteral("Usa il calendario"), QStringLiteral("calendario")},
    };
    return keys;
}

std::optional<Word> wordOf(const QHash<QString, Word> &words, const QString &text)
{
    const QString key = text.trimmed().toLower();
    if (const auto found = words.constFind(key); found != words.cend())
        return found.value();
    const QDate date = QDate::fromString(text.trimmed(), Qt::ISODate);
    if (date.isValid())
        return Word{Items::Dates, dateNumber(date)};
    return std::nullopt;
}

// Version 2 keeps numbers and keys instead of words, and gives each answer
// an identity of its own and the round it was given in. The table is made
// anew from the old one, in one transaction with the version: every
// answer keeps its id, time, child and computer. An old answer's identity
// is made from its file's computer, its time and its row, so that the
// same file upgraded twice (a reader's copy, then the file itself) gives
// the same identities; it is a version 8 UUID, which no random one is.
bool upgradeToVersion2(QSqlQuery &query)
{
    if (!query.exec(QStringLiteral("CREATE TEMP TABLE v1_words ("
                                   " word TEXT PRIMARY KEY, items TEXT NOT NULL,"
                                   " number INTEGER NOT NULL)")) ||
        !query.exec(QStringLiteral("CREATE TEMP TABLE v1_exercises ("
                                   " caption TEXT PRIMARY KEY, key TEXT NOT NULL)")) ||
        !query.exec(QStringLiteral("CREATE TEMP TABLE v1_computers ("
                                   " computer TEXT PRIMARY KEY, hash TEXT NOT NULL)")))
        return false;
    // The few dozen different words and computers, each looked at once.
    QStringList texts;
    QStringList computers;
    if (!query.exec(QStringLiteral("SELECT asked FROM answers UNION SELECT given FROM answers")))
        return false;
    while (query.next())
        texts << query.value(0).toString();
    if (!query.exec(QStringLiteral("SELECT DISTINCT computer FROM answers")))
        return false;
    while (query.next())
        computers << query.value(0).toString();
    const QHash<QString, Word> words = version1Words();
    if (!query.prepare(QStringLiteral("INSERT INTO v1_words VALUES (?, ?, ?)")))
        return false;
    for (const QString &text : texts) {
        if (const auto word = wordOf(words, text)) {
            query.addBindValue(text);
            query.addBindValue(itemsKey(word->items));
            query.addBindValue(word->number);
            if (!query.exec())
                return false;
        }
    }
    if (!query.prepare(QStringLiteral("INSERT INTO v1_exercises VALUES (?, ?)")))
        return false;
    for (auto exercise = version1Exercises().cbegin(); exercise != version1Exercises().cend();
         ++exercise) {
        query.addBindValue(exercise.key());
        query.addBindValue(exercise.value());
        if (!query.exec())
            return false;
    }
    if (!query.prepare(QStringLiteral("INSERT INTO v1_computers VALUES (?, ?)")))
        return false;
    for (const QString &computer : computers) {
        query.addBindValue(computer);
        query.addBindValue(QString::fromLatin1(
            QCryptographicHash::hash(computer.toUtf8(), QCryptographicHash::Sha1).toHex().left(8)));
        if (!query.exec())
            return false;
    }
    // Known words come back as numbers; words of the same kind are one
    // answer's, anything else is kept as it was, beside zeros.
    const QString known = QStringLiteral("(wa.items IS NOT NULL AND wa.items = wg.items)");
    return query.exec(QStringLiteral("CREATE TABLE answers_2 ("
                                     " id INTEGER PRIMARY KEY,"
                                     " uuid TEXT NOT NULL UNIQUE,"
                                     " answered_at INTEGER NOT NULL,"
                                     " utc_offset INTEGER NOT NULL,"
                                     " child INTEGER NOT NULL REFERENCES children(id),"
                                     " computer TEXT NOT NULL,"
                                     " exercise TEXT NOT NULL,"
                                     " language TEXT NOT NULL,"
                                     " items TEXT NOT NULL,"
                                     " asked INTEGER NOT NULL,"
                                     " given INTEGER NOT NULL,"
                                     " round TEXT,"
                                     " is_right INTEGER NOT NULL,"
                                     " route TEXT NOT NULL,"
                                     " seconds REAL NOT NULL,"
                                     " asked_text TEXT,"
                                     " given_text TEXT)")) &&
           query.exec(
               QStringLiteral(
                   "INSERT INTO answers_2 (id, uuid, answered_at, utc_offset, child, computer,"
                   " exercise, language, items, asked, given, round, is_right, route, seconds,"
                   " asked_text, given_text)"
                   " SELECT a.id,"
                   " printf('%s-%04x-8%03x-%04x-%012x', h.hash, (a.answered_at >> 32) & 65535,"
                   "  (a.answered_at >> 20) & 4095, 32768 | ((a.answered_at >> 6) & 16383),"
                   "  ((a.answered_at & 63) << 42) | (a.id & 4398046511103)),"
                   " a.answered_at, a.utc_offset, a.child, a.computer,"
                   " COALESCE(e.key, a.exercise), a.language,"
                   " COALESCE(wa.items, wg.items, 'mesi'),"
                   " CASE WHEN KNOWN THEN wa.number ELSE 0 END,"
                   " CASE WHEN KNOWN THEN wg.number ELSE 0 END,"
                   " NULL, a.is_right, a.route, a.seconds,"
                   " CASE WHEN KNOWN THEN NULL ELSE a.asked END,"
                   " CASE WHEN KNOWN THEN NULL ELSE a.given END"
                   " FROM answers a"
                   " JOIN v1_computers h ON h.computer = a.computer"
                   " LEFT JOIN v1_words wa ON wa.word = a.asked"
                   " LEFT JOIN v1_words wg ON wg.word = a.given"
                   " LEFT JOIN v1_exercises e ON e.caption = a.exercise")
                   .replace(QStringLiteral("KNOWN"), known)) &&
           query.exec(QStringLiteral("DROP TABLE answers")) &&
           query.exec(QStringLiteral("ALTER TABLE answers_2 RENAME TO answers")) &&
           // A child's answers in time order, with all their review needs:
           // the last day they played, and their review, read from the
           // index alone.
           query.exec(QStringLiteral("CREATE INDEX answers_child ON answers (child, answered_at,"
                                     " utc_offset, items, asked, given, is_right)")) &&
           query.exec(QStringLiteral("DROP TABLE temp.v1_words")) &&
           query.exec(QStringLiteral("DROP TABLE temp.v1_exercises")) &&
           query.exec(QStringLiteral("DROP TABLE temp.v1_computers"));
}

// Version 3 remembers which answers the school's server has: answers are
// only ever added here, and the server takes each one once by its identity,
// so an answer sent again after a crash is not counted twice.
bool upgradeToVersion3(QSqlQuery &query)
{
    return query.exec(QStringLiteral("CREATE TABLE sent (uuid TEXT PRIMARY KEY) WITHOUT ROWID"));
}

// steps[v] brings a file from version v to v + 1.
const std::function<bool(QSqlQuery &)> steps[] = {createVersion1, upgradeToVersion2,
                                                  upgradeToVersion3};
static_assert(std::size(steps) == ResultsSchema::version);
static_assert(std::size(ResultsSchema::answerFields) == ResultsSchema::version);

} // namespace

namespace ResultsSchema {

int versionInHeader(const QString &path)
{
    QFile file(path);
    if (!file.exists() || file.size() == 0)
        return 0;
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = file.read(100);
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return -1;
    return qFromBigEndian<qint32>(header.constData() + 60);
}

bool upgrade(QSqlDatabase &db, int *found, QSqlError *error, int target)
{
    QSqlQuery query(db);
    const auto failed = [&] {
        *error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    // Immediate, so that two programs opening one file cannot both upgrade it.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed();
    *found = query.value(0).toInt();
    query.finish();
    if (*found < 0) {
        // Not a version any build wrote: some other program's file.
        query.exec(QStringLiteral("ROLLBACK"));
        *error = QSqlError(QString(), QStringLiteral("user_version %1").arg(*found),
                           QSqlError::StatementError);
        return false;
    }
    if (*found >= target) {
        *error = QSqlError();
        query.exec(QStringLiteral("ROLLBACK"));
        return *found <= version;
    }
    for (int step = *found; step < target; ++step) {
        if (!steps[step](query))
            return failed();
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(target)) ||
        !query.exec(QStringLiteral("COMMIT")))
        return failed();
    *error = QSqlError();
    return true;
}

} // namespace ResultsSchema
