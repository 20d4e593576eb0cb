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
    // The file the next file dialog chooses ("" for none).
    void setNextFile(const QString &path) { files_ << path; }

    bool ask(QWidget *parent, const QString &title, Icon icon, const QString &text) override;
    void inform(QWidget *parent, const QString &title, const QString &text) override;
    QString chooseFile(QWidget *parent, const QString &title, const QString &filter,
                       bool save) override;

    QList<Shown> shown;

private:
    QList<bool> answers_;
    QStringList files_;
};
