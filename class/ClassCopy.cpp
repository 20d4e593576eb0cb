#include "ClassCopy.h"

#include "ClassFile.h"
#include "NameClips.h"
#include "OwnerOnly.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUuid>

namespace ClassCopy {

bool write(const QString &folder, const QList<Child> &children,
           const QHash<QString, QByteArray> &spokenNames, bool *changed, QString *error)
{
    *changed = false;
    ClassFile file(folder);
    const QList<Child> before = QFileInfo::exists(file.path()) ? file.read() : QList<Child>();
    const NameClips clips(folder);
    // The clips first: a class file that names a child has their voice too.
    for (auto spoken = spokenNames.cbegin(); spoken != spokenNames.cend(); ++spoken) {
        // The id names the file: only a UUID, never a path, from the network.
        if (spoken.value().isEmpty() || QUuid::fromString(spoken.key()).isNull())
            continue;
        const QString path = clips.clipPath(spoken.key());
        QFile current(path);
        if (current.open(QIODevice::ReadOnly) && current.readAll() == spoken.value())
            continue;
        current.close();
        OwnerOnly::makeFolder(QFileInfo(path).absolutePath());
        QSaveFile clip(path);
        if (clip.open(QIODevice::WriteOnly)) {
            clip.setPermissions(OwnerOnly::file);
            clip.write(spoken.value());
            *changed = clip.commit() || *changed;
        }
    }
    for (const Child &gone : before) {
        const bool stays = std::any_of(children.cbegin(), children.cend(),
                                       [&](const Child &child) { return child.id == gone.id; });
        if (!stays && QFile::remove(clips.clipPath(gone.id)))
            *changed = true;
    }
    if (before == children && file.problem().isEmpty())
        return true;
    if (!file.write(children, error))
        return false;
    *changed = true;
    return true;
}

} // namespace ClassCopy
