#include "FrameMenus.h"

#include "Choices.h"

#include <QActionGroup>
#include <QMenuBar>
#include <QShortcut>
#include <QWidget>

namespace {

QAction *named(QAction *action, const QString &name)
{
    action->setObjectName(name);
    return action;
}

} // namespace

FrameMenus::FrameMenus(QWidget *window, QMenuBar *bar, Choices &choices)
    : QObject(window), window_(window), bar_(bar)
{
    connect(named(bar_->addAction(QStringLiteral("Azzera conteggio          ")),
                  QStringLiteral("MenuAzzera")),
            &QAction::triggered, this, &FrameMenus::resetChosen);

    mnuSuono_ = yesNo(QStringLiteral("Suono?          "), "mnuSuono", &mnuSuonoSi_, &mnuSuonoNo_);
    mnuSuonoSi_->setChecked(true);

    // The program's own voice: one choice for every window, kept between runs.
    yesNo(QStringLiteral("Voce?          "), "mnuVoce", &mnuVoceSi_, &mnuVoceNo_);
    (choices.voiceOn() ? mnuVoceSi_ : mnuVoceNo_)->setChecked(true);
    connect(mnuVoceSi_, &QAction::toggled, this, [&choices](bool on) { choices.setVoiceOn(on); });

    connect(named(bar_->addAction(QStringLiteral("Informazioni           ")),
                  QStringLiteral("MenuInformazioni")),
            &QAction::triggered, this, &FrameMenus::aboutChosen);
    connect(named(bar_->addAction(QStringLiteral("Esci")), QStringLiteral("mnuEsci")),
            &QAction::triggered, this, &FrameMenus::exitChosen);

    connect(new QShortcut(QKeySequence(Qt::Key_F10), window_), &QShortcut::activated, this,
            &FrameMenus::openMenuBar);
}

QMenu *FrameMenus::yesNo(const QString &caption, const char *name, QAction **yes, QAction **no)
{
    QMenu *menu = bar_->addMenu(caption);
    const QString prefix = QLatin1String(name);
    menu->setObjectName(prefix);
    // Exclusive: choosing the item already checked leaves it checked.
    auto *group = new QActionGroup(menu);
    *yes = named(group->addAction(QStringLiteral("sì")), prefix + QStringLiteral("Si"));
    *no = named(group->addAction(QStringLiteral("no")), prefix + QStringLiteral("No"));
    for (QAction *item : {*yes, *no}) {
        item->setCheckable(true);
        menu->addAction(item);
    }
    return menu;
}

bool FrameMenus::soundOn() const
{
    return mnuSuonoSi_->isChecked();
}

QAction *FrameMenus::soundMenuAction() const
{
    return mnuSuono_->menuAction();
}

void FrameMenus::openMenuBar()
{
    const QList<QAction *> items = bar_->actions();
    if (items.isEmpty())
        return;
    if (QWidget *focus = window_->focusWidget(); focus && focus != bar_)
        beforeMenuBar_ = focus;
    bar_->setFocus(Qt::ShortcutFocusReason);
    bar_->setActiveAction(items.first());
}

void FrameMenus::restoreFocus()
{
    if (beforeMenuBar_)
        beforeMenuBar_->setFocus(Qt::OtherFocusReason);
}
