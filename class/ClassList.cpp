#include "ClassList.h"

#include "ChildName.h"
#include "NameListFile.h"

#include <QFileInfo>
#include <QSet>
#include <QUuid>

namespace {

ClassChange refused(const QString &message)
{
    return {false, message, {}, 0, 0};
}

QString firstFree(const QList<Child> &children)
{
    QSet<QString> taken;
    for (const Child &child : children)
        taken.insert(child.picture);
    for (const ChildPicture &picture : ChildPictures::all()) {
        if (!taken.contains(picture.key))
            return picture.key;
    }
    return {};
}

QString noPictureLeft()
{
    return QStringLiteral("Non ci sono più figure libere: una classe può avere al massimo %1 "
                          "bambini.")
        .arg(ChildPictures::all().size());
}

QString spoken(const QString &pictureKey)
{
    const ChildPicture *picture = ChildPictures::find(pictureKey);
    return picture ? picture->spoken : pictureKey;
}

// "Aggiunti 23 bambini." / "Aggiunto 1 bambino."
QString counted(int n, const char *one, const char *many)
{
    return QString::fromUtf8(n == 1 ? one : many).arg(n);
}

} // namespace

ClassList::ClassList(const QString &folder)
    : folder_(folder), file_(folder), children_(file_.read()), clips_(folder)
{
    tidyPictures();
}

void ClassList::reload()
{
    file_ = ClassFile(folder_);
    children_ = file_.read();
    tidyPictures();
}

void ClassList::tidyPictures()
{
    // A picture lost from the program or given twice by hand is replaced on
    // the screen; the file keeps it until the next change.
    QSet<QString> seen;
    for (Child &child : children_) {
        if (!ChildPictures::find(child.picture) || seen.contains(child.picture))
            child.picture.clear();
        seen.insert(child.picture);
    }
    for (Child &child : children_) {
        if (child.picture.isEmpty())
            child.picture = firstFree(children_);
    }
}

const Child *ClassList::child(const QString &id) const
{
    const auto it = std::find_if(children_.begin(), children_.end(),
                                 [&](const Child &c) { return c.id == id; });
    return it == children_.end() ? nullptr : &*it;
}

QStringList ClassList::freePictures() const
{
    QSet<QString> taken;
    for (const Child &child : children_)
        taken.insert(child.picture);
    QStringList free;
    for (const ChildPicture &picture : ChildPictures::all()) {
        if (!taken.contains(picture.key))
            free << picture.key;
    }
    return free;
}

QString ClassList::nameProblem(const QString &name, const QString &exceptId) const
{
    if (name.isEmpty())
        return QStringLiteral("Manca il nome: scrivete il nome del bambino.");
    const int length = ChildName::length(name);
    if (length > ChildName::maxLength)
        return QStringLiteral("Il nome è troppo lungo: al massimo %1 caratteri, questo ne ha %2.")
            .arg(ChildName::maxLength)
            .arg(length);
    const QString key = ChildName::matchKey(name);
    for (const Child &child : children_) {
        if (child.id != exceptId && ChildName::matchKey(child.name) == key)
            return QStringLiteral("Nella classe c'è già «%1»: scrivete anche il cognome o "
                                  "l'iniziale per distinguerli.")
                .arg(child.name);
    }
    return {};
}

bool ClassList::save(const QList<Child> &next, QString *error)
{
    if (!file_.write(next, error))
        return false;
    children_ = next;
    return true;
}

ClassChange ClassList::add(const QString &typedName)
{
    const QString name = ChildName::tidy(typedName);
    const QString problem = nameProblem(name, {});
    if (!problem.isEmpty())
        return refused(problem);
    const QString picture = firstFree(children_);
    if (picture.isEmpty())
        return refused(noPictureLeft());
    const Child child{QUuid::createUuid().toString(QUuid::WithoutBraces), name, picture};
    QString error;
    if (!save(children_ + QList<Child>{child}, &error))
        return refused(error);
    clips_.make(child.id, child.name);
    return {true,
            QStringLiteral("%1 ora è nella classe, con la figura: %2.").arg(name, spoken(picture)),
            child.id, 1, 0};
}

ClassChange ClassList::rename(QString id, const QString &typedName)
{
    const Child *current = child(id);
    if (!current)
        return refused(QStringLiteral("Questo bambino non è più nella classe."));
    const QString name = ChildName::tidy(typedName);
    const QString problem = nameProblem(name, id);
    if (!problem.isEmpty())
        return refused(problem);
    const QString before = current->name;
    if (name == before)
        return {true, QStringLiteral("Il nome è rimasto %1.").arg(name), id, 0, 0};
    QList<Child> next = children_;
    for (Child &c : next) {
        if (c.id == id)
            c.name = name;
    }
    QString error;
    if (!save(next, &error))
        return refused(error);
    file_.blotOut(before);
    clips_.make(id, name);
    return {true, QStringLiteral("%1 ora si chiama %2.").arg(before, name), id, 0, 0};
}

