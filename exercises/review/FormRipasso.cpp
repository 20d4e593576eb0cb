#include "FormRipasso.h"

#include "Classroom.h"
#include "Controls.h"
#include "Design.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Focusable.h"
#include "LabelButton.h"
#include "Language.h"
#include "MonthCalendar.h"
#include "Palette.h"
#include "ReviewSchedule.h"
#include "Services.h"
#include "Voice.h"

#include <QLabel>
#include <QToolButton>

namespace {

// The column stands where the days' ordering windows have theirs.
constexpr int namesLeft = 105;
constexpr int placesLeft = 2940;
constexpr int rowPitch = 735;
constexpr int firstTop = 105;
constexpr int labelWidth = 2505;
constexpr int labelHeight = 375;

} // namespace

FormRipasso::FormRipasso(const Language &language, const Services &services, QWidget *parent)
    : FormEsercizio(Finestra::Ripasso, services, parent), language_(language),
      column_({}, true, false), question_(&language_)
{
    // What is due is worked out once, as the window opens: the answers
    // given in it are what moves the items on.
    const ReviewSchedule schedule(services.classroom.history(), services.classroom.now().date());
    plan_ = ReviewPlan::of(schedule.due());

    for (int i = 0; i < ReviewPlan::mostPlaces; ++i) {
        auto *name = new DragLabel(i, area());
        Controls::apply(name,
                        {QStringLiteral("Label3(%1)").arg(i), QString(), Design::arialBold(14.25),
                         Palette::white(),
                         Design::rect(namesLeft, firstTop + rowPitch * i, labelWidth, labelHeight),
                         true, Qt::AlignCenter});
        label3_.push_back(name);
        auto *place = new DropLabel(i, area());
        Controls::apply(place,
                        {QStringLiteral("Label4(%1)").arg(i), QString(), Design::arialBold(15.75),
                         Palette::white(),
                         Design::rect(placesLeft, firstTop + rowPitch * i, labelWidth, labelHeight),
                         true, Qt::AlignCenter});
        label4_.push_back(place);
    }

    calendar1_ = MonthCalendar::inWindow(area(), language_.calendarLocale,
                                         [this](const QString &sentence) { tell(sentence); });
    connect(calendar1_, &MonthCalendar::Click, this, &FormRipasso::Calendar1_Click);
    label5_ = new LabelButton(area());
    label5_->setFocusPolicy(Qt::TabFocus);
    Focusable::install(label5_);
    Controls::apply(label5_,
                    {QStringLiteral("Label5"), QString(), Design::arialBold(14.25),
                     Palette::white(), Design::rect(960, 4320, 4455, 615), true, Qt::AlignCenter});
    // A tap on the question says it again.
    connect(label5_, &LabelButton::clicked, this, [this] {
        tell(label5_->accessibleName());
        this->services().voice.say(question_.spokenClips());
    });

    done_ = new QLabel(finished(), area());
    done_->setObjectName(QStringLiteral("RipassoFinito"));
    Controls::apply(done_,
                    {QStringLiteral("RipassoFinito"), finished(), Design::arialBold(18),
                     Palette::white(), Design::rect(960, 2160, 4455, 975), true, Qt::AlignCenter});
    done_->hide();

    play(label3_, label4_);
    loadFinished();
}

const ReviewPlan::Round *FormRipasso::current() const
{
    return next_ > 0 && next_ <= plan_.size() ? &plan_.at(next_ - 1) : nullptr;
}

bool FormRipasso::onCalendar() const
{
    const ReviewPlan::Round *round = current();
    return round && round->kind == ReviewSchedule::Kind::CalendarMonths;
}

void FormRipasso::NuovoEsercizio()
{
    CaricaColori();
    if (next_ < plan_.size())
        ++next_;
    else
        next_ = plan_.size() + 1;
    const ReviewPlan::Round *round = current();
    if (!round)
        showFinished();
    else if (round->kind == ReviewSchedule::Kind::CalendarMonths)
        showQuestion();
    else
        showColumn();
}

