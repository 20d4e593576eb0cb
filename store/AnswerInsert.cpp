#include "AnswerInsert.h"

#include <QSqlDatabase>

namespace {

// Qt binds a null string as SQL NULL, which the tables refuse: an empty text is "".
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

// Words are kept only for an older build's answers: for the others, NULL.
QVariant nullable(const QString &value)
{
    return value.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(value);
}

} // namespace

AnswerInsert::AnswerInsert(QSqlDatabase &db) : child_(db), answer_(db)
{
    prepared_ =
        child_.prepare(QStringLiteral("INSERT OR IGNORE INTO children (uuid) VALUES (?)")) &&
        answer_.prepare(QStringLiteral(
            "INSERT INTO answers (uuid, answered_at, utc_offset, child, computer, exercise,"
            " language, items, asked, given, round, is_right, route, seconds, asked_text,"
            " given_text)"
            " SELECT ?, ?, ?, id, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? FROM children WHERE uuid = "
            "?"));
    if (!prepared_)
        error_ = child_.lastError().isValid() ? child_.lastError() : answer_.lastError();
}

bool AnswerInsert::insert(const KeptAnswer &answer)
{
    child_.addBindValue(text(answer.child));
    if (!child_.exec()) {
        error_ = child_.lastError();
        return false;
    }
    answer_.addBindValue(answer.id.toString(QUuid::WithoutBraces));
    answer_.addBindValue(answer.when.toMSecsSinceEpoch());
    answer_.addBindValue(answer.when.offsetFromUtc());
    answer_.addBindValue(text(answer.computer));
    answer_.addBindValue(text(answer.exercise));
    answer_.addBindValue(text(answer.language));
    answer_.addBindValue(itemsKey(answer.items));
    answer_.addBindValue(answer.asked);
    answer_.addBindValue(answer.given);
    answer_.addBindValue(answer.round.isNull() ? QVariant(QMetaType(QMetaType::QString))
                                               : answer.round.toString(QUuid::WithoutBraces));
    answer_.addBindValue(answer.right ? 1 : 0);
    answer_.addBindValue(text(answer.route));
    answer_.addBindValue(answer.seconds);
    answer_.addBindValue(nullable(answer.askedText));
    answer_.addBindValue(nullable(answer.givenText));
    answer_.addBindValue(text(answer.child));
    if (!answer_.exec()) {
        error_ = answer_.lastError();
        return false;
    }
    if (answer_.numRowsAffected() != 1) {
        error_ = QSqlError(QString(), QStringLiteral("no child row for the answer"),
                           QSqlError::StatementError);
        return false;
    }
    return true;
}
