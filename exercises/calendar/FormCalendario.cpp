#include "FormCalendario.h"

#include "Controls.h"
#include "Design.h"
#include "Focusable.h"
#include "LabelButton.h"
#include "Language.h"
#include "MonthCalendar.h"
#include "Palette.h"
#include "Services.h"
#include "Voice.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

FormCalendario::FormCalendario(const Language &language, const Services &services, QWidget *parent)
    : FormEsercizio(Finestra::Form7, services, parent), language_(language), question_(&language_)
{
    // The names of the months and the weekdays in the language taught.
    calendar1_ = MonthCalendar::inWindow(area(), language_.calendarLocale,
                                         [this](const QString &sentence) { tell(sentence); });
    connect(calendar1_, &MonthCalendar::Click, this, &FormCalendario::Calendar1_Click);

    // A button, so that the keyboard and screen readers can press it too.
    label3_ = new LabelButton(area());
    label3_->setFocusPolicy(Qt::TabFocus);
    Focusable::install(label3_);
    Controls::apply(label3_,
                    {QStringLiteral("Label3"), QStringLiteral("Label3"), Design::arialBold(14.25),
                     Palette::white(), Design::rect(960, 4320, 4455, 615), true, Qt::AlignCenter});
    connect(label3_, &LabelButton::clicked, this, &FormCalendario::Label3_Click);

    auto *mnuFormato = new QMenu(QStringLiteral("Quale formato            "), this);
    mnuFormato->setObjectName(QStringLiteral("mnuFormato"));
    menuBar()->insertMenu(soundMenuAction(), mnuFormato);
    // Exclusive: choosing the format already in force leaves it checked.
    auto *formats = new QActionGroup(mnuFormato);
    mnuFalse_ = formats->addAction(QStringLiteral("1 Gennaio 2000"));
    mnuFalse_->setObjectName(QStringLiteral("mnuFalse"));
    mnuTrue_ = formats->addAction(QStringLiteral("01/01/2000"));
    mnuTrue_->setObjectName(QStringLiteral("mnuTrue"));
    for (QAction *format : {mnuFalse_, mnuTrue_}) {
        format->setCheckable(true);
        mnuFormato->addAction(format);
    }
    mnuFalse_->setChecked(true);
    connect(mnuFalse_, &QAction::triggered, this, &FormCalendario::mnuFalse_Click);
    connect(mnuTrue_, &QAction::triggered, this, &FormCalendario::mnuTrue_Click);

    // The keyboard goes from the calendar to the question, then to "avanti".
    setTabOrder(calendar1_, label3_);
    setTabOrder(label3_, bottoneAvanti());

    loadFinished();
}

void FormCalendario::prepareOpening()
{
    question_.CaricaMesi();
    formatoNumerico_ = false;
}

void FormCalendario::NuovoEsercizio()
{
    calendar1_->setVisible(true);
    question_.draw(services().random);
    ScriviDomanda();
}

void FormCalendario::ScriviDomanda()
{
    const QString text = question_.ScriviDomanda(formatoNumerico_);
    showQuestion(text, text.simplified());
}

void FormCalendario::showQuestion(const QString &text, const QString &spoken)
{
    label3_->setText(text);
    label3_->setAccessibleName(spoken);
}

QStringList FormCalendario::roundClips() const
{
    return question_.spokenClips();
}

QString FormCalendario::roundOpening() const
{
    return label3_->accessibleName();
}

void FormCalendario::Calendar1_Click()
{
    const CalendarQuestion::Date &asked = question_.DataCercata();
    const QDate clicked = calendar1_->selectedDate();
    answered(question_.judge(calendar1_->Day(), calendar1_->Month(), calendar1_->Year()),
             {Items::Dates, dateNumber(QDate(asked.year, asked.month, asked.day)),
              dateNumber(clicked), calendar1_->spokenDate(clicked),
              calendar1_->byKey() ? Route::Keys : Route::Tap});
}

void FormCalendario::Label3_Click()
{
    // The month on show, which the month arrows change without moving the date.
    const QString month = QString::number(calendar1_->monthShown());
    showQuestion(month, QStringLiteral("mese ") + month);
    tell(label3_->accessibleName());
    // The question is still what the child hears, in words.
    services().voice.say(question_.spokenClips());
}

void FormCalendario::mnuFalse_Click()
{
    formatoNumerico_ = false;
    ScriviDomanda();
}

void FormCalendario::mnuTrue_Click()
{
    formatoNumerico_ = true;
    ScriviDomanda();
}
