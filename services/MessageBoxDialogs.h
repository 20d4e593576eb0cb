#pragma once

#include "Dialogs.h"

// Real message boxes, with Italian button texts whatever the system language.
class MessageBoxDialogs : public Dialogs
{
public:
    bool ask(QWidget *parent, const QString &title, Icon icon, const QString &text) override;
    void inform(QWidget *parent, const QString &title, const QString &text) override;
    QString chooseFile(QWidget *parent, const QString &title, const QString &filter,
                       bool save) override;
};
