#include "FormEsercizio.h"

#include "Choices.h"
#include "Classroom.h"
#include "ColouredWidget.h"
#include "Controls.h"
#include "Counts.h"
#include "Design.h"
#include "DesignScale.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "FrameMenus.h"
#include "KeptAnswer.h"
#include "Modulo1.h"
#include "Narrator.h"
#include "Palette.h"
#include "PickUp.h"
#include "Pictures.h"
#include "Scoreboard.h"
#include "Services.h"
#include "Voice.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QToolButton>
#include <QVBoxLayout>

FormEsercizio::FormEsercizio(Finestra id, const Services &services, QWidget *parent)
    : QWidget(parent), id_(id), design_(FrameDesign::of(id)), services_(services),
      language_(services.choices.language())
{
    setObjectName(QLatin1String(windowName(id)));
    setWindowTitle(QString());
    setWindowIcon(Pictures::icon(Pictures::smilingFace()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // At least the designed size; larger (full screen, maximised) shows the design scaled.
    layout->setSizeConstraint(QLayout::SetDefaultConstraint);

    menuBar_ = new QMenuBar(this);
    menuBar_->setNativeMenuBar(false);
    layout->setMenuBar(menuBar_);

    area_ = new ColouredWidget(this);
    area_->setObjectName(QStringLiteral("area"));
    DesignScale::install(area_, design_.client);
    area_->setColour(Palette::orange());
    // A click on the background puts a picked-up card down.
    area_->installEventFilter(this);
    layout->addWidget(area_);

    narrator_ = new Narrator(area_);
    scoreboard_ = std::make_unique<Scoreboard>(area_, design_);

    bottoneAvanti_ = Controls::pictureButton(
        area_,
        {QStringLiteral("BottoneAvanti"), QStringLiteral("avanti"), Design::arialBold(14.25),
         QColor(), design_.bottoneAvanti},
        Pictures::icon(Pictures::arrowRight()), qMin(32, design_.bottoneAvanti.height() - 27));
    bottoneAvanti_->setEnabled(false);
    connect(bottoneAvanti_, &QToolButton::clicked, this, &FormEsercizio::BottoneAvanti_Click);

    menus_ = new FrameMenus(this, menuBar_, services_.choices);
    connect(menus_, &FrameMenus::resetChosen, this, &FormEsercizio::MenuAzzera_Click);
    connect(menus_, &FrameMenus::aboutChosen, this, &FormEsercizio::MenuInformazioni_Click);
    connect(menus_, &FrameMenus::exitChosen, this, &FormEsercizio::mnuEsci_Click);

    pickUp_ = new PickUp(this);
    connect(pickUp_, &PickUp::moved, this, &FormEsercizio::cardMoved);
    connect(pickUp_, &PickUp::placeReached, this, &FormEsercizio::placeReached);
    connect(pickUp_, &PickUp::lifted, this,
            [this](DragLabel *card) { services_.voice.say({Voice::clipOf(card->text())}); });
    connect(pickUp_, &PickUp::held, this, [this](DragLabel *card, bool up) {
        if (up)
            services_.voice.say({Voice::clipOf(card->text())});
        narrator_->tellHeld(card->text(), up);
    });
}

FormEsercizio::~FormEsercizio() = default;

void FormEsercizio::play(const QList<DragLabel *> &cards, const QList<DropLabel *> &places)
{
    pickUp_->play(cards, places, bottoneAvanti_);
}

QWidget *FormEsercizio::area() const
{
    return area_;
}

QAction *FormEsercizio::soundMenuAction() const
{
    return menus_->soundMenuAction();
}

QColor FormEsercizio::backgroundColour() const
{
    return area_->colour();
}

void FormEsercizio::CaricaColori()
{
    area_->setColour(Palette::drawColour(services_.random));
}

void FormEsercizio::moveDesigned(QWidget *control, const QPoint &designed)
{
    DesignScale::of(area_)->move(control, designed);
}

void FormEsercizio::tell(const QString &sentence)
{
    narrator_->tell(sentence);
}

void FormEsercizio::loadFinished()
{
    DesignScale::of(area_)->capture();
}

bool FormEsercizio::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == area_ && event->type() == QEvent::MouseButtonPress)
        pickUp_->putDown(true);
    return QWidget::eventFilter(watched, event);
}

