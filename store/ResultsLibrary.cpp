#include "ResultsLibrary.h"

#include "AnswerLog.h"
#include "StoreModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

// The folder of the executable, where the module is installed beside it.
QString besideExecutable(const char *fileName)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(fileName));
}

} // namespace

ResultsLibrary::ResultsLibrary(const QString &modulePath)
    : loader_(modulePath.isEmpty() ? besideExecutable(tempioloStoreModule) : modulePath)
{
}

bool ResultsLibrary::load()
{
    if (tried_)
        return loaded();
    tried_ = true;
    QObject *instance = loader_.instance();
    module_ = qobject_cast<StoreModule *>(instance);
    if (module_)
        return true;
    const QString name = QFileInfo(loader_.fileName()).fileName();
    // Qt's own reason is for the technician; the teacher reads what it means.
    const QString reason =
        instance ? QStringLiteral("is a plugin of another interface") : loader_.errorString();
    qWarning("Tempiolo: modulo dei risultati non caricato: %s", qPrintable(reason));
    problem_ = instance || QFileInfo::exists(loader_.fileName())
                   ? QStringLiteral("Il modulo dei risultati (%1) non è di questa versione di "
                                    "Tempiolo: le risposte non vengono salvate né lette.")
                         .arg(name)
                   : QStringLiteral("Manca il modulo dei risultati (%1): le risposte non vengono "
                                    "salvate né lette.")
                         .arg(name);
    return false;
}

std::unique_ptr<AnswerLog> ResultsLibrary::createLog(const QString &folder, const QString &host)
{
    if (!load())
        return nullptr;
    return std::unique_ptr<AnswerLog>(module_->createLog(folder, host));
}

bool ResultsLibrary::readServerClass(const QString &service, const QString &className,
                                     ServerClassList *list, QString *problem)
{
    if (!load()) {
        *problem = problem_;
        return false;
    }
    return module_->readServerClass(service, className, list, problem);
}

bool ResultsLibrary::removeChild(const QString &folder, const QString &child, QString *error)
{
    if (!load()) {
        *error = problem_;
        return false;
    }
    return module_->removeChild(folder, child, error);
}
