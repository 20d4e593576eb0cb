#include "ScriptedDialogs.h"

bool ScriptedDialogs::ask(QWidget *, const QString &title, Icon icon, const QString &text)
{
    shown << Shown{title, icon, text, true};
    // An unscripted question is answered No: nothing changes.
    return !answers_.isEmpty() && answers_.takeFirst();
}

void ScriptedDialogs::inform(QWidget *, const QString &title, const QString &text)
{
    shown << Shown{title, Icon::Information, text, false};
}

QString ScriptedDialogs::chooseFile(QWidget *, const QString &, const QString &, bool)
{
    // An unscripted file dialog is cancelled.
    return files_.isEmpty() ? QString() : files_.takeFirst();
}
