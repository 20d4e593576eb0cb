#pragma once

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
};

#define TempioloStoreModule_iid "org.example.Tempiolo.StoreModule/2"
Q_DECLARE_INTERFACE(StoreModule, TempioloStoreModule_iid)

inline constexpr const char tempioloStoreModule[] = "libtempiolo-risultati.so";
