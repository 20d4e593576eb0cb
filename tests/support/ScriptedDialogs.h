#pragma once

#include "Dialogs.h"

#include <QList>
#include <QStringList>

// Message boxes answered in advance; records what each one said.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString title;
        Icon icon;
        QString text;
        bool question;
    };

    void setNextAnswer(bool yes) { answers_ << yes; }

    bool ask(QWidget *parent, const QString &title, Icon icon, const QString &text) override;
    void inform(QWidget *parent, const QString &title, const QString &text) override;

    QList<Shown> shown;

private:
    QList<bool> answers_;
};