void FormRipasso::showColumn()
{
    const ReviewPlan::Round &round = *current();
    const QStringList &names =
        round.kind == ReviewSchedule::Kind::Months ? language_.monthsUpper : language_.daysOrdering;
    QStringList column;
    for (int number : round.numbers)
        column.append(names.value(number - 1));
    column_ = OrderingRound(column, true, false);
    column_.NuovoEsercizio(services().random);
    calendar1_->hide();
    label5_->hide();
    done_->hide();
    for (int i = 0; i < ReviewPlan::mostPlaces; ++i) {
        const bool inRound = i < column_.size();
        DragLabel *name = label3_[i];
        name->setVisible(inRound && column_.nameVisible(i));
        label4_[i]->setVisible(inRound);
        if (!inRound)
            continue;
        name->setText(column_.nameText(i));
        name->setEnabled(column_.nameEnabled(i));
        label4_[i]->setContent(column_.placeText(i));
        moveDesigned(name, QPoint(Design::px(namesLeft),
                                  Design::px(firstTop + rowPitch * column_.nameRow(i))));
    }
}

void FormRipasso::showQuestion()
{
    for (int i = 0; i < ReviewPlan::mostPlaces; ++i) {
        label3_[i]->hide();
        label4_[i]->hide();
    }
    done_->hide();
    question_.drawIn(current()->numbers.value(0), services().random);
    calendar1_->show();
    label5_->show();
    const QString text = question_.ScriviDomanda(false);
    label5_->setText(text);
    label5_->setAccessibleName(text.simplified());
}

void FormRipasso::showFinished()
{
    for (int i = 0; i < ReviewPlan::mostPlaces; ++i) {
        label3_[i]->hide();
        label4_[i]->hide();
    }
    calendar1_->hide();
    label5_->hide();
    done_->show();
    bottoneAvanti()->setEnabled(false);
}

Answer FormRipasso::Label4_DragDrop(int index, int source)
{
    if (onCalendar() || !current())
        return Answer::Ignored;
    const Answer answer = column_.judge(source, index);
    if (answer == Answer::Right) {
        column_.place(source);
        label4_[index]->setContent(column_.placeText(index));
        label3_[source]->setText(column_.nameText(source));
        label3_[source]->setEnabled(column_.nameEnabled(source));
    }
    return answer;
}

void FormRipasso::Calendar1_Click()
{
    if (!onCalendar())
        return;
    const CalendarQuestion::Date &asked = question_.DataCercata();
    const QDate clicked = calendar1_->selectedDate();
    answered(question_.judge(calendar1_->Day(), calendar1_->Month(), calendar1_->Year()),
             {Items::Dates, dateNumber(QDate(asked.year, asked.month, asked.day)),
              dateNumber(clicked), calendar1_->spokenDate(clicked),
              calendar1_->byKey() ? Route::Keys : Route::Tap});
}

Items FormRipasso::items() const
{
    const ReviewPlan::Round *round = current();
    if (!round || round->kind == ReviewSchedule::Kind::Months)
        return Items::Months;
    return round->kind == ReviewSchedule::Kind::Days ? Items::Days : Items::Dates;
}

int FormRipasso::itemOf(int index) const
{
    const ReviewPlan::Round *round = current();
    return round ? round->numbers.value(index) : 0;
}

bool FormRipasso::countRight()
{
    return onCalendar() || column_.countPlaced();
}

QString FormRipasso::roundOpening() const
{
    if (!current())
        return finished();
    return onCalendar() ? label5_->accessibleName() : FormEsercizio::roundOpening();
}

QStringList FormRipasso::roundClips() const
{
    if (!current())
        return {};
    return onCalendar() ? question_.spokenClips() : FormEsercizio::roundClips();
}
