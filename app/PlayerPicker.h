#pragma once

#include "ColouredWidget.h"

#include <QList>
#include <QRect>

class QToolButton;
struct Services;

// "Chi gioca?": where the children of a class pick themselves before they
// play, each by their own picture with their name under it, or play as a
// guest ("Ospite"), whose answers are not kept. A tap, a click or Enter
// picks; the program's voice says the name and the menu opens. With a
// school's server of several classes it first asks "Quale classe?", with a
// big button a class, the one this PC played for last in focus.
class PlayerPicker : public ColouredWidget
{
    Q_OBJECT

public:
    explicit PlayerPicker(const Services &services, QWidget *parent = nullptr);

    // How many columns give `count` pictures the largest square cells in `area`.
    static int columnsFor(int count, const QSize &area);
    // Where `count` pictures stand in `area`, row by row.
    static QList<QRect> grid(int count, const QRect &area);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // `childId` "" for a guest.
    void pick(const QString &childId);
    void pickClass(const QString &name);
    // Shown anew: the class read from the server changed, or was chosen.
    static void showAgain(const Services &services);

    const Services &services_;
    QList<QToolButton *> buttons_;
    int columns_ = 1;
};
