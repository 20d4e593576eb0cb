#include "ResultsCsv.h"

#include "AnswerQueries.h"
#include "AnswerWords.h"
#include "OwnerOnly.h"
#include "ResultsFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>

namespace {

// Tenths of a second are as fine as a child's answer is timed.
QString seconds(double value)
{
    if (!std::isfinite(value))
        return {};
    return QString::number(value, 'f', 1).replace(u'.', u',');
}

// One field, quoted when it holds ';', '"' or a line end.
QString field(const QString &text)
{
    if (!text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

namespace ResultsCsv {

QByteArray write(const QList<KeptAnswer> &answers, const QHash<QString, QString> &names)
{
    QString text;
    text.reserve(answers.size() * 120 + 128);
    text += QStringLiteral(
        "data e ora;bambino;computer;esercizio;lingua;chiesto;dato;esatto;modo;secondi;"
        "risposta;giro\r\n");
    for (const KeptAnswer &answer : answers) {
        const QStringList fields = {
            answer.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
            field(names.value(answer.child, answer.child)),
            field(answer.computer),
            field(AnswerWords::exerciseCaption(answer.exercise)),
            field(answer.language),
            field(AnswerWords::asked(answer)),
            field(AnswerWords::given(answer)),
            answer.right ? QStringLiteral("sì") : QStringLiteral("no"),
            field(answer.route),
            seconds(answer.seconds),
            answer.id.toString(QUuid::WithoutBraces),
            answer.round.isNull() ? QString() : answer.round.toString(QUuid::WithoutBraces),
        };
        text += fields.join(u';');
        text += QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeFile(const QString &csvPath, const QList<KeptAnswer> &answers,
               const QHash<QString, QString> &names, QString *error)
{
    const QString target = QDir::toNativeSeparators(csvPath);
    const QFileInfo info(csvPath);
    if (!info.absoluteDir().exists()) {
        *error = QStringLiteral("Non si può scrivere %1: la cartella non esiste.").arg(target);
        return false;
    }
    if (info.isDir()) {
        *error = QStringLiteral("Non si può scrivere %1: è una cartella.").arg(target);
        return false;
    }
    QSaveFile file(csvPath);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Non si può scrivere %1: manca il permesso.").arg(target);
        return false;
    }
    // The children's names are in it: for the owner's eyes, like the results.
    file.setPermissions(OwnerOnly::file);
    file.write(write(answers, names));
    if (!file.commit()) {
        *error = QStringLiteral("Non si può scrivere %1: il disco è pieno o non accetta "
                                "scritture.")
                     .arg(target);
        return false;
    }
    return true;
}

bool exportServer(QSqlDatabase &db, const QString &csvPath, QString *error)
{
    QHash<QString, QString> names;
    QSqlQuery children(db);
    children.setForwardOnly(true);
    if (!children.exec(QStringLiteral("SELECT uuid, name FROM children"))) {
        *error = QStringLiteral("Il server della scuola non dà i bambini: %1")
                     .arg(children.lastError().databaseText().trimmed());
        return false;
    }
    while (children.next())
        names.insert(children.value(0).toString(), children.value(1).toString());
    QList<KeptAnswer> answers;
    AnswerQueries queries(db);
    if (!queries.answers(&answers)) {
        *error = QStringLiteral("Il server della scuola non dà le risposte: %1")
                     .arg(queries.lastError().databaseText().trimmed());
        return false;
    }
    return writeFile(csvPath, answers, names, error);
}

bool exportFolder(const QString &folder, const QString &csvPath,
                  const QHash<QString, QString> &names, QString *error, QStringList *skipped)
{
    const QString folderName = QDir::toNativeSeparators(folder);
    if (!QFileInfo(folder).isDir()) {
        *error = QStringLiteral("La cartella dei risultati %1 non esiste.").arg(folderName);
        return false;
    }
    QStringList problems;
    const QList<KeptAnswer> answers = ResultsFolder::readAll(folder, &problems);
    if (skipped)
        *skipped = problems;
    // One damaged file does not hide the others; only a folder of which
    // nothing could be read writes nothing.
    if (answers.isEmpty() && !problems.isEmpty()) {
        *error = QStringLiteral("Nessun file scritto: %1").arg(problems.join(u' '));
        return false;
    }
    return writeFile(csvPath, answers, names, error);
}

} // namespace ResultsCsv
