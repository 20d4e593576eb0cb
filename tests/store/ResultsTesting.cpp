#include "ResultsTesting.h"

#include "AnswerInsert.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace ResultsTesting {

KeptAnswer answer(const QString &child, int given, const QDateTime &when)
{
    KeptAnswer kept;
    kept.id = QUuid::createUuid();
    kept.when = when.isValid() ? when : QDateTime::currentDateTime();
    kept.child = child;
    kept.exercise = QStringLiteral("riordina-mesi-1");
    kept.language = QStringLiteral("it");
    kept.items = Items::Months;
    kept.asked = 7;
    kept.given = given;
    kept.right = given == kept.asked;
    kept.route = QStringLiteral("trascinamento");
    kept.seconds = 2.5;
    return kept;
}

QString version1Folder()
{
    return QStringLiteral(TEMPIOLO_VERSION1_FOLDER);
}

void fill(const QString &folder, const QString &host, const QList<KeptAnswer> &answers,
          const QString &journal)
{
    QString path;
    {
        SqliteAnswerLog log(folder, host, [&](const QString &) {
            return journal == QLatin1String("wal") ? ext4 : nfs;
        });
        QVERIFY(log.flush());
        QCOMPARE(log.journalMode(), journal);
        QCOMPARE(log.problem(), QString());
        path = log.path();
    }
    SqlConnection connection(path, QString());
    QVERIFY(connection.isOpen());
    QVERIFY(connection.db().transaction());
    {
        AnswerInsert insert(connection.db());
        QVERIFY(insert.prepared());
        for (KeptAnswer kept : answers) {
            if (kept.computer.isEmpty())
                kept.computer = host;
            QVERIFY2(insert.insert(kept), qPrintable(insert.lastError().text()));
        }
    }
    QVERIFY(connection.db().commit());
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QMap<QString, QByteArray> bytesOf(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

QStringList filesHolding(const QString &folder, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    const QByteArray utf16(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    QStringList names;
    const QMap<QString, QByteArray> files = bytesOf(folder);
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        if (file.value().contains(utf8) || file.value().contains(utf16))
            names.append(file.key());
    }
    return names;
}

QStringList fieldsOf(const KeptAnswer &answer)
{
    return {answer.when.toString(Qt::ISODateWithMs),
            answer.child,
            answer.computer,
            answer.exercise,
            answer.language,
            itemsKey(answer.items),
            QString::number(answer.asked),
            QString::number(answer.given),
            answer.round.toString(),
            answer.right ? "right" : "wrong",
            answer.route,
            QString::number(answer.seconds, 'g', 17),
            answer.askedText,
            answer.givenText};
}

} // namespace ResultsTesting
