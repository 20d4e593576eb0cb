#pragma once

#include "ColouredWidget.h"

class QLabel;
class QToolButton;

// The start screen: the title on a random colour and the "Avvio" button.
class FormAvvio : public ColouredWidget
{
    Q_OBJECT

public:
    explicit FormAvvio(QWidget *parent = nullptr);

    void CaricaColori();

private slots:
    void Command1_Click();

private:
    void Form_Load();

    QLabel *label2_;
    QToolButton *command1_;
};
