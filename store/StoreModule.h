#pragma once

#include "ServerChild.h"

#include <QString>
#include <QtPlugin>

class AnswerLog;

// What is kept of a class lives in a module of its own beside the
// executable, so that Qt SQL is loaded only once a class exists. The module
// is a Qt plugin of this interface; a module of another interface or
// another Qt is refused by Qt's plugin loader. Change the version in the id
// with any change of the interface or of the types it passes.
class StoreModule
{
public:
    virtual ~StoreModule() = default;
    // A log writing this computer's file in `folder`; the caller owns it.
    virtual AnswerLog *createLog(const QString &folder, const QString &host) = 0;
    // The school's server's classes and the children of `className`, read
    // through libpq's service `service` on the caller's thread; false with
    // an Italian `problem` when the server cannot be reached.
    virtual bool readServerClass(const QString &service, const QString &className,
                                 ServerClassList *list, QString *problem) = 0;
    // Deletes every answer of the child from the files of `folder`.
    virtual bool removeChild(const QString &folder, const QString &child, QString *error) = 0;
};

#define TempioloStoreModule_iid "org.example.Tempiolo.StoreModule/3"
Q_DECLARE_INTERFACE(StoreModule, TempioloStoreModule_iid)

inline constexpr const char tempioloStoreModule[] = "libtempiolo-risultati.so";
