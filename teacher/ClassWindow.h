#pragma once

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

// "La classe", the teacher's window: the children of the class, each with
// a picture of their own, added by name or from a list, renamed, given
// another picture, or taken away with every answer of theirs. It tells the
// teacher what stops answers being kept: a class file that cannot be read,
// a results file set aside as damaged, a data folder that cannot be written.
class ClassWindow : public QWidget
{
    Q_OBJECT

public:
    ClassWindow(const QString &folder, Dialogs &dialogs, QWidget *parent = nullptr);
    ~ClassWindow() override;

    ClassList &classList() { return *list_; }
    // The tabs, to which the results are added.
    QTabWidget *tabs() const { return tabs_; }

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
    void showChildren(const QString &selectId = QString());
    void showSelected();
    void showProblems();
    QString selectedId() const;
    // Tells the outcome of a change: a refusal in a message box, so it is
    // heard; anything done on the status line.
    void report(bool done, const QString &message);

    const QString folder_;
    Dialogs &dialogs_;
    std::unique_ptr<ClassList> list_;
    QLabel *problems_;
    QTabWidget *tabs_;
    QLineEdit *newName_;
    QListWidget *children_;
    QLabel *picture_;
    QLineEdit *name_;
    QPushButton *rename_;
    QComboBox *pictures_;
    QPushButton *remove_;
    QLabel *status_;
};
