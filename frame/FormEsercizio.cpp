#include "FormEsercizio.h"

#include "AccessibleWindows.h"
#include "Announcer.h"
#include "ColouredWidget.h"
#include "Controls.h"
#include "Counts.h"
#include "Design.h"
#include "DesignScale.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Focusable.h"
#include "Modulo1.h"
#include "Palette.h"
#include "PickUp.h"
#include "Picture.h"
#include "Pictures.h"
#include "Voci.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// Long enough for a screen reader to have named a window that opens.
constexpr int openingPause = 400;
} // namespace

FormEsercizio::FormEsercizio(Finestra id, QWidget *parent)
    : QWidget(parent), id_(id), design_(FrameDesign::of(id))
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

    AccessibleWindows::install();
    announcer_ = new Announcer(area_);
    pickUp_ = new PickUp(this);
    connect(pickUp_, &PickUp::delivered, this, &FormEsercizio::tellDrop);
    connect(pickUp_, &PickUp::held, this, [this](DragLabel *card, bool up) {
        if (up)
            Voci::Parla({Voci::clipOf(card->text())});
        tell(card->text().trimmed() +
             (up ? QStringLiteral(" preso") : QStringLiteral(" lasciato")));
    });
    buildFrame();
    buildMenus();
}

FormEsercizio::~FormEsercizio() = default;

void FormEsercizio::buildFrame()
{
    const auto scoreLabel = [this](const char *name, const char *text, double points,
                                   const QRect &place) {
        return Controls::label(area_, {QLatin1String(name), QString::fromUtf8(text),
                                       Design::arialBold(points), Palette::cyan(), place});
    };
    // The captions are part of the counts' names ("Esatti: 4"), so screen
    // readers say each count once.
    AccessibleWindows::leaveOut(scoreLabel("Label1", "Esatti", 12, design_.label1));
    AccessibleWindows::leaveOut(scoreLabel("Label2", "Errati", 12, design_.label2));
    etichettaEsatti_ = scoreLabel("EtichettaEsatti", "quantiesatti", 18, design_.etichettaEsatti);
    etichettaErrati_ = scoreLabel("EtichettaErrati", "quantierrati", 18, design_.etichettaErrati);

    comandoIconaNo_ = new Picture(Pictures::sadFace(), area_);
    comandoIconaNo_->setObjectName(QStringLiteral("ComandoIconaNo"));
    comandoIconaNo_->setAccessibleName(QStringLiteral("faccina triste"));
    comandoIconaNo_->setGeometry(design_.faces);
    comandoIconaSi_ = new Picture(Pictures::laughingFace(), area_);
    comandoIconaSi_->setObjectName(QStringLiteral("ComandoIconaSi"));
    comandoIconaSi_->setAccessibleName(QStringLiteral("faccina che ride"));
    comandoIconaSi_->setGeometry(design_.faces);
    comandoIconaSi_->raise();

    bottoneAvanti_ = new QToolButton(area_);
    bottoneAvanti_->setObjectName(QStringLiteral("BottoneAvanti"));
    bottoneAvanti_->setText(QStringLiteral("avanti"));
    bottoneAvanti_->setFont(Design::arialBold(14.25));
    bottoneAvanti_->setIcon(Pictures::icon(Pictures::arrowRight()));
    const int iconSide = qMin(32, design_.bottoneAvanti.height() - 27);
    bottoneAvanti_->setIconSize(QSize(iconSide, iconSide));
    bottoneAvanti_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bottoneAvanti_->setGeometry(design_.bottoneAvanti);
    bottoneAvanti_->setEnabled(false);
    Focusable::install(bottoneAvanti_);
    connect(bottoneAvanti_, &QToolButton::clicked, this, &FormEsercizio::BottoneAvanti_Click);
}

