#pragma once

#include "ColouredWidget.h"

class QLabel;
class QToolButton;
struct Services;

// The start screen: the title on a random colour and the "Avvio" button.
class FormAvvio : public ColouredWidget
{
    Q_OBJECT

public:
    explicit FormAvvio(const Services &services, QWidget *parent = nullptr);

    void CaricaColori();

private slots:
    void Command1_Click();

private:
    void Form_Load();

    const Services &services_;
    QLabel *label2_;
    QToolButton *command1_;
};
