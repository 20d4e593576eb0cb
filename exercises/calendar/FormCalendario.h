#pragma once

#include "CalendarQuestion.h"
#include "FormEsercizio.h"
class LabelButton;
class MonthCalendar;
class QAction;
struct Language;

// The calendar window: a date asked in words or digits, found and clicked
// on a month calendar.
class FormCalendario : public FormEsercizio
{
    Q_OBJECT

public:
    FormCalendario(const Language &language, const Services &services, QWidget *parent = nullptr);

    const CalendarQuestion &question() const { return question_; }
    bool FormatoNumerico() const { return formatoNumerico_; }

    void Calendar1_Click();
    void Label3_Click();
    void mnuFalse_Click();
    void mnuTrue_Click();

protected:
    void NuovoEsercizio() override;
    // Every right answer completes a round.
    bool countRight() override { return true; }
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
