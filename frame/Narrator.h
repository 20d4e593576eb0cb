#pragma once

#include "Answer.h"

#include <QString>
#include <QWidget>

class QAccessibleInterface;

// What screen readers are told as a window is played, whatever has the
// focus: cards picked up and let go, each answer with the count it
// changed, the end of a round, and what a new round begins with.
//
// Qt 6.4 has no way to ask for that, so the narrator is a status bar with
// a notification inside, which screen readers read out as it appears: both
// draw nothing, take no clicks, and the notification is in the tree only
// while it speaks. Sentences told while one event is handled are joined
// into one, because a screen reader hears only the last appearance of a
// notification in a row.
class Narrator : public QWidget
{
    Q_OBJECT

public:
    explicit Narrator(QWidget *area);

    // A sentence of the window's own.
    void tell(const QString &sentence);
    // "GENNAIO preso", "GENNAIO lasciato".
    void tellHeld(const QString &name, bool up);
    // "posto 10: OTTOBRE, esatto. Esatti: 10", with "giro finito: …" after
    // the answer that ends a round. `count`: the count that changed.
    enum class RoundEnd { No, Waits, GoesOn };
    void tellAnswer(Answer answer, const QString &what, const QString &count, RoundEnd end);
    // What a round begins with; as the window opens, only once a screen
    // reader has named the window.
    void tellRoundStart(const QString &opening, bool windowOpening);

    // What is being said now, for the tests.
    QString saying() const;

    // What screen readers find of a narrator and of its line; null for any
    // other object. A status bar's notification is read without the word
    // "notifica" before it.
    static QAccessibleInterface *accessible(QObject *object);

private:
    QWidget *line_;
    QStringList pending_;
};