void FormEsercizio::keyPressEvent(QKeyEvent *event)
{
    if (DragLabel *card = pickUp_->picked(); card && event->key() == Qt::Key_Escape) {
        pickUp_->putDown(true);
        // The keyboard goes back to the card it picked up.
        if (qobject_cast<DropLabel *>(focusWidget()))
            card->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormEsercizio::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Every window lays out its first round as it is first shown, not when
    // it is activated: the window system may never activate it itself.
    if (!opened_)
        open();
}

void FormEsercizio::open()
{
    opened_ = true;
    const QScopedValueRollback opening(opening_, true);
    bottoneAvanti_->setVisible(Modulo1::AttendiAvanti);
    prepareOpening();
    scoreboard_->showZero();
    newRound();
}

void FormEsercizio::newRound()
{
    pickUp_->putDown();
    round_ = QUuid::createUuid();
    NuovoEsercizio();
    pickUp_->orderTabs();
    services_.voice.say(roundClips());
    narrator_->tellRoundStart(roundOpening(), opening_);
    thinking_.start();
}

QList<DropLabel *> FormEsercizio::writtenPlaces() const
{
    QList<DropLabel *> written;
    for (DropLabel *place : pickUp_->places()) {
        if (!place->text().trimmed().isEmpty())
            written << place;
    }
    return written;
}

QStringList FormEsercizio::roundClips() const
{
    QStringList clips;
    for (DropLabel *place : writtenPlaces())
        clips << Voice::clipOf(place->text());
    return clips;
}

QString FormEsercizio::roundOpening() const
{
    QStringList given;
    for (DropLabel *place : writtenPlaces())
        given << place->accessibleName();
    return given.join(QStringLiteral(", "));
}

Answer FormEsercizio::dropped(int place, int card)
{
    Q_UNUSED(place)
    Q_UNUSED(card)
    return Answer::Ignored;
}

int FormEsercizio::itemOf(int index) const
{
    Q_UNUSED(index)
    return 0;
}

void FormEsercizio::cardMoved(DragLabel *card, DropLabel *place, Route route)
{
    // Read first: a right answer takes the name off the card.
    const QString name = card->text().trimmed();
    const int asked = itemOf(card->index());
    answered(dropped(place->index(), card->index()),
             {items(), asked, itemOf(place->index()),
              place->placeName() + QStringLiteral(": ") + name, route});
}

void FormEsercizio::placeReached(DropLabel *place, bool tapped)
{
    // A screen reader already says what the keyboard reaches.
    if (!tapped && QAccessible::isActive())
        return;
    if (!place->text().trimmed().isEmpty())
        services_.voice.say({Voice::clipOf(place->text())});
}

void FormEsercizio::answered(Answer answer, const Attempt &attempt)
{
    if (answer == Answer::Ignored)
        return;
    const bool right = answer == Answer::Right;
    KeptAnswer kept;
    kept.exercise = QLatin1String(exerciseKey(id_));
    kept.language = language_;
    kept.items = attempt.items;
    kept.asked = attempt.asked;
    kept.given = attempt.given;
    kept.round = round_;
    kept.right = right;
    kept.route = routeName(attempt.route);
    kept.seconds = double(thinking_.restart()) / 1000;
    services_.classroom.keep(kept);
    if (right)
        SegnaEsatto();
    else
        SegnaErrato();
    const bool complete = right && countRight();
    using RoundEnd = Narrator::RoundEnd;
    const RoundEnd end = !complete
                             ? RoundEnd::No
                             : (bottoneAvanti_->isHidden() ? RoundEnd::GoesOn : RoundEnd::Waits);
    narrator_->tellAnswer(answer, attempt.told,
                          right ? scoreboard_->rightName() : scoreboard_->wrongName(), end);
    // Told before the next round lays out, whose opening is said after it.
    if (complete)
        ConcludiEsercizio();
}

void FormEsercizio::SegnaEsatto()
{
    if (design_.changesColour && backgroundColour() == QColor(Qt::black))
        CaricaColori();
    Modulo1::NumEsatti = Counts::raised(Modulo1::NumEsatti);
    scoreboard_->showRight(Modulo1::NumEsatti);
    if (menus_->soundOn())
        Modulo1::SuonoEsatto(services_);
}

void FormEsercizio::SegnaErrato()
{
    Modulo1::NumErrati = Counts::raised(Modulo1::NumErrati);
    scoreboard_->showWrong(Modulo1::NumErrati);
    if (design_.changesColour)
        area_->setColour(QColor(Qt::black));
    if (menus_->soundOn())
        Modulo1::SuonoErrato(services_);
}

void FormEsercizio::ConcludiEsercizio()
{
    if (!bottoneAvanti_->isHidden())
        bottoneAvanti_->setEnabled(true);
    else
        newRound();
}

void FormEsercizio::BottoneAvanti_Click()
{
    // Only the keyboard gives "avanti" the focus; it then goes on to the new round.
    const bool byKey = bottoneAvanti_->hasFocus();
    bottoneAvanti_->setEnabled(false);
    newRound();
    if (const QList<DragLabel *> cards = pickUp_->playableCards(); byKey && !cards.isEmpty())
        cards.first()->setFocus(Qt::OtherFocusReason);
}

void FormEsercizio::MenuAzzera_Click()
{
    scoreboard_->showZero();
    Modulo1::NumEsatti = 0;
    Modulo1::NumErrati = 0;
}

void FormEsercizio::MenuInformazioni_Click()
{
    Modulo1::MostraInformazioni(services_.dialogs, this);
    menus_->restoreFocus();
}

void FormEsercizio::mnuEsci_Click()
{
    Modulo1::TornaAlMenu(services_, this);
}
