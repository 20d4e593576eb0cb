#pragma once

#include "CalendarQuestion.h"
#include "FormEsercizio.h"
#include "OrderingRound.h"
#include "ReviewPlan.h"

#include <QList>

class DragLabel;
class DropLabel;
class LabelButton;
class MonthCalendar;
class QLabel;
struct Language;

// "Ripasso": what the child playing misses, asked again on the days it is
// due. Each round is a short column of consecutive names with the first
// already written, played like "Riordina … (2)", or a question in a month
// of the calendar. A wrong answer is asked again until it is right. When
// nothing is due any more the window says so, and "Esci" goes back to the menu.
class FormRipasso : public FormEsercizio
{
    Q_OBJECT

public:
    FormRipasso(const Language &language, const Services &services, QWidget *parent = nullptr);

    const QList<ReviewPlan::Round> &plan() const { return plan_; }
    // The round on show, or none once the review is over.
    const ReviewPlan::Round *current() const;
    const OrderingRound &column() const { return column_; }
    const CalendarQuestion &question() const { return question_; }

    Answer Label4_DragDrop(int index, int source);
    void Calendar1_Click();

    static QString finished() { return QStringLiteral("Ripasso finito per oggi"); }

protected:
    void NuovoEsercizio() override;
    Answer dropped(int place, int card) override { return Label4_DragDrop(place, card); }
    Items items() const override;
    int itemOf(int index) const override;
    bool countRight() override;
    QString roundOpening() const override;
    QStringList roundClips() const override;

private:
    bool onCalendar() const;
    void showColumn();
    void showQuestion();
    void showFinished();

    const Language &language_;
    QList<ReviewPlan::Round> plan_;
    qsizetype next_ = 0;
    OrderingRound column_;
    CalendarQuestion question_;
    QList<DragLabel *> label3_;
    QList<DropLabel *> label4_;
    MonthCalendar *calendar1_;
    LabelButton *label5_;
    QLabel *done_;
};
