#pragma once

#include <QStringList>
#include <QWidget>

// Says a sentence through the screen reader, whatever has the focus. Qt 6.4
// has no way to ask for that, so this is a notification inside a status
// bar, which screen readers read out as it appears: both draw nothing, take
// no clicks, and the notification is in the tree only while it speaks.
// Sentences said while one event is handled are joined into one, because a
// screen reader hears only the last appearance of a notification in a row.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void say(const QString &sentence);

    // What is being said now, for the tests.
    QString saying() const;

private:
    QWidget *line_;
    QStringList pending_;
};
