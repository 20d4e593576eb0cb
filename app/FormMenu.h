#pragma once

#include "ColouredWidget.h"
#include "Finestra.h"

#include <array>

class QPushButton;
class WrappingRadioButton;
struct Services;

// The main menu: the seven exercises, the waiting choice and "Esci"; for a
// child of a class with something due, "Ripasso".
class FormMenu : public ColouredWidget
{
    Q_OBJECT

public:
    explicit FormMenu(const Services &services, QWidget *parent = nullptr);

    void CaricaColori();

private:
    void Form_Load();
    void Option1_Click(int index);
    void Command1_Click();
    QPushButton *addButton(const char *name, const QString &caption, const QRect &place);
    void offerAgain(QPushButton *button, Finestra opens);
    void openExercise(Finestra exercise);
    // Who plays, for a class: their picture and name, which lets the next
    // child take over.
    void addPlayer();

    const Services &services_;
    std::array<WrappingRadioButton *, 2> option1_{};
    std::array<WrappingRadioButton *, 2> option2_{};
};
