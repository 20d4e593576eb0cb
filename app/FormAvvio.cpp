#include "FormAvvio.h"

#include "Classroom.h"
#include "Controls.h"
#include "Design.h"
#include "DesignScale.h"
#include "Modulo1.h"
#include "Palette.h"
#include "Pictures.h"
#include "Services.h"
#include "WindowRegistry.h"

#include <QLabel>
#include <QToolButton>

FormAvvio::FormAvvio(const Services &services, QWidget *parent)
    : ColouredWidget(parent), services_(services)
{
    setWindowTitle(QString());
    DesignScale::install(this, Design::size(9795, 9630));
    setColour(Palette::cyan());

    label2_ = Controls::label(this, {QStringLiteral("Label2"), QStringLiteral("Tempiolo"),
                                     Design::arialBold(72), Palette::cyan(),
                                     Design::rect(735, 945, 7515, 3495), false, Qt::AlignCenter});

    command1_ = Controls::pictureButton(this,
                                        {QStringLiteral("Command1"), QStringLiteral("Avvio"),
                                         Design::arialBold(24), QColor(),
                                         Design::rect(2400, 4560, 4425, 1305)},
                                        Pictures::icon(Pictures::calendarPage()), 40);
    connect(command1_, &QToolButton::clicked, this, &FormAvvio::Command1_Click);

    DesignScale::of(this)->capture();
    Form_Load();
}

void FormAvvio::Form_Load()
{
    Modulo1::AttendiAvanti = true;
    CaricaColori();
}

void FormAvvio::CaricaColori()
{
    setColour(Palette::drawColour(services_.random));
}

void FormAvvio::Command1_Click()
{
    // With a class set up, the children say who plays first.
    services_.windows.show(services_.classroom.refresh() ? Finestra::PlayerPicker
                                                         : Finestra::FormMenu);
    services_.windows.close(Finestra::FormAvvio);
}
