#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;
class Choices;

// The menu bar of an exercise window: "Azzera conteggio", "Suono?" with
// "sì" and "no" for this window, "Voce?" for the whole program,
// "Informazioni" and "Esci". F10 reaches it from the keyboard, as on the
// desktop, without mnemonics that would change the captions.
class FrameMenus : public QObject
{
    Q_OBJECT

public:
    FrameMenus(QWidget *window, QMenuBar *bar, Choices &choices);

    bool soundOn() const;
    // The "Suono?" menu, before which a window may insert a menu of its own.
    QAction *soundMenuAction() const;
    // Gives the keyboard back to where it was before F10 took it to the menu bar.
    void restoreFocus();

signals:
    void resetChosen();
    void aboutChosen();
    void exitChosen();

private:
    // A menu of two exclusive items, "sì" and "no".
    QMenu *yesNo(const QString &caption, const char *name, QAction **yes, QAction **no);
    void openMenuBar();

    QWidget *window_;
    QMenuBar *bar_;
    QMenu *mnuSuono_ = nullptr;
    QAction *mnuSuonoSi_ = nullptr;
    QAction *mnuSuonoNo_ = nullptr;
    QAction *mnuVoceSi_ = nullptr;
    QAction *mnuVoceNo_ = nullptr;
    QPointer<QWidget> beforeMenuBar_;
};
