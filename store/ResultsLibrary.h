#pragma once

#include "ServerChild.h"

#include <QPluginLoader>

#include <memory>

class AnswerLog;
class StoreModule;

// The results module beside the executable, loaded when first needed: the
// program starts without Qt SQL, and a class's results are the only reason
// to load it. Without the module (missing, or of another build) nothing is
// kept or read, and problem() says so in Italian; nothing stops the program.
class ResultsLibrary
{
public:
    // `modulePath`: the results module; by default the one beside the executable.
    explicit ResultsLibrary(const QString &modulePath = QString());

    // Loads the module now, if it is not loaded yet; true when it is there.
    bool load();
    bool loaded() const { return module_ != nullptr; }
    // Why it could not be loaded, once it was tried: "" or an Italian sentence.
    QString problem() const { return problem_; }

    // A log of this computer's file in `folder`, or none without the module.
    std::unique_ptr<AnswerLog> createLog(const QString &folder, const QString &host);
    // The school's server's class list, on the caller's thread; see StoreModule.
    bool readServerClass(const QString &service, const QString &className, ServerClassList *list,
                         QString *problem);
    // Every answer of a child deleted from the folder's files; see StoreModule.
    bool removeChild(const QString &folder, const QString &child, QString *error);

private:
    QPluginLoader loader_;
    StoreModule *module_ = nullptr;
    bool tried_ = false;
    QString problem_;
};
