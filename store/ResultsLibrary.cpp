#include "ResultsLibrary.h"

#include "AnswerLog.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The folder of the executable, where the module is installed beside it.
QString besideExecutable(const char *fileName)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(fileName));
}

} // namespace

ResultsLibrary::ResultsLibrary(const QString &modulePath)
    : module_(modulePath.isEmpty() ? besideExecutable(tempioloResultsModule) : modulePath)
{
}

bool ResultsLibrary::load()
{
    if (!tried_) {
        tried_ = true;
        const auto create =
            reinterpret_cast<TempioloCreateAnswerLog>(module_.resolve(tempioloCreateAnswerLog));
        read_ = reinterpret_cast<TempioloReadResults>(module_.resolve(tempioloReadResults));
        export_ = reinterpret_cast<TempioloExportResults>(module_.resolve(tempioloExportResults));
        remove_ = reinterpret_cast<TempioloRemoveChild>(module_.resolve(tempioloRemoveChild));
        // All or nothing: a module of another build may lack some.
        if (create && read_ && export_ && remove_)
            create_ = create;
        else
            qWarning("Tempiolo: modulo dei risultati non caricato: %s",
                     qPrintable(module_.errorString()));
    }
    return loaded();
}

QString ResultsLibrary::problem() const
{
    if (!tried_ || loaded())
        return {};
    return QStringLiteral("Manca il modulo dei risultati (%1): le risposte non vengono salvate "
                          "né lette.")
        .arg(QLatin1String(tempioloResultsModule));
}

bool ResultsLibrary::ready(QString *error)
{
    if (load())
        return true;
    *error = problem();
    return false;
}

std::unique_ptr<AnswerLog> ResultsLibrary::createLog(const QString &folder, const QString &host)
{
    if (!load())
        return nullptr;
    return std::unique_ptr<AnswerLog>(create_(folder, host));
}

bool ResultsLibrary::read(const QString &folder, QList<KeptAnswer> *answers, QString *error)
{
    return ready(error) && read_(folder, answers, error);
}

bool ResultsLibrary::exportCsv(const QString &folder, const QString &csvPath,
                               const QHash<QString, QString> &names, QString *error)
{
    return ready(error) && export_(folder, csvPath, &names, error);
}

bool ResultsLibrary::removeChild(const QString &folder, const QString &childId, QString *error)
{
    return ready(error) && remove_(folder, childId, error);
}
