#include "ResultsFolder.h"
#include "ServerClass.h"
#include "SqliteAnswerLog.h"
#include "StoreModule.h"

#include <QObject>
#include <QSysInfo>

// The plugin that keeps and reads answers in the folder's SQLite files.
class SqliteStoreModule : public QObject, public StoreModule
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TempioloStoreModule_iid)
    Q_INTERFACES(StoreModule)

public:
    AnswerLog *createLog(const QString &folder, const QString &host) override
    {
        return new SqliteAnswerLog(folder, host.isEmpty() ? QSysInfo::machineHostName() : host);
    }
    bool readServerClass(const QString &service, const QString &className, ServerClassList *list,
                         QString *problem) override
    {
        return ServerClass::read(service, className, list, problem);
    }
    bool removeChild(const QString &folder, const QString &child, QString *error) override
    {
        return ResultsFolder::removeChild(folder, child, error);
    }
};

#include "ResultsModuleEntry.moc"