void FormEsercizio::buildMenus()
{
    const auto named = [](QAction *action, const QByteArray &name) {
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    connect(named(menuBar_->addAction(QStringLiteral("Azzera conteggio          ")), "MenuAzzera"),
            &QAction::triggered, this, &FormEsercizio::MenuAzzera_Click);

    // A menu of "sì" and "no"; the handlers set both marks themselves, so
    // that clicking the item that is already checked leaves it checked.
    const auto yesNo = [this, &named](const char *caption, const char *name, QAction **yes,
                                      QAction **no) {
        QMenu *menu = menuBar_->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QLatin1String(name));
        const QByteArray prefix(name);
        *yes = named(menu->addAction(QStringLiteral("sì")), prefix + "Si");
        *no = named(menu->addAction(QStringLiteral("no")), prefix + "No");
        (*yes)->setCheckable(true);
        (*no)->setCheckable(true);
        return menu;
    };
    mnuSuono_ = yesNo("Suono?          ", "mnuSuono", &mnuSuonoSi_, &mnuSuonoNo_);
    mnuSuonoSi_->setChecked(true);
    connect(mnuSuonoSi_, &QAction::triggered, this, &FormEsercizio::mnuSuonoSi_Click);
    connect(mnuSuonoNo_, &QAction::triggered, this, &FormEsercizio::mnuSuonoNo_Click);

    // The program's own voice: one choice for every window, kept between runs.
    yesNo("Voce?          ", "mnuVoce", &mnuVoceSi_, &mnuVoceNo_);
    showVoice(Voci::attiva());
    connect(mnuVoceSi_, &QAction::triggered, this, [this] { setVoice(true); });
    connect(mnuVoceNo_, &QAction::triggered, this, [this] { setVoice(false); });

    connect(
        named(menuBar_->addAction(QStringLiteral("Informazioni           ")), "MenuInformazioni"),
        &QAction::triggered, this, &FormEsercizio::MenuInformazioni_Click);
    connect(named(menuBar_->addAction(QStringLiteral("Esci")), "mnuEsci"), &QAction::triggered,
            this, &FormEsercizio::mnuEsci_Click);

    // F10 reaches the menu bar from the keyboard, as on the desktop, without
    // mnemonics that would change the captions.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            &FormEsercizio::openMenuBar);
}

void FormEsercizio::openMenuBar()
{
    const QList<QAction *> items = menuBar_->actions();
    if (items.isEmpty())
        return;
    if (QWidget *focus = focusWidget(); focus && focus != menuBar_)
        beforeMenuBar_ = focus;
    menuBar_->setFocus(Qt::ShortcutFocusReason);
    menuBar_->setActiveAction(items.first());
}

QWidget *FormEsercizio::area() const
{
    return area_;
}

QAction *FormEsercizio::soundMenuAction() const
{
    return mnuSuono_->menuAction();
}

QColor FormEsercizio::backgroundColour() const
{
    return area_->colour();
}

void FormEsercizio::CaricaColori()
{
    area_->setColour(Palette::drawColour(Modulo1::random()));
}

void FormEsercizio::moveDesigned(QWidget *control, const QPoint &designed)
{
    DesignScale::of(area_)->move(control, designed);
}

void FormEsercizio::loadFinished()
{
    DesignScale::of(area_)->capture();
    if (!design_.opensOnActivation)
        open();
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

bool FormEsercizio::event(QEvent *event)
{
    // Only the first activation opens the window: coming back from a message
    // box or another program must not lay out a new round.
    if (event->type() == QEvent::WindowActivate && !opened_)
        open();
    return QWidget::event(event);
}

void FormEsercizio::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Some window managers never activate a new window by themselves; the
    // round is then laid out as soon as the window is on screen.
    if (!opened_)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!opened_)
                    open();
            },
            Qt::QueuedConnection);
}

void FormEsercizio::open()
{
    opened_ = true;
    const QScopedValueRollback opening(opening_, true);
    bottoneAvanti_->setVisible(Modulo1::AttendiAvanti);
    prepareOpening();
    showCount(etichettaEsatti_, Counts::zeroText());
    showCount(etichettaErrati_, Counts::zeroText());
    newRound();
}

void FormEsercizio::newRound()
{
    pickUp_->putDown();
    NuovoEsercizio();
    pickUp_->orderTabs();
    Voci::Parla(roundClips());
    const QString opening = roundOpening();
    if (answer_ != Answer::None) {
        openingToTell_ = opening;
    } else if (!opening.isEmpty() && opening_) {
        // After the screen reader has named the new window and its focus.
        QTimer::singleShot(openingPause, this, [this, opening] { tell(opening); });
    } else if (!opening.isEmpty()) {
        tell(opening);
    }
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
        clips << Voci::clipOf(place->text());
    return clips;
}

