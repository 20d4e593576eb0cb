#include "ClassFile.h"

#include "Accents.h"
#include "OwnerOnly.h"
#include "SetAside.h"

#include "ChildName.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <QUuid>

#include <optional>

namespace {

const char asidePrefix[] = "classe-danneggiata-";
constexpr qint64 maxBytes = 1024 * 1024;

bool isPlainUuid(const QString &id)
{
    const QUuid uuid = QUuid::fromString(id);
    return !uuid.isNull() && uuid.toString(QUuid::WithoutBraces) == id;
}

// Null when the text is not a class file of this program.
std::optional<QList<Child>> children(const QJsonObject &root)
{
    const QJsonValue list = root.value(QLatin1String("children"));
    if (!list.isArray())
        return std::nullopt;
    QList<Child> result;
    QSet<QString> ids;
    for (const QJsonValue &entry : list.toArray()) {
        if (!entry.isObject())
            return std::nullopt;
        const QJsonObject o = entry.toObject();
        const QString id = o.value(QLatin1String("id")).toString();
        const QString name = ChildName::tidy(o.value(QLatin1String("name")).toString());
        if (!isPlainUuid(id) || name.isEmpty() || ids.contains(id))
            return std::nullopt;
        ids.insert(id);
        result.append({id, name, o.value(QLatin1String("picture")).toString()});
    }
    return result;
}

QByteArray jsonString(const QString &text)
{
    // The form a string takes inside the file: its quotes are not part of it.
    const QByteArray quoted = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return quoted.mid(2, quoted.size() - 4);
}

// Stars over every occurrence of a form of a name, in any case.
bool blot(QString &text, const QString &form)
{
    bool found = false;
    for (qsizetype at = form.isEmpty() ? -1 : text.indexOf(form, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(form, at + form.size(), Qt::CaseInsensitive)) {
        text.replace(at, form.size(), QString(form.size(), QLatin1Char('*')));
        found = true;
    }
    return found;
}

} // namespace

ClassFile::ClassFile(const QString &folder) : folder_(folder) {}

QString ClassFile::path() const
{
    return folder_ + QStringLiteral("/classe.json");
}

QList<Child> ClassFile::read()
{
    QFile file(path());
    if (!file.exists())
        return {};
    const QString damaged = QStringLiteral(
        "Il file della classe (%1) è danneggiato e non si può leggere: la classe risulta vuota. "
        "Il file resta com'è finché non cambiate la classe; allora viene messo da parte come "
        "«%2<data>.json».");
    damaged_ = true;
    problem_ = damaged.arg(path(), QLatin1String(asidePrefix));
    // A class of forty children takes a few kilobytes.
    if (file.size() > maxBytes || !file.open(QIODevice::ReadOnly))
        return {};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {};
    const QJsonObject root = document.object();
    const int version = root.value(QLatin1String("format")).toInt(0);
    if (version > format) {
        problem_ = QStringLiteral(
                       "Il file della classe (%1) è stato scritto da una versione più recente di "
                       "Tempiolo e non si può leggere: la classe risulta vuota. Il file resta "
                       "com'è finché non cambiate la classe; allora viene messo da parte come "
                       "«%2<data>.json».")
                       .arg(path(), QLatin1String(asidePrefix));
        return {};
    }
    const std::optional<QList<Child>> found = version == format ? children(root) : std::nullopt;
    if (!found)
        return {};
    problem_.clear();
    damaged_ = false;
    return *found;
}

bool ClassFile::write(const QList<Child> &children, QString *error)
{
    if (!QDir().mkpath(folder_)) {
        *error = QStringLiteral("Non è possibile creare la cartella %1: la classe non è cambiata.")
                     .arg(folder_);
        return false;
    }
    if (damaged_ && !setDamagedAside(error))
        return false;
    QJsonArray list;
    for (const Child &child : children) {
        list.append(QJsonObject{{QStringLiteral("id"), child.id},
                                {QStringLiteral("name"), child.name},
                                {QStringLiteral("picture"), child.picture}});
    }
    const QJsonObject root{{QStringLiteral("format"), format}, {QStringLiteral("children"), list}};
    QSaveFile file(path());
    // The temporary file becomes the class file: it is private from the start.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(OwnerOnly::file) ||
        file.write(QJsonDocument(root).toJson(QJsonDocument::Indented)) < 0 || !file.commit()) {
        *error = QStringLiteral("Non è possibile scrivere il file della classe (%1): %2. La classe "
                                "non è cambiata.")
                     .arg(path(), file.errorString());
        return false;
    }
    return true;
}

bool ClassFile::setDamagedAside(QString *error)
{
    const QString aside = setAsideName(folder_ + QLatin1Char('/') + QLatin1String(asidePrefix),
                                       QDate::currentDate(), QStringLiteral(".json"),
                                       [](const QString &name) { return QFile::exists(name); });
    if (QFile::exists(path()) && !QFile::rename(path(), aside)) {
        *error = QStringLiteral("Non è possibile mettere da parte il file danneggiato della "
                                "classe (%1): la classe non è cambiata.")
                     .arg(path());
        return false;
    }
    OwnerOnly::restrict(aside);
    damaged_ = false;
    problem_.clear();
    return true;
}

QStringList ClassFile::keptAside() const
{
    QStringList paths;
    const QDir folder(folder_);
    for (const QString &name : folder.entryList({QLatin1String(asidePrefix) + QLatin1Char('*')},
                                                QDir::Files | QDir::Hidden))
        paths << folder.filePath(name);
    return paths;
}

void ClassFile::blotOut(const QString &name) const
{
    if (name.isEmpty())
        return;
    // Every way the name may be written there: as typed, without accents,
    // with its accents apart, and as a string of JSON.
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    const QString bare = withoutAccents(name);
    const QStringList forms = {name, decomposed, bare, QString::fromUtf8(jsonString(name)),
                               QString::fromUtf8(jsonString(decomposed))};
    for (const QString &aside : keptAside()) {
        QFile file(aside);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        file.close();
        // A damaged file may be in any encoding: as Latin-1, every byte comes
        // back unchanged, and the name is looked for in both encodings.
        QStringDecoder utf8(QStringConverter::Utf8);
        QString text = utf8(bytes);
        const bool isUtf8 = !utf8.hasError();
        if (!isUtf8)
            text = QString::fromLatin1(bytes);
        bool found = false;
        for (const QString &form : forms) {
            found |= blot(text, isUtf8 ? form : QString::fromLatin1(form.toUtf8()));
            if (!isUtf8)
                found |= blot(text, form);
        }
        if (!found)
            continue;
        QSaveFile out(aside);
        if (out.open(QIODevice::WriteOnly) && out.setPermissions(OwnerOnly::file)) {
            out.write(isUtf8 ? text.toUtf8() : text.toLatin1());
            out.commit();
        }
    }
}
