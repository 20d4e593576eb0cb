#include "FormMenu.h"

#include "ChildPictures.h"
#include "Choices.h"
#include "Classroom.h"
#include "Controls.h"
#include "Design.h"
#include "DesignScale.h"
#include "Dialogs.h"
#include "Focusable.h"
#include "Modulo1.h"
#include "Palette.h"
#include "Pictures.h"
#include "ReviewSchedule.h"
#include "Services.h"
#include "WindowRegistry.h"
#include "WrappingRadioButton.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QToolButton>

namespace {

struct ExerciseButton
{
    const char *name;
    int top;
    Finestra opens;
};

// Days first, then months: ordering (1), ordering (2), cycle. Each button
// shows its window's name.
constexpr ExerciseButton leftColumn[] = {
    {"Command4", 360, Finestra::Form3},  {"Command7", 1200, Finestra::Form4},
    {"Command6", 2040, Finestra::Form6}, {"Command3", 2880, Finestra::Form1},
    {"Command2", 3720, Finestra::Form2}, {"Command5", 4560, Finestra::Form5},
};

} // namespace

FormMenu::FormMenu(const Services &services, QWidget *parent)
    : ColouredWidget(parent), services_(services)
{
    setWindowTitle(QString());
    DesignScale::install(this, Design::size(9690, 8520));
    setColour(Palette::lightCyan());

    for (const ExerciseButton &button : leftColumn) {
        QPushButton *created = addButton(button.name, QString::fromUtf8(shownName(button.opens)),
                                         Design::rect(240, button.top, 4215, 735));
        const Finestra opens = button.opens;
        connect(created, &QPushButton::clicked, this, [this, opens] { openExercise(opens); });
        offerAgain(created, opens);
    }
    QPushButton *command8 = addButton("Command8", QString::fromUtf8(shownName(Finestra::Form7)),
                                      Design::rect(4680, 360, 4215, 735));
    connect(command8, &QPushButton::clicked, this, [this] { openExercise(Finestra::Form7); });
    offerAgain(command8, Finestra::Form7);

    auto *group = new QButtonGroup(this);
    option1_[1] = new WrappingRadioButton(
        QStringLiteral("attende la pressione del bottone per proseguire"), this);
    option1_[1]->setGeometry(Design::rect(4800, 4095, 3975, 615));
    option1_[0] =
        new WrappingRadioButton(QStringLiteral("prosegue automaticamente  negli esercizi"), this);
    option1_[0]->setGeometry(Design::rect(4800, 4815, 4095, 735));
    for (int index = 0; index < 2; ++index) {
        WrappingRadioButton *option = option1_[std::size_t(index)];
        option->setObjectName(QStringLiteral("Option1(%1)").arg(index));
        option->setFont(Design::arialBold(12));
        group->addButton(option, index);
        Focusable::install(option);
        connect(option, &QRadioButton::clicked, this, [this, index] { Option1_Click(index); });
    }
    option1_[1]->setChecked(true);

    // The language the names are taught in; remembered between runs.
    auto *languages = new QButtonGroup(this);
    const char *const captions[] = {"nomi in italiano", "nomi in inglese"};
    const char *const codes[] = {"it", "en"};
    for (int index = 0; index < 2; ++index) {
        auto *option = new WrappingRadioButton(QString::fromUtf8(captions[index]), this);
        option->setObjectName(QStringLiteral("Option2(%1)").arg(index));
        option->setGeometry(Design::rect(4800, 1560 + 720 * index, 3975, 615));
        option->setFont(Design::arialBold(12));
        languages->addButton(option, index);
        Focusable::install(option);
        const QString code = QLatin1String(codes[index]);
        option->setChecked(services_.choices.language() == code);
        connect(option, &QRadioButton::clicked, this,
                [this, code] { services_.choices.setLanguage(code); });
        option2_[std::size_t(index)] = option;
    }
    if (!option2_[1]->isChecked())
        option2_[0]->setChecked(true);
    // The keyboard goes down the right column as the eye does.
    setTabOrder(command8, option2_[0]);
    setTabOrder(option2_[0], option2_[1]);
    setTabOrder(option2_[1], option1_[1]);
    setTabOrder(option1_[1], option1_[0]);

    // A child of the class with something due today practises it first.
    if (services_.classroom.player() &&
        !ReviewSchedule(services_.classroom.history(), services_.classroom.now().date())
             .due()
             .isEmpty()) {
        QPushButton *review = addButton("Ripasso", QString::fromUtf8(shownName(Finestra::Ripasso)),
                                        Design::rect(4680, 3150, 4215, 735));
        connect(review, &QPushButton::clicked, this, [this] { openExercise(Finestra::Ripasso); });
        setTabOrder(option2_[1], review);
        setTabOrder(review, option1_[1]);
        offerAgain(review, Finestra::Ripasso);
    }

    QPushButton *command1 =
        addButton("Command1", QStringLiteral("Esci"), Design::rect(4680, 5640, 4215, 975));
    connect(command1, &QPushButton::clicked, this, &FormMenu::Command1_Click);
    if (services_.classroom.picked())
        addPlayer();

    DesignScale::of(this)->capture();
    Form_Load();
}

QPushButton *FormMenu::addButton(const char *name, const QString &caption, const QRect &place)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setFont(Design::arialBold(18));
    button->setGeometry(place);
    Focusable::install(button);
    return button;
}

void FormMenu::openExercise(Finestra exercise)
{
    services_.windows.show(exercise);
    services_.windows.close(Finestra::FormMenu);
}

void FormMenu::addPlayer()
{
    const std::optional<Child> &player = services_.classroom.player();
    const ChildPicture *picture = player ? ChildPictures::find(player->picture) : nullptr;
    const QString name = player ? player->name : QStringLiteral("Ospite");
    QToolButton *button = Controls::pictureButton(
        this,
        {QStringLiteral("Giocatore"), name, Design::arialBold(18), QColor(),
         Design::rect(240, 5640, 4215, 975)},
        Pictures::icon(picture ? picture->resource : Pictures::smilingFace()), 48);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAccessibleName(QStringLiteral("gioca ") + name);
    button->setAccessibleDescription(QStringLiteral("premi per cambiare chi gioca"));
    button->setToolTip(QStringLiteral("Cambia chi gioca"));
    connect(button, &QToolButton::clicked, this, [this] {
        services_.windows.show(Finestra::PlayerPicker);
        services_.windows.close(Finestra::FormMenu);
    });
}

void FormMenu::offerAgain(QPushButton *button, Finestra opens)
{
    // Back from an exercise, the keyboard starts on the one just played.
    if (services_.windows.lastExercise() == opens)
        button->setFocus(Qt::OtherFocusReason);
}

void FormMenu::Form_Load()
{
    CaricaColori();
    for (WrappingRadioButton *option : {option1_[0], option1_[1], option2_[0], option2_[1]})
        option->setBackgroundColour(colour());
    option1_[Modulo1::AttendiAvanti ? 1 : 0]->setChecked(true);
}

void FormMenu::CaricaColori()
{
    setColour(Palette::drawColour(services_.random));
}

void FormMenu::Option1_Click(int index)
{
    Modulo1::AttendiAvanti = index != 0;
}

void FormMenu::Command1_Click()
{
    if (services_.dialogs.ask(this, QStringLiteral("Tempiolo"), Dialogs::Icon::Critical,
                              QStringLiteral("Vuoi terminare il lavoro?")))
        Modulo1::EndProgram(services_);
}