ClassChange ClassList::setPicture(QString id, const QString &pictureKey)
{
    const Child *current = child(id);
    if (!current)
        return refused(QStringLiteral("Questo bambino non è più nella classe."));
    if (!ChildPictures::find(pictureKey))
        return refused(QStringLiteral("Questa figura non c'è tra quelle del programma."));
    const QString name = current->name;
    const QString before = current->picture;
    if (pictureKey == before)
        return {true, QStringLiteral("%1 ha già la figura: %2.").arg(name, spoken(before)), id, 0,
                0};
    QList<Child> next = children_;
    QString other;
    for (Child &c : next) {
        if (c.id == id) {
            c.picture = pictureKey;
        } else if (c.picture == pictureKey) {
            c.picture = before;
            other = c.name;
        }
    }
    QString error;
    if (!save(next, &error))
        return refused(error);
    QString message = QStringLiteral("%1 ora ha la figura: %2.").arg(name, spoken(pictureKey));
    if (!other.isEmpty())
        message += QStringLiteral(" %1 ha preso la figura: %2.").arg(other, spoken(before));
    return {true, message, id, 0, 0};
}

ClassChange ClassList::remove(QString id)
{
    const Child *current = child(id);
    if (!current)
        return refused(QStringLiteral("Questo bambino non è più nella classe."));
    const QString name = current->name;
    QList<Child> next = children_;
    next.removeIf([&](const Child &c) { return c.id == id; });
    QString error;
    if (!save(next, &error))
        return refused(error);
    file_.blotOut(name);
    clips_.forget(id);
    return {true, QStringLiteral("%1 non è più nella classe.").arg(name), id, 0, 0};
}

ClassChange ClassList::importFile(const QString &path)
{
    const NameListFile::Names list = NameListFile::read(path);
    if (!list.problem.isEmpty())
        return refused(list.problem);
    QList<Child> next = children_;
    QList<Child> added;
    int repeated = 0;
    int tooLong = 0;
    int noPicture = 0;
    QSet<QString> keys;
    for (const Child &child : children_)
        keys.insert(ChildName::matchKey(child.name));
    for (const QString &name : list.names) {
        const QString key = ChildName::matchKey(name);
        if (keys.contains(key)) {
            ++repeated;
        } else if (ChildName::length(name) > ChildName::maxLength) {
            ++tooLong;
        } else if (const QString picture = firstFree(next); picture.isEmpty()) {
            ++noPicture;
        } else {
            const Child child{QUuid::createUuid().toString(QUuid::WithoutBraces), name, picture};
            next.append(child);
            added.append(child);
            keys.insert(key);
        }
    }
    const int skipped = repeated + tooLong + noPicture;
    QStringList message;
    if (added.isEmpty())
        message << QStringLiteral("Nessun bambino aggiunto.");
    else
        message << counted(added.size(), "Aggiunto %1 bambino.", "Aggiunti %1 bambini.");
    if (repeated)
        message << counted(repeated, "Saltato %1 nome già nella classe o ripetuto.",
                           "Saltati %1 nomi già nella classe o ripetuti.");
    if (tooLong)
        message << counted(tooLong, "Saltato %1 nome troppo lungo (più di 40 caratteri).",
                           "Saltati %1 nomi troppo lunghi (più di 40 caratteri).");
    if (noPicture)
        message << counted(noPicture, "Saltato %1 nome: non ci sono più figure libere.",
                           "Saltati %1 nomi: non ci sono più figure libere.");
    if (!added.isEmpty()) {
        QString error;
        if (!save(next, &error))
            return refused(error);
        for (const Child &child : added)
            clips_.make(child.id, child.name);
    }
    return {!added.isEmpty(), message.join(QLatin1Char(' ')), {}, int(added.size()), skipped};
}

QString ClassList::spokenNameFile(const QString &id, const QString &language) const
{
    const Child *current = child(id);
    if (!current)
        return {};
    const QString clip = ChildName::clipOf(current->name);
    if (!clip.isEmpty() && !language.contains(QLatin1Char('/'))) {
        const QString own = folder_ + QStringLiteral("/voci/") + language + QLatin1Char('/') +
                            clip + QStringLiteral(".wav");
        if (QFileInfo(own).isFile())
            return own;
    }
    const QString made = clips_.clipPath(id);
    return QFileInfo(made).isFile() ? made : QString();
}
