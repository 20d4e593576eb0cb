#pragma once

#include "CalendarQuestion.h"
#include "FormEsercizio.h"
#include "Language.h"

class MonthCalendar;
class QAction;
class LabelButton;

// The calendar window: a date asked in words or digits, found and clicked
// on a month calendar.
class FormCalendario : public FormEsercizio
{
    Q_OBJECT

public:
    explicit FormCalendario(QWidget *parent = nullptr);

    const CalendarQuestion &question() const { return question_; }
    bool FormatoNumerico() const { return formatoNumerico_; }

    void Calendar1_Click();
    void Label3_Click();
    void mnuFalse_Click();
    void mnuTrue_Click();

protected:
    void NuovoEsercizio() override;
    void prepareOpening() override;
    QString roundOpening() const override;
    QStringList roundClips() const override;

private:
    void ScriviDomanda();
    // Shows `text` on the question, and gives screen readers `spoken`.
    void showQuestion(const QString &text, const QString &spoken);

    const Language &language_;
    CalendarQuestion question_;
    bool formatoNumerico_ = false;
    MonthCalendar *calendar1_;
    LabelButton *label3_;
    QAction *mnuFalse_;
    QAction *mnuTrue_;
};
