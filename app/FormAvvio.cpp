#include "FormAvvio.h"

#include "Controls.h"
#include "Design.h"
#include "DesignScale.h"
#include "Focusable.h"
#include "Modulo1.h"
#include "Palette.h"
#include "Pictures.h"
#include "WindowRegistry.h"

#include <QLabel>
#include <QToolButton>

FormAvvio::FormAvvio(QWidget *parent) : ColouredWidget(parent)
{
    setWindowTitle(QString());
    DesignScale::install(this, Design::size(9795, 9630));
    setColour(Palette::cyan());

    label2_ = Controls::label(this, {QStringLiteral("Label2"), QStringLiteral("Tempiolo"),
                                     Design::arialBold(72), Palette::cyan(),
                                     Design::rect(735, 945, 7515, 3495), false, Qt::AlignCenter});

    command1_ = new QToolButton(this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setText(QStringLiteral("Avvio"));
    command1_->setFont(Design::arialBold(24));
    command1_->setIcon(Pictures::icon(Pictures::calendarPage()));
    command1_->setIconSize(QSize(40, 40));
    command1_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    command1_->setGeometry(Design::rect(2400, 4560, 4425, 1305));
    Focusable::install(command1_);
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
    setColour(Palette::drawColour(Modulo1::random()));
}

void FormAvvio::Command1_Click()
{
    Modulo1::windows().show(Finestra::FormMenu);
    Modulo1::windows().close(Finestra::FormAvvio);
}
