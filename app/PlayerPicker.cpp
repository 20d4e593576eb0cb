#include "PlayerPicker.h"

#include "ChildPictures.h"
#include "Choices.h"
#include "Classroom.h"
#include "Controls.h"
#include "Design.h"
#include "DesignScale.h"
#include "Palette.h"
#include "Pictures.h"
#include "Services.h"
#include "SoundPlayer.h"
#include "WindowRegistry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

namespace {

// As wide as the menu, a little taller, for the pictures.
const QSize designed = Design::size(9690, 9000);
const QRect title = Design::rect(240, 120, 9210, 840);
const QRect pictures = Design::rect(240, 1080, 9210, 7800);
constexpr int gap = 6;

} // namespace

int PlayerPicker::columnsFor(int count, const QSize &area)
{
    int best = 1;
    double bestSide = 0;
    for (int columns = 1; columns <= count; ++columns) {
        const int rows = (count + columns - 1) / columns;
        const double side = std::min(double(area.width()) / columns, double(area.height()) / rows);
        if (side > bestSide) {
            bestSide = side;
            best = columns;
        }
    }
    return best;
}

QList<QRect> PlayerPicker::grid(int count, const QRect &area)
{
    QList<QRect> cells;
    if (count <= 0)
        return cells;
    const int best = columnsFor(count, area.size());
    const int rows = (count + best - 1) / best;
    const int width = area.width() / best;
    const int height = area.height() / rows;
    for (int i = 0; i < count; ++i)
        cells << QRect(area.left() + (i % best) * width + gap / 2,
                       area.top() + (i / best) * height + gap / 2, width - gap, height - gap);
    return cells;
}

PlayerPicker::PlayerPicker(const Services &services, QWidget *parent)
    : ColouredWidget(parent), services_(services)
{
    setWindowTitle(QString());
    DesignScale::install(this, designed);
    setColour(Palette::drawColour(services_.random));
    // The class as the teacher has it now, also when the next child takes over.
    services_.classroom.refresh();
    const bool choosingClass = services_.classroom.asksForClass();
    Controls::label(this,
                    {QStringLiteral("Titolo"),
                     choosingClass ? QStringLiteral("Quale classe?") : QStringLiteral("Chi gioca?"),
                     Design::arialBold(28), Palette::cyan(), title, true, Qt::AlignCenter});
    // What the server holds may have changed since the copy was made.
    const Services &both = services_;
    services_.classroom.fetch([&both] { showAgain(both); });

    struct Player
    {
        QString id, name, picture, spoken;
    };
    QList<Player> players;
    if (choosingClass) {
        for (const QString &name : services_.classroom.serverClasses())
            players.append({name, name, Pictures::calendarPage(), QString()});
    } else {
        for (const Child &child : services_.classroom.children()) {
            const ChildPicture *picture = ChildPictures::find(child.picture);
            players.append({child.id, child.name,
                            picture ? picture->resource : Pictures::smilingFace(),
                            picture ? picture->spoken : QString()});
        }
        players.append({QString(), QStringLiteral("Ospite"), Pictures::smilingFace(), QString()});
    }

    const QList<QRect> cells = grid(int(players.size()), pictures);
    columns_ = columnsFor(int(players.size()), pictures.size());
    // A class is told by its name, which is as big as the title.
    const QFont font = Design::arialBold(choosingClass ? 28 : 12);
    const int nameHeight = QFontMetrics(font).height();
    for (qsizetype i = 0; i < players.size(); ++i) {
        const Player &player = players[i];
        const QRect &cell = cells[i];
        const QString shown =
            QFontMetrics(font).elidedText(player.name, Qt::ElideRight, cell.width() - 8);
        QToolButton *button = Controls::pictureButton(
            this, {QStringLiteral("Giocatore(%1)").arg(i), shown, font, QColor(), cell},
            Pictures::icon(player.picture),
            std::min(cell.width() - 12, cell.height() - nameHeight - 16) / (choosingClass ? 3 : 1));
        button->setAccessibleName(player.name);
        button->setAccessibleDescription(player.spoken);
        button->setToolTip(player.name);
        const QString id = player.id;
        connect(button, &QToolButton::clicked, this,
                [this, id, choosingClass] { choosingClass ? pickClass(id) : pick(id); });
        buttons_ << button;
    }
    DesignScale::of(this)->capture();
    // The keyboard starts on the child who played last in this run (the
    // class this PC played for last), or on the first.
    const QString last = choosingClass                  ? services_.classroom.serverClass()
                         : services_.classroom.player() ? services_.classroom.player()->id
                                                        : QString();
    qsizetype start = 0;
    for (qsizetype i = 0; i < players.size(); ++i) {
        if ((choosingClass || services_.classroom.picked()) && players[i].id == last)
            start = i;
    }
    buttons_[start]->setFocus(Qt::OtherFocusReason);
}

void PlayerPicker::keyPressEvent(QKeyEvent *event)
{
    const qsizetype at = buttons_.indexOf(qobject_cast<QToolButton *>(focusWidget()));
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Right:
        step = 1;
        break;
    case Qt::Key_Up:
        step = -columns_;
        break;
    case Qt::Key_Down:
        step = columns_;
        break;
    default:
        ColouredWidget::keyPressEvent(event);
        return;
    }
    const qsizetype next = at < 0 ? 0 : at + step;
    if (next >= 0 && next < buttons_.size())
        buttons_[next]->setFocus(Qt::TabFocusReason);
}

void PlayerPicker::showAgain(const Services &services)
{
    if (!services.windows.isOpen(Finestra::PlayerPicker))
        return;
    services.windows.close(Finestra::PlayerPicker);
    services.windows.show(Finestra::PlayerPicker);
}

void PlayerPicker::pickClass(const QString &name)
{
    services_.classroom.chooseClass(name);
    showAgain(services_);
}

void PlayerPicker::pick(const QString &childId)
{
    services_.classroom.play(childId);
    const QString spoken = services_.classroom.spokenName(childId, services_.choices.language());
    if (services_.choices.voiceOn() && !spoken.isEmpty())
        services_.sound.speak({spoken});
    services_.windows.show(Finestra::FormMenu);
    services_.windows.close(Finestra::PlayerPicker);
}
