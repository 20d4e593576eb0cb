#pragma once

#include "Answer.h"
#include "Attempt.h"
#include "Finestra.h"
#include "FrameDesign.h"

#include <QElapsedTimer>
#include <QList>
#include <QUuid>
#include <QWidget>

#include <memory>

class ColouredWidget;
class DragLabel;
class DropLabel;
class FrameMenus;
class Narrator;
class PickUp;
class QAction;
class QMenuBar;
class QToolButton;
class Scoreboard;
struct Services;

// What every exercise window shares: the scores, the faces, "avanti", the
// menu bar, and the cycle of rounds. Each exercise adds its own controls
// to area(), provides NuovoEsercizio, which lays out a new round, and
// judges each answer; every answer then takes one step here, answered.
class FormEsercizio : public QWidget
{
    Q_OBJECT

public:
    ~FormEsercizio() override;

    Finestra id() const { return id_; }
    QColor backgroundColour() const;
    // True once the opening sequence has laid out the first round.
    bool hasOpened() const { return opened_; }
    // Play by drag, tap, key and switch: the picked-up card and the keyboard's order.
    PickUp *pickUp() const { return pickUp_; }

    // The reactions to one right answer, one wrong answer and a complete round.
    void SegnaEsatto();
    void SegnaErrato();
    void ConcludiEsercizio();

protected:
    FormEsercizio(Finestra id, const Services &services, QWidget *parent = nullptr);

    // Prepares and starts a new round.
    virtual void NuovoEsercizio() = 0;
    // A window's own step of the opening, between "avanti" and the scores.
    virtual void prepareOpening() {}
    // Judges card `card` released on place `place`, and shows what follows
    // from it on the cards and places.
    virtual Answer dropped(int place, int card);
    // What the window's names are, and the month (1–12) or day (1–7) of
    // card or place `index`: a card and a place of one index share a name.
    virtual Items items() const { return Items::Months; }
    virtual int itemOf(int index) const;
    // Counts a right answer in the round and goes on with it; true when it
    // completes the round.
    virtual bool countRight() = 0;
    // What screen readers say as a round begins: the names already on
    // their places, unless a window has something else to ask.
    virtual QString roundOpening() const;
    // What the program's voice says as a round begins: the names already
    // written on their places, unless a window has something else to ask.
    virtual QStringList roundClips() const;

    // The one step after every judged answer: the scores, face and sound,
    // the end of the round, what screen readers are told, and the answer
    // kept for the child playing.
    void answered(Answer answer, const Attempt &attempt);

    // The window's cards and places, played by every route.
    void play(const QList<DragLabel *> &cards, const QList<DropLabel *> &places);
    // Call at the end of the exercise's constructor: the window is loaded.
    void loadFinished();

    const Services &services() const { return services_; }
    void CaricaColori();
    QWidget *area() const;
    // Moves one of area()'s controls to a place of its design.
    void moveDesigned(QWidget *control, const QPoint &designed);
    QMenuBar *menuBar() const { return menuBar_; }
    QToolButton *bottoneAvanti() const { return bottoneAvanti_; }
    // The "Suono?" menu, before which a window may insert a menu of its own.
    QAction *soundMenuAction() const;
    // Tells screen readers a sentence of the window's own.
    void tell(const QString &sentence);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void open();
    // Lays out a new round, with no card picked up and the keyboard's order anew.
    void newRound();
    void cardMoved(DragLabel *card, DropLabel *place, Route route);
    void placeReached(DropLabel *place, bool tapped);
    // The places with a name written on them.
    QList<DropLabel *> writtenPlaces() const;
    void BottoneAvanti_Click();
    void MenuAzzera_Click();
    void MenuInformazioni_Click();
    void mnuEsci_Click();

    const Finestra id_;
    const FrameDesign design_;
    const Services &services_;
    // The language of the names, as the window was made.
    const QString language_;
    // Since the round began or the last answer.
    QElapsedTimer thinking_;
    // The round being played, which every answer in it is kept with.
    QUuid round_;
    bool opened_ = false;
    bool opening_ = false;

    QMenuBar *menuBar_ = nullptr;
    ColouredWidget *area_ = nullptr;
    Narrator *narrator_ = nullptr;
    std::unique_ptr<Scoreboard> scoreboard_;
    QToolButton *bottoneAvanti_ = nullptr;
    FrameMenus *menus_ = nullptr;
    PickUp *pickUp_ = nullptr;
};
