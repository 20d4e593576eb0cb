#include "ResultsCsv.h"
#include "ResultsFolder.h"
#include "ResultsModule.h"
#include "SqliteAnswerLog.h"

#include <QSysInfo>

extern "C" Q_DECL_EXPORT AnswerLog *tempiolo_create_answer_log(const QString &folder,
                                                               const QString &host)
{
    return new SqliteAnswerLog(folder, host.isEmpty() ? QSysInfo::machineHostName() : host);
}

extern "C" Q_DECL_EXPORT bool tempiolo_read_results(const QString &folder,
                                                    QList<KeptAnswer> *answers, QString *error)
{
    QStringList problems;
    *answers = ResultsFolder::readAll(folder, &problems);
    *error = problems.join(u' ');
    return problems.isEmpty();
}

extern "C" Q_DECL_EXPORT bool tempiolo_export_results(const QString &folder, const QString &csvPath,
                                                      const QHash<QString, QString> *names,
                                                      QString *error)
{
    return ResultsCsv::exportFolder(folder, csvPath, names ? *names : QHash<QString, QString>(),
                                    error);
}

extern "C" Q_DECL_EXPORT bool tempiolo_remove_child(const QString &folder, const QString &childId,
                                                    QString *error)
{
    return ResultsFolder::removeChild(folder, childId, error);
}