QString FormEsercizio::roundOpening() const
{
    QStringList given;
    for (DropLabel *place : writtenPlaces())
        given << place->accessibleName();
    return given.join(QStringLiteral(", "));
}

void FormEsercizio::showCount(QLabel *label, const QString &text)
{
    label->setText(text);
    // Read out as the caption beside it and the number: "Esatti: 4".
    const QString caption =
        label == etichettaEsatti_ ? QStringLiteral("Esatti") : QStringLiteral("Errati");
    label->setAccessibleName(caption + QStringLiteral(": ") + text.trimmed());
}

void FormEsercizio::SegnaEsatto()
{
    answer_ = Answer::Right;
    if (design_.changesColour && backgroundColour() == QColor(Qt::black))
        CaricaColori();
    comandoIconaSi_->show();
    comandoIconaNo_->hide();
    Modulo1::NumEsatti = Counts::raised(Modulo1::NumEsatti);
    showCount(etichettaEsatti_, Counts::text(Modulo1::NumEsatti));
    if (mnuSuonoSi_->isChecked())
        Modulo1::SuonoEsatto();
}

void FormEsercizio::SegnaErrato()
{
    answer_ = Answer::Wrong;
    comandoIconaNo_->show();
    comandoIconaSi_->hide();
    Modulo1::NumErrati = Counts::raised(Modulo1::NumErrati);
    showCount(etichettaErrati_, Counts::text(Modulo1::NumErrati));
    if (design_.changesColour)
        area_->setColour(QColor(Qt::black));
    if (mnuSuonoSi_->isChecked())
        Modulo1::SuonoErrato();
}

void FormEsercizio::ConcludiEsercizio()
{
    roundEnded_ = true;
    if (!bottoneAvanti_->isHidden())
        bottoneAvanti_->setEnabled(true);
    else
        newRound();
}

void FormEsercizio::tellDrop(DropLabel *place, const QString &name)
{
    // A name dropped where one already stands is not judged: the place says what it holds.
    if (answer_ == Answer::None) {
        tell(place->accessibleName() + QStringLiteral(", occupato"));
        return;
    }
    tellAnswer(place->placeName() + QStringLiteral(": ") + name);
}

void FormEsercizio::tellAnswer(const QString &what)
{
    QStringList parts;
    if (answer_ == Answer::Right)
        parts << what + QStringLiteral(", esatto") << etichettaEsatti_->accessibleName();
    else if (answer_ == Answer::Wrong)
        parts << what + QStringLiteral(", sbagliato") << etichettaErrati_->accessibleName();
    if (roundEnded_)
        parts << (bottoneAvanti_->isEnabled() ? QStringLiteral("giro finito: premi avanti")
                                              : QStringLiteral("giro finito: ecco un nuovo giro"));
    if (!openingToTell_.isEmpty())
        parts << openingToTell_;
    answer_ = Answer::None;
    roundEnded_ = false;
    openingToTell_.clear();
    if (!parts.isEmpty())
        tell(parts.join(QStringLiteral(". ")));
}

void FormEsercizio::tell(const QString &sentence)
{
    announcer_->say(sentence);
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
    showCount(etichettaEsatti_, Counts::zeroText());
    showCount(etichettaErrati_, Counts::zeroText());
    Modulo1::NumEsatti = 0;
    Modulo1::NumErrati = 0;
}

void FormEsercizio::mnuSuonoSi_Click()
{
    mnuSuonoSi_->setChecked(true);
    mnuSuonoNo_->setChecked(false);
}

void FormEsercizio::mnuSuonoNo_Click()
{
    mnuSuonoSi_->setChecked(false);
    mnuSuonoNo_->setChecked(true);
}

void FormEsercizio::setVoice(bool on)
{
    Voci::setAttiva(on);
    showVoice(on);
}

void FormEsercizio::showVoice(bool on)
{
    mnuVoceSi_->setChecked(on);
    mnuVoceNo_->setChecked(!on);
}

void FormEsercizio::MenuInformazioni_Click()
{
    Modulo1::MostraInformazioni();
    // The keyboard goes back to where it was before the menu bar.
    if (beforeMenuBar_)
        beforeMenuBar_->setFocus(Qt::OtherFocusReason);
}

void FormEsercizio::mnuEsci_Click()
{
    Modulo1::TornaAlMenu();
}
