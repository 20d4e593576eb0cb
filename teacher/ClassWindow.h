#pragma once

#include "ResultsTab.h"

#include <QWidget>

#include <memory>

class ClassList;
class Dialogs;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class ServerLink;

// "La classe", the teacher's window: the children of the class, each with
// a picture of their own, added by name or from a list, renamed, given
// another picture, or taken away with every answer of theirs; and their
// results. It tells the teacher what stops answers being kept or read: a
// class file that cannot be read, a results file set aside as damaged or
// unreadable, a data folder that cannot be written.
class ClassWindow : public QWidget
{
    Q_OBJECT

public:
    // `reader`: how the results are read; the folder's files unless a test says.
    ClassWindow(const QString &folder, Dialogs &dialogs, ResultsTab::Reader reader = {},
                QWidget *parent = nullptr);
    ~ClassWindow() override;

    ClassList &classList() { return *list_; }
    // The school's server, when La classe uses one; null otherwise.
    ServerLink *server() const { return server_; }
    ResultsTab *results() const { return results_; }

    // The teacher's actions, as the window's buttons do them.
    void addChild();
    void importList();
    void renameChild();
    void changePicture(int index);
    void removeChild();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *buildChildrenTab();
    QLayout *buildServerRow();
    // The teacher's class on the server: another one of the server's, or a
    // new name for this one; or a new class, with no children yet.
    void useServerClass();
    void newServerClass();
    void serverClassRead(const QString &name, const struct ServerClassList &list,
                         const QString &problem);
    // This window's class made the one the server has for `name`.
    void takeServerClass(const QString &name, const QList<struct ServerChild> &children);
    void showChildren(const QString &selectId = QString());
    void showSelected();
    void showProblems();
    QString selectedId() const;
    // After a change of the class: the lists, the results and the problems anew.
    void showChanged(const QString &selectId = QString());
    // Tells the outcome of a change: a refusal in a message box, so it is
    // heard; anything done on the status line.
    void report(bool done, const QString &message);

    const QString folder_;
    Dialogs &dialogs_;
    std::unique_ptr<ClassList> list_;
    QLabel *problems_;
    QTabWidget *tabs_;
    ResultsTab *results_;
    // Files of the results that could not be read.
    QStringList unreadable_;
    QLineEdit *newName_;
    QListWidget *children_;
    QLabel *picture_;
    QLineEdit *name_;
    QPushButton *rename_;
    QComboBox *pictures_;
    QPushButton *remove_;
    QLabel *status_;
    ServerLink *server_ = nullptr;
    QComboBox *serverClass_ = nullptr;
    QLabel *serverState_ = nullptr;
    // Why the class is not on the server as it is here, or "".
    QString serverProblem_;
    // The class of the server being switched to, while its children are read.
    QString switching_;
};
