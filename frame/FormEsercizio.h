#pragma once

#include "Finestra.h"
#include "FrameDesign.h"

#include <QPointer>
#include <QWidget>

class Announcer;
class ColouredWidget;
class DropLabel;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class PickUp;
class Picture;
class QToolButton;

// What every exercise window shares: the scores, the faces, "avanti", the
// menu bar, and the steps taken after a right or wrong answer and at the end
// of a round. Each exercise adds its own controls to area() and provides
// NuovoEsercizio, which lays out a new round.
class FormEsercizio : public QWidget
{
    Q_OBJECT

public:
    ~FormEsercizio() override;

    Finestra id() const { return id_; }
    QColor backgroundColour() const;
    // True once the opening sequence has laid out the first round.
    bool hasOpened() const { return opened_; }
    // Play without dragging: the picked-up card and the keyboard's order.
    PickUp *pickUp() const { return pickUp_; }

    // The reactions to one right answer, one wrong answer and a complete round.
    void SegnaEsatto();
    void SegnaErrato();
    void ConcludiEsercizio();

    // Tells screen readers what an answer was and what followed it: right
    // or wrong, the counts that changed and the end of a round. `what`
    // names the answer ("posto 10: OTTOBRE").
    void tellAnswer(const QString &what);
    // Tells screen readers a sentence of the window's own.
    void tell(const QString &sentence);

protected:
    explicit FormEsercizio(Finestra id, QWidget *parent = nullptr);

    // Prepares and starts a new round.
    virtual void NuovoEsercizio() = 0;
    // A window's own step of the opening, between "avanti" and the scores.
    virtual void prepareOpening() {}
    // What screen readers say as a round begins: the names already on
    // their places, unless a window has something else to ask.
    virtual QString roundOpening() const;
    // What the program's voice says as a round begins: the names already
    // written on their places, unless a window has something else to ask.
    virtual QStringList roundClips() const;

    // Call at the end of the exercise's constructor: the window is loaded.
    void loadFinished();

    void CaricaColori();
    QWidget *area() const;
    // Moves one of area()'s controls to a place of its design.
    void moveDesigned(QWidget *control, const QPoint &designed);
    QMenuBar *menuBar() const { return menuBar_; }
    // The "Suono?" menu, before which a window may insert a menu of its own.
    QAction *soundMenuAction() const;

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildFrame();
    void buildMenus();
    void open();
    // Lays out a new round, with no card picked up and the keyboard's order anew.
    void newRound();
    void showCount(QLabel *label, const QString &text);
    void tellDrop(DropLabel *place, const QString &name);
    // The places with a name written on them.
    QList<DropLabel *> writtenPlaces() const;
    void openMenuBar();
    void BottoneAvanti_Click();
    void MenuAzzera_Click();
    void mnuSuonoSi_Click();
    void mnuSuonoNo_Click();
    void setVoice(bool on);
    void showVoice(bool on);
    void MenuInformazioni_Click();
    void mnuEsci_Click();

    const Finestra id_;
    const FrameDesign design_;
    bool opened_ = false;
    bool opening_ = false;
    // What happened since the last answer was told.
    enum class Answer { None, Right, Wrong };
    Answer answer_ = Answer::None;
    bool roundEnded_ = false;
    // A new round's opening, said after the answer that began it.
    QString openingToTell_;
    // Where the keyboard was before F10 took it to the menu bar.
    QPointer<QWidget> beforeMenuBar_;

    PickUp *pickUp_ = nullptr;
    Announcer *announcer_ = nullptr;

    QMenuBar *menuBar_ = nullptr;
    ColouredWidget *area_ = nullptr;
    QLabel *etichettaEsatti_ = nullptr;
    QLabel *etichettaErrati_ = nullptr;
    Picture *comandoIconaSi_ = nullptr;
    Picture *comandoIconaNo_ = nullptr;
    QToolButton *bottoneAvanti_ = nullptr;
    QMenu *mnuSuono_ = nullptr;
    QAction *mnuSuonoSi_ = nullptr;
    QAction *mnuSuonoNo_ = nullptr;
    QAction *mnuVoceSi_ = nullptr;
    QAction *mnuVoceNo_ = nullptr;
};
