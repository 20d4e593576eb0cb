#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through here, so tests can give the
// answers in advance instead of driving a modal loop.
class Dialogs
{
public:
    enum class Icon { Information, Question, Critical };

    virtual ~Dialogs() = default;

    // A modal Yes/No question; true means Yes.
    virtual bool ask(QWidget *parent, const QString &title, Icon icon, const QString &text) = 0;
    // A modal message with a single OK button.
    virtual void inform(QWidget *parent, const QString &title, const QString &text) = 0;
    // A file to open, or to save to (`save`); "" when none was chosen.
    // `filter`: "Elenchi di nomi (*.txt *.csv)".
    virtual QString chooseFile(QWidget *parent, const QString &title, const QString &filter,
                               bool save) = 0;
};
