#pragma once

#include "ResultsModule.h"

#include <QLibrary>

#include <memory>

// The results module beside the executable, loaded when first needed: the
// program starts without Qt SQL, and a class's results are the only reason
// to load it. Without the module nothing is kept, read or exported, and
// every call says so in Italian; nothing stops the program.
class ResultsLibrary
{
public:
    // `modulePath`: the results module; by default the one beside the executable.
    explicit ResultsLibrary(const QString &modulePath = QString());

    // Loads the module now, if it is not loaded yet; true when all is there.
    bool load();
    bool loaded() const { return create_ != nullptr; }
    // Why it could not be loaded, once it was tried: "" or an Italian sentence.
    QString problem() const;

    // A log of this computer's file in `folder`, or none without the module.
    std::unique_ptr<AnswerLog> createLog(const QString &folder, const QString &host);
    bool read(const QString &folder, QList<KeptAnswer> *answers, QString *error);
    bool exportCsv(const QString &folder, const QString &csvPath,
                   const QHash<QString, QString> &names, QString *error);
    bool removeChild(const QString &folder, const QString &childId, QString *error);

private:
    bool ready(QString *error);

    QLibrary module_;
    bool tried_ = false;
    TempioloCreateAnswerLog create_ = nullptr;
    TempioloReadResults read_ = nullptr;
    TempioloExportResults export_ = nullptr;
    TempioloRemoveChild remove_ = nullptr;
};
